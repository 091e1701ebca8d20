// The text a string font is made of, read from a UTF-8 command file.
#pragma once

#include <QString>

class QIODevice;

namespace runemill {

// Reads `device` as UTF-8 line by line; each line simplified (blanks at both
// ends dropped, inner runs made one space), joined with nothing between, so
// line breaks never reach the font.
QString ReadCommandText(QIODevice* device);

}  // namespace runemill
