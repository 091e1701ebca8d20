// The face the start-up family resolves to, fixed by the program rather than
// left to the desktop's font configuration.
#pragma once

#include <QString>
#include <QStringList>

namespace runemill {

// The window starts with the family of the default request. Where no face of that name is
// installed, draw it with an installed CJK face that covers GB2312, BIG5 and
// GBK (first found of a fixed list) instead of whatever sans face the system
// would pick, so a machine without it still draws the same glyphs as any
// other machine with the same fonts. Safe to call more than once.
void InstallFontSubstitutes(const QString& startFamily);

// Whether `family`, or a face it is substituted by, is installed (or loaded
// by the application), compared without case. Qt would quietly draw an
// unknown family with some other face.
bool FamilyInstalled(const QString& family);

// Loads face `face` of a font file (TTF, OTF, a TTC or OTC collection, OTB,
// PCF or BDF) for this process, under a family of its own that no other font
// has, which it gives in *family: drawn with that family, the glyphs come from
// this file's face alone (its outlines, or its own bitmap strikes), whatever
// else of the face's family is installed. The one way from a path to a face:
// the file is read and checked once (ReadFontFile: a FIFO, a folder or a file
// cut short is refused before Qt sees it). Returns an empty string when done,
// else why not (ReadFontFile's problem, "FILE has 3 faces, 0 to 2"), and sets
// *faceProblem when it is about the face rather than the file.
QString LoadFontFile(const QString& path, int face, QString* family, bool* faceProblem = nullptr);

// The family a face loaded from a file names itself (what a header stores and
// the window shows); any other family as it is.
QString FamilyName(const QString& family);

}  // namespace runemill
