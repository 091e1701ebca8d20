// The lines a run writes to the log, the same for the window's log and the
// command line's stdout.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace runemill {

// GB2312: "page:A1,endpage:F7" (a page is a row).
QString PageLine(int startCode, int endCode);
// BIG5 and GBK: "maxPage=FA,minPage=A1"; the maximum page is one past the end row.
QString MaxPageLine(int startCode, int endCode);
// Unicode: start and end code, then the number of records.
QStringList UnicodeLines(int startCode, int endCode);
// The chip header's four lines, the TTF header's two, for `header` built with
// these point size, offsets and family.
QStringList ChipHeaderLines(const QByteArray& header, int pointSize, int x0, int y0,
                            const QString& family, bool ttf);
}  // namespace runemill
