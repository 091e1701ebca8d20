#include "fontfile/face_family.h"

#include <QPair>
#include <QVector>
#include <algorithm>

#include "fontfile/byte_order.h"

namespace runemill {

using fontfile::Be;
using fontfile::Holds;
using fontfile::Le;
using fontfile::PutBe;
using fontfile::PutLe;
using fontfile::Tag;

namespace {

// ---- sfnt (TTF, OTF, OTB) and collections (TTC, OTC) ----------------------

// A name record's text: UTF-16BE on the Unicode and Windows platforms,
// single bytes on the Macintosh one.
QString NameText(const QByteArray& data, qint64 at, int length, int platform) {
    if (platform == 1) return QString::fromLatin1(data.constData() + at, length);
    QString text;
    for (int i = 0; i + 1 < length; i += 2) text += QChar(ushort(Be(data, at + i, 2)));
    return text;
}

// The first of `ids` the name table has, American English on Windows first.
QString SfntName(const QByteArray& data, const SfntTable& name, std::initializer_list<int> ids) {
    if (!Holds(data, name.offset, 6)) return QString();
    const int count = int(Be(data, name.offset + 2, 2));
    const qint64 storage = name.offset + Be(data, name.offset + 4, 2);
    for (const int id : ids) {
        QString best;
        int bestRank = 0;
        for (int i = 0; i < count; ++i) {
            const qint64 record = name.offset + 6 + 12 * qint64(i);
            if (!Holds(data, record, 12) || int(Be(data, record + 6, 2)) != id) continue;
            const int platform = int(Be(data, record, 2));
            const int language = int(Be(data, record + 4, 2));
            const int length = int(Be(data, record + 8, 2));
            const qint64 at = storage + Be(data, record + 10, 2);
            if (!Holds(data, at, length) || platform > 3 || platform == 2) continue;
            const int rank = platform == 3 ? (language == 0x409 ? 4 : 3) : platform == 0 ? 2 : 1;
            if (rank <= bestRank) continue;
            bestRank = rank;
            best = NameText(data, at, length, platform);
        }
        if (!best.isEmpty()) return best;
    }
    return QString();
}

const SfntTable* Find(const QVector<SfntTable>& tables, quint32 tag) {
    for (const SfntTable& table : tables)
        if (table.tag == tag) return &table;
    return nullptr;
}

// A name table of Windows English records only: family, style, full name
// and PostScript name.
QByteArray NameTable(const QByteArray& family, const QString& style) {
    const QString styleName = style.isEmpty() ? QStringLiteral("Regular") : style;
    const QString familyName = QString::fromLatin1(family);
    QByteArray postScript = family;
    postScript.replace(' ', '-');
    const QString names[][2] = {{QStringLiteral("1"), familyName},
                                {QStringLiteral("2"), styleName},
                                {QStringLiteral("4"), familyName + QLatin1Char(' ') + styleName},
                                {QStringLiteral("6"), QString::fromLatin1(postScript)}};
    QByteArray records;
    QByteArray storage;
    for (const auto& name : names) {
        PutBe(&records, 3, 2);      // Windows
        PutBe(&records, 1, 2);      // Unicode BMP
        PutBe(&records, 0x409, 2);  // American English
        PutBe(&records, name[0].toUInt(), 2);
        PutBe(&records, quint32(2 * name[1].size()), 2);
        PutBe(&records, quint32(storage.size()), 2);
        for (const QChar c : name[1]) PutBe(&storage, c.unicode(), 2);
    }
    QByteArray table;
    PutBe(&table, 0, 2);
    PutBe(&table, 4, 2);
    PutBe(&table, quint32(6 + records.size()), 2);
    return table + records + storage;
}

quint32 Checksum(const QByteArray& padded) {
    quint32 sum = 0;
    for (int i = 0; i + 3 < padded.size(); i += 4) sum += Be(padded, i, 4);
    return sum;
}

// Size records of the bitmap location table (EBLC, or bloc on Apple's
// systems): a count at byte 4, then 48 bytes for each strike.
constexpr qint64 kStrikeRecord = 48;

// The bitmap location table of a face drawn from bitmaps alone (no outlines,
// or an empty glyf table as pixel font converters write), or null.
const SfntTable* BitmapLocations(const QVector<SfntTable>& tables) {
    if (Find(tables, Tag("CFF ")) || Find(tables, Tag("CFF2"))) return nullptr;
    const SfntTable* glyf = Find(tables, Tag("glyf"));
    if (glyf && glyf->length > 0) return nullptr;
    const SfntTable* locations = Find(tables, Tag("EBLC"));
    if (!locations) locations = Find(tables, Tag("bloc"));
    return locations && locations->length >= 8 ? locations : nullptr;
}

qint64 StrikeCount(const QByteArray& data, const SfntTable& locations) {
    const qint64 count = Be(data, locations.offset + 4, 4);
    return count <= (locations.length - 8) / kStrikeRecord ? count : 0;
}

// `strike` of -1 keeps every strike; else the bitmap location table keeps
// that strike's record alone (its offsets count from the table's start, so
// the glyph data stays where it is).
QByteArray SfntUnderFamily(const QByteArray& data, const SfntFace& face, const QByteArray& family,
                           int strike = -1) {
    const QVector<SfntTable>& tables = face.tables;
    const qint64 directory = face.directory;
    const SfntTable* name = Find(tables, Tag("name"));
    const QString style = name ? SfntName(data, *name, {17, 2}) : QString();
    const SfntTable* locations = BitmapLocations(tables);
    QVector<QPair<quint32, QByteArray>> kept;  // tag, bytes
    for (const SfntTable& table : tables) {
        // A signature no longer matches once the name table changes.
        if (table.tag == Tag("name") || table.tag == Tag("DSIG")) continue;
        QByteArray bytes = data.mid(int(table.offset), int(table.length));
        if (strike >= 0 && locations && table.tag == locations->tag) {
            bytes.replace(8, int(kStrikeRecord),
                          bytes.mid(8 + strike * kStrikeRecord, int(kStrikeRecord)));
            bytes.replace(4, 4, QByteArray("\0\0\0\1", 4));
        }
        kept.append({table.tag, bytes});
    }
    kept.append({Tag("name"), NameTable(family, style)});
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    const int count = kept.size();
    int power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    PutBe(&out, Be(data, directory, 4), 4);
    PutBe(&out, quint32(count), 2);
    PutBe(&out, quint32(16 * power), 2);
    PutBe(&out, quint32(log2), 2);
    PutBe(&out, quint32(16 * (count - power)), 2);
    QByteArray body;
    const qint64 bodyStart = 12 + 16 * qint64(count);
    for (const auto& table : kept) {
        QByteArray padded = table.second;
        padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
        PutBe(&out, table.first, 4);
        PutBe(&out, Checksum(padded), 4);
        PutBe(&out, quint32(bodyStart + body.size()), 4);
        PutBe(&out, quint32(table.second.size()), 4);
        body += padded;
    }
    return out + body;
}

// ---- PCF -------------------------------------------------------------------

constexpr quint32 kPcfProperties = 1;

struct PcfProperty {
    quint32 name = 0;  // offset in the strings
    bool isString = false;
    quint32 value = 0;
};

struct PcfProperties {
    quint32 format = 0;
    QVector<PcfProperty> list;
    QByteArray strings;
    bool msbFirst() const { return format & 4; }
};

bool ReadPcfProperties(const QByteArray& data, const PcfTable& table, PcfProperties* properties) {
    if (table.size < 8) return false;
    const qint64 at = table.offset;
    properties->format = Le(data, at);
    auto word = [&](qint64 offset) {
        return properties->msbFirst() ? Be(data, offset, 4) : Le(data, offset);
    };
    const qint64 count = word(at + 4);
    const qint64 padding = (count & 3) ? 4 - (count & 3) : 0;
    const qint64 stringsAt = at + 8 + 9 * count + padding + 4;
    if (count > table.size || stringsAt > table.offset + table.size) return false;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 p = at + 8 + 9 * i;
        properties->list.append({word(p), data.at(int(p + 4)) != 0, word(p + 5)});
    }
    const qint64 size = word(stringsAt - 4);
    if (size > table.offset + table.size - stringsAt) return false;
    properties->strings = data.mid(int(stringsAt), int(size));
    return true;
}

QByteArray PcfString(const PcfProperties& properties, quint32 offset) {
    if (offset >= quint32(properties.strings.size())) return QByteArray();
    return QByteArray(properties.strings.constData() + offset);
}

PcfProperty* PcfFamily(PcfProperties* properties) {
    for (PcfProperty& property : properties->list)
        if (property.isString && PcfString(*properties, property.name) == "FAMILY_NAME")
            return &property;
    return nullptr;
}

QByteArray WritePcfProperties(const PcfProperties& properties) {
    QByteArray out;
    PutLe(&out, properties.format);
    auto word = [&](quint32 value) {
        properties.msbFirst() ? PutBe(&out, value, 4) : PutLe(&out, value);
    };
    word(quint32(properties.list.size()));
    for (const PcfProperty& property : properties.list) {
        word(property.name);
        out.append(char(property.isString));
        word(property.value);
    }
    if (properties.list.size() & 3) out.append(QByteArray(4 - (properties.list.size() & 3), '\0'));
    word(quint32(properties.strings.size()));
    return out + properties.strings;
}

QByteArray PcfUnderFamily(const QByteArray& data, const QVector<PcfTable>& tables,
                          const QByteArray& family) {
    QVector<QByteArray> bodies;
    for (const PcfTable& table : tables) {
        QByteArray body = data.mid(int(table.offset), int(table.size));
        if (table.type == kPcfProperties) {
            PcfProperties properties;
            if (!ReadPcfProperties(data, table, &properties)) return QByteArray();
            PcfProperty* named = PcfFamily(&properties);
            if (named == nullptr) {
                properties.list.append({quint32(properties.strings.size()), true, 0});
                properties.strings += QByteArray("FAMILY_NAME", 12);
                named = &properties.list.last();
            }
            named->value = quint32(properties.strings.size());
            properties.strings += family + '\0';
            body = WritePcfProperties(properties);
        }
        bodies.append(body);
    }
    QByteArray out("\1fcp");
    PutLe(&out, quint32(tables.size()));
    qint64 offset = 8 + 16 * qint64(tables.size());
    for (int i = 0; i < tables.size(); ++i) {
        PutLe(&out, tables.at(i).type);
        PutLe(&out, tables.at(i).format);
        PutLe(&out, quint32(bodies.at(i).size()));
        PutLe(&out, quint32(offset));
        offset += (bodies.at(i).size() + 3) / 4 * 4;
    }
    for (QByteArray& body : bodies) out += body.append(QByteArray((4 - body.size() % 4) % 4, '\0'));
    return out;
}

QString PcfFamilyName(const QByteArray& data, const QVector<PcfTable>& tables) {
    for (const PcfTable& table : tables) {
        PcfProperties properties;
        if (table.type != kPcfProperties || !ReadPcfProperties(data, table, &properties)) continue;
        if (const PcfProperty* named = PcfFamily(&properties))
            return QString::fromLatin1(PcfString(properties, named->value));
    }
    return QString();
}

// ---- BDF -------------------------------------------------------------------

// The FAMILY_NAME line's span (start, end without its line break); -1 if none.
QPair<int, int> BdfFamilyLine(const QByteArray& data) {
    const int end = data.indexOf("\nENDPROPERTIES");
    int at = data.indexOf("\nFAMILY_NAME ");
    if (at < 0 || (end >= 0 && at > end)) return {-1, -1};
    ++at;
    const int lineEnd = data.indexOf('\n', at);
    return {at, lineEnd < 0 ? data.size() : lineEnd};
}

QString BdfFamilyName(const QByteArray& data) {
    const QPair<int, int> line = BdfFamilyLine(data);
    if (line.first < 0) return QString();
    QByteArray value = data.mid(line.first + 12, line.second - line.first - 12).trimmed();
    if (value.startsWith('"') && value.endsWith('"') && value.size() >= 2)
        value = value.mid(1, value.size() - 2);
    return QString::fromLatin1(value);
}

QByteArray BdfUnderFamily(const QByteArray& data, const QByteArray& family) {
    const QByteArray line = "FAMILY_NAME \"" + family + '"';
    QByteArray out = data;
    const QPair<int, int> found = BdfFamilyLine(data);
    if (found.first >= 0) return out.replace(found.first, found.second - found.first, line);
    // No family yet: one more property.
    const int start = out.indexOf("\nSTARTPROPERTIES ");
    if (start < 0) return QByteArray();
    const int lineEnd = out.indexOf('\n', start + 1);
    if (lineEnd < 0) return QByteArray();
    const int count = out.mid(start + 17, lineEnd - start - 17).trimmed().toInt();
    out.replace(start + 1, lineEnd - start - 1,
                "STARTPROPERTIES " + QByteArray::number(count + 1) + '\n' + line);
    return out;
}

}  // namespace

