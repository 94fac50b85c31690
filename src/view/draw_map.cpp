#include "view/draw_map.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/number_text.h"
#include "view/source_symbol.h"

namespace sonvale {
namespace {

struct EdgeColours {
  Rgb edge, centre;
};

EdgeColours RoadColours(const Strada& s) {
  EdgeColours c{QBColor(8), RGB(128, 0, 128)};
  if (s.Pavimentaz == -1 || s.NDir == 0) c = {RGB(200, 0, 0), RGB(255, 0, 0)};
  if (s.NDir > 2) c = {RGB(0, 200, 200), RGB(0, 255, 255)};
  return c;
}

// A carriageway: per segment the two edges offset by half the start and end
// widths, the joins to the previous segment's edge ends, then the centre line.
void DrawCarriageway(const std::vector<LineVertex>& v, const EdgeColours& colours, Canvas& canvas) {
  bool havePrevious = false;
  double prevLx = 0, prevLy = 0, prevRx = 0, prevRy = 0;
  for (size_t j = 0; j + 1 < v.size(); ++j) {
    const LineVertex& a = v[j];
    const LineVertex& b = v[j + 1];
    double dx = b.X - a.X, dy = b.Y - a.Y;
    double d = std::sqrt(dx * dx + dy * dy);
    if (d > 0) {
      double nx = -dy / d, ny = dx / d;  // unit normal to the left
      double hs = a.SW / 2.0, he = a.EW / 2.0;
      double lsx = a.X + nx * hs, lsy = a.Y + ny * hs, lex = b.X + nx * he, ley = b.Y + ny * he;
      double rsx = a.X - nx * hs, rsy = a.Y - ny * hs, rex = b.X - nx * he, rey = b.Y - ny * he;
      canvas.setColour(colours.edge);
      canvas.line(lsx, lsy, lex, ley);
      canvas.line(rsx, rsy, rex, rey);
      // The first drawn segment of a line has nothing to join to.
      if (havePrevious) {
        canvas.line(prevLx, prevLy, lsx, lsy);
        canvas.line(prevRx, prevRy, rsx, rsy);
      }
      havePrevious = true;
      prevLx = lex, prevLy = ley, prevRx = rex, prevRy = rey;
    }
    canvas.setColour(colours.centre);
    canvas.line(a.X, a.Y, b.X, b.Y);
  }
}

void DrawOutline(const std::vector<Point3>& v, bool closed, Canvas& canvas) {
  for (size_t j = 0; j + 1 < v.size(); ++j) canvas.line(v[j].X, v[j].Y, v[j + 1].X, v[j + 1].Y);
  if (closed && v.size() > 1) canvas.line(v.back().X, v.back().Y, v.front().X, v.front().Y);
}

// A label centred on a point, as sections and plans have.
void CentredLabel(Canvas& canvas, double x, double y, const std::string& label) {
  canvas.text(x - canvas.textWidth(label) / 2, y + canvas.textHeight(label) / 2, label);
}

// The lift of a label above its symbol: a hundredth of the picture height.
double LabelLift(const Canvas& canvas) { return -canvas.scaleHeight() / 100; }

std::string PointLabel(long n, const std::string& name) {
  std::string six = (name + std::string(6, ' ')).substr(0, 6);
  std::string label = PlainInteger(n) + "-" + six;
  size_t first = label.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : label.substr(first);
}

// The layers in the order they are drawn, each over the ones before; dx is the
// width of the window, which sizes the point symbols.
void DrawLineSources(const Project& p, const LayerVisibility& layers, Canvas& canvas) {
  if (layers.Strade) {
    for (long i = 1; i <= p.strade.count(); ++i) {
      DrawCarriageway(p.strade[i].vertices, RoadColours(p.strade[i]), canvas);
    }
  }
  if (layers.Binari) {
    for (long i = 1; i <= p.binari.count(); ++i) {
      DrawCarriageway(p.binari[i].vertices, {QBColor(9), QBColor(1)}, canvas);
    }
  }
}

void DrawObstacles(const Project& p, const LayerVisibility& layers, Canvas& canvas) {
  if (layers.Barriere) {
    canvas.setLineWidth(3);
    canvas.setColour(RGB(0, 196, 0));
    for (long i = 1; i <= p.barriere.count(); ++i) {
      const Barriera& b = p.barriere[i];
      DrawOutline(b.vertices, false, canvas);
      if (layers.Lbarriere && !b.vertices.empty()) {
        canvas.text(b.vertices.back().X, b.vertices.back().Y, "Barr. n." + PlainInteger(i));
      }
    }
    // The thick pen belongs to the barriers alone, whatever layers follow.
    canvas.setLineWidth(1);
  }
  if (layers.Case) {
    canvas.setLineWidth(1);
    canvas.setColour(RGB(0, 255, 255));
    for (long i = 1; i <= p.case_.count(); ++i) {
      const Casa& c = p.case_[i];
      DrawOutline(c.vertices, false, canvas);
      if (layers.Lcase && !c.vertices.empty()) {
        canvas.text(c.vertices.back().X, c.vertices.back().Y, "Casa n." + PlainInteger(i));
      }
    }
    canvas.refresh();
  }
}

void DrawPoints(const Project& p, const LayerVisibility& layers, double dx, Canvas& canvas) {
  if (layers.Punti) {
    canvas.setFill(QBColor(11));
    canvas.setColour(QBColor(2));
    for (long i = 1; i <= p.punti.count(); ++i) {
      const Punto& pt = p.punti[i];
      canvas.circle(pt.X, pt.Y, dx / 200);
      std::string number = PlainInteger(i);
      canvas.text(pt.X - canvas.textWidth(number),
                  pt.Y + LabelLift(canvas) + canvas.textHeight(number), PointLabel(i, pt.Nome));
    }
  }
  if (layers.Incroci) {
    canvas.setFill(RGB(255, 128, 0));
    canvas.setColour(QBColor(0));
    for (long i = 1; i <= p.incroci.count(); ++i) {
      canvas.circle(p.incroci[i].X, p.incroci[i].Y, dx / 200);
    }
  }
}

void DrawSectionsAndPlans(const Project& p, const LayerVisibility& layers, Canvas& canvas) {
  if (layers.Sezioni) {
    canvas.setColour(RGB(200, 0, 200));
    for (long i = 1; i <= p.sezioni.count(); ++i) {
      const Sezione& s = p.sezioni[i];
      canvas.line(s.XL, s.YL, s.XR, s.YR);
      CentredLabel(canvas, (s.XL + s.XR) / 2, (s.YL + s.YR) / 2, "Sez." + ShowNumber(i));
    }
    canvas.setColour(RGB(255, 0, 255));
    for (long i = 1; i <= p.plans.count(); ++i) {
      const Plan& pl = p.plans[i];
      if (pl.vertices.empty()) continue;
      DrawOutline(pl.vertices, true, canvas);
      auto [minX, maxX] =
          std::minmax_element(pl.vertices.begin(), pl.vertices.end(),
                              [](const Point3& a, const Point3& b) { return a.X < b.X; });
      auto [minY, maxY] =
          std::minmax_element(pl.vertices.begin(), pl.vertices.end(),
                              [](const Point3& a, const Point3& b) { return a.Y < b.Y; });
      CentredLabel(canvas, (minX->X + maxX->X) / 2, (minY->Y + maxY->Y) / 2,
                   "Plan." + ShowNumber(i));
    }
  }
}

void DrawRoomModel(const Project& p, const LayerVisibility& layers, double dx, Canvas& canvas) {
  if (layers.Echoray) {
    canvas.setColour(QBColor(12));
    for (long i = 1; i <= p.faces.count(); ++i) {
      const Face& f = p.faces[i];
      for (size_t k = 0; k < 4; ++k) {
        const Point3& a = f.v[k];
        const Point3& b = f.v[(k + 1) % 4];
        canvas.line(a.X, a.Y, b.X, b.Y);
      }
    }
    canvas.setFill(RGB(255, 0, 0));
    canvas.setColour(QBColor(5));
    for (long i = 1; i <= p.receivers.count(); ++i) {
      const Receiver& r = p.receivers[i];
      canvas.circle(r.X, r.Y, dx / 300);
      std::string label = PlainInteger(i);
      canvas.text(r.X - canvas.textWidth(label) / 2,
                  r.Y + LabelLift(canvas) + canvas.textHeight(label), label);
    }
  }
}

}  // namespace

bool HasDrawableEntities(const Project& p) {
  return p.strade.count() > 0 || p.binari.count() > 0 || p.faces.count() > 0 ||
         p.sources.count() > 0 || p.barriere.count() > 0 || p.punti.count() > 0 ||
         p.case_.count() > 0 || p.plans.count() > 0 || p.sezioni.count() > 0;
}

std::optional<UserWindow> FitWindow(const ViewWindow& view, double deviceWidth,
                                    double deviceHeight) {
  if (!(deviceWidth > 0) || !(deviceHeight > 0)) return std::nullopt;
  double r = deviceWidth / deviceHeight;
  double dx = std::fabs(view.X2 - view.X1);
  double dy = std::fabs(view.Y2 - view.Y1);
  double xc = (view.X1 + view.X2) / 2, yc = (view.Y1 + view.Y2) / 2;
  if (dx < dy * r) dx = dy * r;
  if (dy < dx / r) dy = dx / r;
  if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(xc) || !std::isfinite(yc)) {
    return std::nullopt;
  }
  if (dx < kMinViewWidth) return std::nullopt;
  return UserWindow{xc - dx / 2, yc + dy / 2, dx, -dy};
}

