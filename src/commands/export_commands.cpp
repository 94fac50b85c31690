#include "commands/export_commands.h"

#include <exception>

#include "commands/emission_commands.h"
#include "commands/file_commands.h"
#include "commands/ui_work_report.h"
#include "exchange/model_dxf_writer.h"
#include "text/translatable.h"
#include "tracer/emission_dxf.h"

namespace sonvale {
namespace {

void ShowWriteError(Ui& ui, const std::string& title, const std::exception& e) {
  ui.message(Message{title, e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
}

}  // namespace

bool CmdSalvaDxfCompleto(AppState& app, Ui& ui) {
  FileDialog d;
  d.title = "Save an Autocad DXF File";
  d.filter = "DXF file|*.DXF";
  d.initialName = app.ProjectBase + ".DXF";
  d.overwritePrompt = true;
  std::optional<std::string> name = ui.saveFile(d);
  if (!name || name->empty()) return false;
  ui.setTitle(ProjectTitle(app));
  SetStatus(ui, SV_TR("sonvale", "Sto salvando ") + *name + "...");
  try {
    WriteModelDxf(app.project, *name);
  } catch (const std::exception& e) {
    ShowWriteError(ui, d.title, e);
    return false;
  }
  SetStatus(ui, SV_TR("sonvale", "Salvataggio completato del file ") + *name);
  app.project.LastDxfFile = *name;
  return true;
}

FileDialog EmissionDxfFileDialog(const std::string& emisDxfName) {
  FileDialog d;
  d.title = SV_TR("sonvale", "Scegli il file di output (.DXF)");
  d.filter = "DXF (Autocad) file|*.DXF";
  d.initialName = emisDxfName.empty() ? "*.DXF" : emisDxfName;
  d.overwritePrompt = true;
  return d;
}

bool CmdLivelliEmissione(AppState& app, Ui& ui, const DoEmissDialog& doEmiss, Canvas* canvas) {
  app.Saved = false;
  if (!ConfirmMissingEmissions(app, ui)) return false;
  DoEmissChoices choices{app.EmissionDxfName, app.EmisAt75, app.project.Diurno};
  if (!doEmiss || !doEmiss(choices)) return false;
  // The dialog refuses an empty name; a caller without the dialog gets the same.
  if (choices.EmisDxfName.empty()) {
    ui.beep();
    return false;
  }
  app.EmissionDxfName = choices.EmisDxfName;
  app.EmisAt75 = choices.EmisAt75;
  app.project.Diurno = choices.Diurno;

  ui.setBusy(true);
  if (canvas) canvas->setBusy(true);
  bool written = true;
  try {
    UiWorkReport report(ui);
    WriteEmissionDxf(app.project, app.config, app.EmisAt75, app.EmissionDxfName, canvas, &report);
  } catch (const std::exception& e) {
    written = false;
    if (canvas) canvas->setLineWidth(1);
    ui.setBusy(false);
    ShowWriteError(ui, "Calcolo Livelli di Emissione", e);
  }
  if (canvas) {
    canvas->refresh();
    canvas->setBusy(false);
  }
  if (!written) return false;
  ui.setBusy(false);
  ui.beep();
  return true;
}

}  // namespace sonvale
