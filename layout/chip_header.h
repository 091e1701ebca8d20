// The 108-byte font descriptions for a font chip ("ZQ") and a display
// controller's TTF engine ("TF"). No glyph is drawn: only settings are stored.
#pragma once

#include <QByteArray>
#include <QString>

#include "layout/kind_table.h"
#include "layout/layout_constants.h"
#include "render/cell_settings.h"
#include "render/start_values.h"

namespace runemill {

// The settings a header describes, read from the window by its caller.
struct ChipHeaderFields {
    CellSettings cell;  // W, H and the format are stored
    int startCode = kGb2312MinStart;
    int endCode = kGb2312MaxEnd;
    bool italic = false;
    bool underline = false;
    bool bold = false;
    int pointSize = kStartPointSize;
    int x0 = kStartX0;
    int y0 = kStartY0;
    QString family;
};

// The 108 bytes of the header kind `kind` (chip or ttf): 0xFF everywhere but
// the fields; its magic and text come from the kind table. Texts are encoded
// with the "gbk" codec; without it the result is empty and the caller
// reports that.
QByteArray ChipFontHeader(const ChipHeaderFields& fields, ConvertKind kind);

// Why a header must not be appended to the file at `path`, or an empty string:
// a regular file that is not made of whole headers only (each 108 bytes that
// start "ZQ" or "TF"), such as a font file, which would no longer open. A
// missing or empty file, a device and a FIFO take headers.
QString AppendHeaderProblem(const QString& path);

}  // namespace runemill
