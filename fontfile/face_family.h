// One face of a font file, made a font of its own under a family name that
// no other font has. Qt finds fonts by family, style and size: a face loaded
// under its own family would share that family with every installed file of
// it (the regular face drawn for a bold file, another file's strike for a
// pixel font). Under a name of its own, the face is the only candidate.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "fontfile/font_file.h"

namespace runemill {

// The family face `face` of `file` names itself (typographic family first),
// or empty.
QString FaceFamily(const FontFile& file, int face);

// Face `face` of `file` as a font file of one face whose family is `family`
// (ASCII); the glyph data, metrics and style are the face's own. A face of
// bitmaps alone with several strikes (an OTB of 12 to 32 pixels) gives one
// file per strike: Qt's font database knows a bitmap file by its first size
// only and would draw every size with that strike. One empty file when the
// file has no such face or its face has no outlines Qt draws.
QVector<QByteArray> FaceUnderFamily(const FontFile& file, int face, const QByteArray& family);

}  // namespace runemill
