#include "cli/c_source.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSaveFile>

namespace runemill::cli {

namespace {

constexpr int kBytesPerLine = 16;

bool IsIdentifierChar(QChar c, bool first) {
    const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                        (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
    return letter || (!first && c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool IsCIdentifier(const QString& name) {
    if (name.isEmpty()) return false;
    for (int i = 0; i < name.size(); ++i) {
        if (!IsIdentifierChar(name.at(i), i == 0)) return false;
    }
    return true;
}

QString HeaderGuard(const QString& symbol) {
    return QStringLiteral("RUNEMILL_FONT_") + symbol.toUpper() + QStringLiteral("_H");
}

bool Save(const QString& path, const QByteArray& text, QSaveFile* file) {
    file->setFileName(path);
    return file->open(QIODevice::WriteOnly) && file->write(text) == text.size();
}

}  // namespace

bool IsCSourcePath(const QString& path) {
    return path.endsWith(QLatin1String(".c"), Qt::CaseInsensitive);
}

QString CHeaderPath(const QString& sourcePath) {
    return sourcePath.left(sourcePath.size() - 2) + QStringLiteral(".h");
}

QString SymbolFromPath(const QString& path) {
    QString name = QFileInfo(path).completeBaseName();
    for (int i = 0; i < name.size(); ++i) {
        if (!IsIdentifierChar(name.at(i), false)) name[i] = QLatin1Char('_');
    }
    if (name.isEmpty() || !IsIdentifierChar(name.at(0), true)) name.prepend(QLatin1Char('_'));
    return name;
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
                                     "name); its length is NAME_size."),
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
    *symbol = parser.isSet(name) ? parser.value(name) : SymbolFromPath(output);
    if (!IsCIdentifier(*symbol)) {
        return Fail(error, option,
                    QStringLiteral("'%1' is not a C identifier (letters, digits and _, not "
                                   "starting with a digit)")
                        .arg(*symbol));
    }
    return true;
}

QString WriteCSource(const QString& path, const QString& symbol, const QByteArray& bytes) {
    const QString headerPath = CHeaderPath(path);
    const CSourceTexts texts = MakeCSource(bytes, symbol, QFileInfo(headerPath).fileName());
    QSaveFile source;
    QSaveFile header;
    if (!Save(path, texts.source, &source))
        return QStringLiteral("cannot write %1: %2").arg(path, source.errorString());
    if (!Save(headerPath, texts.header, &header) || !header.commit())
        return QStringLiteral("cannot write %1: %2").arg(headerPath, header.errorString());
    if (!source.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, source.errorString());
    return QString();
}

}  // namespace runemill::cli
