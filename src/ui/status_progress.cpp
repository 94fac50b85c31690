#include "ui/status_progress.h"

#include "ui/translate.h"

namespace sonvale {

StatusProgress::StatusProgress(QWidget* parent) : QProgressBar(parent) {
  setObjectName("Progresso");
  setAccessibleName(AccessibleTr(SV_TR("sonvale", "Avanzamento")));
  setRange(0, 100);
  setMaximumWidth(220);
  hide();
}

void StatusProgress::start(long total, double now) {
  run_.start(total, now);
  const ProgressEstimate e = EstimateProgress(0, total, 0);
  showEstimate(e.percent, ProgressText(e));
  setVisible(total > 0);
}

void StatusProgress::step(long done, double now) {
  if (std::optional<ProgressEstimate> e = run_.step(done, now))
    showEstimate(e->percent, ProgressText(*e));
}

void StatusProgress::showEstimate(int percent, const std::string& text) {
  setRange(0, 100);
  setFormat(QString::fromStdString(text));
  setValue(percent);
  show();
}

void StatusProgress::showWaiting(const std::string& text) {
  setRange(0, 0);  // busy: no share done to show
  setFormat(QString::fromStdString(text));
  show();
}

void StatusProgress::finish() {
  run_.start(0, 0);
  hide();
}

}  // namespace sonvale
