#include "commands/csv_commands.h"

#include <cmath>
#include <exception>
#include <utility>

#include "commands/file_commands.h"
#include "emission/emission_update.h"
#include "exchange/csv_nodes_arcs.h"
#include "exchange/csv_points.h"
#include "exchange/csv_streets.h"
#include "exchange/csv_traffic.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

constexpr double kPercentTolerance = 0.01;

// Restores the pointer however the reading ends.
class BusyPointer {
 public:
  explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
  ~BusyPointer() { release(); }
  void release() {
    if (busy_) ui_.setBusy(false);
    busy_ = false;
  }

 private:
  Ui& ui_;
  bool busy_ = true;
};

std::optional<std::string> AskCsvFile(AppState& app, Ui& ui, const std::string& title) {
  app.view().suspendPicture(true);
  std::optional<std::string> path =
      ui.openFile(FileDialog{title, "CSV file|*.CSV", "*.CSV", true, false});
  app.view().suspendPicture(false);
  if (!path || path->empty()) return std::nullopt;
  return path;
}

const char* const kCsvTitle = "Import an Excel CSV File";

void ShowCritical(Ui& ui, const std::string& title, const std::string& text) {
  ui.message(Message{title, text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

bool SumsTo100(double sum) { return std::fabs(sum - 100) <= kPercentTolerance; }

// The warning about the records a full table left out, naming the file, the line
// where the first of them begins and the table.
std::string CsvLeftOutText(CsvImportKind kind, const std::string& path, const CsvLeftOut& l) {
  const char* table = kind == CsvImportKind::Nodes   ? SV_TR("sonvale", "dei nodi")
                      : kind == CsvImportKind::Punti ? SV_TR("sonvale", "dei punti")
                                                     : SV_TR("sonvale", "delle strade");
  std::string text = std::string(SV_TR("sonvale", "La tabella ")) + table +
                     SV_TR("sonvale", " è piena (") + PlainInteger(l.capacity) + ")";
  if (l.records == 1) {
    return text + SV_TR("sonvale", ": la riga ") + PlainInteger(l.line) + SV_TR("sonvale", " di ") +
           path + SV_TR("sonvale", " non è stata importata");
  }
  return text + ": " + PlainInteger(l.records) + SV_TR("sonvale", " righe di ") + path + "," +
         SV_TR("sonvale", " dalla riga ") + PlainInteger(l.line) +
         SV_TR("sonvale", " in poi, non sono state importate");
}

}  // namespace

const char* CsvMenuItem(CsvImportKind kind) {
  switch (kind) {
    case CsvImportKind::Nodes:
      return "ImportNODI";
    case CsvImportKind::Arcs:
      return "ImportArchi";
    case CsvImportKind::Streets:
      return "ImportCSV";
    case CsvImportKind::Traffic:
      return "ImportCSV2";
    case CsvImportKind::Punti:
      return "ImpPunti";
  }
  return "";
}

CsvImportOutcome ImportCsvInto(AppState& app, Ui& ui, CsvImportKind kind, const std::string& path) {
  SetStatus(ui, SV_TR("sonvale", "Sto decodificando ") + path + "...");
  BusyPointer busy(ui);

  // Every reader below leaves the project as it was when it fails; the arcs are read
  // into a copy because their summary file has to be written before the new roads
  // are taken.
  ArcImportResult arcs;
  CsvImportOutcome outcome;
  switch (kind) {
    case CsvImportKind::Nodes: {
      CsvNodeFile nodes = ReadCsvNodes(path);
      app.csvNodes = std::move(nodes.table);
      outcome.read = app.csvNodes.count();
      outcome.leftOut = nodes.leftOut;
      break;
    }
    case CsvImportKind::Arcs: {
      Project fresh = app.project;
      arcs = ImportCsvArcs(path, app.csvNodes, app.csvOptions,
                           ArcImportModes{app.LimitaPlans, app.Accorpa, app.Riconosci}, fresh);
      WriteFileAtomically(ArcSummaryPath(path), arcs.summary);
      app.project = std::move(fresh);
      outcome.read = arcs.roads;
      outcome.skippedArcs = arcs.skippedArcs;
      outcome.leftOut = arcs.leftOut;
      break;
    }
    case CsvImportKind::Streets:
    case CsvImportKind::Traffic:
    case CsvImportKind::Punti: {
      const CsvRowsRead rows = kind == CsvImportKind::Streets ? ImportCsvStreets(path, app.project)
                               : kind == CsvImportKind::Traffic
                                   ? ImportCsvTraffic(path, app.project)
                                   : ImportCsvPoints(path, app.project);
      outcome.read = rows.rows;
      outcome.leftOut = rows.leftOut;
      break;
    }
  }

  // A project without a name takes the CSV file's: its name up to the first ".",
  // the folder kept as it stands.
  if (app.project.ProjectFileName.empty()) {
    app.ProjectBase = BaseNameUpToFirstDot(path);
    app.project.ProjectFileName = app.ProjectBase + ".svp";
    if (kind == CsvImportKind::Arcs) ui.setTitle(ProjectTitle(app));
  }

  if (kind == CsvImportKind::Nodes) {
    SetStatus(ui, "Loaded" + ShowNumber(static_cast<double>(outcome.read)) + " nodes OK...");
  }
  if (kind == CsvImportKind::Punti) {
    SetStatus(ui, "Loaded" + ShowNumber(static_cast<double>(outcome.read)) +
                      SV_TR("sonvale", " punti OK..."));
  }
  if (kind == CsvImportKind::Arcs) UpdateEmissions(app.project, app.config, app.tables);
  if (kind != CsvImportKind::Punti) app.project.EmissioniOK = false;
  if (kind != CsvImportKind::Nodes) app.Saved = false;
  if (kind == CsvImportKind::Arcs || kind == CsvImportKind::Streets) {
    // An import that found nothing leaves the view where it was rather than on an
    // empty extent.
    const Extent& e = app.project.extent;
    if (!e.isEmpty()) app.project.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  }
  if (kind != CsvImportKind::Nodes) app.view().drawMap(true);
  busy.release();
  app.setChecked(ui, CsvMenuItem(kind), true);

  if (kind == CsvImportKind::Arcs) {
    app.setEnabled(ui, "Calcolo", true);
    std::string text = SV_TR("sonvale", "Ho letto") + ShowNumber(static_cast<double>(arcs.roads)) +
                       SV_TR("sonvale", " archi");
    if (arcs.skippedArcs > 0) {
      text += "\n" +
              std::string(SV_TR(
                  "sonvale", "Archi scartati perché i loro nodi mancano nella tabella dei nodi:")) +
              ShowNumber(static_cast<double>(arcs.skippedArcs));
    }
    ui.message(Message{SV_TR("sonvale", "Importazione CSV"), text, Buttons::Ok, Icon::Information,
                       Answer::Ok});
  }
  if (kind == CsvImportKind::Arcs || kind == CsvImportKind::Streets ||
      kind == CsvImportKind::Traffic) {
    SetStatus(ui, "Loaded OK! ");
  }
  return outcome;
}

bool RunCsvImport(AppState& app, Ui& ui, CsvImportKind kind, const std::string& path) {
  CsvImportOutcome outcome;
  try {
    outcome = ImportCsvInto(app, ui, kind, path);
  } catch (const std::exception& e) {
    ShowCritical(ui, ProgramTitle(),
                 std::string(SV_TR("sonvale", "Importazione CSV non riuscita: ")) + e.what());
    return false;
  }
  if (outcome.leftOut.records > 0) {
    ui.message(Message{SV_TR("sonvale", "Importazione CSV"),
                       CsvLeftOutText(kind, path, outcome.leftOut), Buttons::Ok, Icon::Warning,
                       Answer::Ok});
  }
  return true;
}

void CmdImportNODI(AppState& app, Ui& ui) {
  if (auto path = AskCsvFile(app, ui, kCsvTitle))
    RunCsvImport(app, ui, CsvImportKind::Nodes, *path);
}

void CmdImportArchi(AppState& app, Ui& ui, const CsvOptionsDialog& dialog) {
  std::optional<std::string> path = AskCsvFile(app, ui, kCsvTitle);
  if (!path) return;
  if (!app.isChecked(CsvMenuItem(CsvImportKind::Nodes))) {
    ShowCritical(ui, SV_TR("sonvale", "Attenzione!"),
                 SV_TR("sonvale", "Devi preventivamente importare le coordinate dei nodi..."));
    return;
  }
  // A stop left over from an earlier cancelled dialog must not swallow this import.
  app.StopRequested = false;
  if (dialog) {
    dialog(app, ui);
  } else if (std::string problem = ValidateCsvOptions(CurrentCsvOptions(app)); !problem.empty()) {
    ShowCritical(ui, SV_TR("sonvale", "Attenzione !"), problem);
    return;
  }
  if (app.StopRequested) return;
  RunCsvImport(app, ui, CsvImportKind::Arcs, *path);
}

void CmdImportCSV(AppState& app, Ui& ui) {
  if (auto path = AskCsvFile(app, ui, kCsvTitle)) {
    RunCsvImport(app, ui, CsvImportKind::Streets, *path);
  }
}

void CmdImportCSV2(AppState& app, Ui& ui) {
  if (auto path = AskCsvFile(app, ui, kCsvTitle)) {
    RunCsvImport(app, ui, CsvImportKind::Traffic, *path);
  }
}

void CmdImpPunti(AppState& app, Ui& ui) {
  if (auto path = AskCsvFile(app, ui, "Import an Excel CSV File - Punti")) {
    RunCsvImport(app, ui, CsvImportKind::Punti, *path);
  }
}

std::string_view CsvOptionsCaption(std::string_view control) {
  static constexpr std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"Leggeri", SV_TR("sonvale", "Veicoli Leggeri")},
      {"Pesanti", SV_TR("sonvale", "Veicoli Pesanti")},
      {"Giorno", SV_TR("sonvale", "Giorno")},
      {"Notte", SV_TR("sonvale", "Notte")},
      {"V1", SV_TR("sonvale", "Percentuale autovetture")},
      {"V5", SV_TR("sonvale", "Percentuale motocicli")},
      {"V2", SV_TR("sonvale", "Percentuale camion 2 assi")},
      {"V3", SV_TR("sonvale", "Percentuale camion 3 assi")},
      {"V4", SV_TR("sonvale", "Percentuale TIR")},
      {"TG_TN", SV_TR("sonvale", "Rapp. Traffico diurno / notturno")},
      {"TG_TN_P", SV_TR("sonvale", "Rapp. Traffico diurno / notturno")},
      {"T24_T1", SV_TR("sonvale", "Rapp. Traffico 24h / Traffico O.d.P.")},
      {"T24_T1_P", SV_TR("sonvale", "Rapp. Traffico 24h / Traffico O.d.P.")},
      {"Text2", SV_TR("sonvale", "Massima distanza Sorg./Ricev. (m)")},
      {"Accorpa", SV_TR("sonvale", "Accorpa i flussi nelle due direzioni di uno stesso arco")},
      {"Limita", SV_TR("sonvale", "Limita Area ai plans gia' caricati")},
      {"Riconosci", SV_TR("sonvale", "Riconoscimento strade gia' caricate")},
      {"AnteOperam", SV_TR("sonvale", "Formato dati \"ante operam\"")},
      {"OK", SV_TR("sonvale", "OK")},
      {"Cancel", SV_TR("sonvale", "Cancel")},
  };
  for (const auto& [name, caption] : kCaptions)
    if (name == control) return caption;
  return {};
}

