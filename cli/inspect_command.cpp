#include "cli/inspect_command.h"

#include <QBuffer>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTextCodec>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "layout/layout_constants.h"
#include "output/file_writer.h"
#include "render/codes.h"
#include "render/packers.h"
#include "runemill_font.h"

namespace runemill::cli {

namespace {

// A chip or TTF header is 108 bytes. The commands that write them append to
// their file, so a file may hold several; the reader opens each on its own.
constexpr int kHeaderBytes = 108;

// Gaps between the cells of the sheet, and its unused cells: a color that no
// gray level has, so a blank glyph and the space around it look different.
const QRgb kSheetGap = qRgb(0x20, 0x50, 0xA0);

const char kDescription[] =
    "Tells what a Runemill .bin file holds. It reads the file only through the C\n"
    "reader (reader/runemill_font.h), as a firmware does.\n"
    "\n"
    "Without --glyph or --png: the kind, the cell, the pixel format, the code range,\n"
    "the glyph count and whether the length is right for the header; for chip and\n"
    "TTF headers also their fields, for each header of a file that holds several.\n"
    "\n"
    "--glyph prints one glyph in a frame of + - |, one character per pixel:\n"
    "' ' background, '.' gray 1..95, ':' 96..191, '#' 192..255.\n"
    "\n"
    "--png draws a contact sheet: the glyphs in file order, 16 to a row (fewer when\n"
    "there are fewer), each W x H cell white ink on black with a 1-pixel blue gap\n"
    "around it: 16 (W + 1) + 1 pixels wide, rows (H + 1) + 1 high, rows = glyphs / 16\n"
    "rounded up. An ASCII code of a Unicode library that also covers 0020..007E is\n"
    "found in the ASCII block, so its record there is not drawn.\n"
    "\n"
    "Exit status: 0 done, 1 bad input (a file that is no valid font, a glyph not\n"
    "found), 2 the PNG could not be written.";

struct InspectSettings {
    QString file;
    unsigned width = 0;  // 0: the cell size stored in the header
    unsigned height = 0;
    bool glyph = false;
    int glyphCode = 0;
    QString png;
    int from = 0;  // codes drawn on the sheet
    int to = 0xFFFF;
};

QString StatusName(rmf_status status) { return QLatin1String(rmf_status_name(status)); }

// What a refusal of rmf_open means, for the error line.
QString StatusMeaning(rmf_status status) {
    switch (status) {
        case RMF_TRUNCATED:
            return QStringLiteral("the file ends inside its header");
        case RMF_BAD_MAGIC:
            return QStringLiteral("its first bytes are no known magic");
        case RMF_BAD_FORMAT:
            return QStringLiteral("its pixel format or cell size is invalid");
        case RMF_BAD_LENGTH:
            return QStringLiteral("its length does not match its header");
        case RMF_BAD_RANGE:
            return QStringLiteral("its code range is invalid");
        default:
            return QStringLiteral("it cannot be read as a font");
    }
}

// One to four hexadecimal digits, with or without "0x".
bool ReadHexCode(const QCommandLineParser& parser, const QString& name, int* code,
                 CliError* error) {
    const QString text = parser.value(name);
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) digits.remove(0, 2);
    if (digits.size() > 4 || !IsHexDigits(digits)) {
        return Fail(
            error, QStringLiteral("--") + name,
            QStringLiteral("'%1' is not a code of one to four hexadecimal digits").arg(text));
    }
    *code = digits.toInt(nullptr, 16);
    return true;
}

void AddInspectOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addPositionalArgument(QStringLiteral("inspect"), QStringLiteral("The command."),
                                 QStringLiteral("inspect"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The .bin file to read."),
                                 QStringLiteral("FILE"));
    parser.addOptions({
        {QStringLiteral("width"),
         QStringLiteral("True cell width when it is 256 or more (the header keeps its low 8 "
                        "bits)."),
         QStringLiteral("N")},
        {QStringLiteral("height"), QStringLiteral("True cell height when it is 256 or more."),
         QStringLiteral("N")},
        {QStringLiteral("glyph"),
         QStringLiteral("Print the glyph of this code (one to four hex digits, e.g. B0A1 or 41) "
                        "as text art, with its width byte where the file has one."),
         QStringLiteral("HEX")},
        {QStringLiteral("png"),
         QStringLiteral("Write a contact sheet of the glyphs, 16 to a row, to this PNG file."),
         QStringLiteral("OUT.png")},
        {QStringLiteral("from"),
         QStringLiteral("With --png: draw only the glyphs of codes from this one (hex)."),
         QStringLiteral("HEX")},
        {QStringLiteral("to"), QStringLiteral("With --png: up to this code (hex)."),
         QStringLiteral("HEX")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")},
    });
}

bool ParseInspectOptions(const QStringList& arguments, InspectSettings* settings, CliError* error) {
    QCommandLineParser parser;
    AddInspectOptions(parser);
    if (!ParseArguments(parser, arguments, error)) return false;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2)
        return Fail(error, QStringLiteral("file"), QStringLiteral("missing; give the .bin file"));
    if (positional.size() > 2) {
        return Fail(error, QStringLiteral("arguments"),
                    QStringLiteral("unexpected '%1'").arg(positional.at(2)));
    }
    InspectSettings s;
    s.file = positional.at(1);
    const QString cellRange = QStringLiteral("W and H must be 1 to 65535.");
    int width = 0;
    int height = 0;
    if (!ReadInt(parser, QStringLiteral("width"), 1, cellRange, &width, error, 65535) ||
        !ReadInt(parser, QStringLiteral("height"), 1, cellRange, &height, error, 65535))
        return false;
    s.width = unsigned(width);
    s.height = unsigned(height);
    s.glyph = parser.isSet(QStringLiteral("glyph"));
    if (s.glyph && !ReadHexCode(parser, QStringLiteral("glyph"), &s.glyphCode, error)) return false;
    s.png = parser.value(QStringLiteral("png"));
    if (parser.isSet(QStringLiteral("png")) && s.png.isEmpty())
        return Fail(error, QStringLiteral("--png"), QStringLiteral("the file name is empty"));
    for (const char* name : {"from", "to"}) {
        const QString option = QLatin1String(name);
        if (!parser.isSet(option)) continue;
        if (s.png.isEmpty())
            return Fail(error, QStringLiteral("--") + option, QStringLiteral("only with --png"));
        if (!ReadHexCode(parser, option, option == QLatin1String("from") ? &s.from : &s.to, error))
            return false;
    }
    if (s.to < s.from) {
        return Fail(error, QStringLiteral("--to"),
                    QStringLiteral("%1 is below the first code %2")
                        .arg(HexCodeText(s.to, 4), HexCodeText(s.from, 4)));
    }
    *settings = s;
    return true;
}

bool IsHeader(const rmf_font& font) {
    return font.kind == RMF_KIND_CHIP || font.kind == RMF_KIND_TTF;
}

// The kind as the C reader tells it from the magic, not looked up in the kind
// table from the file's bytes: inspect shows what the reader made of a file,
// so a reader that mistook a kind must show here.
QString KindText(rmf_kind kind) {
    switch (kind) {
        case RMF_KIND_GB2312:
            return QStringLiteral("gb2312 library");
        case RMF_KIND_BIG5:
            return QStringLiteral("big5 library");
        case RMF_KIND_GBK:
            return QStringLiteral("gbk library");
        case RMF_KIND_UNICODE:
            return QStringLiteral("unicode library");
        case RMF_KIND_ASCII:
            return QStringLiteral("ascii font");
        case RMF_KIND_STRING:
            return QStringLiteral("string font");
        case RMF_KIND_CHIP:
            return QStringLiteral("chip header");
        case RMF_KIND_TTF:
            return QStringLiteral("ttf header");
        default:
            return QStringLiteral("none");
    }
}

QString FormatName(rmf_format format) {
    const unsigned index = unsigned(format);
    return index < unsigned(kPixelFormatCount) ? QLatin1String(kPixelFormatNames[index])
                                               : QStringLiteral("format %1").arg(index);
}

// Text of a header field; the writer encodes them with the "gbk" codec.
QString HeaderText(const uint8_t* bytes, size_t length) {
    const QByteArray raw(reinterpret_cast<const char*>(bytes), int(length));
    if (QTextCodec* codec = QTextCodec::codecForName("gbk")) return codec->toUnicode(raw);
    return QStringLiteral("(GBK bytes %1; no \"gbk\" codec to decode them)")
        .arg(QString::fromLatin1(raw.toHex(' ')));
}

QString FlagsText(uint8_t flags) {
    QStringList names;
    if (flags & RMF_FLAG_ITALIC) names << QStringLiteral("italic");
    if (flags & RMF_FLAG_UNDERLINE) names << QStringLiteral("underline");
    if (flags & RMF_FLAG_BOLD) names << QStringLiteral("bold");
    if (names.isEmpty()) names << QStringLiteral("plain");
    return QStringLiteral("0x%1 (%2)")
        .arg(HexCodeText(int(flags), 2), names.join(QStringLiteral(", ")));
}

// A glyph read through the reader into bytes of its own: plain files copy
// it, compressed ones decode it.
struct ReadGlyph {
    rmf_glyph glyph{};
    std::vector<uint8_t> bits;  // glyph.bits points here; moves keep it valid

