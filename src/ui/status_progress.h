// The progress bar at the right of the main window's status bar: how much of a
// long run (map, points, façade exposure) is done and the time it still needs,
// or, while an external program runs, that the program is busy and for how
// long. It shows while a run goes on and hides when the run ends.
#pragma once

#include <QProgressBar>
#include <string>

#include "commands/window_status.h"

namespace sonvale {

class StatusProgress : public QProgressBar {
  Q_OBJECT

 public:
  explicit StatusProgress(QWidget* parent = nullptr);
  // A run of `total` items starts at `now` (seconds of the Ui's clock).
  void start(long total, double now);
  // `done` items are done at `now`; next() is one more than before.
  void step(long done, double now);
  void next(double now) { step(run_.done() + 1, now); }
  // An estimate made by the run itself ("37% - 00:01:12").
  void showEstimate(int percent, const std::string& text);
  // A wait of unknown length (an external program running), with its text
  // ("00:00:12" run so far).
  void showWaiting(const std::string& text);
  void finish();

 private:
  RunProgress run_;
};

}  // namespace sonvale
