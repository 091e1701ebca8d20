#include "cli/c_source.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include "output/file_writer.h"
#include "targets/c_symbol.h"

namespace runemill::cli {

namespace {

constexpr int kBytesPerLine = 16;

// What `#include "..."` can hold portably: no quote, apostrophe, backslash or
// control character.
bool IsHeaderName(const QString& name) {
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('"') ||
            c == QLatin1Char('\'') || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

// The symbol's own spelling keeps `font` and `FONT` apart.
QString HeaderGuard(const QString& symbol) {
    return QStringLiteral("RUNEMILL_FONT_") + symbol + QStringLiteral("_H");
}

}  // namespace

bool IsCSourcePath(const QString& path) {
    return path.endsWith(QLatin1String(".c"), Qt::CaseInsensitive);
}

QString CHeaderPath(const QString& sourcePath) {
    return sourcePath.left(sourcePath.size() - 2) + QStringLiteral(".h");
}

CSourceTexts MakeCSource(const QByteArray& bytes, const QString& symbol,
                         const QString& headerName) {
    const auto fill = [&](const char* text) {
        return QByteArray(text)
            .replace("@GUARD@", HeaderGuard(symbol).toLatin1())
            .replace("@NAME@", symbol.toLatin1())
            .replace("@COUNT@", QByteArray::number(bytes.size()))
            .replace("@HEADER@", headerName.toUtf8());
    };
    CSourceTexts texts;
    texts.header = fill(
        "/* Written by runemill-cli: a Runemill font file as C source. */\n"
        "#ifndef @GUARD@\n#define @GUARD@\n\n"
        "#include <stddef.h>\n#include <stdint.h>\n\n"
        "#ifdef __cplusplus\nextern \"C\" {\n#endif\n\n"
        "/* The @COUNT@ bytes of the font file, 4-byte aligned. */\n"
        "extern const uint8_t @NAME@[@COUNT@];\n"
        "extern const size_t @NAME@_size;\n\n"
        "#ifdef __cplusplus\n}\n#endif\n\n#endif\n");

    static const char hex[] = "0123456789abcdef";
    QByteArray& c = texts.source;
    c.reserve(bytes.size() * 6 + 512);
    c += fill(
        "/* Written by runemill-cli: a Runemill font file as C source. */\n"
        "#include \"@HEADER@\"\n\n"
        "#if defined(__GNUC__) || defined(__clang__)\n"
        "__attribute__((aligned(4)))\n"
        "#endif\n"
        "const uint8_t @NAME@[@COUNT@] = {");
    for (int i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes.at(i));
        c += i % kBytesPerLine == 0 ? "\n    " : " ";
        const char item[] = {'0', 'x', hex[byte >> 4], hex[byte & 0x0F], ','};
        c.append(item, int(sizeof item));
    }
    c += fill("\n};\n\nconst size_t @NAME@_size = @COUNT@;\n");
    return texts;
}

void AddCSourceOptions(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("symbol"),
                      QStringLiteral("With -o FILE.c: name of the C array (default: the file "
                                     "name); its length is NAME_size. With --for lvgl, u8g2 or "
                                     "gfx: the font's C name."),
                      QStringLiteral("NAME")});
}

bool ReadCSourceOptions(const QCommandLineParser& parser, const QString& output, bool appends,
                        QString* symbol, CliError* error) {
    const QString name = QStringLiteral("symbol");
    const QString option = QStringLiteral("--symbol");
    symbol->clear();
    if (!IsCSourcePath(output)) {
        if (parser.isSet(name))
            return Fail(error, option, QStringLiteral("only with C source output (-o FILE.c)"));
        return true;
    }
    if (appends) {
        return Fail(error, QStringLiteral("--output"),
                    QStringLiteral("the chip and ttf headers are appended to a .bin file; C "
                                   "source is written for fonts only"));
    }
    const QString headerName = QFileInfo(CHeaderPath(output)).fileName();
    if (!IsHeaderName(headerName)) {
        return Fail(error, QStringLiteral("--output"),
                    QStringLiteral("'%1' cannot be named in #include \"...\" (no quotes, "
                                   "backslashes or control characters); choose another file name")
                        .arg(headerName));
    }
    return ReadSymbol(parser, output, QStringLiteral("array"), symbol, error);
}

bool ReadSymbol(const QCommandLineParser& parser, const QString& output, const QString& what,
                QString* symbol, CliError* error) {
    const QString name = QStringLiteral("symbol");
    const bool given = parser.isSet(name);
    *symbol = given ? parser.value(name) : SymbolFromPath(output);
    const QString problem = SymbolProblem(*symbol);
    if (problem.isEmpty()) return true;
    if (given) return Fail(error, QStringLiteral("--symbol"), problem);
    return Fail(error, QStringLiteral("--output"),
                problem + QStringLiteral("; name the %1 with --symbol").arg(what));
}

QString CSourceNamesLine(const QString& output, const QString& symbol) {
    const bool fromFile = symbol == SymbolFromPath(output);
    return QStringLiteral("c: array %1, %1_size and include guard %2, from %3")
        .arg(symbol, HeaderGuard(symbol),
             fromFile ? QStringLiteral("the file name; --symbol NAME gives other names")
                      : QStringLiteral("--symbol"));
}

QString TargetNameLine(const QString& output, const QString& symbol) {
    return symbol == SymbolFromPath(output)
               ? QStringLiteral("c: font %1, from the file name; --symbol NAME gives another name")
                     .arg(symbol)
               : QStringLiteral("c: font %1, from --symbol").arg(symbol);
}

QString WriteCSource(const QString& path, const QString& symbol, const QByteArray& bytes) {
    const QString headerPath = CHeaderPath(path);
    const CSourceTexts texts = MakeCSource(bytes, symbol, QFileInfo(headerPath).fileName());
    QString failed, aftermath;
    const WriteResult written =
        ReplaceFilePair(headerPath, texts.header, path, texts.source, &failed, &aftermath);
    if (written.ok) return QString();
    return QStringLiteral("cannot write %1: %2; %3").arg(failed, written.error, aftermath);
}

}  // namespace runemill::cli
