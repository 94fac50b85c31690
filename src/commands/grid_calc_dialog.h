// "Operazioni su mappe (.GRD)..." without its window: the energetic sum of
// chosen maps, the difference of two, or the excess of one over a limit, into a
// new text grid that is then drawn on the map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "propagation/grid_file.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kGridCalcTitle = SV_TR("sonvale", "Operazioni su mappe");
// The captions of the dialog's controls.
inline const char* const kGridCalcAddCaption = SV_TR("sonvale", "Aggiungi...");
inline const char* const kGridCalcRemoveCaption = SV_TR("sonvale", "Togli");
inline const char* const kGridCalcOperationCaption = SV_TR("sonvale", "&Operazione:");
inline const char* const kGridCalcGridsCaption = SV_TR("sonvale", "&Mappe (A, B, ...):");
inline const char* const kGridCalcLimitCaption = SV_TR("sonvale", "&Limite dB(A):");
inline const char* const kGridCalcOutputCaption = SV_TR("sonvale", "&Nuova mappa:");
inline const char* const kGridCalcOkCaption = SV_TR("sonvale", "OK - Esegui");

enum class GridOperation { Sum, Difference, Excess };
inline constexpr GridOperation kGridOperations[] = {GridOperation::Sum, GridOperation::Difference,
                                                    GridOperation::Excess};
// "Somma energetica", "Differenza (A - B)", "Eccedenza sul limite".
const char* GridOperationCaption(GridOperation op);

struct GridCalcForm {
  GridOperation operation = GridOperation::Sum;
  std::vector<std::string> grids;  // in the order chosen: A, B, ...
  std::string limit = "65";        // dB(A), for the excess
  std::string output;
};

// What is wrong with the form ("" when nothing): the number of grids the
// operation takes, a limit that is not a number, no output.
std::string GridCalcProblem(const GridCalcForm& form);

// Reads the grids, computes and writes the output. A problem of the form or of
// a grid (unreadable, other nodes) is shown in a message box; returns the grid
// written, or nothing then.
std::optional<GridData> RunGridCalc(const GridCalcForm& form, Ui& ui);

}  // namespace sonvale
