#include "targets/c_text.h"

#include <charconv>
#include <cstring>

namespace runemill {

void AppendHexItems(QByteArray* out, const QByteArray& bytes, int perLine, HexDigits digits) {
    static const char kLineStart[] = "\n    ";
    constexpr int kLineStartSize = int(sizeof kLineStart) - 1;
    const char* hex = digits == HexDigits::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    const int count = bytes.size();
    if (count == 0) return;
    const int lines = (count + perLine - 1) / perLine;
    const int at = out->size();
    out->resize(at + 5 * count + kLineStartSize * lines + (count - lines));
    char* p = out->data() + at;
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    for (int i = 0; i < count; ++i) {
        if (i % perLine == 0) {
            std::memcpy(p, kLineStart, kLineStartSize);
            p += kLineStartSize;
        } else {
            *p++ = ' ';
        }
        p[0] = '0';
        p[1] = 'x';
        p[2] = hex[in[i] >> 4];
        p[3] = hex[in[i] & 15];
        p[4] = ',';
        p += 5;
    }
}

void AppendDecimal(QByteArray* out, qint64 value) {
    char text[24];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    out->append(text, int(end.ptr - text));
}

void AppendHex(QByteArray* out, uint value, int minDigits) {
    char text[16];
    int digits = 0;
    do {
        text[sizeof text - 1 - digits++] = "0123456789ABCDEF"[value & 15];
        value >>= 4;
    } while (value != 0);
    for (; digits < minDigits && digits < int(sizeof text); ++digits)
        text[sizeof text - 1 - digits] = '0';
    out->append(text + sizeof text - digits, digits);
}

}  // namespace runemill
