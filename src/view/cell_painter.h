// Painting of calculated levels on the map: every computed node of a map pass,
// or of a grid file read back, fills its cell rectangle with the colour of its
// level; DrawMap(false) then draws the model over the cells.
#pragma once

#include <functional>

#include "propagation/grid_file.h"
#include "propagation/map_pass.h"
#include "view/canvas.h"

namespace sonvale {

// Fills the cell with LevelColour((level - 40) * 255 / 50); blank nodes are
// left unpainted.
void PaintMapCell(Canvas& canvas, const MapCell& cell);

// The painter a map pass reports its cells to (MapHooks::onCell).
std::function<void(const MapCell&)> MakeCellPainter(Canvas& canvas);

// The cells of a plane grid as a map pass paints them: node (i, j) fills the
// rectangle from xlo + i * dx / nx to xlo + (i + 1) * dx / nx, and likewise in Y.
MapCell GridCell(const GridHeader& h, int i, int j, double level);

// Paints every node of a grid that holds a value, row by row from the south.
void PaintGridLevels(Canvas& canvas, const GridData& grid);

}  // namespace sonvale
