#include "layout/command_text.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace runemill {

bool ReadCommandBytes(const QString& path, QByteArray* bytes, QString* problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxCommandTextBytes) {
        *problem = QStringLiteral("%1 is %2 bytes; a text of more than %3 bytes is not read")
                       .arg(path)
                       .arg(file.size())
                       .arg(kMaxCommandTextBytes);
        return false;
    }
    *bytes = file.readAll();
    return true;
}

QString ReadCommandText(const QByteArray& bytes) {
    QTextStream stream(bytes);
    stream.setCodec("utf-8");
    QString text;
    static const QRegularExpression controls(QStringLiteral("[\\x00-\\x08\\x0E-\\x1F\\x7F]"));
    while (!stream.atEnd()) {
        // Control characters (NUL, ESC, DEL...) are no characters a display
        // shows: left out. Tabs and the other blanks become spaces.
        QString line = stream.readLine();
        line.remove(controls);
        text += line.simplified();
    }
    return text;
}

qint64 FirstInvalidUtf8Byte(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qint64 size = bytes.size();
    qint64 i = 0;
    while (i < size) {
        const unsigned lead = data[i];
        int extra = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, min = 0x80, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, min = 0x800, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, min = 0x10000, code = lead & 0x07;
        } else {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= size || (data[i + k] & 0xC0) != 0x80) return i;
            code = (code << 6) | (data[i + k] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
        i += extra + 1;
    }
    return -1;
}

QString NotUtf8Message(const QString& fileName, qint64 offset) {
    return QStringLiteral(
               "%1 is not UTF-8: the byte at offset %2 starts no UTF-8 character. "
               "Save the text as UTF-8 (a GBK or BIG5 text gives wrong characters).")
        .arg(fileName)
        .arg(offset);
}

}  // namespace runemill
