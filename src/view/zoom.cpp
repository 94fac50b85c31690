#include "view/zoom.h"

#include <utility>

#include "text/number_text.h"
#include "text/translatable.h"
#include "view/draw_map.h"

namespace sonvale {

std::string StatusCoordinate(double v) {
  std::string s = FormatPattern(v, "#####0.##");
  size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

std::string ZoomAreaStatus(double anchorX, double anchorY, double x, double y) {
  return SV_TR("sonvale", "Zoom Area: ") + std::string("(") + StatusCoordinate(anchorX) + "," +
         StatusCoordinate(anchorY) + ") -> (" + StatusCoordinate(x) + "," + StatusCoordinate(y) +
         ")";
}

std::string PointerStatus(double x, double y) {
  return std::string(kPickHint) + "  - (" + StatusCoordinate(x) + "," + StatusCoordinate(y) + ")";
}

void ZoomDrag::leftDown(MapScene& scene, double x, double y, long& editCursor) {
  dragging_ = true;
  ax_ = cx_ = x;
  ay_ = cy_ = y;
  scene.canvas.setDrawMode(DrawMode::Xor);
  scene.canvas.setLineStyle(LineStyle::Dashed);
  editCursor = 0;
}

DragPointer ZoomDrag::move(MapScene& scene, double x, double y, bool leftHeld) {
  bool diagonalUp = (x < ax_ && y < ay_) || (x > ax_ && y > ay_);
  DragPointer shape =
      diagonalUp ? DragPointer::NorthEastSouthWest : DragPointer::NorthWestSouthEast;
  if (!(leftHeld && dragging_)) {
    scene.status.progress(PointerStatus(x, y));
    return shape;
  }
  Canvas& c = scene.canvas;
  c.setColour(QBColor(3));
  c.box(ax_, ay_, cx_, cy_);  // under XOR this takes the previous band away
  c.refresh();
  cx_ = x;
  cy_ = y;
  c.box(ax_, ay_, cx_, cy_);
  scene.status.progress(ZoomAreaStatus(ax_, ay_, x, y));
  return shape;
}

bool ZoomDrag::leftUp(MapScene& scene) {
  if (!dragging_) return false;
  Canvas& c = scene.canvas;
  c.setColour(QBColor(2));
  c.box(ax_, ay_, cx_, cy_);
  dragging_ = false;
  c.setDrawMode(DrawMode::Copy);
  c.setLineStyle(LineStyle::Solid);

  ViewWindow candidate = OrderedWindow(ax_, ay_, cx_, cy_);
  if (candidate.X1 == candidate.X2 && candidate.Y1 == candidate.Y2) {
    const Extent& e = scene.project.extent;
    candidate = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  }
  bool drawn = ShowWindow(scene, candidate);
  scene.status.progress(kPickHint);
  return drawn;
}

ViewWindow OrderedWindow(double x1, double y1, double x2, double y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return ViewWindow{x1, y1, x2, y2};
}

ViewWindow ZoomedOut(const ViewWindow& v) {
  // Left/right and bottom/top are X1/X2 and Y1/Y2; the half-sizes keep their
  // sign, so a window held the other way round still doubles.
  double hx = (v.X2 - v.X1) / 2, hy = (v.Y2 - v.Y1) / 2;
  return ViewWindow{v.X1 - hx, v.Y1 - hy, v.X2 + hx, v.Y2 + hy};
}

bool ShowWindow(MapScene& scene, const ViewWindow& candidate) {
  ViewWindow drawn = candidate;
  if (!DrawMap(scene.project, scene.layers, drawn, scene.canvas, true)) return false;
  scene.project.View = drawn;
  return true;
}

bool ZoomTutto(MapScene& scene) {
  const Extent& e = scene.project.extent;
  return ShowWindow(scene, ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax});
}

bool ZoomIndietro(MapScene& scene, long& editCursor) {
  editCursor = 0;
  return ShowWindow(scene, ZoomedOut(scene.project.View));
}

Pick PickEntity(const Project& p, double x, double y) {
  double best = 1e12;
  Pick pick;
  auto consider = [&](double vx, double vy, EntityKind kind, long n) {
    double d = (vx - x) * (vx - x) + (vy - y) * (vy - y);
    if (d < best) {
      best = d;
      pick = Pick{kind, n};
    }
  };
  for (long i = 1; i <= p.strade.count(); ++i) {
    for (const LineVertex& v : p.strade[i].vertices) consider(v.X, v.Y, EntityKind::Road, i);
  }
  for (long i = 1; i <= p.binari.count(); ++i) {
    for (const LineVertex& v : p.binari[i].vertices) consider(v.X, v.Y, EntityKind::Track, i);
  }
  for (long i = 1; i <= p.sources.count(); ++i) {
    consider(p.sources[i].X, p.sources[i].Y, EntityKind::Source, i);
  }
  return pick;
}

EntityKind PickForEdit(const Project& p, double x, double y, long& selectedEntity) {
  Pick pick = PickEntity(p, x, y);
  if (pick.entity != 0) selectedEntity = pick.entity;
  return pick.kind;
}

}  // namespace sonvale
