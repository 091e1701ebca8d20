#include "render/codes.h"

#include <QTextCodec>

#include "render/code_table_codec.h"

namespace runemill {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;  // a non-digit counts 0 for its half-byte
}

}  // namespace

bool IsHexDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text) {
        if (c.unicode() > 0x7F || (!c.isDigit() && HexDigitValue(char(c.unicode())) == 0))
            return false;
    }
    return true;
}

int HexPairValue(char high, char low) { return HexDigitValue(high) * 16 + HexDigitValue(low); }

int ParseHexCode(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    char digits[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < latin1.size(); ++i) digits[i] = latin1.at(i);
    return HexPairValue(digits[0], digits[1]) * 256 + HexPairValue(digits[2], digits[3]);
}

const char* CodecName(int encoding) {
    switch (encoding) {
        case kEncodingBig5:
            return "BIG5";
        case kEncodingGbk:
            return "GBK";
        default:
            return "GB2312";
    }
}

QTextCodec* CodecFor(int encoding) { return TableCodecFor(encoding); }

QString CodeToChar(QTextCodec* codec, int code) {
    if (codec == nullptr) return QString();
    // Decoding stops at the first zero byte: a zero lead byte gives "", a zero
    // trail byte the lead byte alone.
    const char bytes[3] = {char((code >> 8) & 0xFF), char(code & 0xFF), 0};
    return codec->toUnicode(bytes);
}

QString CodeToChar(int encoding, int code) {
    if (encoding == kEncodingUnicode) {
        const ushort unit = ushort(code & 0xFFFF);
        return unit == 0 ? QString() : QString(QChar(unit));
    }
    return CodeToChar(CodecFor(encoding), code);
}

QString HexCodeText(int code, int width) {
    return QString::number(uint(code), 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

QString DecimalText(int n) { return QString::number(n); }

}  // namespace runemill
