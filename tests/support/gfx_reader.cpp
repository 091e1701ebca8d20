// An Adafruit GFX font as its GFXfont and GFXglyph types describe it, read naively: a glyph entry
// is {bitmapOffset, width, height, xAdvance, xOffset, yOffset} for each code from first to last;
// its box's bits run on from row to row, leftmost pixel in the high bit; (xOffset, yOffset) is the
// box's top left from the pen on the baseline.
#include <QRegularExpression>

#include "target_readers.h"

namespace {

// The numbers between "name ... {" and the next "};".
QVector<int> Numbers(const QString& source, const char* name) {
    static const QRegularExpression number(
        QStringLiteral("(?<!\\w)-?(0x[0-9A-Fa-f]+|\\d+)(?!\\w)"));
    const int at = source.indexOf(QLatin1String(name));
    const int open = source.indexOf('{', at), close = source.indexOf(QStringLiteral("};"), open);
    QVector<int> numbers;
    if (at < 0 || open < 0 || close < 0) return numbers;
    for (auto m = number.globalMatch(source.mid(open + 1, close - open - 1)); m.hasNext();)
        numbers << m.next().captured().toInt(nullptr, 0);
    return numbers;
}

}  // namespace

DecodedFont ReadGfxForTest(const QByteArray& header, int w, int h) {
    QString source = QString::fromUtf8(header);
    const auto baseline = QRegularExpression(QStringLiteral("baseline (\\d+) rows")).match(source);
    source.remove(QRegularExpression(QStringLiteral("//[^\n]*")));
    const QVector<int> bitmap = Numbers(source, "Bitmaps[]");
    const QVector<int> table = Numbers(source, "Glyphs[]");
    const QVector<int> font = Numbers(source, "const GFXfont");
    if (!baseline.hasMatch() || font.size() != 3 || table.size() != (font[1] - font[0] + 1) * 6)
        return {};
    DecodedFont decoded;
    for (int code = font[0]; code <= font[1]; ++code) {
        const int* e = table.constData() + (code - font[0]) * 6;
        if (e[3] == 0 && e[1] == 0) continue;  // no glyph for this code
        DecodedGlyph glyph{e[3], QByteArray(w * h, '\0')};
        for (int i = 0; i < e[1] * e[2]; ++i) {
            const int x = e[4] + i % e[1], y = baseline.captured(1).toInt() + e[5] + i / e[1];
            const int byte = e[0] + i / 8;
            if (byte >= bitmap.size()) return {};
            if (x >= 0 && x < w && y >= 0 && y < h)
                glyph.levels[y * w + x] = char(bitmap[byte] >> (7 - i % 8) & 1);
        }
        decoded.insert(uint(code), glyph);
    }
    return decoded;
}
