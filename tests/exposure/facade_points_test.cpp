// Façade receivers of the common assessment method's building rule, worked out
// by hand on simple outlines.
#include "exposure/facade_points.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "exposure/site_index.h"

namespace sonvale {
namespace {

Casa Box(double x0, double y0, double w, double h, double roof, bool clockwise = false) {
  Casa c;
  c.vertices = {{x0, y0, roof}, {x0 + w, y0, roof}, {x0 + w, y0 + h, roof}, {x0, y0 + h, roof}};
  if (clockwise) std::reverse(c.vertices.begin(), c.vertices.end());
  return c;
}

std::vector<FacadePoint> OfFacade(const FacadeLayout& l, long facade) {
  std::vector<FacadePoint> out;
  for (const FacadePoint& p : l.points)
    if (p.facade == facade) out.push_back(p);
  return out;
}

TEST(WallPieces, RegularPiecesOfAtMostFiveMetres) {
  EXPECT_EQ(WallPieceCentres(20), (std::vector<double>{2.5, 7.5, 12.5, 17.5}));
  EXPECT_EQ(WallPieceCentres(12), (std::vector<double>{2, 6, 10}));
  EXPECT_EQ(WallPieceCentres(5), (std::vector<double>{2.5}));
  EXPECT_EQ(WallPieceCentres(2.5), (std::vector<double>{1.25}));
  EXPECT_EQ(WallPieceCentres(5.5).size(), 2u);  // 2 pieces of 2.75 m
  EXPECT_TRUE(WallPieceCentres(2.4).empty());   // left to the short-wall rule
}

TEST(FacadePoints, TwentyByTwelveBuilding) {
  Project p;
  p.QuotaZ = 3;
  p.case_.addEntity() = Box(0, 0, 20, 12, 9);
  FacadeLayout l = PlaceFacadePoints(p, FacadeOptions{}, GroundHeight(p.QuotaZ));
  ASSERT_EQ(l.points.size(), 14u);
  EXPECT_EQ(l.first, (std::vector<size_t>{0, 14}));
  // Wall 1 runs from (0,0) to (20,0); its outside is the south, 0.1 m out.
  std::vector<FacadePoint> south = OfFacade(l, 1);
  ASSERT_EQ(south.size(), 4u);
  const double along[] = {2.5, 7.5, 12.5, 17.5};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(south[k].x, along[k]);
    EXPECT_DOUBLE_EQ(south[k].y, -0.1);
    EXPECT_DOUBLE_EQ(south[k].z, 7);  // 4 m above the plane at 3 m
    EXPECT_DOUBLE_EQ(south[k].length, 5);
    EXPECT_EQ(south[k].point, static_cast<long>(k + 1));
  }
  // Wall 2 from (20,0) to (20,12): the east side, points at 2, 6 and 10 m.
  std::vector<FacadePoint> east = OfFacade(l, 2);
  ASSERT_EQ(east.size(), 3u);
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_DOUBLE_EQ(east[k].x, 20.1);
    EXPECT_DOUBLE_EQ(east[k].y, 2.0 + 4.0 * k);
    EXPECT_DOUBLE_EQ(east[k].length, 4);
  }
  EXPECT_EQ(OfFacade(l, 3).size(), 4u);
  EXPECT_DOUBLE_EQ(OfFacade(l, 3)[0].y, 12.1);
  EXPECT_EQ(OfFacade(l, 4).size(), 3u);
  EXPECT_DOUBLE_EQ(OfFacade(l, 4)[0].x, -0.1);

  // Drawn clockwise, or closed by repeating the first vertex: still outside.
  Project q;
  q.case_.addEntity() = Box(0, 0, 20, 12, 9, true);
  Casa closed = Box(0, 0, 20, 12, 9);
  closed.vertices.push_back(closed.vertices.front());
  q.case_.addEntity() = closed;
  FacadeLayout m = PlaceFacadePoints(q, FacadeOptions{}, GroundHeight(0));
  ASSERT_EQ(m.points.size(), 28u);
  for (const FacadePoint& f : m.points) {
    const bool outside = f.x < 0 || f.x > 20 || f.y < 0 || f.y > 12;
    EXPECT_TRUE(outside) << f.x << "," << f.y;
  }
  EXPECT_EQ(m.droppedInside, 0);
}

TEST(FacadePoints, ShortWallsShareOnePoint) {
  // A 10 x 10 block with a 2 m x 1 m step in its east side: the two 1 m walls and
  // the 2 m wall are short, together 4 m: one point in the middle of the run.
  Project p;
  Casa& c = p.case_.addEntity();
  c.vertices = {{0, 0, 9},  {10, 0, 9}, {10, 4, 9},  {11, 4, 9},
                {11, 6, 9}, {10, 6, 9}, {10, 10, 9}, {0, 10, 9}};
  FacadeLayout l = PlaceFacadePoints(p, FacadeOptions{}, GroundHeight(0));
  // Walls 3 (1 m), 4 (2 m) and 5 (1 m) form a run of 4 m; its middle lies on wall 4.
  std::vector<FacadePoint> step = OfFacade(l, 4);
  ASSERT_EQ(step.size(), 1u);
  EXPECT_DOUBLE_EQ(step[0].x, 11.1);
  EXPECT_DOUBLE_EQ(step[0].y, 5);
  EXPECT_DOUBLE_EQ(step[0].length, 4);
  EXPECT_TRUE(OfFacade(l, 3).empty());
  EXPECT_TRUE(OfFacade(l, 5).empty());
  // Walls 2 and 6 are 4 m long: one point each.
  EXPECT_EQ(OfFacade(l, 2).size(), 1u);
  EXPECT_EQ(OfFacade(l, 6).size(), 1u);
}

