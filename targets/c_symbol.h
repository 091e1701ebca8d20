// The C name a font is written under (runemill-cli -o FILE.c, the C targets
// of runemill-cli and the window): from the output's file name, checked
// against what C and C++ keep for themselves.
#pragma once

#include <QString>

namespace runemill {

// The name from a file name: its base name with every character that cannot
// be in a C identifier made '_', and '_' in front of a leading digit
// ("fonts/my-font 16.c" -> "my_font_16", "16x16.c" -> "_16x16").
QString SymbolFromPath(const QString& path);

// Why `name` cannot name a C array or font (not an identifier, a keyword, a
// reserved name); empty when it can.
QString SymbolProblem(const QString& name);

}  // namespace runemill
