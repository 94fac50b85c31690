#include "propagation/grid_tiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/file_contents.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

class GridTilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("sonvale_tiles_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    header_.nx = 13;  // more than ten values: rows span two lines
    header_.ny = 7;
    header_.xlo = 500000;
    header_.xhi = 500120;
    header_.ylo = 4500000;
    header_.yhi = 4500060;
    header_.zlo = 30;
    header_.zhi = 100;
  }
  void TearDown() override { fs::remove_all(dir_); }

  double Value(int i, int j) const {
    if ((i + j) % 5 == 0) return kBlankValue;
    return 40 + i * 0.37 + j * 1.5;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // What one run of the whole map writes.
  std::string WriteSingle() {
    const std::string path = Path("single.grd");
    DsaaWriter w(path, header_);
    for (int j = 0; j < header_.ny; ++j) {
      for (int i = 0; i < header_.nx; ++i) w.value(Value(i, j));
      w.endRow();
    }
    w.close();
    return path;
  }
  std::string WriteTile(TileSpec tile, bool finish = true, uint64_t inputs = 0x0123456789abcdefu) {
    const RowRange rows = TileRows(header_.ny, tile);
    const std::string path = TilePartName(Path("map_D.grd"), tile);
    PartialGridWriter w(path, header_, tile, rows, inputs);
    for (int j = rows.first; j < rows.last; ++j) {
      for (int i = 0; i < header_.nx; ++i) w.value(Value(i, j));
      w.endRow();
    }
    if (finish)
      w.close();
    else
      w.closeUnfinished();  // as the map pass closes a stopped tile
    return path;
  }

  fs::path dir_;
  GridHeader header_;
};

TEST(GridTileSpecTest, ParsingAndRowBands) {
  EXPECT_EQ(ParseTile("3/8"), (TileSpec{3, 8}));
  EXPECT_EQ(ParseTile("1/1"), (TileSpec{1, 1}));
  for (const char* bad : {"0/8", "9/8", "3/", "/8", "a/b", "3/8x", "38", "-1/8", "3/0", ""})
    EXPECT_FALSE(ParseTile(bad).has_value()) << bad;

  // 7 rows in 3 tiles: 2, 2 and 3 rows, covering 0..6 once.
  EXPECT_EQ(TileRows(7, {1, 3}).first, 0);
  EXPECT_EQ(TileRows(7, {1, 3}).last, 2);
  EXPECT_EQ(TileRows(7, {2, 3}).first, 2);
  EXPECT_EQ(TileRows(7, {2, 3}).last, 4);
  EXPECT_EQ(TileRows(7, {3, 3}).first, 4);
  EXPECT_EQ(TileRows(7, {3, 3}).last, 7);
  // More tiles than rows: some tiles are empty, none overlaps.
  int covered = 0;
  for (int k = 1; k <= 10; ++k) {
    RowRange r = TileRows(4, {k, 10});
    EXPECT_LE(r.first, r.last);
    EXPECT_EQ(r.first, covered);
    covered = r.last;
  }
  EXPECT_EQ(covered, 4);
  EXPECT_EQ(TilePartName("out/area_D.grd", {3, 8}), "out/area_D.grd.part3of8");
}

TEST_F(GridTilesTest, MergedPartsAreByteIdenticalToTheSingleRun) {
  const std::string single = FileContents(WriteSingle());
  for (int n : {1, 3, 7, 10}) {
    std::vector<std::string> parts;
    for (int k = n; k >= 1; --k) parts.push_back(WriteTile({k, n}));  // any order
    const std::string merged = Path("merged" + std::to_string(n) + ".grd");
    MergeGridParts(merged, parts);
    EXPECT_EQ(FileContents(merged), single) << n << " tiles";
  }
}

TEST_F(GridTilesTest, IncompleteOrForeignPartsAreRefused) {
  const std::string out = Path("merged.grd");
  {
    std::ofstream keep(out, std::ios::binary);
    keep << "previous";
  }
  auto refuses = [&](const std::vector<std::string>& parts, const std::string& words) {
    try {
      MergeGridParts(out, parts);
      ADD_FAILURE() << "merged although " << words;
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
    }
    EXPECT_EQ(FileContents(out), "previous");  // the old file stays as it was
  };
  const std::string t1 = WriteTile({1, 3}), t2 = WriteTile({2, 3}), t3 = WriteTile({3, 3});
  refuses({t1, t3}, "tile 2 of 3 is missing");
  refuses({t1, t2, t2, t3}, "given twice");
  refuses({}, "no partial grids");

  // A tile stopped before its end has no closing line.
  const std::string stopped = WriteTile({2, 3}, false);
  refuses({t1, stopped, t3}, "unfinished");
  WriteTile({2, 3});

  // A part of a four-tile split, and a part of another map.
  refuses({t1, t2, t3, WriteTile({4, 4})}, "one of 4 tiles");
  header_.xhi = 500130;
  refuses({t1, WriteTile({2, 3}), t3}, "another map");
  header_.xhi = 500120;
  // The same grid computed from other inputs (another emission year, say).
  refuses({t1, WriteTile({2, 3}, true, 0x0123456789abcdeeu), t3}, "another project");
  // A tile written before the inputs were kept joins the others.
  std::string old = FileContents(WriteTile({2, 3}));
  old.erase(old.rfind(' '), 17);
  ASSERT_NE(old.find("SONVALE-PART 2 3 2 4\r\n"), std::string::npos);
  std::ofstream(t2, std::ios::binary) << old;
  MergeGridParts(Path("mixed.grd"), {t1, t2, t3});
  EXPECT_EQ(FileContents(Path("mixed.grd")), FileContents(WriteSingle()));
  WriteTile({2, 3});

  // A row cut short, and a closing line claiming other rows.
  std::string text = FileContents(WriteTile({2, 3}));
  std::string cut = text;
  size_t body = 0;
  for (int line = 0; line < 5; ++line) body = cut.find("\r\n", body) + 2;
  cut.erase(cut.find(" 4", body), 10);  // one value less in the first row
  std::ofstream(t2, std::ios::binary) << cut;
  refuses({t1, t2, t3}, "values instead of 13");
  std::string moved = text;
  moved.replace(moved.find("SONVALE-PART 2 3 2 4"), 20, "SONVALE-PART 2 3 2 5");
  std::ofstream(t2, std::ios::binary) << moved;
  refuses({t1, t2, t3}, "not those of its tile");
  std::ofstream(t2, std::ios::binary) << "DSAA\r\n";
  refuses({t1, t2, t3}, "short header");
}

}  // namespace
}  // namespace sonvale
