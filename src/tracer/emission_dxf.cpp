#include "tracer/emission_dxf.h"

#include <algorithm>
#include <cmath>

#include "platform/atomic_file.h"
#include "text/number_text.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

// Label background and text offsets from the segment midpoint; the railway
// labels sit up and to the right of their segment so that a track running
// beside a road does not hide the road's number.
struct LabelBox {
  double left, right, bottom, top;  // background corners relative to the midpoint
  double textX, textY;              // insertion point relative to the midpoint
};
constexpr LabelBox kRoadLabel{-40, 40, -26.6, 26.6, -33.4, -20};
constexpr LabelBox kTrackLabel{-23.3, 56.7, -16.6, 36.6, -16.7, -10};

class Drawing {
 public:
  Drawing(const Project& p, const Configuration& c, bool at75, Canvas* canvas, WorkReport* report)
      : p_(p), c_(c), at75_(at75), canvas_(canvas), report_(report) {}

  std::string make() {
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    for (long i = 1; i <= p_.strade.count(); ++i) bands(p_.strade[i]);
    for (long i = 1; i <= p_.binari.count(); ++i) bands(p_.binari[i]);
    for (long i = 1; i <= p_.strade.count(); ++i) backgrounds(p_.strade[i], kRoadLabel);
    for (long i = 1; i <= p_.binari.count(); ++i) backgrounds(p_.binari[i], kTrackLabel);
    for (long i = 1; i <= p_.strade.count(); ++i) labels(p_.strade[i], kRoadLabel);
    for (long i = 1; i <= p_.binari.count(); ++i) labels(p_.binari[i], kTrackLabel);
    pair(0, "ENDSEC");
    pair(0, "EOF");
    if (canvas_) canvas_->setLineWidth(1);
    return std::move(out_);
  }

 private:
  void line(const std::string& s) {
    out_ += s;
    out_ += "\r\n";
  }
  void pair(int code, const std::string& value) {
    line(PrintInteger(code));
    line(value);
  }
  // A corner of a SOLID: X and Y in print form, Z always 0.
  void corner(int code, double x, double y) {
    pair(code, PrintNumber(x));
    pair(code + 10, PrintNumber(y));
    pair(code + 20, " 0");
  }

  template <class Line>
  int level(const Line& e, long k) const {
    const double L = p_.Diurno ? e.LeqDay : e.LeqNight;
    return SegmentEmissionLevel(e.vertex(k), L, e.HmedSX, e.HmedDX, c_, at75_);
  }

  template <class Line>
  void bands(const Line& e) {
    for (long k = 1; k + 1 <= e.Npunti(); ++k) {
      const LineVertex& v1 = e.vertex(k);
      const LineVertex& v2 = e.vertex(k + 1);
      const double dx = v2.X - v1.X;
      const double dy = v2.Y - v1.Y;
      const double len = std::sqrt(dx * dx + dy * dy);
      if (!(len > 0)) continue;
      const int lev = level(e, k);
      const double a = std::max(static_cast<double>(v1.SW), c_.DistMin) / 2 / len;
      const double b = std::max(static_cast<double>(v1.EW), c_.DistMin) / 2 / len;
      pair(0, "SOLID");
      pair(8, PlainInteger(lev) + "dB");
      pair(62, PrintInteger(BandColour(lev)));
      corner(10, v1.X + dy * a, v1.Y - dx * a);
      corner(11, v2.X + dy * b, v2.Y - dx * b);
      corner(12, v1.X - dy * a, v1.Y + dx * a);
      corner(13, v2.X - dy * b, v2.Y + dx * b);
      if (canvas_) paintBand(v1, v2, lev);
    }
  }

