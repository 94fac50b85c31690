// Areas above the Lden thresholds of a map's day and night grids, on grids small
// enough to count by hand.
#include "exposure/exposure_areas.h"

#include <gtest/gtest.h>

#include "text/file_error.h"

namespace sonvale {
namespace {

GridData Grid(std::vector<double> values) {
  GridData g;
  g.header = {3, 2, 0, 20, 0, 10, 0, 0};  // nodes 10 m apart: 100 m² each
  g.values = std::move(values);
  return g;
}

TEST(Areas, CellsAndBuildingsAboveEachThreshold) {
  // Equal day and night levels give Lden = L + 6.395 (12,4,8).
  GridData day = Grid({50, 60, 70, kBlankValue, 48, 69});
  GridData night = day;
  // One building with a façade point near node (2,0) (Lden 76.4), one near (1,1)
  // (Lden 54.4).
  FacadeLayout layout;
  layout.points = {FacadePoint{1, 1, 1, 0, 19, 1, 4, 5}, FacadePoint{2, 1, 1, 0, 11, 9, 4, 5}};
  layout.first = {0, 1, 2};
  ExposureAssessment a;
  a.buildings.resize(2);
  a.buildings[0].population.people = 30;
  a.buildings[0].population.dwellings = 12;
  a.buildings[0].first = 0;
  a.buildings[0].last = 1;
  a.buildings[1].population.people = 7;
  a.buildings[1].first = 1;
  a.buildings[1].last = 2;
  std::vector<AreaFigures> f = AreasAbove(day, night, "m_D.grd", PeriodScheme{}, layout, a);
  ASSERT_EQ(f.size(), 3u);
  // Lden of the nodes: 56.4, 66.4, 76.4, blank, 54.4, 75.4. >= 55: four nodes.
  EXPECT_DOUBLE_EQ(f[0].threshold, 55);
  EXPECT_NEAR(f[0].squareKm, 4 * 100 / 1e6, 1e-15);
  EXPECT_DOUBLE_EQ(f[0].people, 30);
  EXPECT_DOUBLE_EQ(f[0].dwellings, 12);
  EXPECT_NEAR(f[1].squareKm, 3 * 100 / 1e6, 1e-15);  // 66.4, 76.4, 75.4
  EXPECT_NEAR(f[2].squareKm, 2 * 100 / 1e6, 1e-15);  // 76.4, 75.4
  EXPECT_DOUBLE_EQ(f[2].people, 30);

  GridData other = night;
  other.header.xhi = 30;
  EXPECT_THROW(AreasAbove(day, other, "m_D.grd", PeriodScheme{}, layout, a), FormatError);
}

}  // namespace
}  // namespace sonvale
