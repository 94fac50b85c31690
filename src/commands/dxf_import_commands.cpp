#include "commands/dxf_import_commands.h"

#include <optional>

#include "commands/main_menu.h"
#include "commands/room_commands.h"
#include "commands/ui_work_report.h"
#include "exchange/dxf_reader.h"
#include "exchange/row_merge.h"
#include "platform/paths.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "tracer/room_dxf_import.h"

namespace sonvale {
namespace {

// Ends an import before anything is committed: a cancelled Insert or Replace
// box (no message) or a refused row number (the message to show).
struct ImportAbandoned {
  std::string title;
  std::string text;
};

// Restores the pointer and the picture however the command ends.
class BusyPicture {
 public:
  BusyPicture(AppState& app, Ui& ui) : app_(app), ui_(ui) { app_.view().suspendPicture(true); }
  ~BusyPicture() {
    release();
    app_.view().suspendPicture(false);
  }
  void busy() {
    ui_.setBusy(true);
    busy_ = true;
  }
  void release() {
    if (busy_) ui_.setBusy(false);
    busy_ = false;
  }

 private:
  AppState& app_;
  Ui& ui_;
  bool busy_ = false;
};

const char* const kLoadTitle = "Load an Autocad DXF File";

// One import on a copy of the project, which becomes the project only when
// every reading has succeeded.
class DxfImportRun {
 public:
  DxfImportRun(AppState& app, Ui& ui, const std::string& path)
      : app_(app), ui_(ui), report_(ui), path_(path), work_(app.project) {}

  Project& work() { return work_; }

  // The Append question: asked only with no merge mode marked and entities
  // present. No overwrites from row 1; Cancel appends without marking the mode.
  template <class T>
  void askAppend(const std::string& label, EntityTable<T>& table) {
    if (!ExclusiveMode(app_).empty()) return;
    if (table.count() <= 0) {
      table.setCount(0);
      return;
    }
    Answer a = ui_.message(Message{SV_TR("sonvale", "Attenzione!"), AppendQuestionText(label),
                                   Buttons::YesNoCancel, Icon::Question, Answer::Yes});
    if (a == Answer::Yes) {
      app_.setChecked(ui_, "Append", true);
    } else if (a == Answer::No) {
      table.setCount(0);
    }
  }

  // complete: part of the complete import, which asks no separate question for
  // the plans and passes over a kind that Replace finds empty.
  void readKind(DxfKind kind, bool complete) {
    complete_ = complete;
    const Configuration& config = app_.config;
    const std::string layer = DxfKindLayer(config, kind);
    const std::string label = DxfKindLabel(config, kind);
    switch (kind) {
      case DxfKind::Strade:
        askAppend(label, work_.strade);
        readMerged(label, layer, PolylineTable::Strade, work_.strade);
        break;
      case DxfKind::Binari:
        askAppend(label, work_.binari);
        readMerged(label, layer, PolylineTable::Binari, work_.binari);
        break;
      case DxfKind::Barriere:
        askAppend(label, work_.barriere);
        readMerged(label, layer, PolylineTable::Barriere, work_.barriere);
        break;
      case DxfKind::Case:
        askAppend(label, work_.case_);
        readMerged(label, layer, PolylineTable::Case, work_.case_);
        break;
      case DxfKind::Sezioni:
        askAppend(label, work_.sezioni);
        ReadFaces(path_, layer, work_, report_);
        if (!complete) askAppend(label, work_.plans);
        readMerged(label, layer, PolylineTable::Plans, work_.plans);
        break;
      case DxfKind::Punti:
        askAppend(label, work_.punti);
        ReadCircles(path_, layer, PointTable::Punti, work_, report_);
        break;
      case DxfKind::Incroci:
        askAppend(label, work_.incroci);
        ReadCircles(path_, layer, PointTable::Incroci, work_, report_);
        break;
      case DxfKind::Sorgenti:
        askAppend(label, work_.sources);
        ReadCircles(path_, layer, PointTable::Sorgenti, work_, report_);
        break;
    }
  }

  void commit() { app_.project = std::move(work_); }

