// A font file as C99 source for a firmware build: `-o font.c` writes the
// file's bytes as one aligned const uint8_t array with its length, and a
// matching font.h beside it. The bytes are those the .bin would hold.
#pragma once

#include <QByteArray>
#include <QString>

#include "cli/command_line.h"
#include "targets/c_symbol.h"

class QCommandLineParser;

namespace runemill::cli {

// The .c and .h texts of one font.
struct CSourceTexts {
    QByteArray source;
    QByteArray header;
};

// True when `path` asks for C source: it ends in ".c" (any case).
bool IsCSourcePath(const QString& path);

// The header beside a .c path: "fonts/gb16.c" -> "fonts/gb16.h".
QString CHeaderPath(const QString& sourcePath);

// `symbol` holds `bytes`; `headerName` is the file name the .c includes.
CSourceTexts MakeCSource(const QByteArray& bytes, const QString& symbol, const QString& headerName);

// Registers --symbol.
void AddCSourceOptions(QCommandLineParser& parser);

// Reads --symbol for output `output` (empty when not C source); refuses a
// symbol that is no C identifier, --symbol without a .c output, and C source
// for the headers, which are appended to a .bin.
bool ReadCSourceOptions(const QCommandLineParser& parser, const QString& output, bool appends,
                        QString* symbol, CliError* error);
// The C name of `output`: --symbol, or else the file's name; refused when it
// is no C identifier, with a hint to name the `what` ("array", "font") with --symbol.
bool ReadSymbol(const QCommandLineParser& parser, const QString& output, const QString& what,
                QString* symbol, CliError* error);

// The line on stderr naming what a run of `output` declares: "c: array
// ui_font, ui_font_size and include guard RUNEMILL_FONT_ui_font_H, from the
// file name; --symbol NAME gives other names". Two fonts of one firmware
// need two names, and "my-font.c" and "my_font.c" give the same.
QString CSourceNamesLine(const QString& output, const QString& symbol);
// The same for a display library's C font (--for lvgl, u8g2, gfx): the one name it declares.
QString TargetNameLine(const QString& output, const QString& symbol);

// Writes path (.c) and its .h, each replaced only once complete. Returns an
// empty string, or what went wrong.
QString WriteCSource(const QString& path, const QString& symbol, const QByteArray& bytes);

}  // namespace runemill::cli
