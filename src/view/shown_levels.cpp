#include "view/shown_levels.h"

#include <algorithm>
#include <cmath>

#include "propagation/grid_file.h"
#include "view/cell_painter.h"

namespace sonvale {

void ShownLevels::add(const MapCell& cell) {
  if (cell.level == kBlankValue || !std::isfinite(cell.level)) return;
  cells_.push_back(cell);
}

std::optional<double> ShownLevels::levelAt(double x, double y) const {
  for (auto c = cells_.rbegin(); c != cells_.rend(); ++c) {
    if (x >= std::min(c->x1, c->x2) && x <= std::max(c->x1, c->x2) && y >= std::min(c->y1, c->y2) &&
        y <= std::max(c->y1, c->y2)) {
      return c->level;
    }
  }
  return std::nullopt;
}

void ShownLevels::paint(Canvas& canvas, const CellColour& colourOf) const {
  for (const MapCell& c : cells_) PaintMapCell(canvas, c, colourOf);
}

}  // namespace sonvale