 private:
  // Reads one polyline layer with the Replace or Insert mode around it.
  template <class T>
  void readMerged(const std::string& label, const std::string& layer, PolylineTable which,
                  EntityTable<T>& table) {
    const long before = table.count();
    const bool replace = app_.isChecked("Rimpiazza");
    const bool insert = app_.isChecked("Inserisci");
    long at = 0;
    if (replace && before == 0 && complete_) {
      // Nothing to replace: whatever the drawing holds on this layer would land
      // on uncounted rows.
      SetStatus(ui_, SV_TR("sonvale", "Nessuna entità tipo ") + label +
                         SV_TR("sonvale", " da rimpiazzare: layer non letto"));
      return;
    }
    if (replace) {
      at = askRow(SV_TR("sonvale", "Funzione Rimpiazza"),
                  SV_TR("sonvale", "N. ") + label + SV_TR("sonvale", " da Rimpiazzare: "),
                  app_.DxfRoadNumber, ReplaceRange(before), label,
                  SV_TR("sonvale", " da rimpiazzare."));
      table.setCount(at - 1);
    } else if (insert) {
      at = askRow(SV_TR("sonvale", "Funzione Inserisci"),
                  SV_TR("sonvale", "N. ") + label + SV_TR("sonvale", " da Inserire: "),
                  app_.DxfInsertNumber, InsertRange(before), label,
                  SV_TR("sonvale", " da inserire."));
      app_.DxfInsertNumber = at;
    }
    DxfImportModes modes;
    modes.LimitaPlans = app_.LimitaPlans;
    modes.Accorpa = app_.Accorpa;
    modes.Riconosci = app_.Riconosci;
    modes.keepRowData = replace;
    ReadPolylines(path_, layer, which, work_, app_.config, modes, report_,
                  [this](const std::string& name) {
                    return ui_.inputBox("Minimum distance between consequential points (m):",
                                        "Data reduction on Layer: " + name, "1");
                  });
    // A replacement never changes the number of rows: what lands past the old
    // last row is not counted.
    if (replace) table.setCount(before);
    if (insert) InsertReadRows(table, before, at);
  }

  long askRow(const std::string& title, const std::string& prompt, long proposed,
              RowNumberRange range, const std::string& label, const char* nothingTo) {
    if (range.last < range.first) {
      throw ImportAbandoned{title,
                            SV_TR("sonvale", "Non ci sono entità tipo ") + label + nothingTo};
    }
    std::optional<std::string> answer = ui_.inputBox(prompt, title, PlainInteger(proposed));
    if (!answer) throw ImportAbandoned{};
    long n = RowNumberFromText(*answer);
    if (range.contains(n)) return n;
    throw ImportAbandoned{title, std::string(SV_TR("sonvale", "Numero non valido: ")) + "\"" +
                                     *answer +
                                     SV_TR("sonvale", "\". Il numero deve essere compreso tra ") +
                                     PlainInteger(range.first) + SV_TR("sonvale", " e ") +
                                     PlainInteger(range.last) + "."};
  }

