// Whether a font file can be drawn from before Qt is handed it: Qt would block
// on a FIFO and quietly draw from a file cut short, wrong glyphs and all.
#pragma once

#include <QString>

namespace runemill {

// Why the font file at `path` cannot be drawn from, or an empty string: it is
// missing ("no such file: PATH"), not a regular file (a FIFO, a device, a
// folder), or cut short: a table an sfnt face (TTF, OTF, OTB, every face of a
// TTC or OTC collection) or a PCF font lists lies past the end of the file, or
// a BDF font has no ENDFONT line. Reads only the tables' directories.
QString FontFileProblem(const QString& path);

}  // namespace runemill
