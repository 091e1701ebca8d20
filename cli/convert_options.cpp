#include "cli/convert_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QThread>
#include <algorithm>
#include <climits>

#include "cli/c_source.h"
#include "messages/refusal.h"
#include "render/codes.h"
#include "render/packers.h"
#include "render/rasterizer.h"

namespace runemill::cli {

namespace {

constexpr int kMaxPointSize = 100000;

const char kIntroduction[] =
    "Writes the font files of the Runemill window from a build script, byte for byte\n"
    "as the window writes them with the same settings. Every default is the window's\n"
    "state right after start.\n";
const char kExitStatus[] = "Exit status: 0 done, 1 bad input, 2 the output could not be written.";

// "Kinds:" and a line per help text of the kind table: the names of the
// kinds that share it (neighbours in the table), then the text in a column.
QString KindsParagraph() {
    QStringList names;
    QStringList texts;
    for (const KindDescription& kind : KindTable()) {
        const QString text = QLatin1String(kind.help);
        if (!texts.isEmpty() && texts.last() == text) {
            names.last() += QStringLiteral(", ") + QLatin1String(kind.name);
        } else {
            names << QLatin1String(kind.name);
            texts << text;
        }
    }
    int width = 0;
    for (const QString& name : names) width = std::max(width, int(name.size()));
    QString paragraph = QStringLiteral("Kinds:\n");
    for (int i = 0; i < names.size(); ++i)
        paragraph += QStringLiteral("  ") + names.at(i).leftJustified(width + 2) + texts.at(i) +
                     QLatin1Char('\n');
    return paragraph;
}

// "Targets:" and a line per target of --for.
QString TargetsParagraph() {
    const QVector<TargetDescription> targets = TargetTable();
    int width = 0;
    for (const TargetDescription& t : targets) width = std::max(width, int(qstrlen(t.name)));
    QString paragraph = QStringLiteral("Targets (--for):\n");
    for (const TargetDescription& t : targets)
        paragraph += QStringLiteral("  ") + QString::fromLatin1(t.name).leftJustified(width + 2) +
                     QLatin1String(t.help) + QLatin1Char('\n');
    return paragraph;
}

// "gb2312, big5, ..., ttf": what the kind argument takes.
QString KindList() {
    QStringList names;
    for (const ConvertKind kind : AllKinds()) names << KindName(kind);
    return names.join(QStringLiteral(", "));
}

// Index of `text` in `names`, compared without case; -1 if absent.
int IndexOf(const QString& text, const char* const* names, int count) {
    for (int i = 0; i < count; ++i) {
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString NameList(const char* const* names, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << QLatin1String(names[i]);
    return list.join(QStringLiteral(", "));
}

// A code text: exactly four hex digits, read as two hex pairs. Fewer than
// four get the window's complaint; unlike the field, which reads only the
// first four characters and a non-digit as 0, anything else is refused: a
// cut "1F600" would quietly convert U+1F60.
bool ReadCode(const QString& text, bool start, int* code, CliError* error) {
    const QString option = start ? QStringLiteral("--from") : QStringLiteral("--to");
    if (text.size() < 4) return Fail(error, option, Refusal::ShortCode(start).text);
    if (text.size() != 4 || !IsHexDigits(text)) {
        return Fail(
            error, option,
            QStringLiteral("'%1' is not four hexadecimal digits (codes run from 0000 to FFFF)")
                .arg(text));
    }
    *code = ParseHexCode(text);
    return true;
}

// The kind (the second positional argument) and its default request.
bool ReadKind(const QCommandLineParser& parser, ConvertOptions* options, CliError* error) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2)
        return Fail(error, QStringLiteral("kind"), QStringLiteral("missing; one of ") + KindList());
    if (positional.size() > 2) {
        return Fail(error, QStringLiteral("arguments"),
                    QStringLiteral("unexpected '%1'").arg(positional.at(2)));
    }
    ConvertKind kind;
    if (!KindFromName(positional.at(1), &kind)) {
        return Fail(
            error, QStringLiteral("kind"),
            QStringLiteral("unknown kind '%1'; one of %2").arg(positional.at(1), KindList()));
    }
    options->request = ConvertRequest::Defaults(kind);
    return true;
}

// --for and, for a display library's format, -o and --symbol: the file type
// the target writes and the C name of a C target.
bool ReadTarget(const QCommandLineParser& parser, ConvertOptions* options, CliError* error) {
    const QString name = QStringLiteral("for");
    if (parser.isSet(name) && !TargetFromName(parser.value(name).trimmed(), &options->target)) {
        return Fail(error, QStringLiteral("--for"),
                    QStringLiteral("'%1' is not one of %2").arg(parser.value(name), TargetNames()));
    }
    if (options->target == OutputTarget::Bin) return true;
    const QString pathProblem = TargetPathProblem(options->target, options->output);
    if (!pathProblem.isEmpty()) return Fail(error, QStringLiteral("--output"), pathProblem);
    if (!DescriptionOfTarget(options->target).cSymbol) {
        if (!parser.isSet(QStringLiteral("symbol"))) return true;
        return Fail(error, QStringLiteral("--symbol"),
                    QStringLiteral("only with C output: -o FILE.c, or --for lvgl, u8g2 or gfx"));
    }
    return ReadSymbol(parser, options->output, QStringLiteral("font"), &options->symbol, error);
}

// -o, --for, --symbol, --text: the files of the run.
bool ReadFiles(const QCommandLineParser& parser, ConvertOptions* options, CliError* error) {
    const ConvertKind kind = options->request.kind;
    options->output = parser.value(QStringLiteral("output"));
    if (options->output.isEmpty())
        return Fail(error, QStringLiteral("--output"), QStringLiteral("missing; give -o FILE"));
    if (!ReadTarget(parser, options, error)) return false;
    if (options->target == OutputTarget::Bin &&
        !ReadCSourceOptions(parser, options->output, IsHeaderKind(kind), &options->symbol, error))
        return false;
    const bool isString = kind == ConvertKind::String;
    if (isString != parser.isSet(QStringLiteral("text"))) {
        return Fail(error, QStringLiteral("--text"),
                    isString ? QStringLiteral("missing; the string kind needs --text FILE")
                             : QStringLiteral("only the string kind reads a text file"));
    }
    options->textFile = parser.value(QStringLiteral("text"));
    return true;
}

// --from, --to: only the libraries and the headers have a code range.
bool ReadRange(const QCommandLineParser& parser, ConvertRequest* request, CliError* error) {
    const bool hasRange = DescriptionOf(request->kind).range.start >= 0;
    for (const char* name : {"from", "to"}) {
        if (!hasRange && parser.isSet(QLatin1String(name))) {
            return Fail(
                error, QStringLiteral("--") + QLatin1String(name),
                QStringLiteral("the %1 kind has no code range").arg(KindName(request->kind)));
        }
    }
    if (!hasRange) return true;
    for (const bool start : {true, false}) {
        const QString name = start ? QStringLiteral("from") : QStringLiteral("to");
        int* code = start ? &request->startCode : &request->endCode;
        if (parser.isSet(name) && !ReadCode(parser.value(name), start, code, error)) return false;
    }
    if (request->endCode < request->startCode)
        return Fail(error, QStringLiteral("--to"), Refusal::StartAfterEndCode().text);
    return true;
}

// --point-size: a number of points from 1 up, fractions allowed (11.25 pt is 15 px).
bool ReadPointSize(const QCommandLineParser& parser, qreal* size, CliError* error) {
    const QString name = QStringLiteral("point-size");
    if (!parser.isSet(name)) return true;
    const QString text = parser.value(name);
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    const QString option = QStringLiteral("--") + name;
    if (!ok || !qIsFinite(number))
        return Fail(error, option, QStringLiteral("'%1' is not a number").arg(text));
    if (number < 1 || number > kMaxPointSize)
        return Fail(error, option,
                    QStringLiteral("the point size runs from 1 to %1").arg(kMaxPointSize));
    *size = number;
    return true;
}

bool ReadNumbers(const QCommandLineParser& parser, ConvertOptions* options, CliError* error) {
    ConvertRequest& r = options->request;
    const QString cellTooSmall = Refusal::SmallCell().text;
    const QString anyInt;  // no lower limit worth a message
    const QString offsets =
        QStringLiteral("offsets run from %1 to %2").arg(-kMaxOffset).arg(kMaxOffset);
    options->jobs = QThread::idealThreadCount();
    return ReadInt(parser, QStringLiteral("width"), 1, cellTooSmall, &r.cell.width, error) &&
           ReadInt(parser, QStringLiteral("height"), 1, cellTooSmall, &r.cell.height, error) &&
           ReadInt(parser, QStringLiteral("limit"), INT_MIN, anyInt, &r.cell.grayLimit, error) &&
           ReadPointSize(parser, &r.pointSize, error) &&
           ReadInt(parser, QStringLiteral("x0"), -kMaxOffset, offsets, &r.x0, error, kMaxOffset) &&
           ReadInt(parser, QStringLiteral("y0"), -kMaxOffset, offsets, &r.y0, error, kMaxOffset) &&
           ReadInt(parser, QStringLiteral("jobs"), 1, QStringLiteral("at least one job is needed"),
                   &options->jobs, error);
}

// --format, --space, --rotate: one of a few names, stored as the index of the
// window's list.
bool ReadChoice(const QCommandLineParser& parser, const QString& name, const char* const* names,
                int count, int* index, CliError* error) {
    if (!parser.isSet(name)) return true;
    const QString text = parser.value(name);
    const int found = IndexOf(text.trimmed(), names, count);
    if (found < 0) {
        return Fail(error, QStringLiteral("--") + name,
                    QStringLiteral("'%1' is not one of %2").arg(text, NameList(names, count)));
    }
    *index = found;
    return true;
}

bool ReadChoices(const QCommandLineParser& parser, ConvertRequest* r, CliError* error) {
    const char* const divisors[] = {"2", "3", "4"};
    const char* const rotations[] = {"0", "r90", "l90"};  // in the order of the window's box
    const char* const modes[] = {"smooth", "crisp"};
    int divisorIndex = r->cell.spaceDivisor - 2;
    int mode = r->crisp ? 1 : 0;
    int format = r->cell.pixFormat;
    if (!ReadChoice(parser, QStringLiteral("format"), kPixelFormatNames, kPixelFormatCount, &format,
                    error) ||
        !ReadChoice(parser, QStringLiteral("space"), divisors, 3, &divisorIndex, error) ||
        !ReadChoice(parser, QStringLiteral("rotate"), rotations, 3, &r->rotation, error) ||
        !ReadChoice(parser, QStringLiteral("render"), modes, 2, &mode, error))
        return false;
    r->cell.pixFormat = PixelFormat(format);  // an index of kPixelFormatNames
    r->crisp = mode == 1;
    r->cell.spaceDivisor = divisorIndex + 2;
    r->bold = parser.isSet(QStringLiteral("bold"));
    r->italic = parser.isSet(QStringLiteral("italic"));
    r->underline = parser.isSet(QStringLiteral("underline"));
    r->reverseX = parser.isSet(QStringLiteral("reverse-x"));
    r->reverseY = parser.isSet(QStringLiteral("reverse-y"));
    return true;
}

bool ReadFont(const QCommandLineParser& parser, ConvertRequest* r, CliError* error) {
    const bool family = parser.isSet(QStringLiteral("font"));
    const bool file = parser.isSet(QStringLiteral("font-file"));
    if (family && file) {
        return Fail(error, QStringLiteral("--font-file"),
                    QStringLiteral("give either --font or --font-file, not both"));
    }
    if (family) {
        r->family = parser.value(QStringLiteral("font"));
        if (r->family.isEmpty())
            return Fail(error, QStringLiteral("--font"), QStringLiteral("the family is empty"));
    }
    if (file) {
        r->fontFile = parser.value(QStringLiteral("font-file"));
        if (r->fontFile.isEmpty())
            return Fail(error, QStringLiteral("--font-file"),
                        QStringLiteral("the file name is empty"));
    }
    if (parser.isSet(QStringLiteral("face")) && !file)
        return Fail(error, QStringLiteral("--face"),
                    QStringLiteral("only a --font-file has faces"));
    return ReadInt(parser, QStringLiteral("face"), 0, QStringLiteral("faces are counted from 0"),
                   &r->face, error);
}

}  // namespace

void AddConvertOptions(QCommandLineParser& parser) {
    const ConvertRequest d;  // the window at start-up
    auto range = [](ConvertKind kind, bool start) {
        const CodeRange r = DescriptionOf(kind).range;
        return KindName(kind) + QLatin1Char(' ') + HexCodeText(start ? r.start : r.end, 4);
    };
    QStringList starts, ends;
    for (const ConvertKind kind : AllKinds()) {
        if (DescriptionOf(kind).range.start < 0) continue;  // the ASCII and string fonts
        starts << range(kind, true);
        ends << range(kind, false);
    }
    parser.setApplicationDescription(QString::fromLatin1(kIntroduction) + QLatin1Char('\n') +
                                     KindsParagraph() + QLatin1Char('\n') + TargetsParagraph() +
                                     QLatin1Char('\n') + QString::fromLatin1(kExitStatus));
    parser.addPositionalArgument(QStringLiteral("convert"), QStringLiteral("The command."),
                                 QStringLiteral("convert"));
    parser.addPositionalArgument(QStringLiteral("kind"),
                                 QStringLiteral("What to write (see Kinds)."),
                                 QStringLiteral("<kind>"));
    const QString number = QStringLiteral("N");
    parser.addOptions({
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral(
             "The file to write (required). Replaced only once the new file is complete; "
             "chip and ttf append to it."),
         QStringLiteral("FILE")},
        {QStringLiteral("for"),
         QStringLiteral("The font format to write (see Targets): %1 (bin).").arg(TargetNames()),
         QStringLiteral("TARGET")},
        {QStringLiteral("from"),
         QStringLiteral("First code, four hex digits (%1).").arg(starts.join(", ")),
         QStringLiteral("HEX")},
        {QStringLiteral("to"),
         QStringLiteral("Last code, four hex digits (%1).").arg(ends.join(", ")),
         QStringLiteral("HEX")},
        {QStringLiteral("text"),
         QStringLiteral("The UTF-8 text file whose characters the string kind holds."),
         QStringLiteral("FILE")},
        {QStringLiteral("width"), QStringLiteral("Cell width W in pixels (%1).").arg(d.cell.width),
         number},
        {QStringLiteral("height"),
         QStringLiteral("Cell height H in pixels (%1).").arg(d.cell.height), number},
        {QStringLiteral("format"),
         QStringLiteral("Pixel format: %1 (%2).")
             .arg(NameList(kPixelFormatNames, kPixelFormatCount),
                  QLatin1String(kPixelFormatNames[d.cell.pixFormat])),
         QStringLiteral("FORMAT")},
        {QStringLiteral("limit"),
         QStringLiteral("Gray threshold of the 1bits format (%1).").arg(d.cell.grayLimit), number},
        {QStringLiteral("font"), QStringLiteral("Installed font family (%1).").arg(d.family),
         QStringLiteral("FAMILY")},
        {QStringLiteral("font-file"),
         QStringLiteral(
             "A font file used instead of --font: TTF, OTF, a TTC or OTC collection, or a "
             "bitmap font (OTB, PCF, BDF), which keeps its own sizes."),
         QStringLiteral("PATH")},
        {QStringLiteral("face"),
         QStringLiteral("The face of a --font-file collection, from 0 (0)."), number},
        {QStringLiteral("fallback-font"),
         QStringLiteral("A font file whose face draws the characters the chosen face lacks; "
                        "repeatable, the first that has a character draws it. FILE:N takes face N "
                        "of a collection. Without it such characters are blank."),
         QStringLiteral("FILE[:N]")},
        {QStringLiteral("point-size"),
         QStringLiteral("Font size in points at 96 dpi, fractions allowed: 12 is 16 pixels, 11.25 "
                        "is 15 (%1).")
             .arg(d.pointSize),
         QStringLiteral("PT")},
        {QStringLiteral("render"),
         QStringLiteral("smooth: antialiased outlines (the default); crisp: no antialiasing, "
                        "monochrome hinting and the face's own bitmaps where it has them at the "
                        "size, every pixel ground or full ink."),
         QStringLiteral("smooth|crisp")},
        {QStringLiteral("bold"), QStringLiteral("Draw bold.")},
        {QStringLiteral("italic"), QStringLiteral("Draw italic.")},
        {QStringLiteral("underline"), QStringLiteral("Draw underlined.")},
        {QStringLiteral("space"),
         QStringLiteral("Width of the ASCII space: W/2, W/3 or W/4 (%1).").arg(d.cell.spaceDivisor),
         QStringLiteral("2|3|4")},
        {QStringLiteral("x0"),
         QStringLiteral(
             "Moves centred glyphs right by N pixels (%1; the window's bar reaches -25..25).")
             .arg(d.x0),
         number},
        {QStringLiteral("y0"),
         QStringLiteral("Moves glyphs down by N pixels (%1; the window's bar reaches -33..17).")
             .arg(d.y0),
         number},
        {QStringLiteral("fit"),
         QStringLiteral(
             "Find the largest size at which every glyph of the run fits the cell, and the "
             "y0 and x0 that centre them; overrides --point-size, --x0 and --y0. Prints "
             "what it chose on stderr.")},
        {QStringLiteral("rotate"), QStringLiteral("Turn each glyph: 0, r90 or l90 (0)."),
         QStringLiteral("0|r90|l90")},
        {QStringLiteral("reverse-x"), QStringLiteral("Mirror each glyph left to right.")},
        {QStringLiteral("reverse-y"), QStringLiteral("Mirror each glyph top to bottom.")},
        {QStringLiteral("jobs"),
         QStringLiteral("Threads that draw glyphs (one per processor core). The bytes do not "
                        "depend on it."),
         number},
        {QStringLiteral("quiet"), QStringLiteral("No progress bar on stderr.")},
        {QStringLiteral("compress"),
         QStringLiteral("Write the compressed form of the font (about half the size for CJK "
                        "libraries; every glyph still read on its own). Not for chip and ttf.")},
        {QStringLiteral("append-anyway"),
         QStringLiteral("chip, ttf: append the header even to a file that holds more than whole "
                        "108-byte headers (a font file, for one), which is otherwise refused.")},
    });
    AddCSourceOptions(parser);
    parser.addOption(
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
}

QString ConvertHelpText() {
    QCommandLineParser parser;
    AddConvertOptions(parser);
    return HelpText(parser, QStringLiteral("runemill-cli convert <kind> [options]"));
}

bool ParseConvertOptions(const QStringList& arguments, ConvertOptions* options, CliError* error) {
    QCommandLineParser parser;
    AddConvertOptions(parser);
    ConvertOptions o;
    if (!ParseArguments(parser, arguments, error) || !ReadKind(parser, &o, error) ||
        !ReadFiles(parser, &o, error) || !ReadRange(parser, &o.request, error) ||
        !ReadNumbers(parser, &o, error) || !ReadChoices(parser, &o.request, error) ||
        !ReadFont(parser, &o.request, error))
        return false;
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    o.fit = parser.isSet(QStringLiteral("fit"));
    o.request.compress = parser.isSet(QStringLiteral("compress"));
    if (o.request.compress && IsHeaderKind(o.request.kind)) {
        return Fail(error, QStringLiteral("--compress"),
                    QStringLiteral("the chip and ttf headers hold no glyphs to compress"));
    }
    o.appendAnyway = parser.isSet(QStringLiteral("append-anyway"));
    if (o.appendAnyway && !IsHeaderKind(o.request.kind))
        return Fail(error, QStringLiteral("--append-anyway"),
                    QStringLiteral("only the chip and ttf headers are appended"));
    o.fallbackFonts = parser.values(QStringLiteral("fallback-font"));
    if (const TargetProblem problem = TargetRequestProblem(o.target, o.request))
        return Fail(error, problem.option, problem.text);
    *options = o;
    return true;
}

}  // namespace runemill::cli
