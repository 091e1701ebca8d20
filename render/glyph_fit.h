// Fitting: the largest whole pixel size at which every glyph a run draws
// keeps all of its ink inside the cell, and the offsets that centre the
// glyphs' common ink box in it.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "render/rasterizer.h"

namespace runemill {

struct FitGlyph {
    QString text;
    bool leftAligned = false;
};

struct FitResult {
    int pixelSize = 0;  // 0: no size fits
    int x0 = 0;         // moves the centred glyphs; 0 when every glyph is left-aligned
    int y0 = 0;
    int glyphCount = 0;  // the glyphs asked about, blank ones included
    // Characters whose ink leaves the cell even at the smallest size (a
    // bitmap face's smallest own size); left out of the common box.
    QStringList unfit;

    bool found() const { return pixelSize > 0; }
    // Points at 96 dpi for the pixel size: 16 px is 12 pt, 15 px 11.25 pt.
    qreal pointSize() const { return pixelSize * 72.0 / 96.0; }
};

// Fits `glyphs`, drawn with `font`'s family and bold, italic and crisp from
// `style`, into a `width` x `height` cell. A glyph fits when, drawn at the
// offsets found, it is the same glyph as drawn on a canvas without edges:
// its ink lies inside the canvas the rasteriser draws on and inside the
// cell. A face with bitmaps only is fitted among its own sizes.
// `progress` hears of each size tried: (step, steps), steps a bound that the
// last call reaches.
using FitProgress = std::function<void(int step, int steps)>;
FitResult FitGlyphs(const QFont& font, const RenderOptions& style, int width, int height,
                    const QVector<FitGlyph>& glyphs, const FitProgress& progress = {});

// The sizes a face is tried at, smallest first: 1 to `largest` pixels, or
// only those of its own bitmaps when it has nothing else.
QVector<int> CandidatePixelSizes(const QFont& font, int largest);

// For a face of bitmaps alone that has no strike of `font`'s size (its point
// size at 96 dpi, rounded to whole pixels): "20 pt is 27 px, a size X does not
// have; its sizes are 12 and 16 px (9 and 12 pt)", X being `fontName`. Empty
// when the size is one of its strikes, or the face has outlines.
QString MissingStrike(const QFont& font, const QString& fontName);

// "12 pt (16 px), y0 -3, x0 0; all 8273 glyphs fit", or what did not fit.
QString FitSummary(const FitResult& result);

}  // namespace runemill