    rmf_status Read(const rmf_font& font, int code) {
        bits.assign(std::max<size_t>(font.glyph_bytes, 1), 0);
        return rmf_read_glyph(&font, uint16_t(code), &glyph, bits.data(), bits.size());
    }
};

// Glyphs of the ASCII block, counted by asking the reader for each code.
int AsciiGlyphs(const rmf_font& font) {
    if (font.kind == RMF_KIND_STRING) return 0;
    int count = 0;
    ReadGlyph read;
    for (unsigned code = 0x20; code <= 0x7E; ++code) count += read.Read(font, int(code)) == RMF_OK;
    return count;
}

// The summary lines of one opened font or header.
QStringList FontLines(const rmf_font& font) {
    QStringList lines;
    lines << QStringLiteral("kind: ") + KindText(font.kind);
    lines << QStringLiteral("cell: %1 x %2").arg(font.width).arg(font.height);
    lines << QStringLiteral("format: ") + FormatName(font.format);
    if (font.kind != RMF_KIND_ASCII && font.kind != RMF_KIND_STRING)
        lines << QStringLiteral("codes: ") + HexCodeText(int(font.start_code), 4) +
                     QStringLiteral("..") + HexCodeText(int(font.end_code), 4);
    if (IsHeader(font)) {
        lines << QStringLiteral("glyphs: none, a header holds no glyphs");
        rmf_header_info info;
        if (rmf_header_fields(&font, &info) == RMF_OK) {
            lines << QStringLiteral("flags: ") + FlagsText(info.flags);
            lines << QStringLiteral("point size: %1").arg(info.point_size);
            lines << QStringLiteral("x0, y0: %1, %2").arg(info.x0).arg(info.y0);
            lines << QStringLiteral("text: ") + HeaderText(info.text, info.text_length);
            lines << QStringLiteral("family: ") + HeaderText(info.family, info.family_length);
        }
        return lines;
    }
    const int ascii = AsciiGlyphs(font);
    const qulonglong others = font.code_count;
    if (font.kind == RMF_KIND_ASCII) {
        lines << QStringLiteral("glyphs: %1 (ASCII)").arg(ascii);
    } else if (font.kind == RMF_KIND_STRING) {
        lines << QStringLiteral("glyphs: %1").arg(others);
    } else {
        lines << QStringLiteral("glyphs: %1 (%2 ASCII + %3)")
                     .arg(qulonglong(ascii) + others)
                     .arg(ascii)
                     .arg(others);
    }
    return lines;
}

// The file opened by the reader: one font, or each header of a file of
// appended headers. On failure *where says which header failed, if any.
rmf_status OpenAll(const QByteArray& bytes, unsigned width, unsigned height,
                   std::vector<rmf_font>* fonts, QString* where) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const size_t size = size_t(bytes.size());
    rmf_font font;
    const rmf_status status = rmf_open(&font, data, size, width, height);
    if (status == RMF_OK) {
        fonts->push_back(font);
        return RMF_OK;
    }
    rmf_font first;
    if (status != RMF_BAD_LENGTH || size <= size_t(kHeaderBytes) ||
        rmf_open(&first, data, kHeaderBytes, width, height) != RMF_OK || !IsHeader(first))
        return status;
    for (size_t offset = 0; offset < size; offset += kHeaderBytes) {
        const size_t piece = std::min(size - offset, size_t(kHeaderBytes));
        const rmf_status one = rmf_open(&font, data + offset, piece, width, height);
        if (one != RMF_OK) {
            *where = QStringLiteral("header %1 at byte %2: ")
                         .arg(offset / kHeaderBytes + 1)
                         .arg(qulonglong(offset));
            return one;
        }
        fonts->push_back(font);
    }
    return RMF_OK;
}

