// `runemill-cli convert`: turns its options into a request, runs the core's job,
// writes the file and prints the window's log lines of that kind to stdout.
#pragma once

#include "cli/command_line.h"
#include "cli/convert_options.h"

namespace runemill::cli {

// Runs the conversion. Returns kExitDone, or fills *error and returns its status.
int RunConvert(ConvertOptions options, CliError* error);

}  // namespace runemill::cli
