// `runemill-cli convert`: builds the file of one kind with the core's plan and
// drawer, writes it, and prints the window's log lines of that kind to stdout.
#pragma once

#include "cli/command_line.h"
#include "cli/convert_options.h"

namespace runemill::cli {

// Runs the conversion. Returns kExitDone, or fills *error and returns its status.
int RunConvert(const ConvertSettings& settings, CliError* error);

}  // namespace runemill::cli
