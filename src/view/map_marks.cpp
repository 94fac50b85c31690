#include "view/map_marks.h"

#include <cmath>

namespace sonvale {

namespace {

double HalfSize(const UserWindow& w) { return std::fabs(w.width) / 400; }

}  // namespace

void PaintMarks(Canvas& canvas, const std::vector<MapMark>& marks) {
  const double half = HalfSize(canvas.window());
  for (const MapMark& m : marks)
    canvas.filledBox(m.x - half, m.y - half, m.x + half, m.y + half, m.colour);
}

const MapMark* MarkAt(const std::vector<MapMark>& marks, const UserWindow& w, double x, double y) {
  const double half = HalfSize(w);
  for (auto m = marks.rbegin(); m != marks.rend(); ++m)
    if (std::fabs(m->x - x) <= half && std::fabs(m->y - y) <= half) return &*m;
  return nullptr;
}

}  // namespace sonvale
