#include "render/font_file_check.h"

#include <QFile>
#include <QFileInfo>

namespace runemill {

namespace {

constexpr quint32 kCollectionTag = 0x74746366;  // "ttcf"
constexpr quint32 kPcfMagic = 0x70636601;       // "\1fcp", read little-endian
constexpr int kSfntHeaderSize = 12;             // version, table count, search fields
constexpr int kSfntRecordSize = 16;             // tag, checksum, offset, length
constexpr int kPcfRecordSize = 16;              // type, format, size, offset
constexpr quint32 kPcfAccelerators = 1 << 1;
constexpr quint32 kPcfBdfAccelerators = 1 << 8;
constexpr qint64 kBdfTailBytes = 4096;  // where ENDFONT must be

quint32 BigEndian32(const QByteArray& bytes, int at) {
    return quint32(uchar(bytes[at])) << 24 | quint32(uchar(bytes[at + 1])) << 16 |
           quint32(uchar(bytes[at + 2])) << 8 | quint32(uchar(bytes[at + 3]));
}

quint32 LittleEndian32(const QByteArray& bytes, int at) {
    return quint32(uchar(bytes[at])) | quint32(uchar(bytes[at + 1])) << 8 |
           quint32(uchar(bytes[at + 2])) << 16 | quint32(uchar(bytes[at + 3])) << 24;
}

// `count` bytes at `offset`; fewer when the file ends first.
QByteArray ReadAt(QFile& file, qint64 offset, qint64 count) {
    return file.seek(offset) ? file.read(count) : QByteArray();
}

QString CutShort(const QString& path, const QString& what, qint64 end, qint64 size) {
    return QStringLiteral("%1 is cut short: %2 runs to byte %3, past the end of its %4 bytes")
        .arg(path, what)
        .arg(end)
        .arg(size);
}

QString TagText(quint32 tag) {
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) text += QLatin1Char(char(tag >> shift));
    return QStringLiteral("its '%1' table").arg(text);
}

// One face's table directory at `offset` and every table it lists.
QString SfntFaceProblem(QFile& file, const QString& path, qint64 offset) {
    const qint64 size = file.size();
    const QByteArray header = ReadAt(file, offset, kSfntHeaderSize);
    if (header.size() < kSfntHeaderSize)
        return CutShort(path, QStringLiteral("its table directory"), offset + kSfntHeaderSize,
                        size);
    const int count = uchar(header[4]) << 8 | uchar(header[5]);
    const qint64 directorySize = qint64(count) * kSfntRecordSize;
    const QByteArray records = ReadAt(file, offset + kSfntHeaderSize, directorySize);
    if (records.size() < directorySize) {
        return CutShort(path, QStringLiteral("its table directory"),
                        offset + kSfntHeaderSize + directorySize, size);
    }
    for (int i = 0; i < count; ++i) {
        const int at = i * kSfntRecordSize;
        const qint64 end = qint64(BigEndian32(records, at + 8)) + BigEndian32(records, at + 12);
        if (end > size) return CutShort(path, TagText(BigEndian32(records, at)), end, size);
    }
    return QString();
}

// A collection: every face it lists.
QString CollectionProblem(QFile& file, const QString& path) {
    const qint64 size = file.size();
    const QByteArray header = ReadAt(file, 0, 12);
    const quint32 faces = header.size() == 12 ? BigEndian32(header, 8) : 0;
    const QByteArray offsets = ReadAt(file, 12, qint64(faces) * 4);
    if (header.size() < 12 || offsets.size() < qint64(faces) * 4)
        return CutShort(path, QStringLiteral("its list of faces"), 12 + qint64(faces) * 4, size);
    for (quint32 face = 0; face < faces; ++face) {
        const QString problem = SfntFaceProblem(file, path, BigEndian32(offsets, int(face) * 4));
        if (!problem.isEmpty()) return problem;
    }
    return QString();
}

QString PcfProblem(QFile& file, const QString& path) {
    const qint64 size = file.size();
    const QByteArray header = ReadAt(file, 0, 8);
    const quint32 count = header.size() == 8 ? LittleEndian32(header, 4) : 0;
    const qint64 directorySize = qint64(count) * kPcfRecordSize;
    const QByteArray records = ReadAt(file, 8, directorySize);
    if (header.size() < 8 || records.size() < directorySize)
        return CutShort(path, QStringLiteral("its table of contents"), 8 + directorySize, size);
    for (quint32 i = 0; i < count; ++i) {
        const int at = int(i) * kPcfRecordSize;
        const quint32 type = LittleEndian32(records, at);
        const qint64 offset = LittleEndian32(records, at + 12);
        // bdftopcf states the accelerators' size larger than what it writes
        // (52 bytes past the end of every file it makes): they need only start
        // inside the file.
        const bool accelerators = type == kPcfAccelerators || type == kPcfBdfAccelerators;
        const qint64 end = offset + (accelerators ? 1 : LittleEndian32(records, at + 8));
        if (end > size) return CutShort(path, QStringLiteral("its table %1").arg(type), end, size);
    }
    return QString();
}

QString BdfProblem(QFile& file, const QString& path) {
    const qint64 size = file.size();
    const QByteArray tail = ReadAt(file, qMax<qint64>(0, size - kBdfTailBytes), kBdfTailBytes);
    if (tail.contains("ENDFONT")) return QString();
    return QStringLiteral("%1 is cut short: it has no ENDFONT line").arg(path);
}

}  // namespace

QString FontFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("no such file: ") + path;
    if (!info.isFile()) return QStringLiteral("%1 is not a regular file").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
    const QByteArray start = ReadAt(file, 0, 9);
    if (start.size() < 4) return QString();  // Qt refuses it as no font
    if (BigEndian32(start, 0) == kCollectionTag) return CollectionProblem(file, path);
    if (LittleEndian32(start, 0) == kPcfMagic) return PcfProblem(file, path);
    if (start.startsWith("STARTFONT")) return BdfProblem(file, path);
    switch (BigEndian32(start, 0)) {
        case 0x00010000:  // TrueType outlines
        case 0x4F54544F:  // "OTTO": CFF outlines
        case 0x74727565:  // "true"
        case 0x74797031:  // "typ1"
            return SfntFaceProblem(file, path, 0);
        default:
            return QString();  // not a format with a directory; Qt decides
    }
}

}  // namespace runemill
