#include "output/file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace runemill {

namespace {

// Qt reports some failed flushes as "Unknown error"; errno still tells why.
QString ReasonOf(const QFileDevice& file) {
    const QString text = file.errorString();
    if (errno != 0 && (text.isEmpty() || text == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(errno));
    return text;
}

// Writes unbuffered, so that the count is what reached the file.
qint64 WriteAll(QFileDevice& file, const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.write(data + done, size - done);
        if (n <= 0) break;
        done += n;
    }
    return done;
}

// Devices and FIFOs: opened as they are (no truncation, no rename).
WriteResult WriteThrough(const QString& path, const char* data, qint64 size,
                         QIODevice::OpenMode mode) {
    WriteResult result;
    QFile file(path);
    errno = 0;
    if (!file.open(mode | QIODevice::Unbuffered)) {
        result.error = ReasonOf(file);
        return result;
    }
    result.opened = true;
    result.written = WriteAll(file, data, size);
    result.ok = result.written == size;
    if (!result.ok) result.error = ReasonOf(file);
    return result;
}

bool IsSpecial(const QFileInfo& info) { return info.exists() && !info.isFile() && !info.isDir(); }

// Why a path cannot be replaced by a file: a folder, or a symbolic link that
// leads round in a loop (renaming over it would drop the link). Empty when it can.
QString Unusable(const QString& path) {
    if (QFileInfo(path).isDir()) return QStringLiteral("is a folder");
#ifdef Q_OS_UNIX
    struct stat status;
    errno = 0;
    if (stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ELOOP)
        return QString::fromLocal8Bit(std::strerror(ELOOP));
#endif
    return QString();
}

}  // namespace

WriteResult ReplaceFile(const QString& path, const char* data, qint64 size) {
    const QFileInfo info(path);
    if (IsSpecial(info)) return WriteThrough(path, data, size, QIODevice::WriteOnly);
    WriteResult result;
    result.error = Unusable(path);
    if (!result.error.isEmpty()) return result;
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.error = ReasonOf(file);
        return result;
    }
    result.opened = true;
    result.written = WriteAll(file, data, size);
    if (result.written != size) {
        result.error = ReasonOf(file);
        file.cancelWriting();
        file.commit();  // removes the temporary file; the old one stays
        return result;
    }
    errno = 0;
    result.ok = file.commit();
    if (!result.ok) {
        result.error = ReasonOf(file);
        result.written = 0;  // the new content never replaced the old
    }
    return result;
}

WriteResult AppendToFile(const QString& path, const char* data, qint64 size) {
    const QFileInfo info(path);
    if (IsSpecial(info))
        return WriteThrough(path, data, size, QIODevice::WriteOnly | QIODevice::Append);
    WriteResult result;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        result.error = ReasonOf(file);
        return result;
    }
    const qint64 oldSize = file.size();
    result.opened = true;
    result.written = WriteAll(file, data, size);
    result.ok = result.written == size;
    if (!result.ok) {
        result.error = ReasonOf(file);
        file.resize(oldSize);  // no half header left behind
    }
    return result;
}

WriteResult ReplaceFilePair(const QString& firstPath, const QByteArray& first,
                            const QString& secondPath, const QByteArray& second,
                            QString* failedPath, QString* aftermath) {
    const QString paths[2] = {firstPath, secondPath};
    const QByteArray* contents[2] = {&first, &second};
    const bool special[2] = {IsSpecial(QFileInfo(firstPath)), IsSpecial(QFileInfo(secondPath))};
    *aftermath = QStringLiteral("the old files were left as they were");
    WriteResult result;
    for (int i = 0; i < 2; ++i) {
        *failedPath = paths[i];
        result.error = Unusable(paths[i]);
        if (!special[i] && !result.error.isEmpty()) return result;
    }
    // The regular files' temporaries are complete before either file is
    // touched; an unfinished one is removed with its QSaveFile.
    QSaveFile files[2];
    for (int i = 0; i < 2; ++i) {
        if (special[i]) continue;
        *failedPath = paths[i];
        files[i].setFileName(paths[i]);
        errno = 0;
        if (!files[i].open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            result.error = ReasonOf(files[i]);
            return result;
        }
        result.opened = true;
        if (WriteAll(files[i], contents[i]->constData(), contents[i]->size()) !=
            contents[i]->size()) {
            result.error = ReasonOf(files[i]);
            return result;
        }
    }
    // A device or FIFO cannot be swapped in: it is written through, before
    // any regular file is replaced, so that its failure replaces nothing.
    QStringList done;  // what was written through
    for (int i = 0; i < 2; ++i) {
        if (!special[i]) continue;
        *failedPath = paths[i];
        const WriteResult through = WriteThrough(paths[i], contents[i]->constData(),
                                                 contents[i]->size(), QIODevice::WriteOnly);
        if (!through.ok) {
            result.error = through.error;
            if (!done.isEmpty())
                *aftermath = QStringLiteral("%1 was written through").arg(done.first());
            return result;
        }
        done << paths[i];
    }
    // A regular file that fails from here on leaves the written-through one as it is now.
    if (!done.isEmpty()) *aftermath = QStringLiteral("%1 was written through").arg(done.first());
    // The old first file, put back should the second fail to take its place.
    QFile old(firstPath);
    const bool hadFirst = !special[0] && old.open(QIODevice::ReadOnly);
    const QByteArray oldFirst = hadFirst ? old.readAll() : QByteArray();
    old.close();
    for (int i = 0; i < 2; ++i) {
        if (special[i]) continue;
        *failedPath = paths[i];
        errno = 0;
        if (files[i].commit()) continue;
        result.error = ReasonOf(files[i]);
        if (i == 1 && !special[0]) {
            const bool restored =
                hadFirst ? ReplaceFile(firstPath, oldFirst.constData(), oldFirst.size()).ok
                         : QFile::remove(firstPath);
            if (!restored)
                *aftermath = QStringLiteral("%1 holds the new content and could not be put back")
                                 .arg(firstPath);
        }
        return result;
    }
    failedPath->clear();
    aftermath->clear();
    result.ok = true;
    result.written = first.size() + second.size();
    return result;
}

bool SameFile(const QString& a, const QString& b) {
#ifdef Q_OS_UNIX
    struct stat first, second;
    return stat(QFile::encodeName(a).constData(), &first) == 0 &&
           stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
#else
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
#endif
}

QString OverwritesInputText(const QString& output, const QString& input) {
    return QStringLiteral("%1 is also the %2; it would be overwritten").arg(output, input);
}

}  // namespace runemill
