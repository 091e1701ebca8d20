#include "cli/convert_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QThread>
#include <climits>

#include "cli/c_source.h"
#include "render/codes.h"
#include "render/packers.h"
#include "render/rasterizer.h"
#include "render/transform.h"

namespace runemill::cli {

namespace {

struct KindEntry {
    const char* name;
    ConvertKind kind;
    const char* defaultStart;  // nullptr: the kind has no code range
    const char* defaultEnd;
};

// The library ranges are the ones the window puts in its code fields when an
// encoding is chosen; the two headers read the fields as they are at start-up,
// which hold the GB2312 range.
const KindEntry kKinds[] = {
    {"gb2312", ConvertKind::Gb2312, "A1A0", "F7FE"},
    {"big5", ConvertKind::Big5, "A140", "F9FF"},
    {"gbk", ConvertKind::Gbk, "8140", "FEBF"},
    {"unicode", ConvertKind::Unicode, "4E00", "9FA5"},
    {"ascii", ConvertKind::Ascii, nullptr, nullptr},
    {"string", ConvertKind::String, nullptr, nullptr},
    {"chip", ConvertKind::Chip, "A1A0", "F7FE"},
    {"ttf", ConvertKind::Ttf, "A1A0", "F7FE"},
};

// In the order of the window's pixel format box, so the index is the PixelFormat.

const char kDescription[] =
    "Writes the font files of the Runemill window from a build script, byte for byte\n"
    "as the window writes them with the same settings. Every default is the window's\n"
    "state right after start.\n"
    "\n"
    "Kinds:\n"
    "  gb2312, big5, gbk, unicode  a library (Convert all with that encoding)\n"
    "  ascii                       the variable-width ASCII font (Convert ASCII)\n"
    "  string                      the characters of a UTF-8 text file (Convert string)\n"
    "  chip, ttf                   the 108-byte font chip or TTF header; appended to -o\n"
    "\n"
    "Exit status: 0 done, 1 bad input, 2 the output could not be written.";

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
bool ReadCode(const QString& text, const QString& option, const char* shortMessage, int* code,
              CliError* error) {
    if (text.size() < 4) return Fail(error, option, QString::fromLatin1(shortMessage));
    if (text.size() > 4) {
        return Fail(error, option,
                    QStringLiteral("'%1' is not four hexadecimal digits (codes run from 0000 to FFFF)")
                        .arg(text));
    }
    for (int i = 0; i < 4; ++i) {
        const QChar c = text.at(i);
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                         (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex) {
            return Fail(
                error, option,
                QStringLiteral("'%1' is not four hexadecimal digits").arg(text));
        }
    }
    *code = ParseHexCode(text);
    return true;
}

}  // namespace

QString KindName(ConvertKind kind) {
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind) return QLatin1String(entry.name);
    }
    return QString();
}

void AddConvertOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addPositionalArgument(QStringLiteral("convert"), QStringLiteral("The command."),
                                 QStringLiteral("convert"));
    parser.addPositionalArgument(QStringLiteral("kind"),
                                 QStringLiteral("What to write (see Kinds)."),
                                 QStringLiteral("<kind>"));
    const QString threads = QString::number(QThread::idealThreadCount());
    parser.addOptions({
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral(
             "The file to write (required). Replaced only once the new file is complete; "
             "chip and ttf append to it."),
         QStringLiteral("FILE")},
        {QStringLiteral("from"),
         QStringLiteral(
             "First code, four hex digits (default: the kind's range; chip and ttf: A1A0)."),
         QStringLiteral("HEX")},
        {QStringLiteral("to"),
         QStringLiteral(
             "Last code, four hex digits (gb2312 F7FE, big5 F9FF, gbk FEBF, unicode 9FA5, "
             "chip and ttf F7FE)."),
         QStringLiteral("HEX")},
        {QStringLiteral("text"),
         QStringLiteral("The UTF-8 text file whose characters the string kind holds."),
         QStringLiteral("FILE")},
        {QStringLiteral("width"), QStringLiteral("Cell width W in pixels (32)."),
         QStringLiteral("N")},
        {QStringLiteral("height"), QStringLiteral("Cell height H in pixels (32)."),
         QStringLiteral("N")},
        {QStringLiteral("format"),
         QStringLiteral("Pixel format: 1bits, 2bits, 4bits, 8bits or aRGB4444 (1bits)."),
         QStringLiteral("FORMAT")},
        {QStringLiteral("limit"), QStringLiteral("Gray threshold of the 1bits format (50)."),
         QStringLiteral("N")},
        {QStringLiteral("font"), QStringLiteral("Installed font family (宋体)."),
         QStringLiteral("FAMILY")},
        {QStringLiteral("font-file"),
         QStringLiteral("A TTF, OTF or TTC file whose first family is used instead of --font."),
         QStringLiteral("PATH")},
        {QStringLiteral("point-size"), QStringLiteral("Font size in points, at 96 dpi (20)."),
         QStringLiteral("N")},
        {QStringLiteral("bold"), QStringLiteral("Draw bold.")},
        {QStringLiteral("italic"), QStringLiteral("Draw italic.")},
        {QStringLiteral("underline"), QStringLiteral("Draw underlined.")},
        {QStringLiteral("space"), QStringLiteral("Width of the ASCII space: W/2, W/3 or W/4 (3)."),
         QStringLiteral("2|3|4")},
        {QStringLiteral("x0"),
         QStringLiteral(
             "Moves centred glyphs right by N pixels (0; the window's bar reaches -25..25)."),
         QStringLiteral("N")},
        {QStringLiteral("y0"),
         QStringLiteral("Moves glyphs down by N pixels (-7; the window's bar reaches -33..17)."),
         QStringLiteral("N")},
        {QStringLiteral("rotate"), QStringLiteral("Turn each glyph: 0, r90 or l90 (0)."),
         QStringLiteral("0|r90|l90")},
        {QStringLiteral("reverse-x"), QStringLiteral("Mirror each glyph left to right.")},
        {QStringLiteral("reverse-y"), QStringLiteral("Mirror each glyph top to bottom.")},
        {QStringLiteral("jobs"),
         QStringLiteral("Threads that draw glyphs (%1 here). The bytes do not depend on it.")
             .arg(threads),
         QStringLiteral("N")},
        {QStringLiteral("quiet"), QStringLiteral("No progress bar on stderr.")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")},
    });
    AddCSourceOptions(parser);
}

QString ConvertHelpText() {
    QCommandLineParser parser;
    AddConvertOptions(parser);
    return HelpText(parser, QStringLiteral("runemill-cli convert <kind> [options]"));
}

