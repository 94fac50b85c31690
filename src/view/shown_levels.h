// The level cells of the map on the picture, kept so that the level under the
// pointer can be told and the cells painted again when the view moves.
#pragma once

#include <optional>
#include <vector>

#include "propagation/map_pass.h"
#include "view/canvas.h"
#include "view/cell_painter.h"

namespace sonvale {

class ShownLevels {
 public:
  // A painted cell; blank cells (no value) are not kept.
  void add(const MapCell& cell);
  void clear() { cells_.clear(); }
  bool empty() const { return cells_.empty(); }
  size_t size() const { return cells_.size(); }
  // The level of the cell holding (x, y), the last painted when cells overlap;
  // nullopt outside every cell.
  std::optional<double> levelAt(double x, double y) const;
  // Paints every kept cell again, in the order they came, in colourOf (by
  // default the level scale).
  void paint(Canvas& canvas, const CellColour& colourOf = {}) const;

 private:
  std::vector<MapCell> cells_;
};

}  // namespace sonvale
