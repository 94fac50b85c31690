// The GIS entries of the menus: "Importa layer GIS...", "Esporta GIS...",
// "Sistema di riferimento (EPSG)..." in "Importa-Esporta" and "Operazioni su
// mappe (.GRD)..." in "Calcolo". Each loads the GIS module on first use (a
// module that cannot be loaded is reported in a message box), lets its dialog
// fill the form and runs the command of its own file on the parts of the state
// it needs.
#pragma once

#include <functional>

#include "commands/app_state.h"
#include "commands/gis_import_dialog.h"
#include "commands/grid_calc_dialog.h"
#include "platform/ui.h"

namespace sonvale {

// The menu item names.
inline const char* const kGisImportItem = "ImportGIS";
inline const char* const kGisExportItem = "ExportGIS";
inline const char* const kProjectCrsItem = "CrsProgetto";
inline const char* const kGridCalcItem = "GridCalc";

// The module, or nothing when it cannot be loaded (the reason shown).
const GisModule* GisOrMessage(Ui& ui);

// The dialog edits the form and returns true on "OK - Importa".
using GisImportDialog = std::function<bool(GisImportForm& form, const GisModule& gis)>;
// The import lands in the project as a drawing import does: marked unsaved,
// redrawn, "Calcolo" enabled when roads, tracks or sources are present.
bool CmdImportaGis(AppState& app, Ui& ui, const GisImportDialog& dialog);
void CmdEsportaGisMenu(AppState& app, Ui& ui);
void CmdSistemaRiferimentoMenu(AppState& app, Ui& ui);

// The dialog edits the form and returns true on "OK - Esegui". The new grid is
// shown with show (the window paints its levels under the model).
using GridCalcDialog = std::function<bool(GridCalcForm& form)>;
bool CmdOperazioniMappe(Ui& ui, const GridCalcDialog& dialog,
                        const std::function<void(const GridData&)>& show);

}  // namespace sonvale