void ReadCsvOptionsBoxes(const CsvOptionsTexts& t, CsvOptionsEntry& e) {
  auto number = [](const std::string& text) {
    const double v = LeadingNumber(text);
    return std::isfinite(v) ? v : 0;
  };
  for (size_t v = 1; v <= 5; ++v) {
    e.percentDay[v] = number(t.percentDay[v]);
    e.percentNight[v] = number(t.percentNight[v]);
  }
  e.TG_TN = number(t.TG_TN);
  e.TG_TN_P = number(t.TG_TN_P);
  e.T24_T1 = number(t.T24_T1);
  e.T24_T1_P = number(t.T24_T1_P);
}

CsvOptionsEntry CurrentCsvOptions(const AppState& app) {
  CsvOptionsEntry e;
  const CsvOptions& o = app.csvOptions;
  for (size_t v = 1; v <= 5; ++v) {
    e.percentDay[v] = o.fractionDay[v] * 100;
    e.percentNight[v] = o.fractionNight[v] * 100;
  }
  e.TG_TN = o.TG_TN;
  e.TG_TN_P = o.TG_TN_P;
  e.T24_T1 = o.T24_T1;
  e.T24_T1_P = o.T24_T1_P;
  e.Accorpa = app.Accorpa;
  e.LimitaPlans = app.LimitaPlans;
  e.Riconosci = app.Riconosci;
  e.AnteOperam = o.AnteOperam;
  return e;
}

