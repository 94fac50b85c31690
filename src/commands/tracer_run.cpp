#include "commands/tracer_run.h"

#include <sys/stat.h>

#include <cstdio>
#include <exception>
#include <filesystem>

#include "commands/map_command.h"
#include "commands/ui_work_report.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "tracer/den_reader.h"
#include "tracer/tracer_grid.h"

namespace sonvale {
namespace {

std::string CurrentDir() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : p.string();
}

void ShowError(Ui& ui, const std::string& text) {
  ui.message({"Error!", text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// Writes the job files, reporting a refusal or a write error; nullopt then.
std::optional<TracerJobFiles> WriteJob(const TracerContext& tc, Ui& ui, bool pointsMode,
                                       ReceiverSet set) {
  try {
    return WriteTracerJob(tc, pointsMode, set, CurrentDir(), ui.now());
  } catch (const TracerJobRefused& e) {
    ui.message({"Attenzione!", e.what(), Buttons::Ok, Icon::Warning, Answer::Ok});
  } catch (const std::exception& e) {
    ShowError(ui, e.what());
  }
  return std::nullopt;
}

std::string ShellStatus(const TracerJobFiles& files) { return "shell beamrun.exe " + files.job; }

// Waits for the tracer; reports a run that could not be watched, timed out or
// failed. True when it ended with status 0.
bool WaitForTracer(const TracerContext& tc, Ui& ui, const TracerJobFiles& files, bool hideWindow,
                   const TracerHooks& hooks, long long timeoutMs,
                   const std::function<void(double)>& waiting = {}) {
  if (hideWindow && hooks.showMainWindow) hooks.showMainWindow(false);
  const double start = ui.now();
  WaitResult w = RunAndWait(TracerCommand(tc, files), timeoutMs, [&ui, &waiting, start] {
    if (waiting) waiting(ui.now() - start);
    ui.processEvents();
  });
  if (hideWindow && hooks.showMainWindow) hooks.showMainWindow(true);
  if (!w.ended) {
    ui.message({"Beamrun", w.message, Buttons::Ok, Icon::Warning, Answer::Ok});
    return false;
  }
  if (w.exitCode != 0) {
    ShowError(ui, SV_TR("sonvale", "Beamrun è terminato con il codice di uscita") +
                      ShowNumber(static_cast<double>(w.exitCode)) +
                      SV_TR("sonvale", ": i risultati non sono stati letti e i file ") + files.job +
                      SV_TR("sonvale", " e ") + files.model +
                      SV_TR("sonvale", " sono stati conservati"));
    return false;
  }
  return true;
}

void Remove(const std::string& path) { std::remove(path.c_str()); }

}  // namespace

TracerRunOutcome RunTracerGridJob(const TracerContext& tc, Ui& ui, LaunchMode mode,
                                  const TracerHooks& hooks, long long timeoutMs) {
  TracerRunOutcome out;
  std::optional<TracerJobFiles> files = WriteJob(tc, ui, false, ReceiverSet::Punti);
  if (!files) return out;
  out.written = true;
  out.files = *files;
  const Project& p = tc.project;

  switch (mode) {
    case LaunchMode::Background: {
      SetStatus(ui, ShellStatus(out.files));
      std::string error;
      if (StartDetached(TracerCommand(tc, out.files), &error)) {
        out.started = true;
      } else {
        ShowError(ui, SV_TR("sonvale", "Impossibile avviare Beamrun: ") + error);
      }
      return out;
    }
    case LaunchMode::Script: {
      const std::string vbs = out.files.base + ".vbs";
      const std::string sh = out.files.base + ".sh";
      try {
        WriteFileAtomically(vbs, LaunchScriptVbs(tc.programDir, out.files.job));
        WriteFileAtomically(sh,
                            LaunchScriptSh(TracerProgramOrDefault(tc.programDir), out.files.job));
        if (chmod(sh.c_str(), 0755) != 0) throw FileError(sh, "cannot make the script executable");
      } catch (const std::exception& e) {
        ShowError(ui, e.what());
        return out;
      }
      out.scripts = {vbs, sh};
      ui.message({"VBS creato!", FileNameOnly(vbs), Buttons::Ok, Icon::None, Answer::Ok});
      return out;
    }
    case LaunchMode::Wait:
    case LaunchMode::WaitAndShow:
      break;
    default:
      return out;
  }

  ui.setBusy(true);
  SetStatus(ui, ShellStatus(out.files));
  out.started = true;
  if (!WaitForTracer(tc, ui, out.files, true, hooks, timeoutMs)) {
    ui.setBusy(false);
    return out;
  }
  ui.message({"OK - Completed !",
              "Elapsed Time = " + ElapsedTimeText(ui.now() - out.files.startTime), Buttons::Ok,
              Icon::Information, Answer::Ok});
  out.completed = true;
  if (mode == LaunchMode::WaitAndShow) {
    const bool draw = p.ModoMappatura != MappingMode::Section;
    TracerGridHooks gridHooks{hooks.onCell, hooks.suspendPicture};
    const std::string day = out.files.base + "_d.grd";
    const std::string night = out.files.base + "_n.grd";
    UiWorkReport report(ui);
    if (LoadTracerGrid(day, draw, tc.config.FondoDiurno, report, gridHooks).loaded)
      out.grids.push_back(day);
    if (draw) ui.pause(1.0);
    if (LoadTracerGrid(night, draw, tc.config.FondoNotturno, report, gridHooks).loaded)
      out.grids.push_back(night);
    if (hooks.drawMap) hooks.drawMap(false);
  }
  Remove(out.files.base + "_e.grd");
  DeleteTracerInputs(out.files);
  ui.setBusy(false);
  return out;
}

std::optional<std::vector<std::string>> RunTracerPointJob(
    const TracerContext& tc, Ui& ui, ReceiverSet set, PointResults& results, long long timeoutMs,
    const std::function<void(double)>& waiting) {
  std::optional<TracerJobFiles> files = WriteJob(tc, ui, true, set);
  if (!files) return std::nullopt;
  ui.setBusy(true);
  bool ok = WaitForTracer(tc, ui, *files, false, {}, timeoutMs, waiting);
  ui.setBusy(false);
  if (!ok) return std::nullopt;
  DeleteTracerInputs(*files);
  UiWorkReport report(ui);
  DenOutcome den = DenReader(tc.project, set, files->base + ".den", results, report);
  return den.lines;
}

}  // namespace sonvale
