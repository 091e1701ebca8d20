// Mirroring and rotation of the GlyphImage for displays mounted turned or flipped.
#pragma once

#include <QImage>

namespace runemill {

enum Rotation { kRotateNone = 0, kRotateRight90 = 1, kRotateLeft90 = 2 };

struct TransformOptions {
    bool reverseX = false;
    bool reverseY = false;
    int rotation = kRotateNone;  // index of the rotation combo box
};

// Reverse X, then Reverse Y, then the rotation. A 90-degree rotation replaces
// the image by an H x W one in QImage::Format_BGR888; with no option set the
// image is left untouched, pixel format included.
void TransformGlyph(QImage& glyph, const TransformOptions& options);

}  // namespace runemill
