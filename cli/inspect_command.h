// `runemill-cli inspect FILE`: what a .bin file holds, one glyph as text art,
// or a contact sheet of its glyphs as a PNG. Files are read only through the
// C reader (reader/runemill_font.h), the same code a firmware uses, so what
// inspect shows is what a board will find in the file.
#pragma once

#include <QString>
#include <QStringList>

#include "cli/command_line.h"

namespace runemill::cli {

// Glyphs a row of the contact sheet holds (fewer when the file has fewer).
constexpr int kSheetColumns = 16;

// The help text: usage and every option of inspect.
QString InspectHelpText();

// Runs the command on `arguments` (the program name, "inspect", FILE, options).
// Returns kExitDone, or fills *error and returns its status.
int RunInspect(const QStringList& arguments, CliError* error);

}  // namespace runemill::cli
