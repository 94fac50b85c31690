// Shows what the engine's readers, writers and passes report through the Ui: held
// and passing status texts on the status line, notices as message boxes, items as
// moments for the window's events, and a beep before bad input stops the work.
#pragma once

#include "platform/ui.h"
#include "platform/work_report.h"

namespace sonvale {

class UiWorkReport : public WorkReport {
 public:
  explicit UiWorkReport(Ui& ui) : ui_(ui) {}
  void status(const std::string& text) override { SetStatus(ui_, text); }
  void progress(const std::string& text) override { ui_.showStatus(text); }
  void notice(const Notice& n) override {
    ui_.message({n.title, n.text, Buttons::Ok,
                 n.severity == Severity::Critical ? Icon::Critical : Icon::Warning, Answer::Ok});
  }
  void tick() override { ui_.processEvents(); }
  void alert() override { ui_.beep(); }

 private:
  Ui& ui_;
};

}  // namespace sonvale
