// Speed of the GUI-free core, printed as figures:
//   1. per glyph: render + measure + transform + pack (GlyphDrawer::Draw),
//      with each step also timed alone;
//   2. the pack step alone on glyphs rendered beforehand;
//   3. fitting the start-up font to a cell over a default range;
//   4. whole libraries over their default ranges, one drawer, as a batch run
//      with one job assembles them.
// Each figure comes with a hash of the bytes it produced, so two builds can be
// compared for identical output. `--quick` runs a short version;
// `--runs-only`, `--library NAME` and `--size N` pick whole runs alone, so a
// fresh process can time one of them with Qt's glyph cache still cold.
#include <QElapsedTimer>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "convert/convert_request.h"
#include "convert/fit_request.h"
#include "layout/font_assembler.h"
#include "layout/font_plan.h"
#include "render/font_families.h"
#include "render/glyph_drawer.h"

using namespace runemill;

namespace {

struct Hash {
    quint64 value = 1469598103934665603ull;  // FNV-1a
    void Add(const uchar* data, qint64 size) {
        for (qint64 i = 0; i < size; ++i) value = (value ^ data[i]) * 1099511628211ull;
    }
};

const char* FormatName(int format) {
    static const char* names[5] = {"1bits", "2bits", "4bits", "8bits", "aRGB4444"};
    return names[NormalizePixelFormat(format)];
}

// The window's start-up font and offsets, in a cell of `size` and `format`.
QFont StartFont() { return ConvertRequest().Font(); }

GlyphSettings Settings(int size, int format) {
    ConvertRequest request;
    request.cell.width = request.cell.height = size;
    request.cell.pixFormat = NormalizePixelFormat(format);
    return request.Glyph();
}

QStringList CjkCharacters(int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i) texts << QString(QChar(ushort(0x4E00 + i)));
    return texts;
}

double Micro(qint64 ns, int count) { return count > 0 ? double(ns) / 1000.0 / count : 0.0; }

void PerGlyph(const QStringList& texts, int size, int format) {
    const GlyphSettings settings = Settings(size, format);
    const int bytes = int(BytesPerGlyph(format, size, size));
    std::vector<uchar> out(static_cast<size_t>(bytes));
    Hash hash;

    GlyphDrawer drawer(StartFont(), settings);
    for (int i = 0; i < std::min(200, texts.size()); ++i)  // fonts and caches warm
        drawer.Draw(texts.at(i), false, true, out.data());
    QElapsedTimer timer;
    timer.start();
    for (const QString& text : texts) {
        drawer.Draw(text, false, true, out.data());
        hash.Add(out.data(), bytes);
    }
    const qint64 drawNs = timer.nsecsElapsed();

    // The same steps one by one, each timed on its own.
    QImage glyph = MakeGlyphImage(size, size);
    QFont font = StartFont();
    GlyphRasterizer rasterizer;
    qint64 renderNs = 0, measureNs = 0, transformNs = 0, packNs = 0;
    volatile int widths = 0;
    for (const QString& text : texts) {
        timer.restart();
        rasterizer.Render(glyph, font, text, settings.render);
        renderNs += timer.nsecsElapsed();
        timer.restart();
        widths = widths + MeasureInkWidth(glyph);
        measureNs += timer.nsecsElapsed();
        timer.restart();
        TransformGlyph(glyph, settings.transform);
        transformNs += timer.nsecsElapsed();
        timer.restart();
        PackGlyph(glyph, settings.cell, out.data());
        packNs += timer.nsecsElapsed();
    }
    const int n = texts.size();
    std::printf(
        "  %2dx%-2d %-8s  %7.2f us/glyph   (render %6.2f, measure %5.2f, transform %5.2f, "
        "pack %5.2f)  hash %016llx\n",
        size, size, FormatName(format), Micro(drawNs, n), Micro(renderNs, n), Micro(measureNs, n),
        Micro(transformNs, n), Micro(packNs, n), static_cast<unsigned long long>(hash.value));
}

// The glyphs are rendered first; a set of 64 of them is packed over and over,
// so the images stay in the cache as they do right after rendering.
void PackAlone(const QStringList& texts, int size, int format, int passes) {
    const GlyphSettings settings = Settings(size, format);
    QVector<QImage> glyphs;
    QFont font = StartFont();
    GlyphRasterizer rasterizer;
    for (int i = 0; i < std::min(64, int(texts.size())); ++i) {
        QImage glyph = MakeGlyphImage(size, size);
        rasterizer.Render(glyph, font, texts.at(i), settings.render);
        glyphs << glyph;
    }
    const int bytes = int(BytesPerGlyph(format, size, size));
    std::vector<uchar> out(size_t(bytes) * size_t(glyphs.size()));
    Hash hash;
    QElapsedTimer timer;
    timer.start();
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < glyphs.size(); ++i)
            PackGlyph(glyphs.at(i), settings.cell, out.data() + size_t(i) * size_t(bytes));
        if (pass == 0) hash.Add(out.data(), qint64(out.size()));
    }
    const qint64 ns = timer.nsecsElapsed();
    std::printf("  %2dx%-2d %-8s  %7.1f ns/glyph  hash %016llx\n", size, size, FormatName(format),
                double(ns) / (double(passes) * glyphs.size()),
                static_cast<unsigned long long>(hash.value));
}

struct Library {
    const char* name;
    ConvertKind kind;
    CodeRange range;
};

