// A finished run's glyphs as the display-library writers take them.
#pragma once

#include <QByteArray>
#include <QString>

#include "convert/convert_job.h"
#include "targets/target_font.h"

namespace runemill {

// The glyphs of `job`'s plain file `plain`, read back from its bytes so that
// every pixel is the .bin's: one glyph per slot whose text is one character
// (the first slot of a code wins: the ASCII block before a Unicode range),
// ascending code; advance the slot's width byte where the file stores one,
// else W. The baseline is the chosen face's (BaselineRow). The request is one
// TargetRequestProblem accepts (gray levels, no aRGB4444).
TargetFont TargetFontOfRun(const ConvertJob& job, const QByteArray& plain, QString* problem);

}  // namespace runemill
