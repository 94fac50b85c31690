#include "tracer/tracer_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "propagation/grid_file.h"
#include "support/file_contents.h"
#include "support/recording_work_report.h"
#include "tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

template <class T>
void Put(std::string& s, T v) {
  char b[sizeof(T)];
  std::memcpy(b, &v, sizeof(T));
  s.append(b, sizeof(T));
}

std::string Dsbb(short nx, short ny, double xlo, double xhi, double ylo, double yhi,
                 const std::vector<float>& v) {
  std::string s = "DSBB";
  Put(s, nx), Put(s, ny);
  for (double d : {xlo, xhi, ylo, yhi, 1.0, 2.0}) Put(s, d);
  for (float f : v) Put(s, f);
  return s;
}

float Blank() {
  uint32_t bits = kBlankSingleBits;
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

TEST(TracerGrid, BackgroundAddedOutOfRangeBlankedValidCellsPainted) {
  fs::path dir = FreshDir("grid");
  fs::path file = dir / "t_d.grd";
  // Row 0: 40, exactly 999.9, exactly -999.9; row 1: blank, 20, NaN.
  Spit(file, Dsbb(3, 2, 0, 30, 100, 120, {40, 999.9f, -999.9f, Blank(), 20, std::nanf("")}));
  RecordingWorkReport ui;
  std::vector<MapCell> cells;
  int suspended = 0;
  TracerGridHooks hooks{[&](const MapCell& c) { cells.push_back(c); },
                        [&](bool s) { suspended += s ? 1 : -1; }};
  TracerGridOutcome o = LoadTracerGrid(file.string(), true, 30, ui, hooks);
  EXPECT_TRUE(o.loaded);
  EXPECT_EQ(o.valid, 2);
  EXPECT_EQ(o.blank, 4);
  EXPECT_EQ(suspended, 0);
  EXPECT_EQ(ui.statuses.front(), "Mapping....");
  EXPECT_EQ(ui.statuses.back(), "Mapping Done!");
  EXPECT_EQ(ui.alerts, 1);

  GridData g = ReadBinaryGrid(file.string());
  // 10 log10(10^3 + 10^4) = 10 log10(11000)
  EXPECT_NEAR(g.value(0, 0), 40.4139, 1e-4);
  EXPECT_NEAR(g.value(1, 1), 30.4139, 1e-4);  // 10 log10(1000 + 100)
  for (auto [i, j] : {std::pair{1, 0}, {2, 0}, {0, 1}, {2, 1}})
    EXPECT_EQ(g.value(i, j), kBlankValue);
  EXPECT_EQ(g.header.zlo, 1.0);  // the z range stays as written

  ASSERT_EQ(cells.size(), 2u);
  // Cells share out the bounds by the cell count: 30 / 3 wide, 20 / 2 high.
  EXPECT_EQ(cells[0].i, 0);
  EXPECT_EQ(cells[0].x1, 0);
  EXPECT_EQ(cells[0].x2, 10);
  EXPECT_EQ(cells[0].y1, 100);
  EXPECT_EQ(cells[0].y2, 110);
  EXPECT_EQ(cells[1].x1, 10);
  EXPECT_EQ(cells[1].y1, 110);
  EXPECT_EQ(cells[1].y2, 120);

  // Without draw nothing is painted; a second load adds the background again,
  // which is why a failed run must never reach it.
  cells.clear();
  LoadTracerGrid(file.string(), false, 30, ui, hooks);
  EXPECT_TRUE(cells.empty());
  EXPECT_NEAR(ReadBinaryGrid(file.string()).value(0, 0), 10 * std::log10(2000 + 10000.0), 1e-4);
  fs::remove_all(dir);
}

TEST(TracerGrid, BadFilesAreReportedAndLeftAlone) {
  fs::path dir = FreshDir("badgrid");
  RecordingWorkReport ui;
  fs::path text = dir / "text.grd";
  Spit(text, "DSAA\r\n 2  2 \r\n");
  EXPECT_FALSE(LoadTracerGrid(text.string(), true, 30, ui).loaded);
  EXPECT_EQ(ui.notices.back().text, "Problem reading GRD file");
  EXPECT_EQ(ui.notices.back().title, "Error!");
  EXPECT_EQ(ui.notices.back().severity, Severity::Critical);
  EXPECT_EQ(FileContents(text), "DSAA\r\n 2  2 \r\n");

  fs::path shortFile = dir / "short.grd";
  std::string bytes = Dsbb(4, 4, 0, 1, 0, 1, {50, 50, 50});
  Spit(shortFile, bytes);
  EXPECT_FALSE(LoadTracerGrid(shortFile.string(), true, 30, ui).loaded);
  EXPECT_EQ(ui.notices.back().text.rfind("Problem reading GRD file", 0), 0u);
  EXPECT_EQ(FileContents(shortFile), bytes);

  EXPECT_FALSE(LoadTracerGrid((dir / "missing.grd").string(), true, 30, ui).loaded);
  EXPECT_EQ(ui.notices.size(), 3u);
  fs::remove_all(dir);
}

TEST(TracerGrid, GridMadeByGdalReadsBack) {
  ASSERT_TRUE(HaveTool("gdal_translate"))
      << "gdal_translate is not installed (Debian gdal-bin; tools/install-deps.sh)";
  fs::path dir = FreshDir("gdal");
  // An ASCII grid of 3 x 2 cells, top row first, with -9999 as no data.
  Spit(dir / "in.asc",
       "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n"
       "60 -9999 45\n40 50 1200\n");
  std::string out;
  ASSERT_EQ(RunTool("gdal_translate -q -of GSBG " + Quote((dir / "in.asc").string()) + " " +
                        Quote((dir / "g.grd").string()),
                    &out),
            0)
      << out;
  ASSERT_EQ(FileContents(dir / "g.grd").substr(0, 4), "DSBB");
  RecordingWorkReport ui;
  std::vector<MapCell> cells;
  TracerGridOutcome o = LoadTracerGrid((dir / "g.grd").string(), true, 30, ui,
                                       {[&](const MapCell& c) { cells.push_back(c); }, {}});
  ASSERT_TRUE(o.loaded);
  EXPECT_EQ(o.valid, 4);  // 40, 50, 60, 45; 1200 is out of range, -9999 no data
  GridData g = ReadBinaryGrid((dir / "g.grd").string());
  ASSERT_EQ(g.nx(), 3);
  ASSERT_EQ(g.ny(), 2);
  // Rows run from the south: the file's first row is the bottom line of the text.
  EXPECT_NEAR(g.value(0, 0), 40.4139, 1e-4);
  EXPECT_NEAR(g.value(1, 0), 10 * std::log10(1000 + 100000.0), 1e-4);
  EXPECT_EQ(g.value(2, 0), kBlankValue);
  EXPECT_NEAR(g.value(0, 1), 10 * std::log10(1000 + 1e6), 1e-4);
  EXPECT_EQ(g.value(1, 1), kBlankValue);
  EXPECT_NEAR(g.value(2, 1), 10 * std::log10(1000 + std::pow(10.0, 4.5)), 1e-4);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace sonvale