  void paintBand(const LineVertex& v1, const LineVertex& v2, int lev) {
    const double widthMetres = (static_cast<double>(v1.SW) + static_cast<double>(v1.EW)) / 2;
    const double metresPerPixel = std::abs(canvas_->scaleWidth()) / canvas_->deviceWidth();
    double px = metresPerPixel > 0 ? std::round(widthMetres / metresPerPixel) : 0;
    if (!(px >= 5)) px = 5;
    if (px > 10000) px = 10000;
    canvas_->setLineWidth(static_cast<int>(px));
    canvas_->setColour(LevelColour(LevelIndex(lev)));
    canvas_->line(v1.X, v1.Y, v2.X, v2.Y);
  }

  template <class Line>
  void backgrounds(const Line& e, const LabelBox& box) {
    for (long k = 1; k + 1 <= e.Npunti(); ++k) {
      const double mx = (e.vertex(k).X + e.vertex(k + 1).X) / 2;
      const double my = (e.vertex(k).Y + e.vertex(k + 1).Y) / 2;
      pair(0, "SOLID");
      pair(8, "0");
      pair(62, PrintInteger(61));
      corner(10, mx + box.left, my + box.bottom);
      corner(11, mx + box.right, my + box.bottom);
      corner(12, mx + box.left, my + box.top);
      corner(13, mx + box.right, my + box.top);
    }
  }

  template <class Line>
  void labels(const Line& e, const LabelBox& box) {
    for (long k = 1; k + 1 <= e.Npunti(); ++k) {
      const double mx = (e.vertex(k).X + e.vertex(k + 1).X) / 2;
      const double my = (e.vertex(k).Y + e.vertex(k + 1).Y) / 2;
      const std::string text = PlainInteger(level(e, k));
      pair(0, "TEXT");
      pair(8, "0");
      pair(10, PrintNumber(mx + box.textX));
      pair(20, PrintNumber(my + box.textY));
      pair(30, PrintInteger(0));
      pair(40, PrintInteger(40));
      pair(1, text);
      if (canvas_) {
        canvas_->setColour(QBColor(0));
        canvas_->text(mx - canvas_->textWidth(text) / 2, my + canvas_->textHeight(text) / 2, text);
      }
      if (report_) report_->tick();
    }
  }

  const Project& p_;
  const Configuration& c_;
  bool at75_;
  Canvas* canvas_;
  WorkReport* report_;
  std::string out_;
};

}  // namespace

int SegmentEmissionLevel(const LineVertex& v, double L, double HmedSX, double HmedDX,
                         const Configuration& c, bool emisAt75) {
  double w = (static_cast<double>(v.SW) + static_cast<double>(v.EW)) / 4;
  if (w < c.DistMin) w = c.DistMin;
  double C = 0;
  if (HmedSX > 0 || HmedDX > 0) C = c.CorrLatoEdificato;
  if (w < 9 && HmedSX > 3 && HmedDX > 3) C = c.CorrStradaStretta;
  if (HmedSX > 2 * w && HmedDX > 2 * w) C = c.CorrCanyon;
  const double d = emisAt75 ? 7.5 : w;
  // A zero facade distance (no width and no minimum distance) would give an
  // infinite level; the 16-bit range bounds it, as it bounds any wild input.
  double level = std::floor(L + 0.5 - 10 * std::log10(d / 7.5) + C);
  if (!(level > -32768)) level = -32768;
  if (level > 32767) level = 32767;
  return static_cast<int>(level);
}

int BandColour(int level) {
  int c = 190 - 10 * static_cast<int>(std::floor((level - 50) * 0.6));
  if (c < 10) c = 10;
  if (c >= 191) c = 190;
  return c;
}

std::string EmissionDxfText(const Project& p, const Configuration& c, bool emisAt75, Canvas* canvas,
                            WorkReport* report) {
  return Drawing(p, c, emisAt75, canvas, report).make();
}

void WriteEmissionDxf(const Project& p, const Configuration& c, bool emisAt75,
                      const std::string& fileName, Canvas* canvas, WorkReport* report) {
  WriteFileAtomically(fileName, EmissionDxfText(p, c, emisAt75, canvas, report));
}

}  // namespace sonvale
