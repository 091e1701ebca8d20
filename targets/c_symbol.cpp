#include "targets/c_symbol.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace runemill {

namespace {

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

}  // namespace

QString SymbolFromPath(const QString& path) {
    QString name = QFileInfo(path).completeBaseName();
    for (int i = 0; i < name.size(); ++i) {
        if (!IsIdentifierChar(name.at(i), false)) name[i] = QLatin1Char('_');
    }
    if (name.isEmpty() || !IsIdentifierChar(name.at(0), true)) name.prepend(QLatin1Char('_'));
    return name;
}

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

}  // namespace runemill
