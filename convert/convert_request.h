// One description of a conversion: what to write and how to draw it. Its
// default values are the window's state right after start, written only
// here; the window, runemill-cli, its help and the benchmarks read them.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QVector>

#include "layout/chip_header.h"
#include "layout/font_plan.h"
#include "layout/kind_table.h"
#include "layout/layout_constants.h"
#include "render/glyph_drawer.h"
#include "render/start_values.h"

namespace runemill {

struct ConvertRequest {
    ConvertKind kind = ConvertKind::Gb2312;
    int startCode = kGb2312MinStart;  // libraries and headers: the GB2312 range
    int endCode = kGb2312MaxEnd;
    QString text;       // string kind: the characters of the font
    CellSettings cell;  // W, H, format, threshold, space: made right by whoever fills it
    QString family = QStringLiteral("宋体");
    // When set, the family of face `face` of this file (TTF, OTF, TTC, OTC,
    // OTB, PCF or BDF) is drawn instead of `family`.
    QString fontFile;
    int face = 0;
    // Families that draw the characters the chosen face lacks, first that
    // has it; none by default: such characters are blank.
    QStringList fallbackFamilies;
    // Points at 96 dpi; fractional sizes give whole pixels (12 pt is 16 px,
    // 11.25 pt 15 px). The two headers store the whole points.
    qreal pointSize = kStartPointSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool crisp = false;  // the crisp rendering mode; smooth (antialiased) when false
    int x0 = kStartX0;
    int y0 = kStartY0;
    int rotation = 0;  // 0, right 90, left 90
    bool reverseX = false;
    bool reverseY = false;
    bool compress = false;  // write the compressed form of the file ("RZ")

    // A request of `kind` with every other setting at its start-up value.
    static ConvertRequest Defaults(ConvertKind kind);

    // The font as the window holds it: family and size; weight and style
    // are written by the rasteriser from the glyph settings.
    QFont Font() const;
    GlyphSettings Glyph() const;
    ChipHeaderFields HeaderFields() const;
};

}  // namespace runemill
