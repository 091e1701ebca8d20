// Work split into parts that run on threads of their own, as far as the
// system lets threads start: a part whose thread cannot start (no memory for
// its stack, a process limit) runs on the calling thread instead, so a run
// always ends, with the same result whatever number of threads ran.
#pragma once

#include <functional>

namespace runemill {

// Runs work(0) ... work(parts - 1), each on a QThread (Qt frees a QThread's
// font data on that thread as it ends), and returns once all have ended,
// calling `poll` (when given) on the calling thread now and then meanwhile.
// A part for which memory looks short, or whose thread does not start, runs
// on the calling thread. A std::bad_alloc in any part is thrown again here
// once every part has ended.
void RunParts(int parts, const std::function<void(int part)>& work,
              const std::function<void()>& poll = {});

}  // namespace runemill