  AppState& app_;
  Ui& ui_;
  UiWorkReport report_;
  const std::string& path_;
  Project work_;
  bool complete_ = false;
};

void ShowCritical(Ui& ui, const std::string& title, const std::string& text) {
  ui.message(Message{title, text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// The room-acoustics part of the complete import: the faces, openings, sources
// and receivers of the same drawing. The sources were asked about with the
// point sources.
void ImportRoomModel(DxfImportRun& run, const AppState& app, Ui& ui, const std::string& path) {
  run.askAppend("3DFACES", run.work().faces);
  run.askAppend("Receivers", run.work().receivers);
  UiWorkReport report(ui);
  WarnPointsWithoutY(ui, path, ImportRoomDxf(path, run.work(), app.config, app.ProgramDir, report));
}

}  // namespace

const char* DxfMenuItem(DxfKind kind) {
  switch (kind) {
    case DxfKind::Strade:
      return "openDXFstrade";
    case DxfKind::Binari:
      return "openDXFbinari";
    case DxfKind::Barriere:
      return "openDXFbarriere";
    case DxfKind::Case:
      return "openDXFcase";
    case DxfKind::Sezioni:
      return "openDXFsezioni";
    case DxfKind::Punti:
      return "openDXFpunti";
    case DxfKind::Incroci:
      return "openDXFincroci";
    case DxfKind::Sorgenti:
      return "OpenDXFsorgenti";
  }
  return "";
}

std::string DxfKindLabel(const Configuration& config, DxfKind kind) {
  return kind == DxfKind::Sorgenti ? std::string("Sources") : DxfKindLayer(config, kind);
}

std::string DxfKindLayer(const Configuration& config, DxfKind kind) {
  switch (kind) {
    case DxfKind::Strade:
      return config.LayerStrade;
    case DxfKind::Binari:
      return config.LayerBinari;
    case DxfKind::Barriere:
      return config.LayerBarriere;
    case DxfKind::Case:
      return config.LayerCase;
    case DxfKind::Sezioni:
      return config.LayerSezioni;
    case DxfKind::Punti:
      return config.LayerPunti;
    case DxfKind::Incroci:
      return config.LayerIncroci;
    case DxfKind::Sorgenti:
      return config.LayerSorgenti;
  }
  return {};
}

std::string AppendQuestionText(const std::string& label) {
  return SV_TR("sonvale",
               "La modalita' \"Appendi\" non è selezionata, ma esistono già in memoria delle "
               "entità tipo ") +
         label +
         SV_TR(
             "sonvale",
             ": esse verranno sovrascritte.\rSeleziono automaticamente la modalita'\"Appendi\" ?");
}

long RoadNumberFromFileName(const std::string& path, long previous) {
  const std::string name = FileNameOnly(path);
  const size_t dot = name.find('.');
  // The search for the "-" starts five characters before the dot (counting from 1).
  if (dot == std::string::npos || dot + 1 < 6) return previous;
  const size_t from = dot + 1 - 6;
  const size_t dash = name.find('-', from);
  std::string digits = dash != std::string::npos && dash < dot
                           ? name.substr(dash + 1, dot - dash - 1)
                           : name.substr(0, dot);
  return RowNumberFromText(digits);
}

bool ImportDxfFile(AppState& app, Ui& ui, const std::string& path,
                   const DxfImportRequest& request) {
  BusyPicture guard(app, ui);
  guard.busy();
  const bool roadsOnly =
      !request.complete && request.kinds.size() == 1 && request.kinds.front() == DxfKind::Strade;
  if (roadsOnly) {
    app.DxfRoadNumber = RoadNumberFromFileName(path, app.DxfRoadNumber);
    SetStatus(ui, SV_TR("sonvale", "Sto decodificando ") + path +
                      SV_TR("sonvale", " - Strada n. ") + PlainInteger(app.DxfRoadNumber));
  } else {
    SetStatus(ui, SV_TR("sonvale", "Sto decodificando ") + path + "...");
  }

  DxfImportRun run(app, ui, path);
  Project& work = run.work();
  std::string projectBase = app.ProjectBase;
  try {
    work.LastDxfFile = path;
    if (request.complete) {
      if (work.ProjectFileName.empty()) {
        projectBase = BaseNameUpToFirstDot(path);
        work.ProjectFileName = projectBase + ".svp";
      }
      work.extent = Extent{};
      for (DxfKind kind : kAllDxfKinds) run.readKind(kind, true);
      ImportRoomModel(run, app, ui, path);
    } else {
      for (DxfKind kind : request.kinds) run.readKind(kind, false);
    }
  } catch (const ImportAbandoned& a) {
    guard.release();
    if (!a.text.empty()) ShowCritical(ui, a.title, a.text);
    return false;
  } catch (const FormatError& e) {
    guard.release();
    ShowCritical(ui, ProgramTitle(),
                 SV_TR("sonvale", "Importazione DXF non riuscita: ") + std::string(e.what()));
    return false;
  } catch (const FileError& e) {
    guard.release();
    ShowCritical(ui, ProgramTitle(),
                 SV_TR("sonvale", "Importazione DXF non riuscita: ") + std::string(e.what()));
    return false;
  } catch (const CapacityError& e) {
    guard.release();
    ShowCritical(ui, ProgramTitle(),
                 SV_TR("sonvale", "Importazione DXF non riuscita: ") + std::string(e.what()));
    return false;
  }

  work.EmissioniOK = false;
  // An import that found nothing leaves the view where it was rather than on an
  // empty extent.
  if (!work.extent.isEmpty()) {
    work.View = ViewWindow{work.extent.Xmin, work.extent.Ymin, work.extent.Xmax, work.extent.Ymax};
  }
  run.commit();
  app.ProjectBase = projectBase;
  app.view().drawMap(true);
  guard.release();

  const Project& p = app.project;
  if (request.complete) {
    app.setChecked(ui, kDxfCompleteItem, true);
    if (p.strade.count() > 0 || p.binari.count() > 0 || p.sources.count() > 0) {
      app.setEnabled(ui, "Calcolo", true);
    }
  } else {
    for (DxfKind kind : request.kinds) {
      app.setChecked(ui, DxfMenuItem(kind), true);
      if ((kind == DxfKind::Strade && p.strade.count() > 0) ||
          (kind == DxfKind::Binari && p.binari.count() > 0) ||
          (kind == DxfKind::Sorgenti && p.sources.count() > 0)) {
        app.setEnabled(ui, "Calcolo", true);
      }
    }
  }
  app.Saved = false;
  if (request.complete) ui.beep();
  return true;
}

void CmdOpenDXF(AppState& app, Ui& ui) {
  std::optional<std::string> path;
  {
    BusyPicture guard(app, ui);
    path = ui.openFile(FileDialog{kLoadTitle, "DXF file|*.DXF", "*.DXF", true, false});
  }
  if (!path || path->empty()) return;
  ImportDxfFile(app, ui, *path, DxfImportRequest{true, {}});
}

void CmdOpenDXFKind(AppState& app, Ui& ui, DxfKind kind) {
  const std::string title =
      kind == DxfKind::Sezioni
          ? std::string(kLoadTitle)
          : "Import an Autocad DXF File - Searching for " + DxfKindLayer(app.config, kind);
  std::optional<std::string> path;
  {
    BusyPicture guard(app, ui);
    path = ui.openFile(FileDialog{title, "DXF file|*.DXF", "*.DXF", true, false});
  }
  if (!path || path->empty()) return;
  ImportDxfFile(app, ui, *path, DxfImportRequest{false, {kind}});
}

}  // namespace sonvale
