#include "fontfile/font_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "fontfile/byte_order.h"

namespace runemill {

using fontfile::Be;
using fontfile::Holds;
using fontfile::Le;
using fontfile::Tag;

namespace {

constexpr int kSfntHeaderSize = 12;        // version, table count, search fields
constexpr int kSfntRecordSize = 16;        // tag, checksum, offset, length
constexpr int kCollectionHeaderSize = 12;  // "ttcf", version, face count
constexpr int kPcfHeaderSize = 8;          // "\1fcp", table count
constexpr int kPcfRecordSize = 16;         // type, format, size, offset
constexpr quint32 kPcfAccelerators = 1 << 1;
constexpr quint32 kPcfBdfAccelerators = 1 << 8;
constexpr qint64 kBdfTailBytes = 4096;  // where ENDFONT must be
constexpr int kMostFaces = 1 << 16;

// The sfnt versions of the faces Qt draws: TrueType outlines, CFF outlines
// ("OTTO"), and the old Apple TrueType tag.
bool IsSfntVersion(quint32 version) {
    return version == 0x00010000u || version == Tag("OTTO") || version == Tag("true");
}

QString CutShort(const FontFile& file, const QString& what, qint64 end) {
    return QStringLiteral("%1 is cut short: %2 runs to byte %3, past the end of its %4 bytes")
        .arg(file.path, what)
        .arg(end)
        .arg(file.data.size());
}

QString TagText(quint32 tag) {
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) text += QLatin1Char(char(tag >> shift));
    return QStringLiteral("its '%1' table").arg(text);
}

// The face whose table directory starts at `directory`, every table it lists.
QString ReadSfntFace(FontFile* file, qint64 directory) {
    const QByteArray& data = file->data;
    if (!Holds(data, directory, kSfntHeaderSize))
        return CutShort(*file, QStringLiteral("its table directory"), directory + kSfntHeaderSize);
    SfntFace face;
    face.directory = directory;
    face.outlines = IsSfntVersion(Be(data, directory, 4));
    const int count = int(Be(data, directory + 4, 2));
    const qint64 records = directory + kSfntHeaderSize;
    if (!Holds(data, records, qint64(count) * kSfntRecordSize)) {
        return CutShort(*file, QStringLiteral("its table directory"),
                        records + qint64(count) * kSfntRecordSize);
    }
    for (int i = 0; i < count; ++i) {
        const qint64 at = records + qint64(i) * kSfntRecordSize;
        const SfntTable table{Be(data, at, 4), Be(data, at + 8, 4), Be(data, at + 12, 4)};
        if (!Holds(data, table.offset, table.length))
            return CutShort(*file, TagText(table.tag), table.offset + table.length);
        face.tables.append(table);
    }
    file->faces.append(face);
    return QString();
}

QString ReadCollection(FontFile* file) {
    const QByteArray& data = file->data;
    const qint64 count = Holds(data, 0, kCollectionHeaderSize) ? Be(data, 8, 4) : 0;
    if (!Holds(data, 0, kCollectionHeaderSize) || !Holds(data, kCollectionHeaderSize, 4 * count))
        return CutShort(*file, QStringLiteral("its list of faces"),
                        kCollectionHeaderSize + 4 * count);
    for (qint64 face = 0; face < count; ++face) {
        const QString problem = ReadSfntFace(file, Be(data, kCollectionHeaderSize + 4 * face, 4));
        if (!problem.isEmpty()) return problem;
    }
    return count == 0 ? CannotReadFont(file->path) : QString();
}

QString ReadPcf(FontFile* file) {
    const QByteArray& data = file->data;
    const qint64 count = Holds(data, 0, kPcfHeaderSize) ? Le(data, 4) : 0;
    const qint64 directorySize = count * kPcfRecordSize;
    if (!Holds(data, 0, kPcfHeaderSize) || !Holds(data, kPcfHeaderSize, directorySize))
        return CutShort(*file, QStringLiteral("its table of contents"),
                        kPcfHeaderSize + directorySize);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 at = kPcfHeaderSize + i * kPcfRecordSize;
        PcfTable table{Le(data, at), Le(data, at + 4), Le(data, at + 8), Le(data, at + 12)};
        // bdftopcf states the accelerators' size larger than what it writes
        // (52 bytes past the end of every file it makes): they need only start
        // inside the file, and the font engine reads what is there.
        const bool accelerators =
            table.type == kPcfAccelerators || table.type == kPcfBdfAccelerators;
        const qint64 end = table.offset + (accelerators ? 1 : table.size);
        if (end > data.size())
            return CutShort(*file, QStringLiteral("its table %1").arg(table.type), end);
        table.size = std::min(table.size, data.size() - table.offset);
        file->pcfTables.append(table);
    }
    return QString();
}

QString ReadBdf(const FontFile& file) {
    const QByteArray& data = file.data;
    if (data.right(int(kBdfTailBytes)).contains("ENDFONT")) return QString();
    return QStringLiteral("%1 is cut short: it has no ENDFONT line").arg(file.path);
}

}  // namespace

int FontFile::faceCount() const {
    if (format == FontFileFormat::Pcf || format == FontFileFormat::Bdf) return 1;
    return std::min(faces.size(), kMostFaces);
}

FontFile ParseFontFile(const QByteArray& data, const QString& path) {
    FontFile file;
    file.path = path;
    file.data = data;
    const quint32 start = Holds(data, 0, 4) ? Be(data, 0, 4) : 0;
    if (data.startsWith("\x1f\x8b")) {
        file.problem = CannotReadFont(file.path) +
                       QStringLiteral(": it is compressed (gzip); unpack it first");
    } else if (Holds(data, 0, 4) && start == Tag("ttcf")) {
        file.format = FontFileFormat::Collection;
        file.problem = ReadCollection(&file);
    } else if (data.startsWith("\1fcp")) {
        file.format = FontFileFormat::Pcf;
        file.problem = ReadPcf(&file);
    } else if (data.startsWith("STARTFONT ")) {
        file.format = FontFileFormat::Bdf;
        file.problem = ReadBdf(file);
    } else if (IsSfntVersion(start)) {
        file.format = FontFileFormat::Sfnt;
        file.problem = ReadSfntFace(&file, 0);
    } else {
        file.problem = CannotReadFont(file.path);
    }
    return file;
}

FontFile ReadFontFile(const QString& path) {
    const QFileInfo info(path);
    FontFile file;
    file.path = path;
    if (!info.exists()) {
        file.problem = QStringLiteral("no such file: ") + path;
        return file;
    }
    if (!info.isFile()) {
        file.problem = QStringLiteral("%1 is not a regular file").arg(path);
        return file;
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        file.problem = QStringLiteral("cannot open %1: %2").arg(path, in.errorString());
        return file;
    }
    return ParseFontFile(in.readAll(), path);
}

QString CannotReadFont(const QString& path) {
    return QStringLiteral("cannot read a font from ") + path;
}

}  // namespace runemill
