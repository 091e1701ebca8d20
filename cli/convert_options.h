// The options of `runemill-cli convert`: they fill a ConvertRequest, whose
// defaults are the window's state right after start, plus what only the
// command line has (the output, the text file, threads, the progress bar).
#pragma once

#include <QString>
#include <QStringList>

#include "cli/command_line.h"
#include "convert/convert_request.h"
#include "targets/output_target.h"

class QCommandLineParser;

namespace runemill::cli {

struct ConvertOptions {
    ConvertRequest request;
    QString output;
    OutputTarget target = OutputTarget::Bin;  // --for: the file's format
    // The C name: of the .bin's array when output is C source (-o FILE.c), of
    // the font for a C target (lvgl, u8g2, gfx); else empty.
    QString symbol;
    QString textFile;           // string kind only; its characters go to request.text
    QStringList fallbackFonts;  // --fallback-font FILE[:N], loaded into request.fallbackFamilies
    bool fit = false;           // fit the size and offsets to the cell, overriding the given ones
    bool appendAnyway = false;  // chip, ttf: append even to a file that is not all headers
    int jobs = 1;
    bool quiet = false;
};

// Registers every option of the convert command.
void AddConvertOptions(QCommandLineParser& parser);

// The help text: usage, kinds and every option.
QString ConvertHelpText();

// Parses `arguments` (the program name, "convert", the kind, then options).
// Returns false and fills *error on the first bad option.
bool ParseConvertOptions(const QStringList& arguments, ConvertOptions* options, CliError* error);

}  // namespace runemill::cli
