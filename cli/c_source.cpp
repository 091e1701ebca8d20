#include "cli/c_source.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include "output/file_writer.h"

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

// The keywords of C (C89 to C23) and of C++, which includes the header too.
bool IsKeyword(const QString& name) {
    static const QStringList keywords =
        QStringLiteral(
            "_Alignas _Alignof _Atomic _BitInt _Bool _Complex _Decimal128 _Decimal32 _Decimal64 "
            "_Generic _Imaginary _Noreturn _Static_assert _Thread_local alignas alignof and "
            "and_eq asm auto bitand bitor bool break case catch char char16_t char32_t char8_t "
            "class co_await co_return co_yield compl concept const const_cast consteval constexpr "
            "constinit continue decltype default delete do double dynamic_cast else enum explicit "
            "export extern false float for friend goto if inline int long mutable namespace new "
            "noexcept not not_eq nullptr operator or or_eq private protected public register "
            "reinterpret_cast requires restrict return short signed sizeof static static_assert "
            "static_cast struct switch template this thread_local throw true try typedef typeid "
            "typename typeof typeof_unqual union unsigned using virtual void volatile wchar_t "
            "while xor xor_eq")
            .split(QLatin1Char(' '));
    return keywords.contains(name);
}

// Names the implementation keeps (__x, _X), type names (size_t, uint8_t: every
// name ending in _t), and what <stddef.h> and <stdint.h>, which the header
// includes, define as macros.
bool IsReserved(const QString& name) {
    static const QRegularExpression reserved(QStringLiteral(
        "^(__.*|_[A-Z].*|.*_t|NULL|offsetof|main|"
        "(U?INT(_LEAST|_FAST)?(8|16|32|64)|U?INTMAX|U?INTPTR|PTRDIFF|SIZE|SIG_ATOMIC|WCHAR|WINT)"
        "_(MAX|MIN|WIDTH|C))$"));
    return reserved.match(name).hasMatch();
}

// Why `name` cannot name the array, or an empty string.
QString SymbolProblem(const QString& name) {
    if (!IsCIdentifier(name)) {
        return QStringLiteral(
                   "'%1' is not a C identifier (letters, digits and _, not starting with a digit)")
            .arg(name);
    }
    if (IsKeyword(name)) return QStringLiteral("'%1' is a C or C++ keyword").arg(name);
    if (IsReserved(name))
        return QStringLiteral("'%1' is reserved by C or its standard headers").arg(name);
    return QString();
}

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
    const QString headerName = QFileInfo(CHeaderPath(output)).fileName();
    if (!IsHeaderName(headerName)) {
        return Fail(error, QStringLiteral("--output"),
                    QStringLiteral("'%1' cannot be named in #include \"...\" (no quotes, "
                                   "backslashes or control characters); choose another file name")
                        .arg(headerName));
    }
    const bool given = parser.isSet(name);
    *symbol = given ? parser.value(name) : SymbolFromPath(output);
    const QString problem = SymbolProblem(*symbol);
    if (problem.isEmpty()) return true;
    if (given) return Fail(error, option, problem);
    return Fail(error, QStringLiteral("--output"),
                problem + QStringLiteral("; name the array with --symbol"));
}

QString CSourceNamesLine(const QString& output, const QString& symbol) {
    const bool fromFile = symbol == SymbolFromPath(output);
    return QStringLiteral("c: array %1, %1_size and include guard %2, from %3")
        .arg(symbol, HeaderGuard(symbol),
             fromFile ? QStringLiteral("the file name; --symbol NAME gives other names")
                      : QStringLiteral("--symbol"));
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
