#include "render/font_resolution.h"

#include <QFont>
#include <QStringList>

namespace runemill {

void InstallFontSubstitutes() {
    static const QStringList cjkFaces = {
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Droid Sans Fallback")};
    const QString startFamily = QStringLiteral("宋体");
    if (QFont::substitutes(startFamily).isEmpty()) QFont::insertSubstitutions(startFamily, cjkFaces);
}

}  // namespace runemill
