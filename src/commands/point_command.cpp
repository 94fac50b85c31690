#include "commands/point_command.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "commands/map_command.h"
#include "commands/tracer_run.h"
#include "emission/emission_update.h"
#include "platform/atomic_file.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

void ShowError(Ui& ui, const std::string& text) {
  ui.message({SV_TR("sonvale", "Error!"), text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// Shows what the point loop reports: the sources it could not read, "n / N" on
// the status line, and lets events run (Stop) after every level and line.
class OnScreenPointReport : public PointLoopReport {
 public:
  explicit OnScreenPointReport(Ui& ui) : ui_(ui) {}
  void sourceProblems(const std::vector<std::string>& messages) override {
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "" : "\n") + m;
    ui_.message({"Attenzione!", text, Buttons::Ok, Icon::Warning, Answer::Ok});
  }
  void pointDone(long n, long total) override {
    ui_.showStatus(ShowNumber(static_cast<double>(n)) + " /" +
                   ShowNumber(static_cast<double>(total)));
  }
  void step() override { ui_.processEvents(); }

 private:
  Ui& ui_;
};

}  // namespace

std::optional<std::vector<std::string>> PointCalcCommand(AppState& app, Ui& ui, ReceiverSet set,
                                                         PointResults& results, bool& stopRequested,
                                                         const PointCalcHooks& hooks) {
  Project& p = app.project;
  app.Saved = false;
  p.Anno = std::clamp(p.Anno, 1995L, 2050L);
  ui.showStatus("Init...");
  UpdateEmissions(p, app.config, app.tables);
  if (!p.EmissioniOK) {
    Answer a = ui.message({SV_TR("sonvale", "Attenzione!"), kPointEmissionQuestion, Buttons::YesNo,
                           Icon::Warning, Answer::No});
    if (a != Answer::Yes) return std::nullopt;
  }
  if (p.Algorithm != 0) {
    if (hooks.onTracerStart) hooks.onTracerStart();
    std::optional<std::vector<std::string>> lines = RunTracerPointJob(
        app.tracerContext(), ui, set, results, kTracerTimeoutMs, hooks.onTracerWait);
    if (lines && hooks.onLine) {
      for (const std::string& line : *lines) hooks.onLine(line);
    }
    return lines;
  }
  PointCalcInputs in{p, app.config, set, results, stopRequested, hooks.onLine};
  in.engineKind = app.engine.kind;
  in.threads = app.engine.threads;
  OnScreenPointReport report(ui);
  ui.setBusy(true);
  try {
    std::vector<std::string> lines = RunPointLoop(in, report);
    ui.setBusy(false);
    return lines;
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ShowError(ui, std::string(SV_TR("sonvale", "Calcolo per punti interrotto: ")) + e.what());
    return std::nullopt;
  }
}

void CopyPointResults(AppState& app, Ui& ui, ReceiverSet set, const PointResults& results) {
  ui.setClipboardText(PointClipboardText(app.project, set, results));
}

bool SavePointResults(AppState& app, Ui& ui, ReceiverSet set, const PointResults& results) {
  FileDialog save{SV_TR("sonvale", "Scegli il file di output"),
                  SV_TR("sonvale", "File dati|*.DAT|Autocad Script|*.SCR"), "*.DAT", false, true};
  std::optional<std::string> name = ui.saveFile(save);
  if (!name || name->empty()) return false;
  std::string ext = name->size() >= 3 ? name->substr(name->size() - 3) : *name;
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
  try {
    if (ext == "DAT") {
      WriteFileAtomically(*name, PointDataText(app.project, set, results));
      return true;
    }
    FileDialog limitsDialog{
        SV_TR("sonvale", "Scegli il file di definizione limite per i recettori"),
        SV_TR("sonvale", "File testo|*.txt"), "*.txt", true, false};
    std::optional<std::string> limitsName = ui.openFile(limitsDialog);
    if (!limitsName || limitsName->empty()) return false;
    std::vector<PointLimit> limits = ReadLimitFile(*limitsName);
    PointScript script = PointScriptText(app.project, set, results, limits);
    WriteFileAtomically(*name, script.text);
    if (script.pointsWithoutLimit > 0) {
      ui.message(
          {SV_TR("sonvale", "Attenzione!"),
           SV_TR("sonvale", "Il file dei limiti ") + *limitsName + " ha" +
               ShowNumber(static_cast<double>(script.pointsWithoutLimit)) +
               SV_TR("sonvale",
                     " righe in meno dei punti: quei punti sono stati confrontati senza limite"),
           Buttons::Ok, Icon::Warning, Answer::Ok});
    }
    return true;
  } catch (const std::exception& e) {
    ShowError(ui, e.what());
    return false;
  }
}

}  // namespace sonvale
