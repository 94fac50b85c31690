#include "commands/point_dialog.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "commands/map_command.h"
#include "commands/map_dialog.h"
#include "commands/point_command.h"
#include "commands/window_status.h"
#include "emission/emission_update.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

using C = PointControl;

struct ControlText {
  std::string_view name;
  std::string_view caption;
};

// By control, in the order of PointControl.
constexpr std::array<ControlText, static_cast<size_t>(C::Status) + 1> kControls = {{
    {"Frame1", SV_TR("sonvale", " Scelta del tipo di punti ")},
    {"Punti",
     SV_TR("sonvale",
           "Utilizzo le entità \"PUNTI\" già definite all'atto dell'importazione DXF - Punti")},
    {"Rec",
     "Utilizzo le entità \"RECEIVERS\" già definite all'atto dell'importazione DXF - Conetrak"},
    {"Check1", SV_TR("sonvale", "Calcolo diffrazione barriere")},
    {"Check2", SV_TR("sonvale", "Calcolo diffrazione case")},
    {"Check3", SV_TR("sonvale", "Azzera emissione strade con pavim. standard")},
    {"Check4", SV_TR("sonvale", "Ignora riduz. asfalto fonoass.")},
    {"Check5", SV_TR("sonvale", "Azzera emissione strade con pavim. fonoass.")},
    {"Check6", SV_TR("sonvale", "Ignora Strade Fisse")},
    {"DistMax", SV_TR("sonvale", " Max dist. Sorg./Ricev.da considerare (m)")},
    {"Anno", SV_TR("sonvale", "Anno")},
    {"Opt_SVP_interno", SV_TR("sonvale", "Calcolo con Sonvale (lento)")},
    {"Opt_SVP_trace", SV_TR("sonvale", "Calcolo con Beamrun (veloce)")},
    {"Opt_Interim", SV_TR("sonvale", "Calcolo con mod. Interim (veloce)")},
    {"Opt_Imagine", SV_TR("sonvale", "Calcolo con mod. Imagine (lento)")},
    {"Command4", SV_TR("sonvale", "Calcola")},
    {"Command1", ""},
    {"Command2", SV_TR("sonvale", "Copia su Appunti")},
    {"Command3", SV_TR("sonvale", "Salva  ...")},
    {"List1", ""},
    {"Status", ""},
}};

bool IsCheck(C c) { return c >= C::Check1 && c <= C::Check6; }
bool IsAlgorithm(C c) { return c >= C::Opt_SVP_interno && c <= C::Opt_Imagine; }

bool Project::*CheckFlag(C c) {
  static constexpr bool Project::*kFlags[] = {&Project::DiffrBarriere,  &Project::DiffrCase,
                                              &Project::AzzeraStandard, &Project::IgnoraRidFonoass,
                                              &Project::AzzeraFonoass,  &Project::IgnoraFisse};
  return kFlags[static_cast<size_t>(c) - static_cast<size_t>(C::Check1)];
}

// Shows what a Ui is told on the window's own status label and passes the rest on.
class WindowStatusUi : public Ui {
 public:
  WindowStatusUi(Ui& ui, std::function<void(const std::string&)> status)
      : ui_(ui), status_(std::move(status)) {}
  void showStatus(const std::string& text) override { status_(text); }
  Answer message(const Message& m) override { return ui_.message(m); }
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
    return ui_.inputBox(prompt, title, defaultText);
  }
  std::optional<std::string> openFile(const FileDialog& d) override { return ui_.openFile(d); }
  std::optional<std::string> saveFile(const FileDialog& d) override { return ui_.saveFile(d); }
  void beep() override { ui_.beep(); }
  void setBusy(bool busy) override { ui_.setBusy(busy); }
  void setTitle(const std::string& title) override { ui_.setTitle(title); }
  void setMenuChecked(const std::string& item, bool checked) override {
    ui_.setMenuChecked(item, checked);
  }
  void setMenuEnabled(const std::string& item, bool enabled) override {
    ui_.setMenuEnabled(item, enabled);
  }
  void processEvents() override { ui_.processEvents(); }
  void setClipboardText(const std::string& text) override { ui_.setClipboardText(text); }
  void pause(double seconds) override { ui_.pause(seconds); }
  double now() override { return ui_.now(); }

 private:
  Ui& ui_;
  std::function<void(const std::string&)> status_;
};

}  // namespace

std::string_view PointControlName(PointControl c) { return kControls[static_cast<size_t>(c)].name; }
std::string_view PointCaption(PointControl c) { return kControls[static_cast<size_t>(c)].caption; }

std::string DistMaxText(double distMax) { return FormatPattern(distMax, "########"); }