// The header keeps W and H modulo 256. When the length fits a cell 256,
// 512... pixels larger than stored, names it; empty when none does (a
// truncated or damaged file).
QString TrueCellHint(const QByteArray& bytes) {
    constexpr unsigned kSteps = 64;  // cells up to 16383 pixels
    if (bytes.size() < 4) return QString();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    for (unsigned kw = 0; kw < kSteps; ++kw) {
        for (unsigned kh = 0; kh < kSteps; ++kh) {
            const unsigned w = data[2] + 256u * kw;
            const unsigned h = data[3] + 256u * kh;
            if ((kw == 0 && kh == 0) || w == 0 || h == 0) continue;
            rmf_font font;
            if (rmf_open(&font, data, size_t(bytes.size()), w, h) == RMF_OK) {
                return QStringLiteral(
                           " (its length fits a cell of %1 x %2: give --width %1 --height %2)")
                    .arg(w)
                    .arg(h);
            }
        }
    }
    return QString();
}

QStringList SummaryLines(const std::vector<rmf_font>& fonts, qint64 size) {
    if (fonts.size() == 1 && fonts.front().compressed) {
        const qulonglong plain = fonts.front().plain_size;
        return FontLines(fonts.front())
               << QStringLiteral("length: %1 bytes, right for its index").arg(size)
               << QStringLiteral("compressed: ratio %1, the plain file is %2 bytes")
                      .arg(double(plain) / double(size), 0, 'f', 2)
                      .arg(plain);
    }
    if (fonts.size() == 1) {
        return FontLines(fonts.front())
               << QStringLiteral("length: %1 bytes, right for its header").arg(size);
    }
    QStringList lines;
    for (size_t i = 0; i < fonts.size(); ++i) {
        lines << QStringLiteral("header %1 at byte %2:").arg(i + 1).arg(i * kHeaderBytes);
        for (const QString& line : FontLines(fonts[i])) lines << QStringLiteral("  ") + line;
    }
    lines << QStringLiteral("length: %1 bytes, right for %2 headers of %3 bytes")
                 .arg(size)
                 .arg(fonts.size())
                 .arg(kHeaderBytes);
    return lines;
}

