#include <gtest/gtest.h>

#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {
namespace {

Polyline3 Wall(double x, double z) { return Polyline3{{{x, -100, z}, {x, 100, z}}}; }

double Attenuation(const EntityTable<Polyline3>& t, const Vec3& S, const Vec3& R) {
  double att = 0;
  EdgeAttenuation(t, S, R, att);
  return att;
}

TEST(EdgeAttenuationTest, CrossingPositionRunsFromSourceToReceiver) {
  // Edge x = 0 from (0,-1) to (0,1), 1 m high, path from (-1,0,0) to (1,0,0): the
  // crossing lies half way, the top 1 m above the path.
  // A = B = sqrt 2, C = 2, delta = 0.828427, Kmet = 0.999223, 10 lg(1 + 66.2227).
  EntityTable<Polyline3> t("Barriere", 10);
  t.addEntity() = Polyline3{{{0, -1, 1}, {0, 1, 1}}};
  EXPECT_NEAR(Attenuation(t, {-1, 0, 0}, {1, 0, 0}), 18.2752, 1e-4);
  EXPECT_NEAR(Attenuation(t, {1, 0, 0}, {-1, 0, 0}), 18.2752, 1e-4);
  // The same edge behind the source (crossing at t = -0.5) or beyond the
  // receiver does not screen.
  EXPECT_EQ(Attenuation(t, {1, 0, 0}, {3, 0, 0}), 0.0);
  EXPECT_EQ(Attenuation(t, {-3, 0, 0}, {-1, 0, 0}), 0.0);
  // A path passing beside the edge's end (q outside 0..1).
  EXPECT_EQ(Attenuation(t, {-1, 2, 0}, {1, 2, 0}), 0.0);
  // A slanted edge (X2 != X1): the crossing is found along x.
  EntityTable<Polyline3> slant("Barriere", 10);
  slant.addEntity() = Polyline3{{{-1, -1, 1}, {1, 1, 1}}};
  EXPECT_NEAR(Attenuation(slant, {-1, 0, 0}, {1, 0, 0}), 18.2752, 1e-4);
}

TEST(EdgeAttenuationTest, FourMetreWallBesideARoad) {
  // S = (0,0,0.5), top at (5,0,4), R = (50,0,4): A = 6.103, B = 45, C = 50.122,
  // delta = 0.981, Kmet = 0.959, 10 lg(1 + 75.26) = 18.82 dB.
  EntityTable<Polyline3> t("Barriere", 10);
  t.addEntity() = Wall(5, 4);
  EXPECT_NEAR(Attenuation(t, {0, 0, 0.5}, {50, 0, 4}), 18.8227, 1e-3);
  // The wall lower than the ray at the crossing does nothing.
  t[1] = Wall(5, 0.8);
  EXPECT_EQ(Attenuation(t, {0, 0, 0.5}, {50, 0, 4}), 0.0);
}

TEST(EdgeAttenuationTest, TopOnTheRayAndTheStrongestOfSeveralEdges) {
  EntityTable<Polyline3> t("Barriere", 10);
  t.addEntity() = Wall(5, 5);  // the ray (0,0,0)-(10,0,10) is at 5 m at x = 5
  EXPECT_EQ(Attenuation(t, {0, 0, 0}, {10, 0, 10}), 0.0);
  t[1] = Wall(5, 5.5);
  EXPECT_GT(Attenuation(t, {0, 0, 0}, {10, 0, 10}), 0.0);

  // Two walls on the path: 18.82 dB at x = 5 (4 m) and 3.37 dB at x = 25 (3 m);
  // only the stronger counts, whatever the order.
  t[1] = Wall(25, 3);
  EXPECT_NEAR(Attenuation(t, {0, 0, 0.5}, {50, 0, 4}), 3.3723, 1e-3);
  t.addEntity() = Wall(5, 4);
  EXPECT_NEAR(Attenuation(t, {0, 0, 0.5}, {50, 0, 4}), 18.8227, 1e-3);

  // Att is only ever raised.
  double att = 30;
  EdgeAttenuation(t, {0, 0, 0.5}, {50, 0, 4}, att);
  EXPECT_EQ(att, 30.0);
}

TEST(EdgeAttenuationTest, AnOutlineIsClosedOnlyByARepeatedVertex) {
  // A 10 m square house with an 8 m roof, drawn west, north, east side; its
  // south side (y = 0) would be the closing edge from vertex 4 back to vertex 1.
  EntityTable<Polyline3> t("Case", 10);
  t.addEntity() = Polyline3{{{0, 0, 8}, {0, 10, 8}, {10, 10, 8}, {10, 0, 8}}};
  const Vec3 R{5, 5, 1};  // inside the house
  const Vec3 fromSouth{5, -20, 1};
  const Vec3 fromWest{-20, 5, 1};
  EXPECT_EQ(Attenuation(t, fromSouth, R), 0.0);
  EXPECT_GT(Attenuation(t, fromWest, R), 0.0);
  t[1].vertices.push_back({0, 0, 8});
  EXPECT_GT(Attenuation(t, fromSouth, R), 0.0);
}

TEST(PointSourceLevelTest, SphericalSpreadingFloorAndDiffraction) {
  Project p;
  Configuration c;
  c.AttCoeff = 0;
  c.DistMin = 0;
  EXPECT_NEAR(PointSourceLevel(p, c, {10, 0, 0}, {0, 0, 0}, 100), 69.0, 1e-12);
  EXPECT_NEAR(PointSourceLevel(p, c, {0, 6, 8}, {0, 0, 0}, 100), 69.0, 1e-12);
  c.AttCoeff = 0.01;  // 10 * 0.01 * 10 / ln 10 = 0.4343 dB
  EXPECT_NEAR(PointSourceLevel(p, c, {10, 0, 0}, {0, 0, 0}, 100), 68.565706, 1e-6);
  c.AttCoeff = 0;
  c.DistMin = 20;
  EXPECT_NEAR(PointSourceLevel(p, c, {10, 0, 0}, {0, 0, 0}, 100), 62.979400, 1e-6);

  // No DistMax for concentrated sources.
  c.DistMin = 0;
  p.DistMax = 100;
  EXPECT_NEAR(PointSourceLevel(p, c, {1000, 0, 0}, {0, 0, 0}, 100), 29.0, 1e-12);

  // The wall screens only with its switch on; buildings use their own switch.
  p.barriere.addEntity() = Wall(5, 4);
  const Vec3 S{0, 0, 0.5}, R{50, 0, 4};
  EXPECT_NEAR(PointSourceLevel(p, c, R, S, 100), 54.999371, 1e-6);
  p.DiffrCase = true;
  EXPECT_NEAR(PointSourceLevel(p, c, R, S, 100), 54.999371, 1e-6);
  p.DiffrBarriere = true;
  EXPECT_NEAR(PointSourceLevel(p, c, R, S, 100), 54.999371 - 18.822702, 1e-5);
  p.DiffrBarriere = false;
  p.case_.addEntity() = Wall(5, 4);
  EXPECT_NEAR(PointSourceLevel(p, c, R, S, 100), 54.999371 - 18.822702, 1e-5);
}

}  // namespace
}  // namespace sonvale
