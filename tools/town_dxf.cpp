#include "tools/town_dxf.h"

#include <cmath>
#include <string_view>

#include "text/number_text.h"

namespace sonvale {
namespace {

class DxfText {
 public:
  // Group codes right-aligned in three columns, as CAD programs write them.
  void pair(int code, std::string_view value) {
    const std::string c = PlainInteger(code);
    if (c.size() < 3) out_.append(3 - c.size(), ' ');
    out_ += c;
    out_ += "\r\n";
    out_ += value;
    out_ += "\r\n";
  }
  void number(int code, double value) { pair(code, PlainNumber(value)); }
  void integer(int code, long long value) { pair(code, PlainInteger(value)); }
  void point(int code, double x, double y, double z) {
    number(code, x);
    number(code + 10, y);
    number(code + 20, z);
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

// One elevation per LWPOLYLINE: the mean height of the line's vertices, to the
// centimetre, so that a line following the ground stays close to it.
template <class Line>
double MeanHeight(const Line& l) {
  double sum = 0;
  for (const auto& v : l.vertices) sum += v.Z;
  return std::round(sum / static_cast<double>(l.vertices.size()) * 100) / 100;
}

template <class Line>
void WidthPolyline(DxfText& d, const Line& l, const std::string& layer) {
  if (l.vertices.empty()) return;
  // Readers of this release insist on the subclass markers.
  d.pair(0, "LWPOLYLINE");
  d.pair(100, "AcDbEntity");
  d.pair(8, layer);
  d.pair(100, "AcDbPolyline");
  d.integer(90, static_cast<long long>(l.vertices.size()));
  d.integer(70, 0);
  d.number(38, MeanHeight(l));
  for (const LineVertex& v : l.vertices) {
    d.number(10, v.X);
    d.number(20, v.Y);
    d.pair(40, PlainSingle(v.SW));
    d.pair(41, PlainSingle(v.EW));
  }
}

bool SameXY(const Point3& a, const Point3& b) { return a.X == b.X && a.Y == b.Y; }

// A 3-D polyline; an outline whose last vertex repeats its first is written as a
// closed polyline without the repeat, the way a CAD program stores it.
void HeightPolyline(DxfText& d, const Polyline3& l, const std::string& layer, bool outline) {
  size_t n = l.vertices.size();
  if (n == 0) return;
  const bool closed = outline && n >= 3 && SameXY(l.vertices.front(), l.vertices.back());
  if (closed) --n;
  d.pair(0, "POLYLINE");
  d.pair(8, layer);
  d.integer(66, 1);
  d.point(10, 0, 0, 0);
  d.integer(70, closed ? 9 : 8);  // 3-D polyline, closed or open
  for (size_t k = 0; k < n; ++k) {
    const Point3& v = l.vertices[k];
    d.pair(0, "VERTEX");
    d.pair(8, layer);
    d.point(10, v.X, v.Y, v.Z);
    d.integer(70, 32);
  }
  d.pair(0, "SEQEND");
  d.pair(8, layer);
}

void Circle(DxfText& d, const std::string& layer, double x, double y, double z, double radius) {
  d.pair(0, "CIRCLE");
  d.pair(8, layer);
  d.point(10, x, y, z);
  d.number(40, radius);
}

}  // namespace

std::string TownDxfText(const Project& p, const Configuration& config) {
  struct Layer {
    const std::string& name;
    int colour;
  };
  const Layer layers[] = {{config.LayerStrade, 1},   {config.LayerBinari, 6},
                          {config.LayerSezioni, 4},  {config.LayerCase, 7},
                          {config.LayerBarriere, 3}, {config.LayerPunti, 2},
                          {config.LayerIncroci, 5},  {config.LayerSorgenti, 30}};
  DxfText d;
  d.pair(0, "SECTION");
  d.pair(2, "HEADER");
  d.pair(9, "$ACADVER");
  d.pair(1, "AC1015");
  if (p.extent.Xmin <= p.extent.Xmax && p.extent.Ymin <= p.extent.Ymax) {
    d.pair(9, "$EXTMIN");
    d.point(10, p.extent.Xmin, p.extent.Ymin, 0);
    d.pair(9, "$EXTMAX");
    d.point(10, p.extent.Xmax, p.extent.Ymax, 0);
  }
  d.pair(0, "ENDSEC");

  d.pair(0, "SECTION");
  d.pair(2, "TABLES");
  d.pair(0, "TABLE");
  d.pair(2, "LAYER");
  d.pair(5, "2");
  d.pair(100, "AcDbSymbolTable");
  d.integer(70, static_cast<long long>(std::size(layers)) + 1);
  d.pair(0, "LAYER");  // the layer every drawing has
  d.pair(2, "0");
  d.integer(70, 0);
  d.integer(62, 7);
  d.pair(6, "CONTINUOUS");
  for (const Layer& l : layers) {
    d.pair(0, "LAYER");
    d.pair(2, l.name);
    d.integer(70, 0);
    d.integer(62, l.colour);
    d.pair(6, "CONTINUOUS");
  }
  d.pair(0, "ENDTAB");
  d.pair(0, "ENDSEC");

  d.pair(0, "SECTION");
  d.pair(2, "ENTITIES");
  for (long i = 1; i <= p.strade.count(); ++i) WidthPolyline(d, p.strade[i], config.LayerStrade);
  for (long i = 1; i <= p.binari.count(); ++i) WidthPolyline(d, p.binari[i], config.LayerBinari);
  for (long i = 1; i <= p.barriere.count(); ++i)
    HeightPolyline(d, p.barriere[i], config.LayerBarriere, false);
  for (long i = 1; i <= p.case_.count(); ++i) HeightPolyline(d, p.case_[i], config.LayerCase, true);
  // A vertical section stands between its left end at the bottom (first corner)
  // and its right end at the top (third corner).
  for (long i = 1; i <= p.sezioni.count(); ++i) {
    const Sezione& s = p.sezioni[i];
    d.pair(0, "3DFACE");
    d.pair(8, config.LayerSezioni);
    d.point(10, s.XL, s.YL, s.ZL);
    d.point(11, s.XR, s.YR, s.ZL);
    d.point(12, s.XR, s.YR, s.ZR);
    d.point(13, s.XL, s.YL, s.ZR);
  }
  for (long i = 1; i <= p.plans.count(); ++i)
    HeightPolyline(d, p.plans[i], config.LayerSezioni, true);
  for (long i = 1; i <= p.punti.count(); ++i) {
    const Punto& q = p.punti[i];
    Circle(d, config.LayerPunti, q.X, q.Y, q.Z, 1);
  }
  for (long i = 1; i <= p.incroci.count(); ++i) {
    const Incrocio& c = p.incroci[i];
    Circle(d, config.LayerIncroci, c.X, c.Y, c.Z, 5);
  }
  for (long i = 1; i <= p.sources.count(); ++i) {
    const Source& s = p.sources[i];
    Circle(d, config.LayerSorgenti, s.X, s.Y, s.Z, s.Lw);
  }
  d.pair(0, "ENDSEC");
  d.pair(0, "EOF");
  return d.take();
}

}  // namespace sonvale
