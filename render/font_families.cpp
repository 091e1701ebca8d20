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

QString LoadFontFile(const QString& path, int face, QString* family) {
    const int id = QFontDatabase::addApplicationFont(path);
    // One family per face, in the file's order.
    const QStringList faces = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (faces.isEmpty()) return QStringLiteral("cannot read a font from ") + path;
    if (face < 0 || face >= faces.size()) {
        return faces.size() == 1 ? QStringLiteral("%1 has one face, 0").arg(path)
                                 : QStringLiteral("%1 has %2 faces, 0 to %3")
                                       .arg(path)
                                       .arg(faces.size())
                                       .arg(faces.size() - 1);
    }
    *family = faces.at(face);
    return QString();
}

}  // namespace runemill