ViewWindow ToViewWindow(const UserWindow& w) {
  return ViewWindow{w.left, w.top + w.height, w.left + w.width, w.top};
}

bool DrawMap(const Project& p, const LayerVisibility& layers, ViewWindow& view, Canvas& canvas,
             bool clear) {
  if (!HasDrawableEntities(p)) return false;
  std::optional<UserWindow> fitted = FitWindow(view, canvas.deviceWidth(), canvas.deviceHeight());
  if (!fitted) return false;

  canvas.setBusy(true);
  if (clear) canvas.clear();
  canvas.setWindow(*fitted);
  view = ToViewWindow(*fitted);
  const double dx = fitted->width;
  canvas.setPen(Pen{});
  canvas.setFill(std::nullopt);

  DrawLineSources(p, layers, canvas);
  DrawObstacles(p, layers, canvas);
  DrawPoints(p, layers, dx, canvas);
  DrawSectionsAndPlans(p, layers, canvas);
  if (layers.Sorgenti) {
    canvas.setColour(QBColor(1));
    canvas.setFill(QBColor(1));
    for (long i = 1; i <= p.sources.count(); ++i) DrawSource(p, i, canvas);
    canvas.refresh();
  }
  DrawRoomModel(p, layers, dx, canvas);

  canvas.setFill(std::nullopt);
  canvas.setBusy(false);
  return true;
}

}  // namespace sonvale
