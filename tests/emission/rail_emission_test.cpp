#include "emission/rail_emission.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sonvale {
namespace {

struct RailFixture : ::testing::Test {
  Project p;
  EmissionTables tables;

  void SetUp() override {
    // Local trains (c = 2): 90 dB per 100 m in class 1, 95 dB in class 4.
    tables.SelBinari.at(9, 1, 2, 1) = 90;
    tables.SelBinari.at(9, 4, 2, 1) = 95;
    // Track type 1 raises by 2 dB in the eighth value; the ninth holds a trap.
    tables.SelBinari.at(8, 1, 2, 2) = -2;
    tables.SelBinari.at(9, 1, 2, 2) = 50;
    tables.SelBinari.at(8, 4, 2, 2) = -1;
    p.binari.add();
  }
  Binario& track() { return p.binari[1]; }
  void compute() { ComputeRailEmission(p, 1, tables); }
};

// n trains of length len (m) and level L per 100 m over the day or the night.
double DayLevel(double n, double len, double L) {
  return 10 * std::log10(1 + std::pow(10, L / 10) * n / 57600 * len / 100);
}
double NightLevel(double n, double len, double L) {
  return 10 * std::log10(1 + std::pow(10, L / 10) * n / 28800 * len / 100);
}

TEST_F(RailFixture, EmptyTrackAndTrainLength) {
  compute();
  EXPECT_EQ(track().LeqDay, 0.0);
  EXPECT_EQ(track().LeqNight, 0.0);

  // 10 trains of 200 m at 90 dB per 100 m: 10*log10(1 + 1e9*10/57600*2) = 55.40609
  track().NtreniDay[2] = 10;
  track().LungDay[2] = 200;
  compute();
  EXPECT_NEAR(track().LeqDay, 55.40609, 1e-4);
  EXPECT_EQ(track().LeqNight, 0.0);
  const double before = track().LeqDay;
  track().LungDay[2] = 400;  // twice the length: +10*log10(2), the 1.0 start is negligible
  compute();
  EXPECT_NEAR(track().LeqDay - before, 3.0103, 1e-4);

  // Night: class 4 (VelNight 3), 5 trains of 150 m over 8 h.
  track().VelNight[2] = 3;
  track().NtreniNight[2] = 5;
  track().LungNight[2] = 150;
  compute();
  EXPECT_NEAR(track().LeqNight, NightLevel(5, 150, 95), 1e-9);
  EXPECT_NEAR(track().LeqDay, DayLevel(10, 400, 90), 1e-9);
}

TEST_F(RailFixture, TrackTypeReadsTheEighthValueOfBlockTwo) {
  track().NtreniDay[2] = 10;
  track().LungDay[2] = 100;
  track().NtreniNight[2] = 4;
  track().LungNight[2] = 100;
  track().VelNight[2] = 3;
  compute();
  EXPECT_NEAR(track().LeqDay, DayLevel(10, 100, 90), 1e-9);

  track().TipoArmamento = 1;
  compute();
  EXPECT_NEAR(track().LeqDay, DayLevel(10, 100, 92), 1e-9);
  EXPECT_NEAR(track().LeqNight, NightLevel(4, 100, 96), 1e-9);

  // A type beyond the table is read as type 1, and a speed class beyond it as class 4.
  track().TipoArmamento = 5;
  track().VelNight[2] = 40;
  compute();
  EXPECT_NEAR(track().LeqDay, DayLevel(10, 100, 92), 1e-9);
  EXPECT_NEAR(track().LeqNight, NightLevel(4, 100, 96), 1e-9);
  EXPECT_EQ(track().TipoArmamento, 5);
  EXPECT_EQ(track().VelNight[2], 40);
}

TEST_F(RailFixture, FixedTrackAndYearAndIgnoreOptionsLeaveLevels) {
  track().TipoArmamento = -1;
  track().LeqDay = 71.5;
  track().LeqNight = 63.25;
  track().NtreniDay[2] = 10;
  p.IgnoraFisse = true;
  p.AzzeraStandard = true;
  compute();
  EXPECT_EQ(track().LeqDay, 71.5);
  EXPECT_EQ(track().LeqNight, 63.25);

  track().TipoArmamento = 0;
  track().LungDay[2] = 100;
  p.Anno = 1995;
  compute();
  const double level1995 = track().LeqDay;
  p.Anno = 2040;
  compute();
  EXPECT_EQ(track().LeqDay, level1995);
  EXPECT_NEAR(level1995, DayLevel(10, 100, 90), 1e-9);  // no exclusion for tracks
}

}  // namespace
}  // namespace sonvale
