#include "render/font_families.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace runemill {

void InstallFontSubstitutes(const QString& startFamily) {
    static const QStringList cjkFaces = {
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Droid Sans Fallback")};
    if (QFont::substitutes(startFamily).isEmpty()) QFont::insertSubstitutions(startFamily, cjkFaces);
}

bool FamilyInstalled(const QString& family) {
    const QStringList installed = QFontDatabase().families();
    auto has = [&installed](const QString& name) {
        return installed.contains(name, Qt::CaseInsensitive);
    };
    if (has(family)) return true;
    for (const QString& substitute : QFont::substitutes(family)) {
        if (has(substitute)) return true;
    }
    return false;
}

}  // namespace runemill
