#include "output/file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

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

}  // namespace

WriteResult ReplaceFile(const QString& path, const char* data, qint64 size) {
    const QFileInfo info(path);
    if (IsSpecial(info)) return WriteThrough(path, data, size, QIODevice::WriteOnly);
    WriteResult result;
    if (info.isDir()) {
        result.error = QStringLiteral("is a folder");
        return result;
    }
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

bool SameFile(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

}  // namespace runemill
