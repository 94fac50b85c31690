// Coloured marks kept on the map picture (the façade points of an exposure run
// in the colours of their bands): painted over the model, and again each time
// the view moves, as the level cells are.
#pragma once

#include <string>
#include <vector>

#include "view/canvas.h"

namespace sonvale {

struct MapMark {
  double x = 0, y = 0;
  Rgb colour{};
  std::string text;  // what the pointer over it tells
};

// Each mark as a filled square centred on it, a four-hundredth of the window's
// width across each way, so that the marks keep their size on the screen.
void PaintMarks(Canvas& canvas, const std::vector<MapMark>& marks);
// The mark painted over (x, y) in window w, the last painted where they
// overlap; nullptr over none.
const MapMark* MarkAt(const std::vector<MapMark>& marks, const UserWindow& w, double x, double y);

}  // namespace sonvale
