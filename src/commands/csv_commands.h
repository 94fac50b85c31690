// The five CSV import commands of the "&Importa-Esporta" menu (nodes and arcs of
// a traffic model, streets, traffic, receiver points) and what the "Opzioni CSV"
// dialog asks of the engine: the texts it shows, the checks of its OK button and
// the storing of its values.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "exchange/csv_records.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

enum class CsvImportKind { Nodes, Arcs, Streets, Traffic, Punti };

// The menu item of each import, whose check mark shows that it has been run.
const char* CsvMenuItem(CsvImportKind kind);
inline const char* const kCsvImportItems[] = {"ImportNODI", "ImportArchi", "ImportCSV",
                                              "ImportCSV2", "ImpPunti"};

// The options dialog as the arc import opens it. It shows the stored options,
// calls AcceptCsvOptions when OK is pressed (and stays open while that returns
// false) and CancelCsvOptions when it is closed otherwise.
using CsvOptionsDialog = std::function<void(AppState& app, Ui& ui)>;

// "Importa CSV &Nodes (Trips)...".
void CmdImportNODI(AppState& app, Ui& ui);
// "Importa CSV &Arcs (Trips)...": refused until the nodes have been imported;
// the options dialog comes after the file dialog. Without a dialog the stored
// options are used as they stand, provided they pass the checks of OK.
void CmdImportArchi(AppState& app, Ui& ui, const CsvOptionsDialog& dialog);
// "Importa CSV Streets (TeleAtlas)...".
void CmdImportCSV(AppState& app, Ui& ui);
// "Importa CSV Traffic (CR-MN)...".
void CmdImportCSV2(AppState& app, Ui& ui);
// "Importa CSV Punti...".
void CmdImpPunti(AppState& app, Ui& ui);

// What one import found.
struct CsvImportOutcome {
  long read = 0;         // nodes or points read, roads afterwards (arcs), rows added
  long skippedArcs = 0;  // arcs naming a node missing from the node table
  CsvLeftOut leftOut;    // records not read because the table was full
};

// Everything an import does once its file (and, for the arcs, its options) has
// been chosen: project naming, status line, reading, the arc summary file, the
// emission update, the closing message, redraw and menu marks. A full table stops
// the reading and keeps the rows read so far. Throws FileError or FormatError and
// then leaves the application state as it was.
CsvImportOutcome ImportCsvInto(AppState& app, Ui& ui, CsvImportKind kind, const std::string& path);

// The same, reporting a failure in a message box (false then) and, in a warning,
// the records a full table left out.
bool RunCsvImport(AppState& app, Ui& ui, CsvImportKind kind, const std::string& path);

inline const char* const kCsvOptionsTitle = SV_TR("sonvale", "Opzioni CSV");
inline const char* const kDeltaLCaption = SV_TR("sonvale", "Delta L (dB) Diurno/Notturno");

// The caption of a control of the options dialog, by its name ("V1", "Accorpa",
// "Giorno", "Leggeri"); empty for an unknown name.
std::string_view CsvOptionsCaption(std::string_view control);

// What the boxes of the options dialog hold when OK is pressed: the class shares
// in percent as typed (index v = 1..5, 0 unused), the ratios and the check boxes.
struct CsvOptionsEntry {
  std::array<double, 6> percentDay{}, percentNight{};
  double TG_TN = 0, TG_TN_P = 0, T24_T1 = 0, T24_T1_P = 0;
  bool Accorpa = false, LimitaPlans = false, Riconosci = false, AnteOperam = false;
};

// The entry that shows the stored options.
CsvOptionsEntry CurrentCsvOptions(const AppState& app);

// The texts the dialog's boxes show on opening.
struct CsvOptionsTexts {
  std::array<std::string, 6> percentDay, percentNight;  // "##0.0"
  std::string TG_TN, TG_TN_P, T24_T1, T24_T1_P;         // "##0.00"
  std::string DistMax;                                  // "########", empty when 0
};
CsvOptionsTexts CsvOptionsBoxTexts(const AppState& app);
// The numbers of the boxes as typed into the entry; a box that does not hold a
// number reads as 0. The check boxes of the entry are left as they are.
void ReadCsvOptionsBoxes(const CsvOptionsTexts& texts, CsvOptionsEntry& entry);

// The "Delta L (dB) Diurno/Notturno" beside a day/night ratio box: 10 log10 of
// the ratio, "0.0"; empty when the box holds no positive number.
std::string DeltaLText(std::string_view ratioText);

// The check of OK: the message to show, empty when the entry can be stored. The
// shares of each group must make 100 %, within 0.01, so that shares typed with
// one decimal (30.1 + 34.2 + 35.7) are taken.
std::string ValidateCsvOptions(const CsvOptionsEntry& entry);

// OK: checks the entry; a failure is shown ("Attenzione !") and nothing is
// stored. Otherwise stores the shares, ratios and flags, updates the check marks
// of `Limit`, `Accorp` and `Ricon` and returns true.
bool AcceptCsvOptions(AppState& app, Ui& ui, const CsvOptionsEntry& entry);
// Cancel: nothing is stored and the pending arc import does nothing.
void CancelCsvOptions(AppState& app);
// The distance box was edited: DistMax takes its value when positive, else 0.
void CsvDistanceEdited(AppState& app, std::string_view text);

}  // namespace sonvale