CsvOptionsTexts CsvOptionsBoxTexts(const AppState& app) {
  CsvOptionsTexts t;
  const CsvOptions& o = app.csvOptions;
  for (size_t v = 1; v <= 5; ++v) {
    t.percentDay[v] = FormatPattern(o.fractionDay[v] * 100, "##0.0");
    t.percentNight[v] = FormatPattern(o.fractionNight[v] * 100, "##0.0");
  }
  t.TG_TN = FormatPattern(o.TG_TN, "##0.00");
  t.TG_TN_P = FormatPattern(o.TG_TN_P, "##0.00");
  t.T24_T1 = FormatPattern(o.T24_T1, "##0.00");
  t.T24_T1_P = FormatPattern(o.T24_T1_P, "##0.00");
  if (app.project.DistMax > 0) t.DistMax = FormatPattern(app.project.DistMax, "########");
  return t;
}

std::string DeltaLText(std::string_view ratioText) {
  const double ratio = LeadingNumber(ratioText);
  if (!(ratio > 0) || !std::isfinite(ratio)) return "";
  return FormatPattern(10 * std::log10(ratio), "0.0");
}

std::string ValidateCsvOptions(const CsvOptionsEntry& e) {
  if (!SumsTo100(e.percentDay[1] + e.percentDay[5])) {
    return SV_TR("sonvale", "La somma delle percentuali Legg. Giorno deve fare 100 !!!");
  }
  if (!SumsTo100(e.percentDay[2] + e.percentDay[3] + e.percentDay[4])) {
    return SV_TR("sonvale", "La somma delle percentuali Pes. Giorno deve fare 100 !!!");
  }
  if (!SumsTo100(e.percentNight[1] + e.percentNight[5])) {
    return SV_TR("sonvale", "La somma delle percentuali Leg. Notte deve fare 100 !!!");
  }
  if (!SumsTo100(e.percentNight[2] + e.percentNight[3] + e.percentNight[4])) {
    return SV_TR("sonvale", "La somma delle precentuali Pes. Notte deve fare 100 !!!");
  }
  return "";
}

