// The one reader of the font files a run draws from: TTF, OTF, OTB, TTC and
// OTC collections, PCF and BDF. One pass over the bytes finds the faces and
// their table directories, or the one problem that refuses the file, before
// Qt is handed it: Qt would block on a FIFO and quietly draw from a file cut
// short, wrong glyphs and all.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace runemill {

enum class FontFileFormat { Sfnt, Collection, Pcf, Bdf };

// One table of an sfnt face, lying wholly inside the file.
struct SfntTable {
    quint32 tag = 0;
    qint64 offset = 0;
    qint64 length = 0;
};

// One face of an sfnt font or collection.
struct SfntFace {
    qint64 directory = 0;   // where its table directory starts
    bool outlines = false;  // its version is one Qt draws (TrueType, "OTTO", "true")
    QVector<SfntTable> tables;
};

// One table of a PCF font. The accelerators' size may be stated past the end
// of the file (bdftopcf does so); `size` is what the file holds.
struct PcfTable {
    quint32 type = 0;
    quint32 format = 0;
    qint64 size = 0;
    qint64 offset = 0;
};

struct FontFile {
    QString path;
    QByteArray data;
    FontFileFormat format = FontFileFormat::Sfnt;
    QVector<SfntFace> faces;  // sfnt: one; collection: each it lists
    QVector<PcfTable> pcfTables;
    QString problem;  // why the file cannot be drawn from; empty when it can

    // 1 for an sfnt, PCF or BDF font; a collection's count (at most 65536).
    int faceCount() const;
};

// The font file at `path`, read once. `problem` names the first of: it is
// missing ("no such file: PATH"), not a regular file (a FIFO, a device, a
// folder), unreadable, cut short (a table a face or a PCF font lists lies
// past the end of the file, a BDF font has no ENDFONT line), compressed, or
// not a font file this reads ("cannot read a font from PATH").
FontFile ReadFontFile(const QString& path);

// The same for bytes already read; `path` names the file in the problem.
FontFile ParseFontFile(const QByteArray& data, const QString& path);

// "cannot read a font from PATH": also what a loader says of a file that
// reads well here but that the drawing side refuses.
QString CannotReadFont(const QString& path);

}  // namespace runemill
