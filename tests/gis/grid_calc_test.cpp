// Grid arithmetic: energetic sums, differences and excesses node by node, blanks
// carried through, and grids of other nodes refused.
#include "gis/grid_calc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

NamedGrid Grid(const std::string& name, std::vector<double> values, double xhi = 20) {
  NamedGrid g;
  g.name = name;
  g.grid.header = GridHeader{2, 2, 0, xhi, 0, 10, 30, 100};
  g.grid.values = std::move(values);
  return g;
}

TEST(GridCalcTest, SumDifferenceAndExcessNodeByNodeWithBlanksKept) {
  NamedGrid road = Grid("road.grd", {60, 70, kBlankValue, 50});
  NamedGrid rail = Grid("rail.grd", {60, kBlankValue, 40, 50});
  NamedGrid other = Grid("other.grd", {60, 50, 45, 47});

  GridData sum = EnergeticSum({road, rail, other});
  // Three equal levels add 10 log10(3) = 4.7712 dB.
  EXPECT_NEAR(sum.values[0], 64.77121, 1e-5);
  EXPECT_EQ(sum.values[1], kBlankValue);
  EXPECT_EQ(sum.values[2], kBlankValue);
  EXPECT_NEAR(sum.values[3], 10 * std::log10(2e5 + std::pow(10, 4.7)), 1e-9);
  EXPECT_EQ(sum.header.nx, 2);

  GridData diff = GridDifference(other, road);
  EXPECT_DOUBLE_EQ(diff.values[0], 0);
  EXPECT_DOUBLE_EQ(diff.values[1], -20);
  EXPECT_EQ(diff.values[2], kBlankValue);
  EXPECT_DOUBLE_EQ(diff.values[3], -3);

  GridData excess = GridExcess(road.grid, 55);
  EXPECT_DOUBLE_EQ(excess.values[0], 5);
  EXPECT_DOUBLE_EQ(excess.values[1], 15);
  EXPECT_EQ(excess.values[2], kBlankValue);
  EXPECT_DOUBLE_EQ(excess.values[3], 0);
}

TEST(GridCalcTest, GridsOfOtherNodesAreRefusedNamingBothFiles) {
  NamedGrid a = Grid("a.grd", {1, 2, 3, 4});
  NamedGrid wider = Grid("wider.grd", {1, 2, 3, 4}, 30);
  try {
    GridDifference(a, wider);
    FAIL() << "a grid over other bounds was combined";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), "wider.grd");
    EXPECT_NE(e.message().find("a.grd"), std::string::npos) << e.message();
    EXPECT_NE(e.message().find("X 0 .. 30"), std::string::npos) << e.message();
  }
  NamedGrid moreNodes = a;
  moreNodes.grid.header.nx = 1;
  moreNodes.grid.header.ny = 4;
  EXPECT_THROW(EnergeticSum({a, moreNodes}), FormatError);
  // Bounds that differ only by the rounding of a text grid are the same nodes.
  NamedGrid rounded = a;
  rounded.grid.header.xhi = 20.0000000000001;
  EXPECT_NO_THROW(GridDifference(a, rounded));
}

TEST(GridCalcTest, TextGridCarriesTheRangeOfItsValuesAndReadsBack) {
  ScratchFolder dir;
  NamedGrid g = Grid("g.grd", {-3.5, kBlankValue, 12.25, 0});
  WriteTextGrid(dir.file("g.grd"), g.grid);
  GridData back = ReadTerrainGrid(dir.file("g.grd"));
  EXPECT_EQ(back.header.zlo, -3.5);
  EXPECT_EQ(back.header.zhi, 12.25);
  EXPECT_EQ(back.values, g.grid.values);
}

}  // namespace
}  // namespace sonvale
