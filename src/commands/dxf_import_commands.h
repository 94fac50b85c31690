// The drawing imports of the "&Importa-Esporta" menu: the complete import and
// the eight single-kind imports, each reading the layer configured for its kind
// and merging the new entities with those present (append, overwrite, insert at
// a row, replace from a row) as the mode marks of the menu say.
#pragma once

#include <string>
#include <vector>

#include "commands/app_state.h"
#include "platform/ui.h"

namespace sonvale {

// The entity kinds, in the order the complete import reads them.
enum class DxfKind { Strade, Binari, Barriere, Case, Sezioni, Punti, Incroci, Sorgenti };
inline constexpr DxfKind kAllDxfKinds[] = {DxfKind::Strade,  DxfKind::Binari,  DxfKind::Barriere,
                                           DxfKind::Case,    DxfKind::Sezioni, DxfKind::Punti,
                                           DxfKind::Incroci, DxfKind::Sorgenti};

// The menu item of a single-kind import ("openDXFstrade", ...) and of the
// complete one.
const char* DxfMenuItem(DxfKind kind);
inline const char* const kDxfCompleteItem = "openDXF";

// The layer a kind is read from, as configured.
std::string DxfKindLayer(const Configuration& config, DxfKind kind);

// The label that names a kind's entities in the Append question and in the
// Insert and Replace boxes: the layer name, "Sources" for the point sources.
std::string DxfKindLabel(const Configuration& config, DxfKind kind);

// The Append question for a table holding entities of the given label.
std::string AppendQuestionText(const std::string& label);

// The road number a road file's name proposes to the Replace box: the number
// between the "-" and the first "." of the file name ("NORD-12.DXF" gives 12);
// previous is kept when the name is too short for the rule. Folders are never
// looked at.
long RoadNumberFromFileName(const std::string& path, long previous);

// The file dialog of the command; false when it was cancelled.
struct DxfImportRequest {
  bool complete = false;       // "Importa &DXF completo...": every kind and the room model
  std::vector<DxfKind> kinds;  // the kinds read, in order (ignored when complete)
};

// Everything an import does once its file is chosen: naming, status lines, the
// merge questions, the readers, the moves of Insert, extent, view, redraw, menu
// marks and flags. A failure (file, format, capacity, refused row number) is
// shown in a message box and leaves the project exactly as it was; returns false
// then, and also when an Insert or Replace box was cancelled.
bool ImportDxfFile(AppState& app, Ui& ui, const std::string& path, const DxfImportRequest& request);

// "Importa &DXF completo...".
void CmdOpenDXF(AppState& app, Ui& ui);
// "Importa DXF &Strade...", "...&Binari...", "...&Barriere...", "...&Case...",
// "...&Sezioni...", "...&Punti...", "...&Incroci...", "Importa DXF &Sorgenti".
void CmdOpenDXFKind(AppState& app, Ui& ui, DxfKind kind);

}  // namespace sonvale
