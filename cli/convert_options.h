// The options of `runemill-cli convert` and the settings they give. Every
// default is the window's state right after start, so a run without options
// writes what the window writes when its button is pressed at start-up.
#pragma once

#include <QString>
#include <QStringList>

#include "cli/command_line.h"

class QCommandLineParser;

namespace runemill::cli {

enum class ConvertKind { Gb2312, Big5, Gbk, Unicode, Ascii, String, Chip, Ttf };

struct ConvertSettings {
    ConvertKind kind = ConvertKind::Gb2312;
    QString output;
    QString symbol;    // the C array's name when output is C source (-o FILE.c), else empty
    QString textFile;  // string kind only
    // Code range as parsed from the four-character code texts.
    int startCode = 0xA1A0;
    int endCode = 0xF7FE;
    int width = 32;
    int height = 32;
    int pixFormat = 0;  // PixelFormat index
    int grayLimit = 50;
    QString family = QStringLiteral("宋体");
    QString fontFile;  // loaded instead of an installed family when set
    int pointSize = 20;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int spaceDivisor = 3;
    // The window's offset bars start at x0 = 0 and y0 = -7.
    int x0 = 0;
    int y0 = -7;
    int rotation = 0;  // Rotation index: 0, right 90, left 90
    bool reverseX = false;
    bool reverseY = false;
    int jobs = 1;
    bool quiet = false;
};

// Registers every option of the convert command.
void AddConvertOptions(QCommandLineParser& parser);

// The help text: usage, kinds and every option.
QString ConvertHelpText();

// Parses `arguments` (the program name, "convert", the kind, then options).
// Returns false and fills *error on the first bad option.
bool ParseConvertOptions(const QStringList& arguments, ConvertSettings* settings, CliError* error);

// Name of a kind as typed on the command line ("gb2312", ..., "ttf").
QString KindName(ConvertKind kind);

}  // namespace runemill::cli
