#include "commands/gis_menu_commands.h"

#include "commands/gis_export_command.h"
#include "commands/project_crs.h"

namespace sonvale {

const GisModule* GisOrMessage(Ui& ui) {
  try {
    return &Gis();
  } catch (const GisModuleError& e) {
    ui.message(Message{ProgramTitle(), e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
    return nullptr;
  }
}

bool CmdImportaGis(AppState& app, Ui& ui, const GisImportDialog& dialog) {
  const GisModule* gis = GisOrMessage(ui);
  if (!gis) return false;
  std::optional<int> crs;
  try {
    if (!app.project.ProjectFileName.empty()) crs = ReadProjectCrs(app.project.ProjectFileName);
  } catch (const FormatError&) {
    // A side file at fault is mended by "Sistema di riferimento"; the form starts without.
  }
  GisImportForm form = NewGisImportForm(crs);
  if (!dialog(form, *gis)) return false;
  GisImportChoice choice = GisImportFormOptions(form, app.project, *gis);
  if (!choice.options) {
    ui.message(Message{choice.title, choice.problem, Buttons::Ok, Icon::Critical, Answer::Ok});
    return false;
  }
  if (!ImportGisIntoProject(app.project, ui, *gis, form.source, *choice.options)) return false;
  app.Saved = false;
  app.view().drawMap(true);
  const Project& p = app.project;
  if (p.strade.count() > 0 || p.binari.count() > 0 || p.sources.count() > 0) {
    app.setEnabled(ui, "Calcolo", true);
  }
  return true;
}

void CmdEsportaGisMenu(AppState& app, Ui& ui) {
  if (const GisModule* gis = GisOrMessage(ui)) {
    CmdEsportaGis(app.project, app.config, app.tables, ui, *gis);
  }
}

void CmdSistemaRiferimentoMenu(AppState& app, Ui& ui) {
  if (const GisModule* gis = GisOrMessage(ui)) {
    CmdSistemaRiferimento(app.project.ProjectFileName, ui, *gis);
  }
}

bool CmdOperazioniMappe(Ui& ui, const GridCalcDialog& dialog,
                        const std::function<void(const GridData&)>& show) {
  GridCalcForm form;
  if (!dialog(form)) return false;
  std::optional<GridData> grid = RunGridCalc(form, ui);
  if (!grid) return false;
  if (show) show(*grid);
  return true;
}

}  // namespace sonvale
