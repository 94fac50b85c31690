#include "propagation/map_pass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "propagation/grid_file.h"
#include "support/file_contents.h"
#include "support/scripted_ui.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// Records where it is asked and answers 10^(level/10) with level = 40 + x/10 + 10 y,
// so that a node's level tells where it was computed.
// The pass computes on its calling thread (one thread), so recording is safe.
class RecordingEngine : public EnergyEngine {
 public:
  explicit RecordingEngine(std::vector<Vec3>& seen) : seen_(seen) {}
  EnergyParts energyParts(const Vec3& r, Wall = {}) const override {
    seen_.push_back(r);
    const double e = std::pow(10.0, (40 + r.x / 10 + 10 * r.y) / 10);
    return {e, e, 0, 0};
  }

 private:
  std::vector<Vec3>& seen_;
};

struct MapFixture {
  Project p;
  Configuration c;
  EmissionTables t;
  GridBounds grid;
  SectionLine section;
  bool stop = false;
  fs::path dir;
  std::vector<Vec3> seen;

  explicit MapFixture(const std::string& name) {
    dir = fs::temp_directory_path() / ("sonvale_map_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    p.GrdName = (dir / "area.grd").string();
    p.EmissioniOK = true;
    c.Hsorg = 0.5;
    c.Hrec = 4;
    c.AttCoeff = 0;
    c.DistMin = 1;
    c.FondoDiurno = 40;
    c.FondoNotturno = 35;
  }
  MapPassInputs inputs(bool recording = false) {
    MapPassInputs in{p, c, t, grid, section, stop};
    if (recording) {
      in.engine = [this](const Project&, const Configuration&, const PropagationSetup&) {
        return std::make_unique<RecordingEngine>(seen);
      };
    }
    return in;
  }
  std::string file(bool day = true) const { return PassFileName(p.GrdName, day); }
};

TEST(MapPass, PlaneNodesRunRowByRowFromTheSouth) {
  MapFixture f("plane");
  f.p.ModoMappatura = 0;
  f.p.NdivX = 40;
  f.p.NdivY = 30;
  f.p.QuotaZ = 1.5;
  f.grid = {0, 400, 0, 30};  // nodes every 10 m in x and 1 m in y
  ScriptedUi ui;
  std::vector<MapCell> cells;
  MapHooks hooks;
  hooks.onCell = [&](const MapCell& c) { cells.push_back(c); };
  MapPassOutcome o = MapPass(f.inputs(true), true, ui, hooks);
  ASSERT_EQ(o.result, MapPassResult::Completed);
  EXPECT_EQ(o.fileName, (f.dir / "area_D.grd").string());

  ASSERT_EQ(f.seen.size(), 41u * 31u);
  EXPECT_EQ(f.seen[0].x, 0);
  EXPECT_EQ(f.seen[0].y, 0);
  EXPECT_EQ(f.seen[0].z, 5.5);  // QuotaZ + Hrec
  EXPECT_EQ(f.seen[1].x, 10);   // columns are the inner loop
  EXPECT_EQ(f.seen[41].x, 0);
  EXPECT_EQ(f.seen[41].y, 1);
  EXPECT_EQ(f.seen.back().x, 400);
  EXPECT_EQ(f.seen.back().y, 30);

  GridData g = ReadTerrainGrid(o.fileName);
  EXPECT_EQ(g.nx(), 41);
  EXPECT_EQ(g.ny(), 31);
  EXPECT_EQ(g.header.zlo, 30);
  EXPECT_EQ(g.header.zhi, 100);
  EXPECT_NEAR(g.value(0, 0), 40, 1e-9);
  EXPECT_NEAR(g.value(7, 0), 47, 1e-9);
  EXPECT_NEAR(g.value(3, 2), 63, 1e-9);
  EXPECT_TRUE(FileContents(o.fileName)
                  .starts_with("DSAA\r\n 41  31 \r\n 0  400 \r\n 0  30 \r\n 30  100 \r\n"));

  ASSERT_EQ(cells.size(), 41u * 31u);
  // Cells divide the extent into nd+1 strips.
  EXPECT_EQ(cells[1].i, 1);
  EXPECT_NEAR(cells[1].x1, 400.0 / 41, 1e-12);
  EXPECT_NEAR(cells[1].x2, 800.0 / 41, 1e-12);
  EXPECT_NEAR(cells[41].y1, 30.0 / 31, 1e-12);

  EXPECT_EQ(ui.statuses.front(), "Sto mappando sul file " + o.fileName + "...");
  EXPECT_EQ(ui.statuses[1], "Lev( 0, 0)=40.");
  EXPECT_EQ(ui.statuses[1 + 41 * 2 + 3], "Lev( 2, 3)=63.");
  // The per-node texts are not held: only the opening message pauses.
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 0.1);
}

