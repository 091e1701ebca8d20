#include "targets/c_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace runemill {

namespace {

// "0xhh," of every byte value.
struct HexItems {
    char items[256][5];
    explicit HexItems(const char* digits) {
        for (int byte = 0; byte < 256; ++byte) {
            const char item[] = {'0', 'x', digits[byte >> 4], digits[byte & 15], ','};
            std::memcpy(items[byte], item, sizeof item);
        }
    }
};

}  // namespace

void AppendHexItems(QByteArray* out, const QByteArray& bytes, int perLine, HexDigits digits) {
    static const HexItems lower("0123456789abcdef");
    static const HexItems upper("0123456789ABCDEF");
    static const char kLineStart[] = "\n    ";
    constexpr int kLineStartSize = int(sizeof kLineStart) - 1;
    const HexItems& items = digits == HexDigits::Upper ? upper : lower;
    const int count = bytes.size();
    if (count == 0) return;
    const int lines = (count + perLine - 1) / perLine;
    const int at = out->size();
    out->resize(at + 5 * count + kLineStartSize * lines + (count - lines));
    char* p = out->data() + at;
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    for (int start = 0; start < count; start += perLine) {
        std::memcpy(p, kLineStart, kLineStartSize);
        p += kLineStartSize;
        const int end = std::min(count, start + perLine);
        std::memcpy(p, items.items[in[start]], 5);
        p += 5;
        for (int i = start + 1; i < end; ++i) {
            *p = ' ';
            std::memcpy(p + 1, items.items[in[i]], 5);
            p += 6;
        }
    }
}

void AppendDecimal(QByteArray* out, qint64 value) {
    char text[24];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    out->append(text, int(end.ptr - text));
}

void AppendHex(QByteArray* out, uint value, int minDigits, HexDigits hexDigits) {
    const char* hex = hexDigits == HexDigits::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char text[16];
    int digits = 0;
    do {
        text[sizeof text - 1 - digits++] = hex[value & 15];
        value >>= 4;
    } while (value != 0);
    for (; digits < minDigits && digits < int(sizeof text); ++digits)
        text[sizeof text - 1 - digits] = '0';
    out->append(text + sizeof text - digits, digits);
}

}  // namespace runemill
