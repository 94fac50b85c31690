#include "view/cell_painter.h"

#include <cmath>

#include "view/level_colour.h"

namespace sonvale {

void PaintMapCell(Canvas& canvas, const MapCell& cell, const CellColour& colourOf) {
  if (cell.level == kBlankValue || !std::isfinite(cell.level)) return;
  canvas.filledBox(cell.x1, cell.y1, cell.x2, cell.y2,
                   colourOf ? colourOf(cell.level) : LevelColour(LevelIndex(cell.level)));
}

std::function<void(const MapCell&)> MakeCellPainter(Canvas& canvas) {
  return [&canvas](const MapCell& cell) { PaintMapCell(canvas, cell); };
}

MapCell GridCell(const GridHeader& h, int i, int j, double level) {
  // The cells split the grid's span into nx by ny equal parts rather than
  // centring on the nodes; this is how the map has always been painted.
  double dx = h.xhi - h.xlo, dy = h.yhi - h.ylo;
  MapCell c;
  c.i = i;
  c.j = j;
  c.x1 = h.xlo + i * dx / h.nx;
  c.x2 = h.xlo + (i + 1) * dx / h.nx;
  c.y1 = h.ylo + j * dy / h.ny;
  c.y2 = h.ylo + (j + 1) * dy / h.ny;
  c.level = level;
  return c;
}

void PaintGridLevels(Canvas& canvas, const GridData& grid) {
  const GridHeader& h = grid.header;
  if (h.nx <= 0 || h.ny <= 0) return;
  if (grid.values.size() < static_cast<size_t>(h.nx) * static_cast<size_t>(h.ny)) return;
  for (int j = 0; j < h.ny; ++j) {
    for (int i = 0; i < h.nx; ++i) PaintMapCell(canvas, GridCell(h, i, j, grid.value(i, j)));
  }
}

void PaintGridBands(Canvas& canvas, const GridData& grid,
                    const std::function<Rgb(double level)>& colourOf) {
  const GridHeader& h = grid.header;
  if (h.nx < 2 || h.ny < 2) return;
  if (grid.values.size() < static_cast<size_t>(h.nx) * static_cast<size_t>(h.ny)) return;
  double dx = (h.xhi - h.xlo) / (h.nx - 1), dy = (h.yhi - h.ylo) / (h.ny - 1);
  for (int j = 0; j < h.ny; ++j) {
    for (int i = 0; i < h.nx; ++i) {
      double level = grid.value(i, j);
      if (level == kBlankValue || !std::isfinite(level)) continue;
      double x = h.xlo + i * dx, y = h.ylo + j * dy;
      canvas.filledBox(x - dx / 2, y - dy / 2, x + dx / 2, y + dy / 2, colourOf(level));
    }
  }
}

}  // namespace sonvale