TEST(FacadePoints, DroppedInsideBuildingsAndNearAxes) {
  Project p;
  p.case_.addEntity() = Box(0, 0, 20, 12, 9);
  p.case_.addEntity() = Box(20.05, 0, 10, 12, 9);  // 5 cm away: the facing walls are inside
  Strada& road = p.strade.addEntity();
  road.vertices = {LineVertex{-50, -0.8, 0, 8, 8}, LineVertex{80, -0.8, 0, 8, 8}};
  p.ExtendExtent(-50, -1);
  p.ExtendExtent(80, 12);
  FacadeLayout l = PlaceFacadePoints(p, FacadeOptions{}, GroundHeight(0));
  // East wall of the first (3 points) and west wall of the second (3 points).
  EXPECT_EQ(l.droppedInside, 6);
  // South walls: 4 + 2 points, all 0.7 m from the road axis.
  EXPECT_EQ(l.droppedNearAxis, 6);
  EXPECT_EQ(l.points.size(), 14u + 10u - 12u);
  for (const FacadePoint& f : l.points) EXPECT_GT(f.y, 0);
}

// A stray vertex thousands of kilometres off (a typing or import slip) makes an
// outline or an axis far too large to bucket: it is tested at every point, in
// the project's order, and the index stays small.
TEST(SiteIndex, StrayVerticesStayOutOfTheBuckets) {
  Project p;
  Casa stray = Box(-10, -10, 5, 5, 9);
  stray.vertices[2] = {4e6, 4.5e6, 9};
  p.case_.addEntity() = stray;
  p.case_.addEntity() = Box(0, 0, 20, 12, 9);
  p.case_.addEntity() = Box(100, 100, 20, 12, 9);
  p.case_.addEntity() = Box(40, 45, 20, 12, 9);
  Strada& road = p.strade.addEntity();
  road.vertices = {LineVertex{-3e6, 50, 0, 8, 8}, LineVertex{3e6, 50, 0, 8, 8}};
  p.ExtendExtent(-3e6, -10);
  p.ExtendExtent(4e6, 4.5e6);
  SiteIndex site(p, 1.0);
  // Its two long walls are placed all the same, and named for the warning.
  const FacadeLayout l = PlaceFacadePoints(p, FacadeOptions{}, GroundHeight(0));
  ASSERT_EQ(l.longWalls.size(), 2u);
  EXPECT_EQ(l.longWalls[0].building, 1);
  EXPECT_EQ(l.longWalls[0].wall, 2);
  EXPECT_EQ(l.longWalls[1].wall, 3);
  EXPECT_GT(l.longWalls[0].length, 6e6);
  EXPECT_EQ(site.buildingAt(10, 10), 1);  // inside the stray and the second
  EXPECT_EQ(site.buildingAt(10, 2), 2);   // inside the second alone
  EXPECT_EQ(site.buildingAt(-9, -9), 1);
  EXPECT_EQ(site.buildingAt(110, 106), 3);
  EXPECT_EQ(site.buildingAt(45, 50), 1);  // inside the stray and the fourth
  EXPECT_EQ(site.buildingAt(58, 46), 4);
  EXPECT_EQ(site.buildingAt(500, 100), 0);
  EXPECT_TRUE(site.nearAxis(1e6, 50.5));
  EXPECT_FALSE(site.nearAxis(1e6, 52));
}

TEST(FacadePoints, RowsPerFloorAndGround) {
  Project p;
  p.case_.addEntity() = Box(0, 0, 20, 12, 10);  // 10 m high: 3 storeys of 3 m
  FacadeOptions o;
  o.perFloor = true;
  FacadeLayout l = PlaceFacadePoints(p, o, GroundHeight(0));
  ASSERT_EQ(l.points.size(), 42u);
  EXPECT_DOUBLE_EQ(l.points[0].z, 1.5);
  EXPECT_DOUBLE_EQ(l.points[14].z, 4.5);
  EXPECT_DOUBLE_EQ(l.points[28].z, 7.5);
  EXPECT_EQ(l.points[41].point, 42);
  EXPECT_DOUBLE_EQ(BuildingHeightAboveGround(p.case_[1], GroundHeight(1)), 9);
  EXPECT_DOUBLE_EQ(FootprintArea(p.case_[1]), 240);

  // Terrain: a 2 x 2 grid rising from 0 (west) to 10 (east) over 100 m.
  GridData g;
  g.header = {2, 2, 0, 100, 0, 100, 0, 0};
  g.values = {0, 10, 0, 10};
  GroundHeight t(g, 50);
  EXPECT_DOUBLE_EQ(t.at(25, 60), 2.5);
  EXPECT_DOUBLE_EQ(t.at(-30, 60), 0);  // nearest edge outside the grid
  g.values[1] = kBlankValue;
  EXPECT_DOUBLE_EQ(GroundHeight(g, 50).at(25, 60), 50);  // blank nearby: the plane
}

}  // namespace
}  // namespace sonvale
