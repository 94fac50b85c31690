#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "propagation/grid_tiles.h"
#include "propagation/map_pass.h"
#include "support/file_contents.h"
#include "support/recording_map_report.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

Polyline3 Box(double x, double y, double w, double h, double z) {
  return Polyline3{{{x, y, z}, {x + w, y, z}, {x + w, y + h, z}, {x, y + h, z}, {x, y, z}}};
}

// A street between two rows of buildings, a barrier, crossings and a source:
// every engine path is taken on a 15 x 12 node plane.
struct Street {
  Project p;
  Configuration c;
  EmissionTables t;
  GridBounds grid{0, 140, 0, 110};
  SectionLine section;
  bool stop = false;
  fs::path dir;

  explicit Street(const std::string& name) {
    dir = fs::temp_directory_path() / ("sonvale_threads_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    p.GrdName = (dir / "street.grd").string();
    p.EmissioniOK = true;
    p.ModoMappatura = MappingMode::Plane;
    p.NdivX = 14;
    p.NdivY = 11;
    p.QuotaZ = 1.5;
    p.DiffrBarriere = p.DiffrCase = true;
    c.Hsorg = 0.5;
    c.Hrec = 4;
    c.AttCoeff = 0.005;
    c.DistMin = 1;
    Strada& s = p.strade.addEntity();
    s.LeqDay = 68;
    s.vertices = {{-20, 55, 0, 12, 12}, {60, 55, 0, 12, 12}, {160, 60, 0, 12, 12}};
    s.LeqNight = 59;
    Strada& s2 = p.strade.addEntity();
    s2.LeqDay = 61;
    s2.vertices = {{70, -10, 0, 8, 8}, {70, 120, 0, 8, 8}};
    for (int k = 0; k < 6; ++k) {
      p.case_.addEntity() = Box(5 + k * 22, 30, 15, 14, 9 + k);
      p.case_.addEntity() = Box(5 + k * 22, 68, 15, 14, 12);
    }
    p.barriere.addEntity() = Polyline3{{{100, 20, 3}, {130, 20, 3}}};
    p.incroci.addEntity() = Incrocio{70, 55, 0};
    p.incroci.addEntity() = Incrocio{140, 58, 0};
    Source& src = p.sources.addEntity();
    src.X = 110;
    src.Y = 10;
    src.Z = 2;
    src.Lw = 95;
    src.Lwnight = 90;
  }
  std::string run(EngineKind kind, int threads, std::optional<TileSpec> tile = {}, int stopAt = 0,
                  bool day = true, NightCarry* carry = nullptr) {
    MapPassInputs in{p, c, t, grid, section, stop};
    in.engineKind = kind;
    in.threads = threads;
    in.tile = tile;
    in.nightCarry = carry;
    RecordingMapReport report(&stop, stopAt);
    MapPassOutcome o = MapPass(in, day, report);
    EXPECT_EQ(o.result, stopAt ? MapPassResult::Stopped : MapPassResult::Completed);
    return o.fileName;
  }
};

TEST(MapThreadsTest, EnginesThreadsAndTilesWriteTheSameGrid) {
  Street f("same");
  const std::string reference = FileContents(f.run(EngineKind::Reference, 1));
  ASSERT_GT(reference.size(), 500u);
  EXPECT_EQ(reference.find("1.70141E+38"), std::string::npos);  // every node reached
  EXPECT_EQ(FileContents(f.run(EngineKind::Fast, 1)), reference);
  EXPECT_EQ(FileContents(f.run(EngineKind::Fast, 3)), reference);
  EXPECT_EQ(FileContents(f.run(EngineKind::Reference, 2)), reference);

  for (int n : {1, 4, 12}) {
    std::vector<std::string> parts;
    for (int k = 1; k <= n; ++k) {
      const std::string part = f.run(EngineKind::Fast, 2, TileSpec{k, n});
      EXPECT_EQ(part, TilePartName(PassFileName(f.p.GrdName, true), {k, n}));
      parts.push_back(part);
    }
    const std::string merged = (f.dir / ("merged" + std::to_string(n) + ".grd")).string();
    MergeGridParts(merged, parts);
    EXPECT_EQ(FileContents(merged), reference) << n << " tiles";
  }
}

TEST(MapThreadsTest, AStopLeavesTheFileOfASingleThreadStop) {
  Street f("stop");
  // Stopped during the 40th node (row 2, column 9 of 15 columns): the file ends
  // there whatever the number of threads computing ahead.
  const std::string single = FileContents(f.run(EngineKind::Fast, 1, {}, 40));
  EXPECT_EQ(FileContents(f.run(EngineKind::Fast, 2, {}, 40)), single);
  EXPECT_EQ(FileContents(f.run(EngineKind::Reference, 4, {}, 40)), single);
  EXPECT_LT(single.size(), FileContents(f.run(EngineKind::Fast, 2)).size());

  // A stopped tile cannot be merged.
  std::vector<std::string> parts{f.run(EngineKind::Fast, 2, TileSpec{1, 2}),
                                 f.run(EngineKind::Fast, 2, TileSpec{2, 2}, 10)};
  EXPECT_THROW(MergeGridParts((f.dir / "merged.grd").string(), parts), FormatError);
}

// The day pass of a run computes the night along and the night pass writes it:
// the grids are those of passes run alone, and anything changed between the
// passes sends the night pass back to the engine.
TEST(MapThreadsTest, TheNightCarriedFromTheDayPassIsTheNightOfAPassAlone) {
  Street f("carry");
  const std::string day = FileContents(f.run(EngineKind::Reference, 1));
  const std::string night = FileContents(f.run(EngineKind::Reference, 1, {}, 0, false));
  ASSERT_NE(day, night);
  for (int threads : {1, 2}) {
    for (std::optional<TileSpec> tile :
         {std::optional<TileSpec>{}, std::optional{TileSpec{2, 3}}}) {
      NightCarry carry;
      const std::string d = FileContents(f.run(EngineKind::Fast, threads, tile, 0, true, &carry));
      EXPECT_TRUE(carry.ready);
      const std::string n = FileContents(f.run(EngineKind::Fast, threads, tile, 0, false, &carry));
      EXPECT_FALSE(carry.ready);  // used once
      EXPECT_TRUE(carry.energies.empty());
      if (tile) {
        EXPECT_EQ(n, FileContents(f.run(EngineKind::Reference, 1, tile, 0, false)));
      } else {
        EXPECT_EQ(d, day);
        EXPECT_EQ(n, night);
      }
    }
  }

  // The night pass writes what was carried (here tampered with, to see it).
  NightCarry carry;
  f.run(EngineKind::Fast, 2, {}, 0, true, &carry);
  for (double& e : carry.energies) e *= 2;
  EXPECT_NE(FileContents(f.run(EngineKind::Fast, 2, {}, 0, false, &carry)), night);

  // A stopped day pass carries nothing.
  f.run(EngineKind::Fast, 2, {}, 40, true, &carry);
  EXPECT_FALSE(carry.ready);
  EXPECT_EQ(FileContents(f.run(EngineKind::Fast, 2, {}, 0, false, &carry)), night);

  // A change between the passes: a higher building, a quieter road at night, a
  // higher receiver plane; the night is then computed afresh.
  const std::vector<std::function<void(Street&)>> changes = {
      [](Street& s) { s.p.case_[3].vertices[1].Z += 2; },
      [](Street& s) { s.p.strade[2].LeqNight -= 3; }, [](Street& s) { s.c.Hrec += 0.5; }};
  for (const auto& change : changes) {
    Street g("carry_change");
    NightCarry kept;
    g.run(EngineKind::Fast, 2, {}, 0, true, &kept);
    ASSERT_TRUE(kept.ready);
    change(g);
    const std::string carried = FileContents(g.run(EngineKind::Fast, 2, {}, 0, false, &kept));
    EXPECT_EQ(carried, FileContents(g.run(EngineKind::Reference, 1, {}, 0, false)));
    EXPECT_NE(carried, night);
  }
}

}  // namespace
}  // namespace sonvale
