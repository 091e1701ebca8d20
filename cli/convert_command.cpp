#include "cli/convert_command.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <cstdio>
#include <new>
#include <vector>

#include "cli/c_source.h"
#include "cli/parallel_render.h"
#include "cli/progress_bar.h"
#include "generators/layout/chip_header.h"
#include "generators/layout/command_text.h"
#include "generators/layout/font_plan.h"
#include "generators/layout/gbk_width_list.h"
#include "generators/layout/run_log.h"
#include "output/file_writer.h"
#include "render/codes.h"

namespace runemill::cli {

namespace {

// Fills *error; returns its exit status.
int FailWith(CliError* error, int status, const QString& option, const QString& problem) {
    Fail(error, status, option, problem);
    return status;
}

// The font the run draws with: the installed family, or the first family of
// the font file.
int ResolveFont(const ConvertSettings& settings, FontChoice* font, CliError* error) {
    font->family = settings.family;
    font->pointSize = settings.pointSize;
    font->underline = settings.underline;
    if (settings.fontFile.isEmpty()) return kExitDone;
    const QString option = QStringLiteral("--font-file");
    if (!QFileInfo(settings.fontFile).isFile())
        return FailWith(error, kExitBadInput, option,
                        QStringLiteral("no such file: ") + settings.fontFile);
    const int id = QFontDatabase::addApplicationFont(settings.fontFile);
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        return FailWith(error, kExitBadInput, option,
                        QStringLiteral("cannot read a font from ") + settings.fontFile);
    }
    font->family = families.first();
    return kExitDone;
}

GlyphSettings MakeGlyphSettings(const ConvertSettings& s) {
    GlyphSettings glyph;
    glyph.pack.width = s.width;
    glyph.pack.height = s.height;
    glyph.pack.pixFormat = NormalizePixelFormat(s.pixFormat);
    glyph.pack.grayLimit = s.grayLimit;
    glyph.render.bold = s.bold;
    glyph.render.italic = s.italic;
    glyph.render.x0 = s.x0;
    glyph.render.y0 = s.y0;
    glyph.transform.reverseX = s.reverseX;
    glyph.transform.reverseY = s.reverseY;
    glyph.transform.rotation = s.rotation;
    return glyph;
}

// The option a refusal of the plan is about; the text is the window's.
QString OptionOfPlanError(const QString& message) {
    if (message.startsWith(QLatin1String("Font Start Code"))) return QStringLiteral("--from");
    if (message.startsWith(QLatin1String("Font End Code")) ||
        message.startsWith(QLatin1String("Error for start code")))
        return QStringLiteral("--to");
    return QStringLiteral("--width/--height");
}

// The text of the string kind, read as the window reads it: UTF-8, line
// breaks dropped, inner runs of blanks made one space.
int ReadText(const QString& path, QString* text, CliError* error) {
    const QString option = QStringLiteral("--text");
    if (!QFileInfo(path).isFile())
        return FailWith(error, kExitBadInput, option, QStringLiteral("no such file: ") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return FailWith(error, kExitBadInput, option,
                        QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    }
    if (file.size() > kMaxCommandTextBytes) {
        return FailWith(error, kExitBadInput, option,
                        QStringLiteral("%1 is %2 bytes; a text of more than %3 bytes is not read")
                            .arg(path)
                            .arg(file.size())
                            .arg(kMaxCommandTextBytes));
    }
    const QByteArray bytes = file.readAll();
    const qint64 bad = FirstInvalidUtf8Byte(bytes);
    if (bad >= 0) return FailWith(error, kExitBadInput, option, NotUtf8Message(path, bad));
    *text = ReadCommandText(bytes);
    return kExitDone;
}

FontKind PlanKind(ConvertKind kind) {
    switch (kind) {
        case ConvertKind::Big5:
            return FontKind::Big5;
        case ConvertKind::Gbk:
            return FontKind::Gbk;
        case ConvertKind::Unicode:
            return FontKind::Unicode;
        case ConvertKind::Ascii:
            return FontKind::Ascii;
        case ConvertKind::String:
            return FontKind::String;
        default:
            return FontKind::Gb2312;
    }
}

int CodecOf(ConvertKind kind) {
    switch (kind) {
        case ConvertKind::Gb2312:
            return kEncodingGb2312;
        case ConvertKind::Big5:
            return kEncodingBig5;
        case ConvertKind::Gbk:
            return kEncodingGbk;
        default:
            return -1;
    }
}

// The two 108-byte headers, appended to the output as the window does.
int RunHeader(const ConvertSettings& s, const FontChoice& fontChoice, CliError* error) {
    const bool ttf = s.kind == ConvertKind::Ttf;
    const QFont font = MakeFont(fontChoice);
    ChipHeaderFields fields;
    fields.width = s.width;
    fields.height = s.height;
    fields.startCode = s.startCode;
    fields.endCode = s.endCode;
    fields.pixFormat = s.pixFormat;
    fields.italic = s.italic;
    fields.bold = s.bold;
    fields.underline = font.underline();
    fields.pointSize = font.pointSize();
    fields.x0 = s.x0;
    fields.y0 = s.y0;
    fields.family = font.family();
    const QByteArray header = ttf ? TtfFontHeader(fields) : ChipFontHeader(fields);
    if (header.isEmpty()) {
        return FailWith(error, kExitBadInput, KindName(s.kind), MissingCodecMessage("gbk"));
    }

    const WriteResult appended = AppendToFile(s.output, header.constData(), header.size());
    if (!appended.ok) {
        return FailWith(error, kExitIoFailure, QStringLiteral("--output"),
                        QStringLiteral("only %1 of %2 bytes could be appended to %3 (%4); the file "
                                       "was put back as it was")
                            .arg(appended.written)
                            .arg(header.size())
                            .arg(s.output, appended.error));
    }

    PrintLines(ChipHeaderLines(fields, header, ttf));
    return kExitDone;
}

// The window's log after a run of this plan, as it shows it at the end.
QStringList RunLog(const FontPlan& plan, const QVector<int>& widths) {
    const int start = plan.startCode();
    const int end = plan.endCode();
    QStringList log;
    switch (plan.kind()) {
        case FontKind::Gb2312:
            log << PageLine(start, end);
            break;
        case FontKind::Big5:
            log << MaxPageLine(start, end);
            break;
        case FontKind::Gbk: {
            // The width list replaces the whole log; its lines end in "\r\n" in
            // the window and in plain line breaks here.
            GbkWidthList list;
            for (int i = 0; i < plan.slotCount(); ++i)
                list.AddIfListed(plan, plan.slot(i), widths[i]);
            log = list.Text().split(QStringLiteral("\r\n"));
            break;
        }
        case FontKind::Unicode:
            log = UnicodeLines(start, end);
            break;
        default:
            break;
    }
    return log;
}

int RunFont(const ConvertSettings& s, const FontChoice& fontChoice, CliError* error) {
    const int encoding = CodecOf(s.kind);
    if (encoding >= 0 && CodecFor(encoding) == nullptr) {
        return FailWith(error, kExitBadInput, KindName(s.kind),
                        MissingCodecMessage(CodecName(encoding)));
    }
    CellSettings cell;
    cell.width = s.width;
    cell.height = s.height;
    cell.pixFormat = s.pixFormat;
    cell.spaceDivisor = s.spaceDivisor;

    QString planError;
    FontPlan plan;
    if (s.kind == ConvertKind::String) {
        QString text;
        if (const int status = ReadText(s.textFile, &text, error)) return status;
        plan = FontPlan::ForString(cell, text, &planError);
        if (!plan.isValid() && planError.isEmpty()) {
            return FailWith(
                error, kExitBadInput, QStringLiteral("--text"),
                s.textFile + QStringLiteral(" holds no characters; nothing was written"));
        }
    } else {
        plan = FontPlan::ForLibrary(PlanKind(s.kind), cell, s.startCode, s.endCode, &planError);
    }
    if (!plan.isValid())
        return FailWith(error, kExitBadInput, OptionOfPlanError(planError), planError);

    const qint64 size = plan.fileSize();
    std::vector<uchar> buffer;
    try {
        buffer.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return FailWith(
            error, kExitIoFailure, QStringLiteral("--output"),
            QStringLiteral("Not enough memory for a file of %1 bytes; nothing was written.")
                .arg(size));
    }
    plan.WriteFixedBytes(buffer.data());

    const int threads = ThreadsForRun(s.jobs, plan.slotCount());
    QVector<int> widths;
    bool drawn = false;
    {
        ProgressBar bar(!s.quiet, plan.slotCount());
        drawn = RenderPlanSlots(plan, fontChoice, MakeGlyphSettings(s), threads, buffer.data(),
                                [&bar](qint64 done) { bar.Update(done); }, &widths);
    }
    if (!drawn) {
        return FailWith(error, kExitBadInput, QStringLiteral("--width/--height"),
                        NotEnoughMemoryToDraw(s.width, s.height));
    }

    if (!s.symbol.isEmpty()) {
        const QString problem = WriteCSource(
            s.output, s.symbol,
            QByteArray::fromRawData(reinterpret_cast<const char*>(buffer.data()), int(size)));
        if (!problem.isEmpty())
            return FailWith(error, kExitIoFailure, QStringLiteral("--output"), problem);
        PrintLines(RunLog(plan, widths));
        return kExitDone;
    }
    // The old file stays until the new one is complete on disk.
    const WriteResult written = ReplaceFile(s.output, reinterpret_cast<const char*>(buffer.data()), size);
    if (!written.ok) {
        return FailWith(error, kExitIoFailure, QStringLiteral("--output"),
                        QStringLiteral("cannot write %1: %2").arg(s.output, written.error));
    }
    PrintLines(RunLog(plan, widths));
    return kExitDone;
}

}  // namespace

int RunConvert(const ConvertSettings& settings, CliError* error) {
    if (!settings.textFile.isEmpty() && SameFile(settings.textFile, settings.output)) {
        return FailWith(error, kExitBadInput, QStringLiteral("--output"),
                        QStringLiteral("%1 is also the --text file; it would be overwritten")
                            .arg(settings.output));
    }
    FontChoice font;
    if (const int status = ResolveFont(settings, &font, error)) return status;
    if (settings.kind == ConvertKind::Chip || settings.kind == ConvertKind::Ttf)
        return RunHeader(settings, font, error);
    return RunFont(settings, font, error);
}

}  // namespace runemill::cli