char ArtChar(uint8_t gray) {
    if (gray == 0) return ' ';
    if (gray < 96) return '.';
    if (gray < 192) return ':';
    return '#';
}

int PrintGlyph(const rmf_font& font, int code, CliError* error) {
    ReadGlyph read;
    const rmf_status found = read.Read(font, code);
    const rmf_glyph& glyph = read.glyph;
    if (found != RMF_OK) {
        Fail(error, QStringLiteral("--glyph"),
             QStringLiteral("%1: not found (%2)").arg(HexCodeText(code, 4), StatusName(found)));
        return error->status;
    }
    QString title = QStringLiteral("glyph %1: %2 x %3, %4")
                        .arg(HexCodeText(code, 4))
                        .arg(glyph.width)
                        .arg(glyph.height)
                        .arg(FormatName(glyph.format));
    if (glyph.has_width_byte) title += QStringLiteral(", width byte %1").arg(glyph.width_byte);
    const QString edge =
        QLatin1Char('+') + QString(int(glyph.width), QLatin1Char('-')) + QLatin1Char('+');
    QStringList lines{title, edge};
    for (unsigned y = 0; y < glyph.height; ++y) {
        QByteArray row(int(glyph.width), ' ');
        for (unsigned x = 0; x < glyph.width; ++x) {
            uint8_t gray = 0;
            const rmf_status read = rmf_glyph_pixel(&glyph, x, y, &gray);
            if (read != RMF_OK) {
                Fail(error, QStringLiteral("--glyph"),
                     QStringLiteral("pixel %1, %2: %3").arg(x).arg(y).arg(StatusName(read)));
                return error->status;
            }
            row[int(x)] = ArtChar(gray);
        }
        lines << QLatin1Char('|') + QString::fromLatin1(row) + QLatin1Char('|');
    }
    lines << edge;
    PrintLines(lines);
    return kExitDone;
}

