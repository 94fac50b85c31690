#include "tracer/grd_pack.h"

#include <gtest/gtest.h>

#include "support/file_contents.h"
#include "text/file_error.h"
#include "tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

TEST(GrdPack, NamesComeFromTheFirst01OfTheFileName) {
  std::optional<GrdPackNames> n = PackGrdNames("C:\\maps\\noise01_d.grd");
  ASSERT_TRUE(n);
  EXPECT_EQ(n->inputs[0], "C:\\maps\\noise01_d.grd");
  EXPECT_EQ(n->inputs[1], "C:\\maps\\noise02_d.grd");
  EXPECT_EQ(n->inputs[5], "C:\\maps\\noise06_d.grd");
  EXPECT_EQ(n->output, "C:\\maps\\noiseSUM_d.grd");

  // A "01" in a folder is not the grid number; only the first one of the name is.
  n = PackGrdNames("/runs/2001/a01b01.grd");
  ASSERT_TRUE(n);
  EXPECT_EQ(n->inputs[2], "/runs/2001/a03b01.grd");
  EXPECT_EQ(n->output, "/runs/2001/aSUMb01.grd");
  EXPECT_FALSE(PackGrdNames("/runs/2001/noise.grd"));
  EXPECT_FALSE(PackGrdNames("/runs/run01/"));
}

using Nodes = std::vector<std::pair<int, int>>;

// A text grid of nx x 2 nodes whose listed nodes (column, row) are blank.
std::string Grid(int nx, int xlo, const Nodes& blanks) {
  std::string t = "DSAA\r\n " + std::to_string(nx) + "  2 \r\n " + std::to_string(xlo) + "  " +
                  std::to_string(xlo + 240) + " \r\n 0  10 \r\n 30  100 \r\n";
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < nx; ++i) {
      bool blank = false;
      for (auto b : blanks) blank = blank || (b.first == i && b.second == j);
      t += blank ? "  1.70141E+38 " : "  55.5 ";
      if (i % 10 == 9) t += "\r\n";
    }
    t += "\r\n\r\n";
  }
  return t;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += s;
  return out;
}

TEST(GrdPack, ClassOfTheHighestBlankInputAndTheLayout) {
  const fs::path dir = FreshDir("pack");
  // Node (0,0) is blank in inputs 2 and 5, (2,0) in 1, (24,1) in 6, (10,1) in all.
  const Nodes blanks[6] = {{{2, 0}, {10, 1}}, {{0, 0}, {10, 1}}, {{10, 1}},
                           {{10, 1}},         {{0, 0}, {10, 1}}, {{24, 1}, {10, 1}}};
  for (int k = 1; k <= 6; ++k) {
    // The last input's bounds win.
    Spit(dir / ("map0" + std::to_string(k) + "_d.grd"), Grid(25, k == 6 ? 100 : 0, blanks[k - 1]));
  }
  Project p;
  const std::string out = PackGrd((dir / "map01_d.grd").string(), p);
  EXPECT_EQ(out, (dir / "mapSUM_d.grd").string());
  EXPECT_EQ(p.GrdName, out);
  EXPECT_EQ(p.NdivX, 24);
  EXPECT_EQ(p.NdivY, 1);
  EXPECT_EQ(p.extent.Xmin, 100);
  EXPECT_EQ(p.extent.Xmax, 340);
  EXPECT_EQ(p.extent.Ymin, 0);
  EXPECT_EQ(p.extent.Ymax, 10);

  const std::string B = "  1.70141E+38 ", E = "\r\n";
  const std::string expected =
      "DSAA" + E + " 25  2 " + E + " 100  340 " + E + " 0  10 " + E + " 40  70 " + E +
      // row 0: 10, 10 and 5 values, then the empty line
      "  60 " + B + "  40 " + Repeat(B, 7) + E + Repeat(B, 10) + E + Repeat(B, 5) + E + E +
      // row 1
      Repeat(B, 10) + E + "  65 " + Repeat(B, 9) + E + Repeat(B, 4) + "  65 " + E + E;
  EXPECT_EQ(FileContents(out), expected);
}

TEST(GrdPack, TheFirstWordOfTheLastInputOpensTheOutput) {
  const fs::path dir = FreshDir("pack_word");
  for (int k = 1; k <= 6; ++k) {
    std::string grid = Grid(3, 0, {{1, 1}});
    if (k == 6) grid.replace(0, 4, "dsaa");
    if (k == 2) grid.replace(0, 4, "DSAB");  // an earlier input's word does not count
    Spit(dir / ("lv0" + std::to_string(k) + ".grd"), grid);
  }
  Project p;
  const std::string out = PackGrd((dir / "lv01.grd").string(), p);
  const std::string text = FileContents(out);
  EXPECT_EQ(text.substr(0, text.find("\r\n", text.find("\r\n") + 2)), "dsaa\r\n 3  2 ");
}

TEST(GrdPack, RefusesBadNamesAndInputsWithoutTouchingAnything) {
  const fs::path dir = FreshDir("pack_bad");
  Project p;
  p.NdivX = 7;
  try {
    PackGrd((dir / "map_d.grd").string(), p);
    FAIL() << "a name without 01 was packed";
  } catch (const FileError& e) {
    EXPECT_NE(e.message().find("\"01\""), std::string::npos);
  }
  for (int k : {1, 2, 3, 5, 6}) Spit(dir / ("m0" + std::to_string(k) + ".grd"), Grid(4, 0, {}));
  EXPECT_THROW(PackGrd((dir / "m01.grd").string(), p), FileError);  // m04 missing
  fs::create_directory(dir / "m04.grd");
  EXPECT_THROW(PackGrd((dir / "m01.grd").string(), p), FileError);  // m04 a folder
  fs::remove(dir / "m04.grd");
  Spit(dir / "m04.grd", Grid(5, 0, {}));
  try {
    PackGrd((dir / "m01.grd").string(), p);
    FAIL() << "grids of different node counts were packed";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), (dir / "m04.grd").string());
  }
  EXPECT_FALSE(fs::exists(dir / "mSUM.grd"));
  EXPECT_EQ(p.NdivX, 7);
  EXPECT_TRUE(p.GrdName.empty());
}

}  // namespace
}  // namespace sonvale
