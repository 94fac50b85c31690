#include <gtest/gtest.h>

#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {
namespace {

template <class Line>
void TwoVertexLine(Line& l, float width, double hsx, double hdx) {
  l.vertices = {{0, 0, 0, width, width}, {3, 4, 10, 0, 0}};
  l.HmedSX = hsx;
  l.HmedDX = hdx;
  l.LeqDay = 60;
  l.LeqNight = 50;
}

class SetupTest : public ::testing::Test {
 protected:
  SetupTest() {
    c.Hsorg = 0.5;
    c.CorrLatoEdificato = 1;
    c.CorrStradaStretta = 2;
    c.CorrCanyon = 3;
  }
  // The correction K of the single segment of road 1 and track 1, from E.
  double RoadK() {
    return 10 * std::log10(PrepareSetup(p, c, Period::Day).roads[0].segments[0].E) - 60;
  }
  double TrackK() {
    return 10 * std::log10(PrepareSetup(p, c, Period::Day).tracks[0].segments[0].E) - 60;
  }
  Project p;
  Configuration c;
};

TEST_F(SetupTest, SegmentGeometryAndWidthFloor) {
  Strada& s = p.strade.addEntity();
  s.vertices = {{0, 0, 0, 9, 9}, {3, 4, 10, 30, 30}, {3, 10, 10, 12, 12}};
  s.LeqDay = 60;
  s.LeqNight = 50;
  PropagationSetup day = PrepareSetup(p, c, Period::Day);
  ASSERT_EQ(day.roads.size(), 1u);
  ASSERT_EQ(day.roads[0].segments.size(), 2u);
  const Segment& a = day.roads[0].segments[0];
  EXPECT_DOUBLE_EQ(a.W, 5.0);    // (9 + 9) / 4 = 4.5, raised to 5
  EXPECT_DOUBLE_EQ(a.Len, 5.0);  // the 10 m climb is ignored
  EXPECT_DOUBLE_EQ(a.E, 1e6);    // no buildings: K = 0
  EXPECT_DOUBLE_EQ(a.M.x, 1.5);
  EXPECT_DOUBLE_EQ(a.M.y, 2.0);
  EXPECT_DOUBLE_EQ(a.M.z, 5.5);  // mean height plus the source height
  EXPECT_DOUBLE_EQ(a.P1.z, 0.5);
  EXPECT_DOUBLE_EQ(a.P2.z, 10.5);
  EXPECT_DOUBLE_EQ(day.roads[0].segments[1].W, 15.0);  // widths of its first vertex
  EXPECT_DOUBLE_EQ(PrepareSetup(p, c, Period::Night).roads[0].segments[0].E, 1e5);

  // A one-vertex road has no segment but keeps its place in the list.
  p.strade.addEntity().vertices = {{0, 0, 0, 0, 0}};
  EXPECT_EQ(PrepareSetup(p, c, Period::Day).roads.size(), 2u);
  EXPECT_TRUE(PrepareSetup(p, c, Period::Day).roads[1].segments.empty());
}

TEST_F(SetupTest, StreetCorrectionsDifferForRoadsAndTracks) {
  TwoVertexLine(p.strade.addEntity(), 16, 10, 10);  // W = 8
  TwoVertexLine(p.binari.addEntity(), 16, 10, 10);
  EXPECT_NEAR(RoadK(), 3, 1e-9);   // 10 > 8 on both sides: canyon
  EXPECT_NEAR(TrackK(), 2, 1e-9);  // 10 > 3 and 8 < 9, but 10 < 16: narrow street
  EXPECT_DOUBLE_EQ(PrepareSetup(p, c, Period::Day).tracks[0].segments[0].W, 16.0);  // (8/2)^2

  TwoVertexLine(p.strade[1], 16, 3, 3);  // 3 is not above 3: only built-up sides
  EXPECT_NEAR(RoadK(), 1, 1e-9);
  TwoVertexLine(p.strade[1], 16, 0, 2);
  EXPECT_NEAR(RoadK(), 1, 1e-9);
  TwoVertexLine(p.strade[1], 16, 0, 0);
  EXPECT_NEAR(RoadK(), 0, 1e-9);
  TwoVertexLine(p.strade[1], 36, 4, 4);  // W = 18 is not below 18
  EXPECT_NEAR(RoadK(), 1, 1e-9);
  TwoVertexLine(p.strade[1], 34, 4, 4);  // W = 17
  EXPECT_NEAR(RoadK(), 2, 1e-9);
  TwoVertexLine(p.binari[1], 16, 16.5, 16.5);  // above 2 W = 16: canyon
  EXPECT_NEAR(TrackK(), 3, 1e-9);
  TwoVertexLine(p.binari[1], 18, 4, 4);  // W = 9 is not below 9
  EXPECT_NEAR(TrackK(), 1, 1e-9);
}

TEST_F(SetupTest, SourcesAndTheStandardPavementOption) {
  TwoVertexLine(p.strade.addEntity(), 0, 0, 0);
  TwoVertexLine(p.binari.addEntity(), 0, 0, 0);
  Source& s = p.sources.addEntity();
  s.X = 1;
  s.Y = 2;
  s.Z = 3;
  s.Lw = 90;
  s.Lwnight = 80;
  PropagationSetup day = PrepareSetup(p, c, Period::Day);
  ASSERT_EQ(day.sources.size(), 1u);
  EXPECT_EQ(day.sources[0].Lw, 90);
  EXPECT_EQ(day.sources[0].pos.z, 3);
  EXPECT_EQ(PrepareSetup(p, c, Period::Night).sources[0].Lw, 80);
  EXPECT_DOUBLE_EQ(day.tracks[0].segments[0].W, 6.25);
  EXPECT_TRUE(day.includeTracksAndSources);

  p.AzzeraStandard = true;
  PropagationSetup standard = PrepareSetup(p, c, Period::Day);
  EXPECT_FALSE(standard.includeTracksAndSources);
  EXPECT_EQ(standard.roads.size(), 1u);
  EXPECT_TRUE(standard.tracks.empty());
  EXPECT_TRUE(standard.sources.empty());
}

TEST(ReceiverEnergyTest, SumsRoadsTracksAndSourcesWithTheEntityTerm) {
  Project p;
  Configuration c;
  // A 2 m road (E = 1) and a 2 m track (E = 10), both 40 m from the receiver and
  // unsplit: 2.8 * E * 2 / 1600. A 100 dB source 10 m away: 69 dB.
  Strada& road = p.strade.addEntity();
  road.vertices = {{-1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}};
  Binario& track = p.binari.addEntity();
  track.vertices = road.vertices;
  track.LeqDay = 10;
  Source& s = p.sources.addEntity();
  s.Y = 30;
  s.Lw = 100;
  const Vec3 R{0, 40, 0};
  const double term = std::pow(10.0, 2.6);

  PropagationSetup setup = PrepareSetup(p, c, Period::Day);
  const double all = 0.0035 + 0.035 + std::pow(10.0, 6.9);
  EXPECT_NEAR(ReceiverEnergy(p, c, setup, R, 0), all, all * 1e-12);
  EXPECT_NEAR(ReceiverEnergy(p, c, setup, R, term), all + 2 * term, all * 1e-12);

  p.AzzeraStandard = true;
  setup = PrepareSetup(p, c, Period::Day);
  EXPECT_NEAR(ReceiverEnergy(p, c, setup, R, term), 0.0035 + term, 1e-12);
}

}  // namespace
}  // namespace sonvale
