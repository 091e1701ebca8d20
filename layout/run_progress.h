// The percentage a run's progress bar shows, by the kind's progress rule.
#pragma once

#include "layout/font_plan.h"

namespace runemill {

// What the bar shows once slot `index` of `plan` is drawn, by the progress
// rule of the plan's kind; -1 where the bar stays as it is. Unicode's ASCII
// pass counts against the Unicode total too, so it may pass 100.
int ProgressPercent(const FontPlan& plan, int index);

}  // namespace runemill