// The codes from..to in file order: a string font's in the order of its code
// table, the others the ASCII block first, then the rows or records, whose
// slots follow their codes.
std::vector<int> CodesInFileOrder(const rmf_font& font, int from, int to) {
    std::vector<int> codes;
    if (font.kind == RMF_KIND_STRING) {
        QSet<int> seen;
        const uint8_t* table = font.data + font.table_at;
        for (size_t i = 0; i < font.code_count; ++i) {
            const int code = table[2 * i] | table[2 * i + 1] << 8;
            if (code >= from && code <= to && !seen.contains(code)) codes.push_back(code);
            seen.insert(code);
        }
        return codes;
    }
    for (int code = from; code <= to; ++code)
        if (code >= 0x20 && code <= 0x7E) codes.push_back(code);
    for (int code = from; code <= to; ++code)
        if (code < 0x20 || code > 0x7E) codes.push_back(code);
    return codes;
}

// The glyphs of codes from..to that the reader finds, in file order.
std::vector<ReadGlyph> GlyphsInFileOrder(const rmf_font& font, int from, int to) {
    std::vector<ReadGlyph> glyphs;
    if (IsHeader(font)) return glyphs;
    ReadGlyph read;
    for (const int code : CodesInFileOrder(font, from, to)) {
        if (read.Read(font, code) == RMF_OK) glyphs.push_back(std::move(read));
    }
    return glyphs;
}

// The glyphs in `columns` columns of cells with a 1-pixel gap, white ink on black.
void DrawSheet(const std::vector<ReadGlyph>& glyphs, int columns, QImage* image) {
    image->fill(kSheetGap);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const rmf_glyph& glyph = glyphs[i].glyph;
        const int left = int(1 + (i % columns) * (glyph.width + 1));
        const int top = int(1 + (i / columns) * (glyph.height + 1));
        for (unsigned y = 0; y < glyph.height; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image->scanLine(top + int(y))) + left;
            for (unsigned x = 0; x < glyph.width; ++x) {
                uint8_t gray = 0;
                rmf_glyph_pixel(&glyph, x, y, &gray);  // every (x, y) is inside the cell
                line[x] = qRgb(gray, gray, gray);
            }
        }
    }
}

int WriteSheet(const rmf_font& font, const InspectSettings& s, CliError* error) {
    const QString option = QStringLiteral("--png");
    const std::vector<ReadGlyph> glyphs = GlyphsInFileOrder(font, s.from, s.to);
    if (glyphs.empty()) {
        const QString problem = IsHeader(font)
                                    ? QStringLiteral("a header holds no glyphs")
                                    : QStringLiteral("no glyph of the file has a code in %1..%2")
                                          .arg(HexCodeText(s.from, 4), HexCodeText(s.to, 4));
        Fail(error, option, problem);
        return error->status;
    }
    const qint64 count = qint64(glyphs.size());
    const qint64 columns = std::min<qint64>(kSheetColumns, count);
    const qint64 rows = (count + columns - 1) / columns;
    const qint64 cellW = font.width;
    const qint64 cellH = font.height;
    const qint64 sheetW = columns * (cellW + 1) + 1;
    const qint64 sheetH = rows * (cellH + 1) + 1;
    QImage image;
    if (sheetW <= 32767 && sheetH <= 1000000 && sheetW * sheetH <= (qint64(1) << 29))
        image = QImage(int(sheetW), int(sheetH), QImage::Format_RGB32);
    if (image.isNull()) {
        Fail(error, kExitIoFailure, option,
             QStringLiteral("a sheet of %1 x %2 pixels is too large; draw fewer codes with "
                            "--from/--to")
                 .arg(sheetW)
                 .arg(sheetH));
        return error->status;
    }
    DrawSheet(glyphs, int(columns), &image);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const WriteResult written = image.save(&buffer, "PNG")
                                    ? ReplaceFile(s.png, png.constData(), png.size())
                                    : WriteResult();
    if (!written.ok) {
        Fail(error, kExitIoFailure, option,
             QStringLiteral("cannot write %1: %2").arg(s.png, written.error));
        return error->status;
    }
    PrintLines({QStringLiteral("%1: %2 glyphs, %3 columns x %4 rows of %5 x %6 cells, %7 x %8 "
                               "pixels")
                    .arg(s.png)
                    .arg(count)
                    .arg(columns)
                    .arg(rows)
                    .arg(cellW)
                    .arg(cellH)
                    .arg(sheetW)
                    .arg(sheetH)});
    return kExitDone;
}

}  // namespace