bool AcceptCsvOptions(AppState& app, Ui& ui, const CsvOptionsEntry& e) {
  if (std::string problem = ValidateCsvOptions(e); !problem.empty()) {
    ShowCritical(ui, SV_TR("sonvale", "Attenzione !"), problem);
    return false;
  }
  CsvOptions& o = app.csvOptions;
  for (size_t v = 1; v <= 5; ++v) {
    o.fractionDay[v] = e.percentDay[v] / 100;
    o.fractionNight[v] = e.percentNight[v] / 100;
  }
  o.TG_TN = e.TG_TN;
  o.TG_TN_P = e.TG_TN_P;
  o.T24_T1 = e.T24_T1;
  o.T24_T1_P = e.T24_T1_P;
  o.AnteOperam = e.AnteOperam;
  app.Accorpa = e.Accorpa;
  app.LimitaPlans = e.LimitaPlans;
  app.Riconosci = e.Riconosci;
  app.setChecked(ui, "Limit", e.LimitaPlans);
  app.setChecked(ui, "Accorp", e.Accorpa);
  app.setChecked(ui, "Ricon", e.Riconosci);
  return true;
}

void CancelCsvOptions(AppState& app) { app.StopRequested = true; }

void CsvDistanceEdited(AppState& app, std::string_view text) {
  const double v = LeadingNumber(text);
  app.project.DistMax = v > 0 && std::isfinite(v) ? v : 0;
}

}  // namespace sonvale