bool ParseConvertOptions(const QStringList& arguments, ConvertSettings* settings, CliError* error) {
    QCommandLineParser parser;
    AddConvertOptions(parser);
    if (!ParseArguments(parser, arguments, error)) return false;

    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        return Fail(error, QStringLiteral("kind"),
                    QStringLiteral("missing; one of gb2312, big5, gbk, unicode, ascii, string, "
                                   "chip, ttf"));
    }
    if (positional.size() > 2) {
        return Fail(error, QStringLiteral("arguments"),
                    QStringLiteral("unexpected '%1'").arg(positional.at(2)));
    }
    const KindEntry* kind = nullptr;
    for (const KindEntry& entry : kKinds) {
        if (positional.at(1).compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            kind = &entry;
    }
    if (kind == nullptr) {
        return Fail(error, QStringLiteral("kind"),
                    QStringLiteral("unknown kind '%1'; one of gb2312, big5, gbk, unicode, ascii, "
                                   "string, chip, ttf")
                        .arg(positional.at(1)));
    }
    ConvertSettings s;
    s.kind = kind->kind;
    s.jobs = QThread::idealThreadCount();

    s.output = parser.value(QStringLiteral("output"));
    if (s.output.isEmpty())
        return Fail(error, QStringLiteral("--output"), QStringLiteral("missing; give -o FILE"));
    const bool appends = s.kind == ConvertKind::Chip || s.kind == ConvertKind::Ttf;
    if (!ReadCSourceOptions(parser, s.output, appends, &s.symbol, error)) return false;

    // The code range: only the libraries and the headers have one.
    const bool hasRange = kind->defaultStart != nullptr;
    for (const char* name : {"from", "to"}) {
        if (!hasRange && parser.isSet(QLatin1String(name))) {
            return Fail(error, QStringLiteral("--") + QLatin1String(name),
                        QStringLiteral("the %1 kind has no code range").arg(kind->name));
        }
    }
    if (hasRange) {
        const QString from = parser.isSet(QStringLiteral("from"))
                                 ? parser.value(QStringLiteral("from"))
                                 : QLatin1String(kind->defaultStart);
        const QString to = parser.isSet(QStringLiteral("to")) ? parser.value(QStringLiteral("to"))
                                                              : QLatin1String(kind->defaultEnd);
        if (!ReadCode(from, QStringLiteral("--from"), "Start code number is less 4.", &s.startCode,
                      error) ||
            !ReadCode(to, QStringLiteral("--to"), "End code number is less 4.", &s.endCode, error))
            return false;
        if (s.endCode < s.startCode) {
            return Fail(error, QStringLiteral("--to"),
                        QStringLiteral("Error for start code > end code. And stop."));
        }
    }

    const bool isString = s.kind == ConvertKind::String;
    if (isString != parser.isSet(QStringLiteral("text"))) {
        return Fail(error, QStringLiteral("--text"),
                    isString ? QStringLiteral("missing; the string kind needs --text FILE")
                             : QStringLiteral("only the string kind reads a text file"));
    }
    s.textFile = parser.value(QStringLiteral("text"));

    const QString cellTooSmall = QStringLiteral("W and H must be at least 1.");
    const QString anyInt;  // no lower limit worth a message
    const QString offsetRange = QStringLiteral("offsets run from %1 to %2").arg(-kMaxOffset).arg(kMaxOffset);
    if (!ReadInt(parser, QStringLiteral("width"), 1, cellTooSmall, &s.width, error) ||
        !ReadInt(parser, QStringLiteral("height"), 1, cellTooSmall, &s.height, error) ||
        !ReadInt(parser, QStringLiteral("limit"), INT_MIN, anyInt, &s.grayLimit, error) ||
        !ReadInt(parser, QStringLiteral("point-size"), 1,
                 QStringLiteral("the point size must be at least 1"), &s.pointSize, error) ||
        !ReadInt(parser, QStringLiteral("x0"), -kMaxOffset, offsetRange, &s.x0, error, kMaxOffset) ||
        !ReadInt(parser, QStringLiteral("y0"), -kMaxOffset, offsetRange, &s.y0, error, kMaxOffset) ||
        !ReadInt(parser, QStringLiteral("jobs"), 1, QStringLiteral("at least one job is needed"),
                 &s.jobs, error))
        return false;

    if (parser.isSet(QStringLiteral("format"))) {
        const QString text = parser.value(QStringLiteral("format"));
        s.pixFormat = IndexOf(text, kPixelFormatNames, kPixelFormatCount);
        if (s.pixFormat < 0) {
            return Fail(error, QStringLiteral("--format"),
                        QStringLiteral("unknown format '%1'; one of %2")
                            .arg(text, NameList(kPixelFormatNames, kPixelFormatCount)));
        }
    }
    if (parser.isSet(QStringLiteral("space"))) {
        const char* const divisors[] = {"2", "3", "4"};
        const QString text = parser.value(QStringLiteral("space"));
        const int index = IndexOf(text.trimmed(), divisors, 3);
        if (index < 0) {
            return Fail(error, QStringLiteral("--space"),
                        QStringLiteral("'%1' is not 2, 3 or 4").arg(text));
        }
        s.spaceDivisor = index + 2;
    }
    if (parser.isSet(QStringLiteral("rotate"))) {
        // In the order of the window's rotation box.
        const char* const rotations[] = {"0", "r90", "l90"};
        const QString text = parser.value(QStringLiteral("rotate"));
        s.rotation = IndexOf(text.trimmed(), rotations, 3);
        if (s.rotation < 0) {
            return Fail(error, QStringLiteral("--rotate"),
                        QStringLiteral("'%1' is not 0, r90 or l90").arg(text));
        }
    }

    if (parser.isSet(QStringLiteral("font")) && parser.isSet(QStringLiteral("font-file"))) {
        return Fail(error, QStringLiteral("--font-file"),
                    QStringLiteral("give either --font or --font-file, not both"));
    }
    if (parser.isSet(QStringLiteral("font"))) {
        s.family = parser.value(QStringLiteral("font"));
        if (s.family.isEmpty())
            return Fail(error, QStringLiteral("--font"), QStringLiteral("the family is empty"));
    }
    s.fontFile = parser.value(QStringLiteral("font-file"));
    if (parser.isSet(QStringLiteral("font-file")) && s.fontFile.isEmpty())
        return Fail(error, QStringLiteral("--font-file"), QStringLiteral("the file name is empty"));
    s.bold = parser.isSet(QStringLiteral("bold"));
    s.italic = parser.isSet(QStringLiteral("italic"));
    s.underline = parser.isSet(QStringLiteral("underline"));
    s.reverseX = parser.isSet(QStringLiteral("reverse-x"));
    s.reverseY = parser.isSet(QStringLiteral("reverse-y"));
    s.quiet = parser.isSet(QStringLiteral("quiet"));
    *settings = s;
    return true;
}

}  // namespace runemill::cli
