#include "commands/map_command.h"

#include <cmath>

#include "commands/emission_commands.h"
#include "propagation/grid_file.h"
#include "text/number_text.h"
#include "tracer/launcher.h"

namespace sonvale {

MapPassOutcome RunMapPass(AppState& app, Ui& ui, const MapHooks& hooks) {
  MapPassInputs in{app.project, app.config, app.tables, app.Grid, app.Section, app.StopRequested};
  in.engineKind = app.engine.kind;
  in.threads = app.engine.threads;
  in.tile = app.engine.tile;
  return MapPass(in, app.project.Diurno, ui, hooks);
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
    if (app.chooseLaunchMode) app.chooseLaunchMode(app.LaunchMode);
    TracerHooks tracerHooks{hooks.onCell, hooks.drawMap, app.suspendPicture, app.showMainWindow};
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
  auto pass = [&](bool day) {
    p.Diurno = day;
    MapPassOutcome o = RunMapPass(app, ui, hooks);
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
