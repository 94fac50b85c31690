#include "commands/file_commands.h"

#include <cmath>

#include "commands/emission_commands.h"
#include "commands/project_crs.h"
#include "emission/emission_update.h"
#include "platform/paths.h"
#include "project/project_file.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

void ClearFileNames(AppState& app) {
  app.project.ProjectFileName.clear();
  app.project.GrdName.clear();
  app.project.FileAltimetria.clear();
  app.project.LastDxfFile.clear();
  app.RayFileName.clear();
  app.EmissionDxfName.clear();
}

void ShowAllLayers(AppState& app) { app.layers = AllLayersShown(); }

void ClearImportMarks(AppState& app, Ui& ui) {
  for (const char* item : kDxfImportItems) app.setChecked(ui, item, false);
}

void ShowError(Ui& ui, const std::string& text) {
  ui.message(Message{ProgramTitle(), text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// Asks "Vuoi salvare il file ... ?"; false when the user cancelled or a save
// that was asked for did not happen.
bool OfferToSave(AppState& app, Ui& ui) {
  if (app.Saved) return true;
  Answer a = ui.message(
      Message{ProgramTitle(),
              SV_TR("sonvale", "Vuoi salvare il file ") + app.project.ProjectFileName + " ?",
              Buttons::YesNoCancel, Icon::Warning, Answer::Yes});
  if (a == Answer::Cancel) return false;
  if (a == Answer::Yes) return CmdSalvaSvp(app, ui);
  return true;
}

}  // namespace

std::string ProjectTitle(const Document& doc) {
  return ProgramTitle() + " - " + FileNameOnly(doc.project.ProjectFileName);
}

long AskYear(Ui& ui, const std::string& defaultText) {
  std::optional<std::string> answer = ui.inputBox(kYearPrompt, ProgramTitle(), defaultText);
  double v = LeadingNumber(answer.value_or(""));
  if (!std::isfinite(v) || std::fabs(v) > 1e9) return 0;
  return static_cast<long>(std::trunc(v));
}

void ReadProjectInto(AppState& app, Ui& ui, const std::string& path) {
  Project fresh = app.project;
  ReadResult result = ReadProjectFile(path, fresh);
  for (int i = 0; i < result.unknownKeywords * 3; ++i) ui.beep();
  app.project = std::move(fresh);
  app.view().clearPicture();
  if (result.yearMissing) {
    app.project.Anno = 2008;
    app.project.Anno = AskYear(ui, ShowNumber(2008));
  }
  UpdateEmissions(app.project, app.config, app.tables);
}

bool LoadProject(AppState& app, Ui& ui, const std::string& path) {
  ui.setBusy(true);
  try {
    ReadProjectInto(app, ui, path);
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ShowError(ui, std::string(SV_TR("sonvale", "Impossibile leggere il progetto: ")) + e.what());
    return false;
  }
  ui.setBusy(false);
  SetStatus(ui, "Loaded OK! ");
  return true;
}

bool SaveProject(AppState& app, Ui& ui, const std::string& path) {
  SetStatus(ui, "Saving " + path + " ...");
  ui.setBusy(true);
  if (!ConfirmMissingEmissions(app, ui)) {
    ui.setBusy(false);
    return false;
  }
  try {
    WriteProjectFile(app.project, path);
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ShowError(ui, std::string(SV_TR("sonvale", "Impossibile salvare il progetto: ")) + e.what());
    return false;
  }
  ui.setBusy(false);
  SetStatus(ui, "Saved OK! ");
  return true;
}

void CmdNuovo(AppState& app, Ui& ui) {
  app.project.Reset();
  ClearImportMarks(app, ui);
  app.view().clearPicture();
  ui.setTitle(ProgramTitle());
  ClearFileNames(app);
  ShowAllLayers(app);
  app.project.Anno = AskYear(ui, ShowNumber(static_cast<double>(app.project.Anno)));
  app.setEnabled(ui, "Calcolo", false);
  app.project.Algorithm = 1;
}

void CmdApriSvp(AppState& app, Ui& ui) {
  if (!OfferToSave(app, ui)) return;
  std::optional<std::string> path =
      ui.openFile(FileDialog{"Load a Sonvale SVP File", "SVP file|*.SVP", "*.SVP", true, false});
  if (!path || path->empty()) return;
  OpenProjectFile(app, ui, *path);
}

void CmdApriRecente(AppState& app, Ui& ui, const std::string& path) {
  if (!OfferToSave(app, ui)) return;
  OpenProjectFile(app, ui, path);
}

void OpenProjectFile(AppState& app, Ui& ui, const std::string& path) {
  // Read first, so that a file that cannot be read changes nothing at all.
  AppState trial = app;
  ClearFileNames(trial);
  ShowAllLayers(trial);
  trial.project.ProjectFileName = path;
  trial.ProjectBase = BaseNameUpToFirstDot(path);
  SetStatus(ui, SV_TR("sonvale", "Sto leggendo ") + path + "...");
  trial.project.extent = Extent{};
  trial.project.clearCounts();
  if (!LoadProject(trial, ui, path)) return;

  app = std::move(trial);
  ui.setTitle(ProjectTitle(app));
  ClearImportMarks(app, ui);
  app.Saved = true;
  app.setEnabled(ui, "Calcolo", true);
  const Extent& e = app.project.extent;
  app.project.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  app.view().drawMap(true);
}

bool CmdSalvaSvp(AppState& app, Ui& ui) {
  app.view().suspendPicture(true);
  std::optional<std::string> path = ui.saveFile(FileDialog{
      "Save a Sonvale SVP File", "Sonvale (.SVP)|*.SVP", app.project.ProjectFileName, false, true});
  app.view().suspendPicture(false);
  if (!path || path->empty()) return false;

  ShowAllLayers(app);
  SetStatus(ui, SV_TR("sonvale", "Sto salvando ") + *path + "...");
  if (!SaveProject(app, ui, *path)) return false;
  if (!CarrySideFile(app.project.ProjectFileName, *path)) {
    ShowError(ui, SV_TR("sonvale", "Impossibile scrivere ") + SideFilePath(*path));
  }
  app.project.ProjectFileName = *path;
  app.ProjectBase = BaseNameUpToFirstDot(*path);
  ui.setTitle(ProjectTitle(app));
  app.Saved = true;
  return true;
}

bool CmdClose(AppState& app, Ui& ui) { return OfferToSave(app, ui); }

}  // namespace sonvale
