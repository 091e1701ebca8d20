// BDF as Adobe's Glyph Bitmap Distribution Format 2.1 describes it, read naively: a glyph's box is
// BBX width height xoff yoff, its bottom row yoff rows above the baseline; each BITMAP line is a
// row of hex bytes, leftmost pixel in the high bit.
#include <QList>

#include "target_readers.h"

DecodedFont ReadBdfForTest(const QByteArray& bdf, int w, int h) {
    DecodedFont font;
    int ascent = -1, code = -1, advance = 0, size = 0, swidth = 0, boxW = 0, boxH = 0, boxX = 0,
        boxY = 0, row = -1;
    DecodedGlyph glyph;
    const QMap<QByteArray, int*> numbers{{"FONT_ASCENT", &ascent},
                                         {"ENCODING", &code},
                                         {"SIZE", &size},
                                         {"SWIDTH", &swidth},
                                         {"DWIDTH", &advance}};
    for (const QByteArray& line : bdf.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        const auto n = [&f](int i) { return i < f.size() ? f.at(i).toInt() : 0; };
        if (row >= 0 && f.at(0) != "ENDCHAR") {
            const QByteArray hex = line.trimmed();
            const int y = ascent - boxY - boxH + row++;
            for (int i = 0; i < boxW; ++i) {
                const int x = boxX + i;
                if (x >= 0 && x < w && y >= 0 && y < h)
                    glyph.levels[y * w + x] =
                        char(hex.mid(i / 8 * 2, 2).toInt(nullptr, 16) >> (7 - i % 8) & 1);
            }
        } else if (numbers.contains(f.at(0))) {
            *numbers[f.at(0)] = n(1);
        } else if (f.at(0) == "BBX") {
            boxW = n(1), boxH = n(2), boxX = n(3), boxY = n(4);
        } else if (f.at(0) == "BITMAP") {
            glyph = {advance, QByteArray(w * h, '\0')};
            row = 0;
        } else if (f.at(0) == "ENDCHAR") {
            // SWIDTH is the advance in thousandths of the point size, at 72 dpi a pixel a point.
            if (ascent < 0 || code < 0 || swidth != qRound(advance * 1000.0 / size)) return {};
            font.insert(uint(code), glyph);
            row = -1;
        }
    }
    return font;
}