TEST(MapPass, TerrainNodesTakeTheFileGridAndSkipBlanks) {
  MapFixture f("terrain");
  fs::path terrain = f.dir / "terrain.grd";
  {
    std::ofstream out(terrain, std::ios::binary);
    out << "DSAA\r\n3 2\r\n100 120\r\n0 1\r\n0 20\r\n"
           "10 11 1.70141E+38\r\n\r\n13 14 15\r\n\r\n";
  }
  f.p.ModoMappatura = 1;
  f.p.FileAltimetria = terrain.string();
  f.grid = {-1, -1, -1, -1};
  ScriptedUi ui;
  MapPassOutcome o = MapPass(f.inputs(true), false, ui);
  ASSERT_EQ(o.result, MapPassResult::Completed);
  EXPECT_EQ(o.fileName, (f.dir / "area_N.grd").string());
  // The terrain's bounds replace those of the map.
  EXPECT_EQ(f.grid.Xmin, 100);
  EXPECT_EQ(f.grid.Xmax, 120);
  EXPECT_EQ(f.grid.Ymax, 1);
  ASSERT_EQ(f.seen.size(), 5u);  // the blank node is not computed
  EXPECT_EQ(f.seen[0].z, 14);    // 10 + Hrec
  EXPECT_EQ(f.seen[1].x, 110);
  EXPECT_EQ(f.seen[2].x, 100);
  EXPECT_EQ(f.seen[2].y, 1);
  EXPECT_EQ(f.seen[4].z, 19);
  GridData g = ReadTerrainGrid(o.fileName);
  EXPECT_EQ(g.value(2, 0), kBlankValue);
  EXPECT_NEAR(g.value(2, 1), 62, 1e-9);  // 40 + 120/10 + 10
}

TEST(MapPass, WithoutSourcesEveryNodeIsBlankAndARoadOutOfReachGives26) {
  MapFixture f("entity");
  f.p.NdivX = 2;
  f.p.NdivY = 2;
  f.grid = {0, 100, 0, 100};
  ScriptedUi ui;
  std::vector<MapCell> cells;
  MapHooks hooks;
  hooks.onCell = [&](const MapCell& c) { cells.push_back(c); };
  ASSERT_EQ(MapPass(f.inputs(), true, ui, hooks).result, MapPassResult::Completed);
  GridData empty = ReadTerrainGrid(f.file());
  EXPECT_EQ(empty.values, std::vector<double>(9, kBlankValue));
  EXPECT_TRUE(cells.empty());
  EXPECT_EQ(ui.statuses.size(), 1u);  // blank nodes are not shown

  // One road of one segment 14 km away with DistMax 2500: only its 10^2.6 term.
  Strada& road = f.p.strade.addEntity();
  road.LeqDay = 80;
  road.vertices = {{10000, 10000, 0, 10, 10}, {10010, 10000, 0, 10, 10}};
  f.p.DistMax = 2500;
  ASSERT_EQ(MapPass(f.inputs(), true, ui, hooks).result, MapPassResult::Completed);
  GridData g = ReadTerrainGrid(f.file());
  ASSERT_EQ(g.values.size(), 9u);
  for (double v : g.values) EXPECT_NEAR(v, 26, 1e-9);
  EXPECT_EQ(cells.size(), 9u);
}