void WholeRun(const Library& library, int size) {
    CellSettings cell;
    cell.width = size;
    cell.height = size;
    cell.pixFormat = kFormat1Bit;
    Refusal refusal;
    const FontPlan plan =
        FontPlan::ForLibrary(library.kind, cell, library.range.start, library.range.end, &refusal);
    if (!plan.isValid()) {
        std::printf("  %-8s %2dx%-2d  refused: %s\n", library.name, size, size,
                    qPrintable(refusal.text));
        return;
    }
    QElapsedTimer timer;
    timer.start();
    std::vector<uchar> file(size_t(plan.fileSize()));
    std::vector<uchar> scratch(size_t(plan.bytesPerGlyph()));
    plan.WriteFixedBytes(file.data());
    GlyphDrawer drawer(StartFont(), Settings(size, 0));
    AssembleSlots(
        plan, file.data(), 0, plan.slotCount(), scratch.data(),
        [&drawer](const GlyphSlot& slot, uchar* packed) {
            return drawer.Draw(slot.text, slot.leftAligned, slot.measureWidth, packed);
        },
        AfterGlyph());
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    Hash hash;
    hash.Add(file.data(), qint64(file.size()));
    std::printf(
        "  %-8s %04X-%04X %2dx%-2d  %5d glyphs (%d ASCII)  %6.3f s  %8.0f glyphs/s  "
        "%9lld bytes  hash %016llx\n",
        library.name, library.range.start, library.range.end, size, size, plan.slotCount(),
        plan.asciiSlotCount(), seconds, plan.slotCount() / seconds,
        static_cast<long long>(plan.fileSize()), static_cast<unsigned long long>(hash.value));
}

// Fitting the start-up font to a cell over a library's default range, as
// Fit and --fit do.
void Fitting(ConvertKind kind, int size, bool crisp) {
    ConvertRequest request = ConvertRequest::Defaults(kind);
    request.cell.width = request.cell.height = size;
    request.crisp = crisp;
    QElapsedTimer timer;
    timer.start();
    FitResult fit;
    const Refusal refusal = FitRequest(request, &fit);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("  %-7s %2dx%-2d %-6s  %7.1f ms  %s\n", qPrintable(KindName(kind)), size, size,
                crisp ? "crisp" : "smooth", ms,
                qPrintable(refusal ? refusal.text : FitSummary(fit)));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    runemill::InstallFontSubstitutes(
        ConvertRequest().family);  // the start-up family as the window and runemill-cli draw it
    const QStringList args = app.arguments();
    const bool quick = args.contains(QStringLiteral("--quick"));
    const bool runsOnly = args.contains(QStringLiteral("--runs-only"));
    const int libraryAt = args.indexOf(QStringLiteral("--library"));
    const QString onlyLibrary = libraryAt > 0 ? args.value(libraryAt + 1) : QString();
    const int sizeAt = args.indexOf(QStringLiteral("--size"));
    const int onlySize = sizeAt > 0 ? args.value(sizeAt + 1).toInt() : 0;
    const QFont font = StartFont();
    std::printf("runemill core benchmark%s; font \"%s\" %dpt (primary face %s)\n",
                quick ? " (--quick)" : "", qPrintable(font.family()), font.pointSize(),
                qPrintable(QFontInfo(font).family()));

    const QStringList texts = CjkCharacters(quick ? 300 : 3000);
    if (!runsOnly) {
        std::printf(
            "\nPer glyph, render + measure + transform + pack, %d CJK characters from "
            "U+4E00\n(the first line draws every glyph for the first time; the steps "
            "alone are timed on a second pass):\n",
            int(texts.size()));
        for (int size : {16, 32})
            for (int format : {kFormat1Bit, kFormatArgb4444}) PerGlyph(texts, size, format);

        std::printf("\nPack step alone, 64 glyphs rendered beforehand, packed over and over:\n");
        for (int size : {16, 32})
            for (int format : {kFormat1Bit, kFormat2Bit, kFormat4Bit, kFormat8Bit, kFormatArgb4444})
                PackAlone(texts, size, format, quick ? 200 : 2000);
    }

    if (!runsOnly) {
        std::printf("\nFitting the start-up font over a default range (Fit, --fit):\n");
        for (const ConvertKind kind : {ConvertKind::Gbk, ConvertKind::Gb2312}) {
            if (quick && kind != ConvertKind::Gbk) continue;
            for (int size : {16, 32})  // 32 x 32 is the start-up cell
                for (bool crisp : {false, true}) Fitting(kind, size, crisp);
        }
    }

    const Library libraries[4] = {
        {"GB2312", ConvertKind::Gb2312, DescriptionOf(ConvertKind::Gb2312).range},
        {"BIG5", ConvertKind::Big5, DescriptionOf(ConvertKind::Big5).range},
        {"GBK", ConvertKind::Gbk, DescriptionOf(ConvertKind::Gbk).range},
        {"Unicode", ConvertKind::Unicode, DescriptionOf(ConvertKind::Unicode).range},
    };
    std::printf("\nWhole libraries through the core, 1bits, one drawer:\n");
    for (const Library& library : libraries) {
        if (quick && library.kind != ConvertKind::Gb2312) continue;
        if (!onlyLibrary.isEmpty() &&
            onlyLibrary.compare(QLatin1String(library.name), Qt::CaseInsensitive) != 0)
            continue;
        for (int size : {16, 32})
            if (onlySize == 0 || size == onlySize) WholeRun(library, size);
    }
    return 0;
}
