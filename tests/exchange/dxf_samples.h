// Small DXF texts for the reader tests: entities written group by group, the
// way a CAD program lays them out, wrapped in an ENTITIES section.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "project/configuration.h"
#include "text/number_text.h"

namespace sonvale::dxftest {

struct P2 {
  double x, y;
};
struct P3 {
  double x, y, z;
};

inline std::string G(int code, const std::string& value) {
  return "  " + PlainInteger(code) + "\n" + value + "\n";
}
inline std::string G(int code, double value) { return G(code, PlainNumber(value)); }

// An LWPOLYLINE; `beforeVertices` holds groups such as 43 or 38 written after
// the flags, `perVertex[k]` groups written after vertex k.
inline std::string Lw(const std::string& layer, const std::vector<P2>& pts, bool closed = false,
                      const std::string& beforeVertices = "",
                      const std::vector<std::string>& perVertex = {}) {
  std::string s = G(0, "LWPOLYLINE") + G(5, "2F") + G(100, "AcDbEntity") + G(8, layer) +
                  G(100, "AcDbPolyline") + G(90, PlainInteger(static_cast<long long>(pts.size()))) +
                  G(70, closed ? "1" : "0") + beforeVertices;
  for (size_t k = 0; k < pts.size(); ++k) {
    s += G(10, pts[k].x) + G(20, pts[k].y);
    if (k < perVertex.size()) s += perVertex[k];
  }
  return s;
}

// A POLYLINE with its VERTEX entities and SEQEND (R12 layout).
inline std::string Poly(const std::string& layer, const std::vector<P3>& pts, bool closed = false,
                        const std::string& vertexLayer = "") {
  std::string vl = vertexLayer.empty() ? layer : vertexLayer;
  std::string s = G(0, "POLYLINE") + G(8, layer) + G(66, "1") + G(10, 0.0) + G(20, 0.0) +
                  G(30, 0.0) + G(70, closed ? "1" : "0");
  for (const P3& p : pts) {
    s += G(0, "VERTEX") + G(8, vl) + G(10, p.x) + G(20, p.y) + G(30, p.z) + G(70, "32");
  }
  return s + G(0, "SEQEND") + G(8, vl);
}

inline std::string Face3d(const std::string& layer, const std::vector<P3>& c) {
  std::string s = G(0, "3DFACE") + G(8, layer);
  for (int k = 0; k < 4; ++k) {
    s += G(10 + k, c[static_cast<size_t>(k)].x) + G(20 + k, c[static_cast<size_t>(k)].y) +
         G(30 + k, c[static_cast<size_t>(k)].z);
  }
  return s;
}

inline std::string Circle(const std::string& layer, P3 c, double r, bool withZ = true) {
  return G(0, "CIRCLE") + G(8, layer) + G(10, c.x) + G(20, c.y) + (withZ ? G(30, c.z) : "") +
         G(40, r);
}

inline std::string Drawing(const std::string& entities) {
  return G(0, "SECTION") + G(2, "HEADER") + G(9, "$ACADVER") + G(1, "AC1009") + G(9, "$EXTMIN") +
         G(10, 0.0) + G(20, 0.0) + G(30, 0.0) + G(0, "ENDSEC") + G(0, "SECTION") +
         G(2, "ENTITIES") + entities + G(0, "ENDSEC") + G(0, "EOF");
}

inline std::string WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return path;
}

inline Configuration Layers() {
  Configuration c;
  c.LayerStrade = "STRADE";
  c.LayerBinari = "BINARI";
  c.LayerSezioni = "SEZIONI";
  c.LayerBarriere = "BARRIERE";
  c.LayerCase = "CASE";
  c.LayerPunti = "PUNTI";
  c.LayerIncroci = "INCROCI";
  c.LayerSorgenti = "SORGENTI";
  return c;
}

}  // namespace sonvale::dxftest