long YearFromBox(const std::string& text) {
  double v = RoundHalfEven(LeadingNumber(text));
  if (!std::isfinite(v)) return 0;
  // Far outside any scenario year, and still a long: SV_TR("sonvale", "Calcola") clamps it.
  return static_cast<long>(std::clamp(v, -1e9, 1e9));
}

PointDialog::PointDialog(AppState& app, Ui& ui) : app_(app), ui_(ui) {
  Project& p = app_.project;
  view_.distMax = DistMaxText(p.DistMax);
  view_.anno = PlainInteger(p.Anno);
  if (app_.TracerMissing) {
    p.Algorithm = 0;
    view_.algorithmsShown = false;
  }
}

bool PointDialog::isChecked(PointControl c) const {
  const Project& p = app_.project;
  if (c == C::Punti) return app_.PointSet == ReceiverSet::Punti;
  if (c == C::Rec) return app_.PointSet == ReceiverSet::Rec;
  if (IsCheck(c)) return p.*CheckFlag(c);
  if (IsAlgorithm(c))
    return p.Algorithm == static_cast<long>(c) - static_cast<long>(C::Opt_SVP_interno);
  return false;
}

void PointDialog::setChecked(PointControl c, bool on) {
  Project& p = app_.project;
  if (c == C::Punti || c == C::Rec) {
    app_.PointSet = c == C::Punti ? ReceiverSet::Punti : ReceiverSet::Rec;
  } else if (IsCheck(c)) {
    p.*CheckFlag(c) = on;
  } else if (IsAlgorithm(c)) {
    p.Algorithm = static_cast<long>(c) - static_cast<long>(C::Opt_SVP_interno);
  }
}

void PointDialog::edited(PointControl box, const std::string& text) {
  Project& p = app_.project;
  if (box == C::DistMax) {
    view_.distMax = text;
    double v = LeadingNumber(text);
    p.DistMax = v > 0 ? v : 0;
  } else if (box == C::Anno) {
    view_.anno = text;
    p.Anno = YearFromBox(text);
    UpdateEmissions(p, app_.config, app_.tables);
  }
}

void PointDialog::notify() {
  if (changed_) changed_();
}

void PointDialog::calculate() {
  if (view_.running) return;
  Project& p = app_.project;
  p.Anno = ClampYear(p.Anno);
  view_.anno = PlainInteger(p.Anno);
  view_.running = true;
  view_.controlsEnabled = false;
  view_.command1Caption = kStopCaption;
  view_.command1Enabled = true;
  notify();

  // The list is emptied by the first line of a run, so that a declined or failed
  // run leaves the last results in view.
  bool firstLine = true;
  // The first line is the list's header; every other one is a point.
  const long total = ReceiverCount(app_.project, app_.PointSet);
  const double start = ui_.now();
  long points = -1;
  PointCalcHooks hooks;
  hooks.onLine = [&](const std::string& line) {
    view_.waiting = false;
    if (firstLine) {
      view_.lines.clear();
      ++view_.listRun;
      firstLine = false;
    }
    view_.lines.push_back(line);
    const ProgressEstimate e = EstimateProgress(++points, total, ui_.now() - start);
    view_.percent = e.percent;
    view_.progress = ProgressText(e);
    notify();
  };
  WindowStatusUi ui(ui_, [this](const std::string& text) {
    view_.status = text;
    notify();
  });
  hooks.onTracerStart = [&] {
    view_.command1Caption = kWaitCaption;
    view_.command1Enabled = false;
    view_.waiting = true;
    view_.progress = ElapsedTimeText(0);
    notify();
    ui.processEvents();
  };
  hooks.onTracerWait = [&](double seconds) {
    const std::string shown = ElapsedTimeText(seconds);
    if (shown == view_.progress) return;  // a change a second
    view_.progress = shown;
    notify();
  };
  try {
    PointCalcCommand(app_, ui, app_.PointSet, app_.pointResults, stopPunti_, hooks);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void PointDialog::finish() {
  view_.running = false;
  view_.waiting = false;
  view_.progress.clear();
  view_.controlsEnabled = true;
  view_.command1Enabled = true;
  view_.command1Caption = kCloseCaption;
  notify();
}

bool PointDialog::command1() {
  if (view_.running || view_.command1Caption == kStopCaption) {
    stopPunti_ = true;
    return false;
  }
  return true;
}

bool PointDialog::closeRequested() {
  if (!view_.running) return true;
  stopPunti_ = true;
  return false;
}

void PointDialog::copyToClipboard() {
  CopyPointResults(app_, ui_, app_.PointSet, app_.pointResults);
}

void PointDialog::save() { SavePointResults(app_, ui_, app_.PointSet, app_.pointResults); }

}  // namespace sonvale
