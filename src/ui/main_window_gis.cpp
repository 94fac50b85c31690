// The GIS entries of the main window's menus and the GIS outputs of a map run:
// each opens its dialog and hands the form to the command of src/commands.
#include "commands/gis_menu_commands.h"
#include "commands/project_crs.h"
#include "ui/importa_gis.h"
#include "ui/main_window.h"
#include "ui/operazioni_mappe.h"
#include "view/cell_painter.h"

namespace sonvale {

void Sonvale::bindGisCommands() {
  on(kGisImportItem, [this] {
    CmdImportaGis(app_, ui_, [this](GisImportForm& form, const GisModule& gis) {
      return ImportaGis(form, gis, ui_, this).exec() == QDialog::Accepted;
    });
  });
  on(kGisExportItem, [this] { CmdEsportaGisMenu(app_, ui_); });
  on(kProjectCrsItem, [this] { CmdSistemaRiferimentoMenu(app_, ui_); });
  on(kGridCalcItem, [this] {
    CmdOperazioniMappe(
        ui_,
        [this](GridCalcForm& form) {
          return OperazioniMappe(form, ui_, this).exec() == QDialog::Accepted;
        },
        [this](const GridData& grid) { showGrid(grid); });
  });
}

void Sonvale::writeMapGisOutputs(const std::vector<std::string>& grids) {
  if (!mapGis_.geotiff && !mapGis_.isophones) return;
  const GisModule* gis = GisOrMessage(ui_);
  if (!gis) return;
  std::string crs;
  try {
    crs = ProjectCrsWkt(app_.project.ProjectFileName, *gis);
  } catch (const std::exception& e) {
    ui_.message({ProgramTitle(), e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
    return;
  }
  WriteMapGisOutputs(mapGis_, grids, crs, ui_, *gis);
}

void Sonvale::showGrid(const GridData& grid) {
  map_->clearPicture();
  map_->paintOver([&grid](Canvas& canvas) { PaintGridLevels(canvas, grid); });
  map_->drawMap(false);
}

}  // namespace sonvale
