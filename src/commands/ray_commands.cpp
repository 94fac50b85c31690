#include "commands/ray_commands.h"

#include "commands/ui_work_report.h"
#include "platform/paths.h"
#include "text/translatable.h"
#include "tracer/ray_file.h"
#include "tracer/spk_writer.h"

namespace sonvale {
namespace {

void ShowError(Ui& ui, const std::string& text) {
  ui.message(Message{ProgramTitle(), text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

std::string ProposedName(const AppState& app) {
  const std::string& from =
      !app.project.ProjectFileName.empty() ? app.project.ProjectFileName : app.project.LastDxfFile;
  if (from.size() < 3) return {};
  return from.substr(0, from.size() - 3) + "RAY";
}

}  // namespace

bool ReadRayInto(AppState& app, Ui& ui, const std::string& path) {
  AppState trial = app;
  trial.RayFileName = path;
  const bool noProject = trial.project.ProjectFileName.empty();
  if (noProject) trial.ProjectBase = BaseNameUpToFirstDot(path);
  SetStatus(ui, SV_TR("sonvale", "Sto leggendo ") + path + "...");
  ui.setBusy(true);
  bool read = false;
  try {
    read = ReadRay(path, trial.project, trial.Section);
  } catch (...) {
    ui.setBusy(false);
    throw;
  }
  if (!read) {
    ui.setBusy(false);
    return false;
  }
  // A RAY model replaces the traffic model.
  trial.project.strade.setCount(0);
  trial.project.binari.setCount(0);
  const Extent& e = trial.project.extent;
  if (!e.isEmpty()) trial.project.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  app = std::move(trial);
  if (noProject) ui.setTitle(ProgramTitle() + " - " + FileNameOnly(path));
  app.view().drawMap(true);
  ui.setBusy(false);
  SetStatus(ui, SV_TR("sonvale", "Lettura file .RAY terminata - OK"));
  return true;
}

void CmdApriRay(AppState& app, Ui& ui) {
  std::string initial = app.config.RayDir.empty() ? "*.RAY" : JoinPath(app.config.RayDir, "*.RAY");
  std::optional<std::string> path =
      ui.openFile(FileDialog{kRayOpenTitle, "RAY file|*.RAY", initial, true, false});
  if (!path || path->empty()) return;
  try {
    ReadRayInto(app, ui, *path);
  } catch (const std::exception& e) {
    ShowError(ui, std::string(SV_TR("sonvale", "Impossibile leggere il file .RAY: ")) + e.what());
  }
}

bool CanSaveRay(const Project& p) {
  return !p.strade.empty() || !p.binari.empty() || !p.sources.empty();
}

RayChoices ProposeRayOptions(const AppState& app) {
  RayChoices o;
  o.RayFile = app.RayFileName.empty() ? ProposedName(app) : app.RayFileName;
  o.RecMode = app.RecMode >= 0 && app.RecMode <= 2 ? app.RecMode : 0;
  const Extent& e = app.project.extent;
  if (!e.isEmpty())
    o.Section = SectionLine{e.Xmin, e.Ymin, 4, e.Xmax, e.Ymax, 4};
  else
    o.Section = SectionLine{0, 0, 4, 0, 0, 4};
  o.NdivX = app.project.NdivX;
  o.NdivY = app.project.NdivY;
  o.Diurno = app.project.Diurno;
  return o;
}

std::string CompleteRayName(std::string_view typed) {
  std::string name(typed);
  if (name.empty()) return name;
  // Only the file's own name counts: a point in a folder name ("/home/anna.rossi/")
  // is no extension.
  const size_t slash = name.find_last_of("/\\");
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (name.find('.', start + 1) == std::string::npos) name += ".RAY";
  return name;
}

void WriteRayFiles(AppState& app, Ui& ui, const RayChoices& options) {
  app.RayFileName = options.RayFile;
  app.RecMode = options.RecMode;
  app.Section = options.Section;
  app.project.NdivX = options.NdivX;
  app.project.NdivY = options.NdivY;
  app.project.Diurno = options.Diurno;
  const std::string& file = app.RayFileName;
  ui.setBusy(true);
  SetStatus(ui, SV_TR("sonvale", "Sto Salvando ") + file + " ...");
  try {
    // Refusals come before any file is written, so that a refused save leaves
    // no SPK files behind.
    CheckRayWritable(app.project, app.config, app.Section, app.RecMode);
    UiWorkReport report(ui);
    WriteSpkFiles(file, app.project, app.config, app.tables, report);
    WriteRay(file, app.project, app.config, app.Section, app.RecMode);
  } catch (...) {
    ui.setBusy(false);
    throw;
  }
  ui.setBusy(false);
  SetStatus(ui, SV_TR("sonvale", "Salvataggio file .RAY terminato - OK"));
  app.view().suspendPicture(false);
}

bool CmdSalvaRay(AppState& app, Ui& ui, const RayChoices& options) {
  if (!CanSaveRay(app.project) || options.cancelled || options.RayFile.empty()) return false;
  try {
    WriteRayFiles(app, ui, options);
  } catch (const std::exception& e) {
    ShowError(ui, std::string(SV_TR("sonvale", "Impossibile salvare il file .RAY: ")) + e.what());
    return false;
  }
  return true;
}

bool CmdSalvaRay(AppState& app, Ui& ui, const ShowRayOptions& dialog) {
  if (!CanSaveRay(app.project)) return false;
  RayChoices choices = ProposeRayOptions(app);
  if (dialog) dialog(choices);
  return CmdSalvaRay(app, ui, choices);
}

}  // namespace sonvale