QString InspectHelpText() {
    QCommandLineParser parser;
    AddInspectOptions(parser);
    return HelpText(parser, QStringLiteral("runemill-cli inspect FILE [options]"));
}

namespace {

// The whole font file, refused when missing, unreadable, too large for a
// font or also the --png output.
bool ReadFontFile(const InspectSettings& s, QByteArray* bytes, CliError* error) {
    const QString fileOption = QStringLiteral("file");
    if (!QFileInfo(s.file).isFile())
        return Fail(error, fileOption, QStringLiteral("no such file: ") + s.file);
    if (!s.png.isEmpty() && SameFile(s.file, s.png)) {
        return Fail(
            error, QStringLiteral("--png"),
            QStringLiteral("%1 is the font being inspected; it would be overwritten").arg(s.png));
    }
    QFile file(s.file);
    if (!file.open(QIODevice::ReadOnly)) {
        return Fail(error, fileOption,
                    QStringLiteral("cannot read %1: %2").arg(s.file, file.errorString()));
    }
    if (file.size() > kMaxFileSize) {
        // Runemill writes nothing of 2 GB or more, and no reader can index it.
        return Fail(error, fileOption,
                    QStringLiteral("%1 is %2 bytes, too large for a font file (under 2 GB)")
                        .arg(s.file)
                        .arg(file.size()));
    }
    *bytes = file.readAll();
    return true;
}

}  // namespace

int RunInspect(const QStringList& arguments, CliError* error) {
    InspectSettings s;
    QByteArray bytes;  // the fonts below point into it
    if (!ParseInspectOptions(arguments, &s, error) || !ReadFontFile(s, &bytes, error))
        return error->status;

    const QString fileOption = QStringLiteral("file");
    std::vector<rmf_font> fonts;
    QString where;
    const rmf_status status = OpenAll(bytes, s.width, s.height, &fonts, &where);
    if (status == RMF_BAD_ARGUMENT) {
        Fail(error, QStringLiteral("--width/--height"),
             QStringLiteral("the cell size given does not agree with the one stored in %1 (%2)")
                 .arg(s.file, StatusName(status)));
        return error->status;
    }
    if (status != RMF_OK) {
        const bool summary = !s.glyph && s.png.isEmpty();
        if (summary && status == RMF_BAD_LENGTH) {
            PrintLines({QStringLiteral("length: %1 bytes, wrong for its header (%2)")
                            .arg(bytes.size())
                            .arg(StatusName(status))});
        }
        QString problem = QStringLiteral("%1: %2%3, %4")
                              .arg(s.file, where, StatusName(status), StatusMeaning(status));
        if ((status == RMF_BAD_LENGTH || status == RMF_BAD_FORMAT) && s.width == 0 && s.height == 0)
            problem += TrueCellHint(bytes);
        Fail(error, fileOption, problem);
        return error->status;
    }

    if (!s.glyph && s.png.isEmpty()) {
        PrintLines(SummaryLines(fonts, bytes.size()));
        return kExitDone;
    }
    // Several headers hold no glyphs either; the first stands for them all.
    const rmf_font& font = fonts.front();
    if (s.glyph) {
        if (const int result = PrintGlyph(font, s.glyphCode, error)) return result;
    }
    if (!s.png.isEmpty()) return WriteSheet(font, s, error);
    return kExitDone;
}

}  // namespace runemill::cli
