#include "model/project.h"

#include <gtest/gtest.h>

namespace sonvale {
namespace {

TEST(ProjectTest, CapacityIsEnforcedAndSlotsAboveCountKeepTheirData) {
  Project p;
  for (long i = 0; i < kMaxStrade; ++i) p.strade.add();
  EXPECT_EQ(p.strade.count(), 9000);
  EXPECT_THROW(p.strade.add(), CapacityError);
  EXPECT_EQ(p.strade.count(), 9000);

  p.sources.add();
  p.sources[1].Lw = 88;
  p.sources.setCount(0);
  p.sources.setCount(1);
  EXPECT_EQ(p.sources[1].Lw, 88);  // raising the count brings the source back
  EXPECT_THROW(p.sources.setCount(kMaxSources + 1), CapacityError);
}

TEST(ProjectTest, ExtentStartsEmptySoTheFirstVertexSetsBothBounds) {
  Project p;
  p.ExtendExtent(10, 20);
  p.Reset();
  EXPECT_TRUE(p.extent.isEmpty());
  p.ExtendExtent(5, -7);
  EXPECT_EQ(p.extent.Xmin, 5);
  EXPECT_EQ(p.extent.Xmax, 5);
  EXPECT_EQ(p.extent.Ymin, -7);
  EXPECT_EQ(p.extent.Ymax, -7);
}

TEST(ProjectTest, CalcFlagsPackAsNegativeBitSum) {
  Project p;
  p.AzzeraStandard = p.IgnoraRidFonoass = p.AzzeraFonoass = p.IgnoraFisse = true;
  EXPECT_EQ(PackCalcFlags(p), -15);
  for (int b = 0; b < 16; ++b) {
    Project q;
    q.AzzeraStandard = b & 1;
    q.IgnoraRidFonoass = b & 2;
    q.AzzeraFonoass = b & 4;
    q.IgnoraFisse = b & 8;
    Project r;
    UnpackCalcFlags(PackCalcFlags(q), r);
    EXPECT_EQ(r.AzzeraStandard, q.AzzeraStandard) << b;
    EXPECT_EQ(r.IgnoraRidFonoass, q.IgnoraRidFonoass) << b;
    EXPECT_EQ(r.AzzeraFonoass, q.AzzeraFonoass) << b;
    EXPECT_EQ(r.IgnoraFisse, q.IgnoraFisse) << b;
  }
}

TEST(ProjectTest, VertexListsRefuseToGrowPastCapacity) {
  Barriera b;
  for (size_t k = 0; k < kMaxBarrierVertices; ++k)
    AddVertex(b.vertices, Point3{}, kMaxBarrierVertices, "barrier");
  EXPECT_THROW(AddVertex(b.vertices, Point3{}, kMaxBarrierVertices, "barrier"), CapacityError);
  EXPECT_EQ(b.Npunti(), 500);
}

}  // namespace
}  // namespace sonvale
