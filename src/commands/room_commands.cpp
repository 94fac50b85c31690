#include "commands/room_commands.h"

#include <exception>

#include "commands/ui_work_report.h"
#include "platform/paths.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "tracer/grd_pack.h"
#include "tracer/room_dxf_import.h"

namespace sonvale {
namespace {

const char* const kQuote = "\"";

void ShowCritical(Ui& ui, const std::string& text) {
  ui.message(Message{ProgramTitle(), text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// The question asked before a drawing import adds to a table that already holds
// rows while no merge mode is chosen. No empties the table (its rows stay in
// their slots), Cancel appends without choosing a mode.
template <class T>
void AskAppend(AppState& app, Ui& ui, const std::string& label, EntityTable<T>& table) {
  if (app.isChecked("Append") || app.isChecked("Inserisci") || app.isChecked("Rimpiazza")) return;
  if (table.count() <= 0) {
    table.setCount(0);
    return;
  }
  const std::string text = std::string("La modalita' ") + kQuote + "Appendi" + kQuote +
                           " non è selezionata, ma esistono già in memoria delle entità tipo " +
                           label + ": esse verranno sovrascritte.\r" +
                           SV_TR("sonvale", "Seleziono automaticamente la modalita'") + kQuote +
                           "Appendi" + kQuote + " ?";
  const Answer a = ui.message(Message{SV_TR("sonvale", "Attenzione!"), text, Buttons::YesNoCancel,
                                      Icon::Question, Answer::Yes});
  if (a == Answer::Yes) {
    app.setChecked(ui, "Append", true);
  } else if (a == Answer::No) {
    table.setCount(0);
  }
}

class BusyPointer {
 public:
  explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
  ~BusyPointer() { ui_.setBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Ui& ui_;
};

}  // namespace

void CmdImportaDxfEchoray(AppState& app, Ui& ui) {
  std::optional<std::string> path =
      ui.openFile(FileDialog{"Import an Autocad DXF File - Searching for Conetrak entities",
                             "DXF file|*.DXF", "*.DXF", true, false});
  if (!path || path->empty()) return;
  ImportRoomDxfInto(app, ui, *path);
}

bool ImportRoomDxfInto(AppState& app, Ui& ui, const std::string& path) {
  Project& p = app.project;
  p.LastDxfFile = path;
  if (p.ProjectFileName.empty()) {
    app.ProjectBase = BaseNameUpToFirstDot(path);
    p.ProjectFileName = app.ProjectBase + ".svp";
  }
  SetStatus(ui, SV_TR("sonvale", "Sto decodificando ") + path + "...");
  RoomImportCounts counts;
  {
    BusyPointer busy(ui);
    // The questions may empty tables; a failed import must give their rows back.
    const long faces = p.faces.count(), sources = p.sources.count(),
               receivers = p.receivers.count();
    try {
      AskAppend(app, ui, "3DFACES", p.faces);
      AskAppend(app, ui, "Sources", p.sources);
      AskAppend(app, ui, "Receivers", p.receivers);
      UiWorkReport report(ui);
      counts = ImportRoomDxf(p.LastDxfFile, p, app.config, app.ProgramDir, report);
    } catch (const std::exception& e) {
      p.faces.setCount(faces);
      p.sources.setCount(sources);
      p.receivers.setCount(receivers);
      ShowCritical(ui, std::string(SV_TR("sonvale", "Importazione DXF non riuscita: ")) + e.what());
      return false;
    }
    p.EmissioniOK = false;
    app.Saved = false;
    if (!p.extent.isEmpty())
      p.View = ViewWindow{p.extent.Xmin, p.extent.Ymin, p.extent.Xmax, p.extent.Ymax};
    app.view().drawMap(true);
  }
  app.setChecked(ui, kRoomDxfMenuItem, true);
  WarnPointsWithoutY(ui, path, counts);
  return true;
}

void WarnPointsWithoutY(Ui& ui, const std::string& path, const RoomImportCounts& counts) {
  if (counts.pointsWithoutY == 0) return;
  const std::string text =
      path + ":" + PlainInteger(counts.firstPointWithoutY) + ": " +
      (counts.pointsWithoutY == 1
           ? std::string(SV_TR("sonvale", "un punto senza la sua coordinata Y non è stato usato"))
           : PlainInteger(counts.pointsWithoutY) +
                 SV_TR("sonvale",
                       " punti senza la loro coordinata Y non sono stati usati (il primo a "
                       "questa riga)"));
  ui.message(
      Message{SV_TR("sonvale", "Attenzione!"), text, Buttons::Ok, Icon::Warning, Answer::Ok});
}

bool CmdPackGrd(AppState& app, Ui& ui) {
  FileDialog d{"Load a 6 GRD Files", "GRD file|*.GRD", "*.GRD", true, true};
  std::optional<std::string> name = ui.openFile(d);
  if (!name || name->empty()) return false;
  // GrdName becomes the packed grid's name once it is written; a refused or failed
  // packing leaves it as it was.
  if (!PackGrdNames(*name)) {
    ui.message(Message{SV_TR("sonvale", "Attenzione!"), FileNameOnly(*name) + ": " + kPackNeeds01,
                       Buttons::Ok, Icon::Warning, Answer::Ok});
    return false;
  }
  SetStatus(ui, SV_TR("sonvale", "Sto leggendo ") + *name + "...");
  BusyPointer busy(ui);
  try {
    PackGrd(*name, app.project);
  } catch (const std::exception& e) {
    ShowCritical(ui, std::string(SV_TR("sonvale", "Pack 6 GRD files non riuscito: ")) + e.what());
    return false;
  }
  return true;
}

}  // namespace sonvale
