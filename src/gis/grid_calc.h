// Arithmetic on noise maps of one geometry: the energetic sum of the maps of
// several sources (roads + railways = total), the difference of two scenarios
// (the insertion loss of a barrier) and the excess over a limit (conflict map).
// A node is blank in the result wherever it is blank in any input.
#pragma once

#include <string>
#include <vector>

#include "propagation/grid_file.h"

namespace sonvale {

// A grid with the name it was read from, for the messages.
struct NamedGrid {
  std::string name;
  GridData grid;
};

// Throws FormatError naming b's file unless a and b have the same node counts and
// bounds (to a millionth of the node spacing, which covers the text rounding).
void CheckSameGeometry(const NamedGrid& a, const NamedGrid& b);

// 10 log10 of the sum of 10^(L/10) over the grids (at least one).
GridData EnergeticSum(const std::vector<NamedGrid>& grids);
// a - b node by node.
GridData GridDifference(const NamedGrid& a, const NamedGrid& b);
// L - limit where L is above the limit, else 0.
GridData GridExcess(const GridData& grid, double limit);

// A text (DSAA) or binary (DSBB) grid of levels, told apart by its first word.
GridData ReadLevelGrid(const std::string& path);

// Writes a text grid whose z range is the range of its values (0, 0 when all
// nodes are blank).
void WriteTextGrid(const std::string& path, const GridData& grid);

}  // namespace sonvale
