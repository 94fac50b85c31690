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