QString FaceFamily(const FontFile& file, int face) {
    if (file.format == FontFileFormat::Pcf) return PcfFamilyName(file.data, file.pcfTables);
    if (file.format == FontFileFormat::Bdf) return BdfFamilyName(file.data);
    if (face < 0 || face >= file.faces.size()) return QString();
    const SfntTable* name = Find(file.faces.at(face).tables, Tag("name"));
    return name ? SfntName(file.data, *name, {16, 1}) : QString();
}

QVector<QByteArray> FaceUnderFamily(const FontFile& file, int face, const QByteArray& family) {
    if (!file.problem.isEmpty() || face < 0 || face >= file.faceCount()) return {QByteArray()};
    if (file.format == FontFileFormat::Pcf)
        return {PcfUnderFamily(file.data, file.pcfTables, family)};
    if (file.format == FontFileFormat::Bdf) return {BdfUnderFamily(file.data, family)};
    const SfntFace& sfnt = file.faces.at(face);
    if (!sfnt.outlines) return {QByteArray()};
    const SfntTable* locations = BitmapLocations(sfnt.tables);
    const qint64 strikes = locations ? StrikeCount(file.data, *locations) : 0;
    if (strikes < 2) return {SfntUnderFamily(file.data, sfnt, family)};
    QVector<QByteArray> fonts;
    for (int strike = 0; strike < strikes; ++strike)
        fonts << SfntUnderFamily(file.data, sfnt, family, strike);
    return fonts;
}

}  // namespace runemill
