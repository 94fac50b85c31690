#include <gtest/gtest.h>

#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {
namespace {

// A 10 m piece along x centred on the origin, with no air absorption and no
// distance floor but W, so that the free-field energy is 2.8 * E * Len / r^2.
struct Piece {
  Vec3 P1{-5, 0, 0}, P2{5, 0, 0}, M{0, 0, 0};
  double Len = 10, W = 5, E = 1;
};

class SegmentTest : public ::testing::Test {
 protected:
  SegmentTest() {
    c.Hsorg = 0;
    c.AttCoeff = 0;
    c.DistMin = 0;
    p.DistMax = 2500;
  }
  double At(const Vec3& R, const Piece& s = Piece{}, double HSX = 0, double HDX = 0) {
    return SegmentContribution(p, c, R, s.P1, s.P2, s.M, s.Len, s.W, s.E, HSX, HDX);
  }
  Project p;
  Configuration c;
};

TEST_F(SegmentTest, SplitsOnlyWhileThePieceIsLongAgainstItsDistance) {
  // 100 m away the piece is one point source: 2.8 * 10 / 100^2.
  EXPECT_DOUBLE_EQ(At({0, 100, 0}), 0.0028);
  // 15 m away it is halved once (10 > 7.5); the 5 m halves at sqrt(2.5^2 + 15^2)
  // are not halved again: 2 * 2.8 * 5 / 231.25.
  EXPECT_NEAR(At({0, 15, 0}), 28.0 / 231.25, 1e-15);
  // The unsplit value 2.8*10/225 = 0.12444 and the twice-split one 0.12036 differ.
  EXPECT_GT(std::fabs(At({0, 15, 0}) - 0.124444), 1e-3);
  EXPECT_GT(std::fabs(At({0, 15, 0}) - 0.120355), 1e-4);

  // W is a distance floor: 2 m away counts as 5 m, where the piece splits.
  Piece s;
  s.Len = 2;
  s.P1 = {-1, 0, 0};
  s.P2 = {1, 0, 0};
  EXPECT_DOUBLE_EQ(At({0, 2, 0}, s), 2.8 * 2 / 25);
  c.DistMin = 8;
  EXPECT_DOUBLE_EQ(At({0, 2, 0}, s), 2.8 * 2 / 64);
}

TEST_F(SegmentTest, DistMaxCutsPiecesAtTheLimitAndAirAbsorbs) {
  p.DistMax = 100;
  EXPECT_EQ(At({0, 100, 0}), 0.0);
  p.DistMax = 100.001;
  EXPECT_DOUBLE_EQ(At({0, 100, 0}), 0.0028);

  // The cut applies to the pieces, not to the whole segment: the midpoint of a
  // 300 m road is 200 m away, its far end only 50 m.
  p.DistMax = 100;
  Piece longRoad;
  longRoad.P1 = {-150, 0, 0};
  longRoad.P2 = {150, 0, 0};
  longRoad.Len = 300;
  EXPECT_GT(At({200, 10, 0}, longRoad), 0.0);

  p.DistMax = 2500;
  c.AttCoeff = 0.005;
  EXPECT_NEAR(At({0, 100, 0}), 0.0028 * std::exp(-0.5), 1e-15);
}

TEST_F(SegmentTest, CrossingCorrectionFallsToNothingAt100Metres) {
  const double free = At({0, 100, 0});
  p.incroci.addEntity() = Incrocio{100, 0, 0};
  EXPECT_DOUBLE_EQ(At({0, 100, 0}), free);
  p.incroci.addEntity() = Incrocio{30, 40, 0};  // 50 m: +2 dB, the nearest counts
  EXPECT_NEAR(At({0, 100, 0}), free * std::pow(10.0, 0.2), 1e-15);
}

TEST_F(SegmentTest, SideScreenTakesTheRowOnTheReceiversSide) {
  // 2 m piece, receiver 40 m across the road at 4 m height: the ray crosses
  // the row (W = 5) at 0.5 m height. On the +y side the row is HDX high.
  Piece s;
  s.P1 = {-1, 0, 0};
  s.P2 = {1, 0, 0};
  s.Len = 2;
  const double free = 5.6 / 1616;
  EXPECT_NEAR(At({0, 40, 4}, s, 10, 6), free / (1 + 40 * 2.8670228761), 1e-12);
  EXPECT_NEAR(At({0, -40, 4}, s, 10, 6), free / (1 + 40 * 6.6880492118), 1e-12);

  // Rows of 1 m or less, or explicit building diffraction, leave the screen out.
  EXPECT_DOUBLE_EQ(At({0, 40, 4}, s, 1, 1), free);
  p.DiffrCase = true;
  EXPECT_DOUBLE_EQ(At({0, 40, 4}, s, 10, 6), free);
}

TEST_F(SegmentTest, SideScreenDegenerateGeometryGivesNoScreenAndNoNaN) {
  Piece s;
  s.P1 = {-1, 0, 0};
  s.P2 = {1, 0, 0};
  s.Len = 2;
  // Straight above the midpoint.
  EXPECT_DOUBLE_EQ(At({0, 0, 20}, s, 10, 10), 5.6 / 400);
  // On the line of the road.
  EXPECT_DOUBLE_EQ(At({40, 0, 0}, s, 10, 10), 5.6 / 1600);
  // A piece of no length.
  Piece dot;
  dot.P1 = dot.P2 = dot.M = {0, 0, 0};
  dot.Len = 0;
  EXPECT_EQ(At({0, 40, 0}, dot, 10, 10), 0.0);
  // The ray is at 7.5 m where it crosses the 6 m row: it sees the road.
  EXPECT_DOUBLE_EQ(At({0, 40, 60}, s, 6, 6), 5.6 / 5200);
}

TEST_F(SegmentTest, BarriersAttenuateThePiecesWhenSwitchedOn) {
  // A 4 m wall 5 m from the piece, receiver at 50 m: the worked 18.8 dB case.
  Piece s;
  s.P1 = {0, -0.5, 0.5};
  s.P2 = {0, 0.5, 0.5};
  s.M = {0, 0, 0.5};
  s.Len = 1;
  Barriera& b = p.barriere.addEntity();
  b.vertices = {{5, -100, 4}, {5, 100, 4}};
  const Vec3 R{50, 0, 4};
  const double free = 2.8 / (50.12235030403104 * 50.12235030403104);
  EXPECT_NEAR(At(R, s), free, 1e-15);
  p.DiffrBarriere = true;
  EXPECT_NEAR(At(R, s), free / std::pow(10.0, 1.8822701868), 1e-12);
}

}  // namespace
}  // namespace sonvale
