#include "view/map_marks.h"

#include <cmath>

namespace sonvale {

void PaintMarks(Canvas& canvas, const std::vector<MapMark>& marks) {
  const double half = std::fabs(canvas.window().width) / 400;
  for (const MapMark& m : marks)
    canvas.filledBox(m.x - half, m.y - half, m.x + half, m.y + half, m.colour);
}

}  // namespace sonvale