TEST(MapPass, SectionOfPointSourcesAddsTheBackground) {
  MapFixture f("section");
  f.p.ModoMappatura = 2;
  f.p.NdivO = 2;
  f.p.NdivZ = 1;
  for (const Source& s : {Source{0, 0, 1, 100, 90, 0, 0, 0, 0, "a.spk"},
                          Source{50, 0, 1, 95, 85, 0, 0, 0, 0, "b.spk"}}) {
    f.p.sources.addEntity() = s;
  }
  f.section = {10, 10, 0, 30, 10, 10};
  ScriptedUi ui;
  std::vector<MapCell> cells;
  MapHooks hooks;
  hooks.onCell = [&](const MapCell& c) { cells.push_back(c); };
  MapPassOutcome o = MapPass(f.inputs(), true, ui, hooks);
  ASSERT_EQ(o.result, MapPassResult::Completed);
  GridData g = ReadTerrainGrid(o.fileName);
  EXPECT_EQ(g.nx(), 3);
  EXPECT_EQ(g.ny(), 2);
  EXPECT_EQ(g.header.xlo, 0);
  EXPECT_EQ(g.header.xhi, 20);
  EXPECT_EQ(g.header.ylo, 0);
  EXPECT_EQ(g.header.yhi, 10);
  // L = Lw - 11 - 20 log10(r) per source, no receiver height added, background 40 dB.
  for (int k = 0; k <= 1; ++k) {
    for (int m = 0; m <= 2; ++m) {
      double x = 10 + 10 * m, y = 10, z = 10.0 * k;
      double r1 = std::sqrt(x * x + y * y + (z - 1) * (z - 1));
      double r2 = std::sqrt((x - 50) * (x - 50) + y * y + (z - 1) * (z - 1));
      double E = std::pow(10, (89 - 20 * std::log10(r1)) / 10) +
                 std::pow(10, (84 - 20 * std::log10(r2)) / 10) + 1e4;
      EXPECT_NEAR(g.value(m, k), 10 * std::log10(E), 1e-6) << m << "," << k;
    }
  }
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells[4].x1, 19);  // the 2 m square around (20, 10)
  EXPECT_EQ(cells[4].y2, 11);
  EXPECT_EQ(ui.statuses.back().substr(0, 9), "Lev( 1, 2");
}

TEST(MapPass, StopEndsThePassAfterTheCurrentNode) {
  MapFixture f("stop");
  f.p.NdivX = 2;
  f.p.NdivY = 2;
  f.grid = {0, 20, 0, 2};
  // Events run after nodes (0,0), (1,0), (2,0), at the end of row 0, after node (0,1).
  StoppingUi ui(f.stop, 5);
  f.stop = true;  // left over from an earlier pass: cleared at the start
  MapPassOutcome o = MapPass(f.inputs(true), true, ui);
  EXPECT_EQ(o.result, MapPassResult::Stopped);
  EXPECT_EQ(f.seen.size(), 4u);
  EXPECT_EQ(ui.beeps, 1);
  std::string text = FileContents(o.fileName);
  EXPECT_TRUE(text.ends_with(" 30  100 \r\n  40   41   42 \r\n\r\n  50 \r\n\r\n")) << text;
}

TEST(MapPass, RefusesBadDivisionsAndUnwritableFilesWithAMessage) {
  MapFixture f("refuse");
  f.grid = {0, 10, 0, 10};
  f.p.NdivX = 0;
  f.p.NdivY = 5;
  ScriptedUi ui;
  MapPassOutcome o = MapPass(f.inputs(true), true, ui);
  EXPECT_EQ(o.result, MapPassResult::Failed);
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_FALSE(fs::exists(f.file()));

  f.p.ModoMappatura = 2;
  f.p.NdivO = 4;
  f.p.NdivZ = 0;
  EXPECT_EQ(MapPass(f.inputs(true), true, ui).result, MapPassResult::Failed);
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_FALSE(fs::exists(f.file()));

  f.p.ModoMappatura = 1;
  f.p.FileAltimetria = (f.dir / "none.grd").string();
  EXPECT_EQ(MapPass(f.inputs(true), true, ui).result, MapPassResult::Failed);
  EXPECT_NE(ui.lastMessage().text.find("none.grd"), std::string::npos);
  EXPECT_FALSE(fs::exists(f.file()));

  f.p.ModoMappatura = 0;
  f.p.NdivX = 2;
  f.p.GrdName = (f.dir / "missing-folder" / "area.grd").string();
  o = MapPass(f.inputs(true), true, ui);
  EXPECT_EQ(o.result, MapPassResult::Failed);
  EXPECT_NE(ui.lastMessage().text.find(f.file()), std::string::npos) << ui.lastMessage().text;
  EXPECT_TRUE(f.seen.empty());  // nothing computed for a file that cannot exist
}

}  // namespace
}  // namespace sonvale
