#include "emission/emission_update.h"

#include <gtest/gtest.h>

namespace sonvale {
namespace {

struct UpdateFixture : ::testing::Test {
  Project p;
  Configuration config;
  EmissionTables tables;
  void SetUp() override {
    tables.SelStrade.at(9, 1, 1, 1) = 70;
    tables.SelBinari.at(9, 1, 1, 1) = 90;
  }
  void update() { UpdateEmissions(p, config, tables); }
};

TEST_F(UpdateFixture, NothingToComputeIsAllRight) {
  p.EmissioniOK = false;  // as an importer leaves it
  update();
  EXPECT_TRUE(p.EmissioniOK);
}

TEST_F(UpdateFixture, RoadsAreRecomputedAndEmptyOnesReported) {
  Strada& busy = p.strade.addEntity();
  busy.NveicDay[1] = 100;
  Strada& stale = p.strade.addEntity();
  stale.LeqDay = 80;  // a level from an earlier state, no traffic
  stale.LeqNight = 70;
  update();
  EXPECT_GT(p.strade[1].LeqDay, 0.0);
  EXPECT_EQ(p.strade[2].LeqDay, 0.0);
  EXPECT_EQ(p.strade[2].LeqNight, 0.0);
  EXPECT_FALSE(p.EmissioniOK);

  // Night traffic alone is emission.
  p.strade[2].NveicNight[1] = 5;
  update();
  EXPECT_TRUE(p.EmissioniOK);

  // An excluded road sits at 1.0 and passes; a zeroed fixed road does not.
  p.strade[2].NveicNight[1] = 0;
  p.AzzeraStandard = true;
  update();
  EXPECT_EQ(p.strade[2].LeqDay, 1.0);
  EXPECT_TRUE(p.EmissioniOK);

  Strada& fixed = p.strade.addEntity();
  fixed.Pavimentaz = -1;
  fixed.FixLeqDay = 60;
  update();
  EXPECT_TRUE(p.EmissioniOK);
  p.IgnoraFisse = true;
  update();
  EXPECT_FALSE(p.EmissioniOK);
  p.IgnoraFisse = false;
  update();
  EXPECT_EQ(p.strade[3].LeqDay, 60.0);
  EXPECT_TRUE(p.EmissioniOK);
}

TEST_F(UpdateFixture, TracksCountToo) {
  Binario& track = p.binari.addEntity();
  update();
  EXPECT_FALSE(p.EmissioniOK);

  track.NtreniDay[1] = 2;
  track.LungDay[1] = 100;
  update();
  EXPECT_GT(p.binari[1].LeqDay, 0.0);
  EXPECT_TRUE(p.EmissioniOK);

  // A fixed track typed with 0 day and night has no emission.
  Binario& fixed = p.binari.addEntity();
  fixed.TipoArmamento = -1;
  update();
  EXPECT_FALSE(p.EmissioniOK);
  fixed.LeqNight = 55;
  update();
  EXPECT_TRUE(p.EmissioniOK);
}

}  // namespace
}  // namespace sonvale
