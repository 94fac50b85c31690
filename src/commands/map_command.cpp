#include "commands/map_command.h"

#include <cmath>

#include "commands/emission_commands.h"
#include "commands/tracer_run.h"
#include "propagation/grid_file.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {

namespace {

std::string LevelStatus(int row, int column, double level) {
  return "Lev(" + ShowNumber(row) + "," + ShowNumber(column) +
         ")=" + FormatPattern(level, "####.#");
}

// Shows what a pass reports: its opening status with the busy pointer, the
// sources it could not read, each computed cell on the map and the status line,
// and lets events run (Cancel) after every node and row.
class OnScreenReport : public MapPassReport {
 public:
  OnScreenReport(Ui& ui, const MapHooks& hooks) : ui_(ui), hooks_(hooks) {}
  void started(const std::string& fileName) override {
    SetStatus(ui_, SV_TR("sonvale", "Sto mappando sul file ") + fileName + "...");
    ui_.setBusy(true);
  }
  void sourceProblems(const std::vector<std::string>& messages) override {
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "" : "\n") + m;
    ui_.message({"Attenzione!", text, Buttons::Ok, Icon::Warning, Answer::Ok});
  }
  void cell(const MapCell& cell) override {
    if (hooks_.onCell) hooks_.onCell(cell);
    ui_.showStatus(LevelStatus(cell.j, cell.i, cell.level));
  }
  void nodeDone(long, long) override { ui_.processEvents(); }
  void rowDone() override { ui_.processEvents(); }

 private:
  Ui& ui_;
  const MapHooks& hooks_;
};

}  // namespace

std::string MapPassErrorText(const Project& p, const MapPassOutcome& o, bool day) {
  const std::string fileName = PassFileName(p.GrdName, day);
  switch (o.problem) {
    case MapPassProblem::PlaneDivisions:
      return SV_TR("sonvale", "Numero di divisioni della griglia non valido (NdivX =") +
             ShowNumber(p.NdivX) + ", NdivY =" + ShowNumber(p.NdivY) + ")" +
             SV_TR("sonvale", ": servono almeno 1 divisione in X e 1 in Y");
    case MapPassProblem::SectionDivisions:
      return SV_TR("sonvale", "Numero di divisioni della sezione non valido (NdivO =") +
             ShowNumber(p.NdivO) + ", NdivZ =" + ShowNumber(p.NdivZ) + ")" +
             SV_TR("sonvale", ": servono almeno 1 divisione lungo la sezione e 1 in altezza");
    case MapPassProblem::TerrainUnreadable:
      return SV_TR("sonvale", "Impossibile leggere il file altimetrico: ") + o.detail;
    case MapPassProblem::WriteFailed:
      return SV_TR("sonvale", "Mappa interrotta, impossibile scrivere il file ") + fileName + ": " +
             o.detail;
    case MapPassProblem::Interrupted:
      return SV_TR("sonvale", "Mappa interrotta (") + fileName + "): " + o.detail;
    case MapPassProblem::None:
      break;
  }
  return {};
}

MapPassOutcome RunMapPass(AppState& app, Ui& ui, const MapHooks& hooks, NightCarry* nightCarry) {
  MapPassInputs in{app.project, app.config, app.tables, app.Grid, app.Section, app.StopRequested};
  in.nightCarry = nightCarry;
  in.engineKind = app.engine.kind;
  in.threads = app.engine.threads;
  in.tile = app.engine.tile;
  OnScreenReport report(ui, hooks);
  const bool day = app.project.Diurno;
  MapPassOutcome o = MapPass(in, day, report);
  if (o.result == MapPassResult::Stopped) ui.beep();
  if (o.problem != MapPassProblem::None) {
    ui.message(
        {"Error!", MapPassErrorText(app.project, o, day), Buttons::Ok, Icon::Critical, Answer::Ok});
  }
  // A refused pass leaves the picture as it is; any other redraws the model.
  if (o.started) {
    if (hooks.drawMap) hooks.drawMap(false);
    ui.setBusy(false);
  }
  return o;
}

std::string ElapsedTimeText(double seconds) {
  double total = std::round(seconds < 0 ? 0 : seconds);
  double hours = std::floor(total / 3600);
  double minutes = std::floor((total - hours * 3600) / 60);
  double secs = total - hours * 3600 - minutes * 60;
  return FormatPattern(hours, "00") + ":" + FormatPattern(minutes, "00") + ":" +
         FormatPattern(secs, "00");
}

MapCommandResult MapCommand(AppState& app, Ui& ui, MapPeriods periods, const MapHooks& hooks) {
  MapCommandResult result;
  Project& p = app.project;
  if (!ConfirmMissingEmissions(app, ui)) return result;
  p.GrdName = NormaliseGrdName(p.GrdName);
  if (app.StopRequested) return result;
  if (hooks.drawMap) hooks.drawMap(true);
  if (p.Algorithm != 0) {
    if (hooks.chooseLaunchMode) hooks.chooseLaunchMode(app.LaunchMode);
    MapView& view = app.view();
    TracerHooks tracerHooks{hooks.onCell, hooks.drawMap,
                            [&view](bool suspended) { view.suspendPicture(suspended); },
                            [&view](bool visible) { view.showMainWindow(visible); }};
    TracerRunOutcome run = RunTracerGridJob(app.tracerContext(), ui,
                                            static_cast<LaunchMode>(app.LaunchMode), tracerHooks);
    result.completed = run.completed;
    result.files = run.grids;
    if (run.completed) result.elapsedSeconds = ui.now() - run.files.startTime;
    return result;
  }

  double start = ui.now();
  bool diurno = p.Diurno;
  bool failed = false;
  // With both periods the day pass computes the night along (same paths).
  NightCarry carry;
  auto pass = [&](bool day) {
    p.Diurno = day;
    MapPassOutcome o = RunMapPass(app, ui, hooks, periods == MapPeriods::Both ? &carry : nullptr);
    if (!o.fileName.empty()) result.files.push_back(o.fileName);
    // A stop only ends its own pass; a refused pass or a file error ends the command.
    if (o.result == MapPassResult::Failed) failed = true;
  };
  if (periods != MapPeriods::Night) pass(true);
  if (!failed && periods == MapPeriods::Both) ui.pause(1.0);
  if (!failed && periods != MapPeriods::Day) pass(false);
  p.Diurno = diurno;
  if (failed) return result;

  result.elapsedSeconds = ui.now() - start;
  ui.message({"OK - Completed !", "Elapsed Time = " + ElapsedTimeText(result.elapsedSeconds),
              Buttons::Ok, Icon::Information, Answer::Ok});
  result.completed = true;
  return result;
}

MapCommandResult CmdMappa(AppState& app, Ui& ui, const MapOptionsDialog& dialog,
                          const MapHooks& hooks) {
  app.Saved = false;
  app.StopRequested = true;
  dialog(app, ui);
  if (app.StopRequested) return {};
  return MapCommand(app, ui, MapPeriods::Both, hooks);
}

}  // namespace sonvale
