// The file a conversion writes: our own .bin (or its C array), or the font
// format of a display library. One table names each target for runemill-cli
// and the window, says which file type and pixel formats it takes, and turns
// a finished run into the target's bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "convert/convert_job.h"

namespace runemill {

enum class OutputTarget { Bin, LvglC, LvglBin, U8g2, Gfx, Bdf };

struct TargetDescription {
    OutputTarget target;
    const char* name;    // runemill-cli's name: "bin", "lvgl", ...
    const char* suffix;  // the output's file type (".c"); null: any (the .bin)
    const char* filter;  // the save dialog's filter; null: the window's own
    bool cSymbol;        // a C file that names its font by a C identifier
    bool oneBit;         // 1bits only
    bool compresses;     // takes --compress
    const char* help;    // runemill-cli's help on it
    const char* item;    // the window\'s item for it
};

// Every target, the .bin first.
QVector<TargetDescription> TargetTable();
const TargetDescription& DescriptionOfTarget(OutputTarget target);
bool TargetFromName(const QString& name, OutputTarget* target);  // case ignored
QString TargetNames();  // "bin, lvgl, lvgl-bin, u8g2, gfx, bdf"

// Why a request cannot be written as a target, and the option it is about
// ("--format", "--compress", "--for").
struct TargetProblem {
    QString option;
    QString text;  // empty: no problem
    explicit operator bool() const { return !text.isEmpty(); }
};

// Why `request` cannot be written as `target` (pixel format, compression,
// a kind without glyphs), checked before anything is drawn.
TargetProblem TargetRequestProblem(OutputTarget target, const ConvertRequest& request);
// Why `path` cannot hold `target`: its file type; empty when it can.
QString TargetPathProblem(OutputTarget target, const QString& path);

// The target's file from a finished run: `plain` is the whole plain .bin the
// job's Run gave. Empty with *problem set when the target cannot hold it.
// Not for OutputTarget::Bin, whose bytes are the job's FileBytes.
QByteArray TargetFileBytes(OutputTarget target, const ConvertJob& job, const QByteArray& plain,
                           const QString& symbol, QString* problem);

}  // namespace runemill
