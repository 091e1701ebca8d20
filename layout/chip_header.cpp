#include "layout/chip_header.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>
#include <algorithm>
#include <cstring>

#include "layout/layout_constants.h"
#include "render/packers.h"

namespace runemill {

namespace {

void PutLe16(uchar* out, int value) {
    out[0] = uchar(value & 0xFF);
    out[1] = uchar((value >> 8) & 0xFF);
}

// Copies at most `maxBytes` bytes of `text` to `out` and ends them with 0x00.
void PutText(uchar* out, const QByteArray& text, int maxBytes) {
    const int n = std::min(text.size(), maxBytes);
    std::memcpy(out, text.constData(), size_t(n));
    out[n] = 0;
}

}  // namespace

QByteArray ChipFontHeader(const ChipHeaderFields& fields, ConvertKind kind) {
    QTextCodec* codec = QTextCodec::codecForName("gbk");
    if (!codec) return QByteArray();

    uchar out[kChipHeaderSize];
    std::memset(out, kChipHeaderFill, sizeof out);
    const KindDescription& description = DescriptionOf(kind);
    const char* magic = description.magic;
    out[0] = uchar(magic[0]);
    out[1] = uchar(magic[1]);
    out[2] = uchar(fields.cell.width & 0xFF);
    out[3] = uchar(fields.cell.height & 0xFF);
    PutLe16(out + 4, fields.startCode);
    PutLe16(out + 6, fields.endCode);
    out[8] = uchar(fields.cell.pixFormat);

    const QByteArray text = codec->fromUnicode(QString::fromLatin1(description.headerText));
    PutText(out + kChipTextOffset, text, kChipTextMaxBytes);

    uchar flags = kChipFlagsBase;
    if (fields.italic) flags |= kChipFlagItalic;
    if (fields.underline) flags |= kChipFlagUnderline;
    if (fields.bold) flags |= kChipFlagBold;
    out[kChipFlagsOffset] = flags;
    out[kChipPointSizeOffset] = uchar(fields.pointSize & 0xFF);
    out[kChipX0Offset] = uchar(fields.x0 & 0xFF);
    out[kChipY0Offset] = uchar(fields.y0 & 0xFF);

    // A family shorter than 76 bytes fits whole with its 0x00 by byte 107;
    // a longer one keeps 55 bytes, so its 0x00 lands at byte 87.
    const QByteArray family = codec->fromUnicode(fields.family);
    const int familyBytes =
        family.size() < kChipFamilyWholeBelow ? family.size() : kChipFamilyCutBytes;
    PutText(out + kChipFamilyOffset, family, familyBytes);
    return QByteArray(reinterpret_cast<const char*>(out), kChipHeaderSize);
}

QString AppendHeaderProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0) return QString();
    const QString problem =
        QStringLiteral("%1 is not a file of 108-byte headers; appending one would spoil it");
    if (info.size() % kChipHeaderSize != 0) return problem.arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();  // the append reports it
    for (qint64 at = 0; at < info.size(); at += kChipHeaderSize) {
        const QByteArray magic = file.seek(at) ? file.read(2) : QByteArray();
        ConvertKind kind;
        if (magic.size() != 2 || !KindFromMagic(magic.at(0), magic.at(1), &kind) ||
            !IsHeaderKind(kind))
            return problem.arg(path);
    }
    return QString();
}

}  // namespace runemill
