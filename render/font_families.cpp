#include "render/font_families.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include "fontfile/face_family.h"

namespace runemill {

void InstallFontSubstitutes(const QString& startFamily) {
    static const QStringList cjkFaces = {
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Droid Sans Fallback")};
    if (QFont::substitutes(startFamily).isEmpty())
        QFont::insertSubstitutions(startFamily, cjkFaces);
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

namespace {

// Families of the faces loaded from files, under the names they are drawn
// by: one name per file content and face.
QHash<QString, QString>& LoadedFaces() {
    static QHash<QString, QString> faces;
    return faces;
}

QMutex& LoadedFacesLock() {
    static QMutex lock;
    return lock;
}

}  // namespace

QString LoadFontFile(const QString& path, int face, QString* family, bool* faceProblem) {
    const FontFile file = ReadFontFile(path);
    if (!file.problem.isEmpty()) return file.problem;
    const int faces = file.faceCount();
    if (faceProblem != nullptr) *faceProblem = face != 0;
    if (face < 0 || face >= faces) {
        return faces == 1
                   ? QStringLiteral("%1 has one face, 0").arg(path)
                   : QStringLiteral("%1 has %2 faces, 0 to %3").arg(path).arg(faces).arg(faces - 1);
    }
    // The name depends on the bytes alone, so the same file loads once.
    const QByteArray digest =
        QCryptographicHash::hash(file.data, QCryptographicHash::Sha1).toHex().left(16);
    const QString drawn =
        QStringLiteral("Runemill face %1-%2").arg(QLatin1String(digest)).arg(face);
    QMutexLocker locker(&LoadedFacesLock());
    if (!LoadedFaces().contains(drawn)) {
        // Each strike of a pixel font is a font of its own under the one family.
        for (const QByteArray& own : FaceUnderFamily(file, face, drawn.toLatin1())) {
            const int id = own.isEmpty() ? -1 : QFontDatabase::addApplicationFontFromData(own);
            if (id < 0 || QFontDatabase::applicationFontFamilies(id) != QStringList(drawn))
                return CannotReadFont(path);
        }
        const QString named = FaceFamily(file, face);
        LoadedFaces().insert(drawn, named.isEmpty() ? QFileInfo(path).completeBaseName() : named);
    }
    *family = drawn;
    return QString();
}

QString FamilyName(const QString& family) {
    QMutexLocker locker(&LoadedFacesLock());
    return LoadedFaces().value(family, family);
}

}  // namespace runemill
