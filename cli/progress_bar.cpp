#include "cli/progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace runemill::cli {

namespace {

constexpr qint64 kShowAfterMs = 300;  // a run shorter than this shows no bar
constexpr qint64 kRedrawMs = 100;
constexpr int kBarCells = 40;
constexpr int kLineWidth = 79;

}  // namespace

bool ProgressBar::StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

ProgressBar::ProgressBar(bool wanted, qint64 total, const char* unit)
    : enabled_(wanted && total > 0 && StderrIsTerminal()), total_(total), unit_(unit) {
    clock_.start();
}

ProgressBar::~ProgressBar() { Finish(); }

void ProgressBar::Update(qint64 done) {
    if (!enabled_) return;
    const qint64 now = clock_.elapsed();
    if (now < kShowAfterMs) return;
    if (lastDraw_ >= 0 && now - lastDraw_ < kRedrawMs) return;
    lastDraw_ = now;
    Draw(done);
}

void ProgressBar::Draw(qint64 done) {
    done = qBound<qint64>(0, done, total_);
    const int percent = int(done * 100 / total_);
    const int filled = int(done * kBarCells / total_);
    char bar[kBarCells + 1];
    for (int i = 0; i < kBarCells; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarCells] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%  %lld/%lld %s", bar, percent, static_cast<long long>(done),
                 static_cast<long long>(total_), unit_);
    std::fflush(stderr);
    shown_ = true;
}

void ProgressBar::Finish() {
    if (!shown_) return;
    std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
    std::fflush(stderr);
    shown_ = false;
}

}  // namespace runemill::cli
