// Random drawings, from a fixed seed, written here pair by pair as an R12 drawing
// (POLYLINE, VERTEX, SEQEND) and as an R2000 one (LWPOLYLINE with subclass markers
// and handles): the layer import takes exactly their coordinates.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "exchange/dxf_reader.h"
#include "model/project.h"
#include "project/configuration.h"
#include "support/dxf_report.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

// A group code and its value, as another program writes them: the code right
// aligned in three columns, numbers with 17 significant digits.
std::string Pair(int code, const std::string& value) {
  char c[8];
  std::snprintf(c, sizeof c, "%3d", code);
  return std::string(c) + "\r\n" + value + "\r\n";
}
std::string Pair(int code, double value) {
  char v[32];
  std::snprintf(v, sizeof v, "%.17g", value);
  return Pair(code, v);
}

struct Line {
  std::vector<LineVertex> vertices;
};

std::string R12(const std::vector<Line>& lines) {
  std::string s = Pair(0, "SECTION") + Pair(2, "HEADER") + Pair(9, "$ACADVER") + Pair(1, "AC1009") +
                  Pair(0, "ENDSEC") + Pair(0, "SECTION") + Pair(2, "ENTITIES");
  for (const Line& l : lines) {
    s += Pair(0, "POLYLINE") + Pair(8, "STRADE") + Pair(66, "1") + Pair(70, "8");
    for (const LineVertex& v : l.vertices) {
      s += Pair(0, "VERTEX") + Pair(8, "STRADE") + Pair(10, v.X) + Pair(20, v.Y) + Pair(30, v.Z) +
           Pair(70, "32");
    }
    s += Pair(0, "SEQEND") + Pair(8, "STRADE");
  }
  return s + Pair(0, "ENDSEC") + Pair(0, "EOF");
}

std::string R2000(const std::vector<Line>& lines) {
  std::string s = Pair(0, "SECTION") + Pair(2, "HEADER") + Pair(9, "$ACADVER") + Pair(1, "AC1015") +
                  Pair(9, "$HANDSEED") + Pair(5, "FFFF") + Pair(0, "ENDSEC") + Pair(0, "SECTION") +
                  Pair(2, "ENTITIES");
  int handle = 0x100;
  for (const Line& l : lines) {
    char h[16];
    std::snprintf(h, sizeof h, "%X", handle++);
    s += Pair(0, "LWPOLYLINE") + Pair(5, h) + Pair(330, "1F") + Pair(100, "AcDbEntity") +
         Pair(8, "STRADE") + Pair(100, "AcDbPolyline") +
         Pair(90, std::to_string(l.vertices.size())) + Pair(70, "0") + Pair(43, 0.0);
    for (const LineVertex& v : l.vertices) s += Pair(10, v.X) + Pair(20, v.Y);
  }
  return s + Pair(0, "ENDSEC") + Pair(0, "EOF");
}

TEST(DxfProperties, RandomPolylinesImportWithExactlyTheirCoordinates) {
  std::mt19937 random(20261208);
  auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  ScratchFolder dir;
  Configuration config;
  config.LayerStrade = "STRADE";
  for (int n = 0; n < 400; ++n) {
    SCOPED_TRACE(n);
    std::vector<Line> lines(static_cast<size_t>(whole(1, 5)));
    for (Line& l : lines) {
      // Always moving east, so that no vertex repeats the one before it and no
      // road ends where it began.
      double x = whole(-4'000'000, 4'000'000) / 8.0 + 500000;
      for (int k = whole(2, 20); k > 0; --k) {
        x += whole(1, 4000) / 16.0;
        l.vertices.push_back(
            {x, whole(-4'000'000, 4'000'000) / 8.0 + 4500000, whole(-400, 4000) / 4.0, 0, 0});
      }
    }
    for (bool r12 : {true, false}) {
      SCOPED_TRACE(r12 ? "R12" : "R2000");
      const std::string path = dir.file("random.dxf");
      WriteTextFile(path, r12 ? R12(lines) : R2000(lines));
      Project p;
      DxfReport ui;
      ui.inputs.push_back(std::nullopt);  // no data reduction
      ASSERT_EQ(
          ReadPolylines(path, "STRADE", PolylineTable::Strade, p, config, {}, ui, ui.question()),
          static_cast<long>(lines.size()));
      for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<LineVertex> expected = lines[i].vertices;
        if (!r12) {
          for (LineVertex& v : expected) v.Z = 0;  // a LWPOLYLINE here has no elevation
        }
        EXPECT_EQ(p.strade[static_cast<long>(i) + 1].vertices, expected);
      }
    }
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace sonvale
