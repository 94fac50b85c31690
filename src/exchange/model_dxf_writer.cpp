#include "exchange/model_dxf_writer.h"

#include <algorithm>

#include "platform/atomic_file.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

struct LayerEntry {
  const char* name;
  const char* colour;
};

constexpr LayerEntry kLayers[] = {{"SOURCES", "3"}, {"HOLES", "1"},    {"RECEIVERS", "2"},
                                  {"RAYS", "2"},    {"STRADE", "4"},   {"NOMI-STRADE", "4"},
                                  {"BINARI", "5"},  {"BARRIERE", "6"}, {"CASE", "7"}};

// Pairs of the drawing: the group code always in print form, the value as a
// fixed text, a print-form number or a plain number.
class DxfOut {
 public:
  void text(int code, const std::string& value) {
    out_ += PrintInteger(code);
    out_ += "\r\n";
    out_ += value;
    out_ += "\r\n";
  }
  void printed(int code, double value) { text(code, PrintNumber(value)); }
  void plain(int code, double value) { text(code, PlainNumber(value)); }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

void PlainPoint(DxfOut& d, int code, const Point3& v) {
  d.plain(code, v.X);
  d.plain(code + 10, v.Y);
  d.plain(code + 20, v.Z);
}

void PolylineHead(DxfOut& d, const std::string& layer) {
  d.text(0, "POLYLINE");
  d.text(8, layer);
  d.text(66, "1");
  d.text(10, "0.0");
  d.text(20, "0.0");
  d.text(30, "0.0");
  d.text(70, "8");
}

void PolylineEnd(DxfOut& d) {
  d.text(0, "SEQEND");
  d.text(8, "0");
}

// A hole or door: an outline closed by repeating its first corner. The corner
// count is bounded by the record's own table so that a damaged count cannot
// read past it.
template <size_t N>
void WriteOpening(DxfOut& d, const Opening<N>& o, const std::string& layer) {
  const size_t nv = std::min<size_t>(static_cast<size_t>(std::max<short>(o.Nv, 0)), N);
  PolylineHead(d, layer);
  for (size_t j = 0; j <= nv && nv > 0; ++j) {
    d.text(0, "VERTEX");
    d.text(8, layer);
    PlainPoint(d, 10, o.v[j == nv ? 0 : j]);
    d.text(70, "32");
  }
  PolylineEnd(d);
}

// A road, barrier or building: a 3-D polyline in print-form coordinates and a
// label at the middle of its central stretch. A single vertex carries the label
// itself; an entity without vertices has nothing to draw.
template <class Vertex>
void LabelledPolyline(DxfOut& d, const std::vector<Vertex>& vertices, const std::string& layer,
                      const std::string& labelLayer, const std::string& label) {
  const long n = static_cast<long>(vertices.size());
  if (n == 0) return;
  PolylineHead(d, layer);
  for (const Vertex& v : vertices) {
    d.text(0, "VERTEX");
    d.text(8, layer);
    d.printed(10, v.X);
    d.printed(20, v.Y);
    d.printed(30, v.Z);
    d.text(70, "32");
  }
  PolylineEnd(d);
  const long k = std::max(n / 2, 1L);
  const Vertex& a = vertices[static_cast<size_t>(k - 1)];
  const Vertex& b = vertices[static_cast<size_t>(std::min(k + 1, n) - 1)];
  d.text(0, "Text");
  d.text(8, labelLayer);
  d.printed(10, (a.X + b.X) / 2);
  d.printed(20, (a.Y + b.Y) / 2);
  d.text(30, "0.0");
  d.text(40, "50.0");
  d.text(1, label);
}

std::string WithoutLeadingBlanks(const std::string& s) {
  size_t i = s.find_first_not_of(' ');
  return i == std::string::npos ? std::string() : s.substr(i);
}

}  // namespace

std::string ModelDxfText(const Project& p) {
  DxfOut d;
  d.text(0, "SECTION");
  d.text(2, "HEADER");
  d.text(9, "$ACADVER");
  d.text(1, "AC1009");
  d.text(0, "ENDSEC");

  d.text(0, "SECTION");
  d.text(2, "TABLES");
  d.text(0, "TABLE");
  d.text(2, "LAYER");
  d.printed(70, 8);
  for (const LayerEntry& l : kLayers) {
    d.text(0, "LAYER");
    d.text(2, l.name);
    d.text(70, "64");
    d.text(62, l.colour);
    d.text(6, "CONTINUOUS");
  }
  d.text(0, "ENDTAB");
  d.text(0, "ENDSEC");

  d.text(0, "SECTION");
  d.text(2, "ENTITIES");
  for (long f = 1; f <= p.faces.count(); ++f) {
    const Face& face = p.faces[f];
    // A 3DFACE always has four corners: a triangle (or a face with fewer
    // corners) repeats its last one.
    const int nv = std::min<int>(face.Nv, static_cast<int>(kMaxFaceVertices));
    if (nv < 1) continue;
    d.text(0, "3DFACE");
    d.text(8, PlainInteger(face.Material + (face.Flag != 0 ? 1000 : 0)));
    for (int j = 1; j <= 4; ++j)
      PlainPoint(d, 9 + j, face.v[static_cast<size_t>(std::min(j, nv) - 1)]);
  }
  for (long h = 1; h <= p.holes.count(); ++h) WriteOpening(d, p.holes[h], "HOLES");
  for (long k = 1; k <= p.doors.count(); ++k)
    WriteOpening(d, p.doors[k], PlainInteger(p.doors[k].Material));
  for (long r = 1; r <= p.receivers.count(); ++r) {
    const Receiver& rc = p.receivers[r];
    d.text(0, "LINE");
    d.text(8, "RECEIVERS");
    PlainPoint(d, 10, {rc.X, rc.Y, rc.Z});
    PlainPoint(d, 11, {rc.TgtX, rc.TgtY, rc.TgtZ});
  }
  for (long s = 1; s <= p.sources.count(); ++s) {
    const Source& src = p.sources[s];
    d.text(0, "CIRCLE");
    d.text(8, "SOURCES");
    PlainPoint(d, 10, {src.X, src.Y, src.Z});
    d.printed(40, src.Lw);
  }
  for (long m = 1; m <= p.strade.count(); ++m) {
    LabelledPolyline(d, p.strade[m].vertices, "STRADE", "NOMI-STRADE",
                     PlainInteger(m) + "-" + WithoutLeadingBlanks(p.strade[m].Nome));
  }
  for (long b = 1; b <= p.barriere.count(); ++b) {
    LabelledPolyline(d, p.barriere[b].vertices, "BARRIERE", "BARRIERE",
                     "Barr. n. " + PlainInteger(b));
  }
  for (long c = 1; c <= p.case_.count(); ++c) {
    LabelledPolyline(d, p.case_[c].vertices, "CASE", "CASE", "Casa n. " + PlainInteger(c));
  }
  d.text(0, "ENDSEC");
  d.text(0, "EOF");
  return d.take();
}

void WriteModelDxf(const Project& p, const std::string& fileName) {
  WriteFileAtomically(fileName, ModelDxfText(p));
}

}  // namespace sonvale
