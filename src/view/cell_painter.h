// Painting of calculated levels on the map: every computed node of a map pass,
// or of a grid file read back, fills its cell rectangle with the colour of its
// level; DrawMap(false) then draws the model over the cells.
#pragma once

#include <functional>

#include "propagation/grid_file.h"
#include "propagation/map_pass.h"
#include "view/canvas.h"

namespace sonvale {

// The colour a cell of a level is painted in.
using CellColour = std::function<Rgb(double level)>;

// Fills the cell with colourOf(level), by default LevelColour((level - 40) *
// 255 / 50); blank nodes are left unpainted.
void PaintMapCell(Canvas& canvas, const MapCell& cell, const CellColour& colourOf = {});

// The painter a map pass reports its cells to (MapHooks::onCell).
std::function<void(const MapCell&)> MakeCellPainter(Canvas& canvas);

// The cells of a plane grid as a map pass paints them: node (i, j) fills the
// rectangle from xlo + i * dx / nx to xlo + (i + 1) * dx / nx, and likewise in Y.
MapCell GridCell(const GridHeader& h, int i, int j, double level);

// Paints every node of a grid that holds a value, row by row from the south.
void PaintGridLevels(Canvas& canvas, const GridData& grid);

// Paints every node that holds a value in the colour colourOf gives its level,
// each node at the centre of its cell as GIS programs place grid nodes, so that
// isolines traced from the grid run along the edges of the colours.
void PaintGridBands(Canvas& canvas, const GridData& grid,
                    const std::function<Rgb(double level)>& colourOf);

}  // namespace sonvale
