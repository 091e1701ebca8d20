// One face of a font file, made a font of its own under a family name that
// no other font has. Qt finds fonts by family, style and size: a face loaded
// under its own family would share that family with every installed file of
// it (the regular face drawn for a bold file, another file's strike for a
// pixel font). Under a name of its own, the face is the only candidate.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace runemill {

struct FontFileFaces {
    int count = 0;    // 0: not a font file this reads
    QString problem;  // more on why not, when known
};

// How many faces the bytes hold: 1 for an sfnt font (TTF, OTF, OTB), the
// collection's count for a TTC or OTC, 1 for PCF and BDF.
FontFileFaces CountFaces(const QByteArray& data);

// The family face `face` names itself (typographic family first), or empty.
QString FaceFamily(const QByteArray& data, int face);

// Face `face` of `data` as a font file of one face whose family is `family`
// (ASCII); the glyph data, metrics and style are the face's own. A face of
// bitmaps alone with several strikes (an OTB of 12 to 32 pixels) gives one
// file per strike: Qt's font database knows a bitmap file by its first size
// only and would draw every size with that strike. One empty file when the
// bytes are not a font this reads or a table lies outside them.
QVector<QByteArray> FaceUnderFamily(const QByteArray& data, int face, const QByteArray& family);

}  // namespace runemill
