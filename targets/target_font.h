// The finished glyphs of a run as the display-library writers take them:
// exactly the pixels of the .bin of the same settings, one glyph per
// character, in ascending Unicode order. Each writer turns a TargetFont into
// the bytes of one file of its library's font format.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace runemill {

struct TargetGlyph {
    uint code = 0;      // Unicode code point
    int advance = 0;    // pixels the pen moves: the width byte where the kind stores one, else W
    QByteArray levels;  // W x H gray levels, row by row from the top, each 0 .. (1 << bpp) - 1
    // Drawn against the cell's left edge (the ASCII block, records, GB2312 and
    // GBK row A3) rather than centred: the BDF writer keeps such a glyph
    // where it is when its ink does not start in column 0.
    bool leftAligned = false;
};

struct TargetFont {
    QString name;         // what the file calls the font (the family, or the font file's name)
    qreal pointSize = 0;  // the run's point size, as the file may record it
    int width = 0;        // the cell, W x H pixels
    int height = 0;
    int bpp = 1;  // 1, 2, 4 or 8 bits a pixel
    // Rows of the cell above the baseline (0..H): rows 0 .. baseline - 1 lie
    // above it, rows baseline .. H - 1 below it.
    int baseline = 0;
    QVector<TargetGlyph> glyphs;  // ascending code, each code once; blank glyphs included
};

// The writers. Each returns the whole file, or an empty array with *problem
// set to the one message that says why the request does not fit the format
// and what does. `symbol` is the C identifier a C writer names its font by.
QByteArray WriteLvglC(const TargetFont& font, const QString& symbol, bool compress,
                      QString* problem);
QByteArray WriteLvglBin(const TargetFont& font, QString* problem);
QByteArray WriteU8g2(const TargetFont& font, const QString& symbol, QString* problem);
QByteArray WriteGfx(const TargetFont& font, const QString& symbol, QString* problem);
QByteArray WriteBdf(const TargetFont& font, QString* problem);

}  // namespace runemill
