// The progress bar of a run on stderr. It appears only when stderr is a
// terminal, the user did not ask for quiet, and the run has lasted longer than
// a moment; it is redrawn at most ten times a second.
#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace runemill::cli {

class ProgressBar {
  public:
    // `total` is how many `unit`s the run counts: the glyphs of a
    // conversion, the sizes --fit tries.
    ProgressBar(bool wanted, qint64 total, const char* unit = "glyphs");
    ~ProgressBar();

    // `done` of them are finished; cheap when nothing needs drawing.
    void Update(qint64 done);
    // Wipes the bar, if it was ever drawn.
    void Finish();

    // stderr is a terminal.
    static bool StderrIsTerminal();

  private:
    void Draw(qint64 done);

    bool enabled_;
    bool shown_ = false;
    qint64 total_;
    const char* unit_;
    qint64 lastDraw_ = -1;
    QElapsedTimer clock_;
};

}  // namespace runemill::cli
