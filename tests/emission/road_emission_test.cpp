#include "emission/road_emission.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sonvale {
namespace {

// Small tables filled by hand: only the t = 9 values the road model reads.
struct RoadFixture : ::testing::Test {
  Project p;
  Configuration config;
  EmissionTables tables;

  void SetUp() override {
    p.Anno = 2008;  // year correction -6.5 dB
    // Base levels: cars 70 dB in class C1, 66 dB in C3, 75 dB in C8; lorries V4 80 dB in C1.
    tables.SelStrade.at(9, 1, 1, 1) = 70;
    tables.SelStrade.at(9, 3, 1, 1) = 66;
    tables.SelStrade.at(9, 8, 1, 1) = 75;
    tables.SelStrade.at(9, 1, 4, 1) = 80;
    // Pavement 1 raises cars by 2 dB (stored negative), pavement 2 lowers them by 4.
    tables.SelStrade.at(9, 1, 1, 2) = -2;
    tables.SelStrade.at(9, 1, 1, 3) = 4;
    // Uphill raises cars by 3 dB, downhill lowers them by 1; C8 uphill raises by 5.
    tables.SelStrade.at(9, 1, 1, 4) = -3;
    tables.SelStrade.at(9, 1, 1, 5) = 1;
    tables.SelStrade.at(9, 8, 1, 4) = -5;
    // A value of another t must never be read.
    tables.SelStrade.at(8, 1, 1, 1) = 200;
    config.RidBassoEm = 3.0;
  }

  Strada& road() {
    if (p.strade.empty()) p.strade.add();
    return p.strade[1];
  }
  void compute() { ComputeRoadEmission(p, 1, config, tables); }
};

// The level of n vehicles of single-event level L over the day or the night.
double DayLevel(double n, double L) {
  return 10 * std::log10(1 + n * std::pow(10, L / 10) / 57600);
}
double NightLevel(double n, double L) {
  return 10 * std::log10(1 + n * std::pow(10, L / 10) / 28800);
}

TEST_F(RoadFixture, EmptyRoadIsZeroAndTrafficSumsOverClasses) {
  road();
  compute();
  EXPECT_EQ(road().LeqDay, 0.0);
  EXPECT_EQ(road().LeqNight, 0.0);

  // L = 70 - 6.5 = 63.5; 1000 cars: 10*log10(1 + 1000*10^6.35/57600) = 45.89589
  road().NveicDay[1] = 1000;
  compute();
  EXPECT_NEAR(road().LeqDay, 45.89589, 1e-4);
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 63.5), 1e-9);
  EXPECT_EQ(road().LeqNight, 0.0);

  // Offsets per class, and a second class in the same sum:
  // cars 70 + 1 - 6.5 = 64.5, V4 80 + 0 - 6.5 = 73.5, 100 of them.
  config.DayCorr[1] = 1.0;
  road().NveicDay[4] = 100;
  compute();
  const double e = 1 + 1000 * std::pow(10, 6.45) / 57600 + 100 * std::pow(10, 7.35) / 57600;
  EXPECT_NEAR(road().LeqDay, 10 * std::log10(e), 1e-9);

  // Night: class C3 (VelNight 2), 66 - 2 - 6.5 = 57.5, 200 cars over 8 h.
  config.NightCorr[1] = -2.0;
  road().VelNight[1] = 2;
  road().NveicNight[1] = 200;
  compute();
  EXPECT_NEAR(road().LeqNight, NightLevel(200, 57.5), 1e-9);
}

TEST_F(RoadFixture, DayAndNightReadTheirOwnFlowClass) {
  road().NveicDay[1] = 1000;
  road().NveicNight[1] = 500;
  road().VelDay[1] = 0;
  road().VelNight[1] = 2;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 63.5), 1e-9);
  EXPECT_NEAR(road().LeqNight, NightLevel(500, 59.5), 1e-9);

  // Swapping the classes swaps the base levels of day and night.
  road().VelDay[1] = 2;
  road().VelNight[1] = 0;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 59.5), 1e-9);
  EXPECT_NEAR(road().LeqNight, NightLevel(500, 63.5), 1e-9);
}

TEST_F(RoadFixture, ExcludedRoadsStayAtTheRawStartOfTheSum) {
  road().NveicDay[1] = 1000;
  road().NveicNight[1] = 1000;

  p.AzzeraStandard = true;
  road().Pavimentaz = 0;
  compute();
  EXPECT_EQ(road().LeqDay, 1.0);
  EXPECT_EQ(road().LeqNight, 1.0);
  // AzzeraStandard leaves the other pavements alone (pavement 1: 63.5 + 2).
  road().Pavimentaz = 1;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 65.5), 1e-9);

  p.AzzeraStandard = false;
  p.AzzeraFonoass = true;
  for (long pav : {1L, 2L, 3L}) {
    road().Pavimentaz = pav;
    compute();
    EXPECT_EQ(road().LeqDay, 1.0) << "pavement " << pav;
    EXPECT_EQ(road().LeqNight, 1.0) << "pavement " << pav;
  }
  road().Pavimentaz = 0;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 63.5), 1e-9);
}

TEST_F(RoadFixture, PavementAndSlopeCorrections) {
  road().NveicDay[1] = 1000;
  road().NveicNight[1] = 400;
  road().NveicDay[4] = 10;
  road().Pavimentaz = 1;  // 63.5 + 2
  compute();
  EXPECT_NEAR(
      road().LeqDay,
      10 * std::log10(1 + 1000 * std::pow(10, 6.55) / 57600 + 10 * std::pow(10, 7.35) / 57600),
      1e-9);
  road().Pavimentaz = 2;  // 63.5 - 4
  compute();
  EXPECT_NEAR(road().LeqNight, NightLevel(400, 59.5), 1e-9);

  // Pavement 3 takes the configured reduction for every class, day and night.
  road().Pavimentaz = 3;
  config.RidBassoEm = 4.5;
  compute();
  EXPECT_NEAR(
      road().LeqDay,
      10 * std::log10(1 + 1000 * std::pow(10, 5.90) / 57600 + 10 * std::pow(10, 6.90) / 57600),
      1e-9);
  EXPECT_NEAR(road().LeqNight, NightLevel(400, 59.0), 1e-9);

  // Uphill +3, downhill -1.
  road().Pavimentaz = 0;
  road().NveicDay[4] = 0;
  road().Pendenza = 1;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 66.5), 1e-9);
  road().Pendenza = 2;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 62.5), 1e-9);

  // IgnoraRidFonoass: every pavement like pavement 0, the slope still counts.
  p.IgnoraRidFonoass = true;
  road().Pendenza = 1;
  for (long pav : {0L, 1L, 2L, 3L}) {
    road().Pavimentaz = pav;
    compute();
    EXPECT_NEAR(road().LeqDay, DayLevel(1000, 66.5), 1e-9) << "pavement " << pav;
    EXPECT_NEAR(road().LeqNight, NightLevel(400, 66.5), 1e-9) << "pavement " << pav;
  }
}

TEST_F(RoadFixture, YearCorrectionIsBoundedByTheDialogYears) {
  EXPECT_EQ(YearCorrection(1995), 0.0);
  EXPECT_EQ(YearCorrection(2008), -6.5);
  EXPECT_EQ(YearCorrection(2009), -7.0);
  EXPECT_EQ(YearCorrection(2050), -27.5);
  EXPECT_EQ(YearCorrection(0), 0.0);  // an unanswered year question, not +997.5 dB
  EXPECT_EQ(YearCorrection(1990), 0.0);
  EXPECT_EQ(YearCorrection(99999), -27.5);

  // Two years later, every vehicle's energy falls by exactly 1 dB.
  road().NveicDay[1] = 1000;
  road().NveicNight[1] = 300;
  compute();
  const double day2008 = std::pow(10, road().LeqDay / 10) - 1;
  const double night2008 = std::pow(10, road().LeqNight / 10) - 1;
  p.Anno = 2010;
  compute();
  EXPECT_NEAR((std::pow(10, road().LeqDay / 10) - 1) / day2008, std::pow(10, -0.1), 1e-12);
  EXPECT_NEAR((std::pow(10, road().LeqNight / 10) - 1) / night2008, std::pow(10, -0.1), 1e-12);

  p.Anno = 0;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 70), 1e-9);
  EXPECT_EQ(p.Anno, 0);  // the year itself is kept, so the question comes back
}

TEST_F(RoadFixture, FixedLevelsSurviveIgnoringFixedRoads) {
  road().Pavimentaz = -1;
  road().FixLeqDay = 65.2;
  road().FixLeqNight = 55.1;
  road().NveicDay[1] = 1000;  // traffic of a fixed road is not used
  compute();
  EXPECT_EQ(road().LeqDay, 65.2);
  EXPECT_EQ(road().LeqNight, 55.1);

  p.IgnoraFisse = true;
  compute();
  EXPECT_EQ(road().LeqDay, 0.0);
  EXPECT_EQ(road().LeqNight, 0.0);
  EXPECT_EQ(road().FixLeqDay, 65.2);

  p.IgnoraFisse = false;
  compute();
  EXPECT_EQ(road().LeqDay, 65.2);
  EXPECT_EQ(road().LeqNight, 55.1);

  // The exclusion options do not touch fixed roads.
  p.AzzeraFonoass = true;
  compute();
  EXPECT_EQ(road().LeqDay, 65.2);
}

TEST_F(RoadFixture, ClassesOutsideTheTableAreReadAtTheNearestClass) {
  road().NveicDay[1] = 1000;
  road().VelDay[1] = 12;  // read as C8: 75 - 6.5
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 68.5), 1e-9);
  EXPECT_EQ(road().VelDay[1], 12);

  road().VelDay[1] = -3;  // read as C1
  road().VelNight[1] = 1000000;
  road().NveicNight[1] = 100;
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 63.5), 1e-9);
  EXPECT_NEAR(road().LeqNight, NightLevel(100, 68.5), 1e-9);

  road().Pendenza = 7;  // read as downhill, class C1: 63.5 - 1
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 62.5), 1e-9);
  EXPECT_EQ(road().Pendenza, 7);
  road().Pendenza = -4;  // no slope
  compute();
  EXPECT_NEAR(road().LeqDay, DayLevel(1000, 63.5), 1e-9);
}

}  // namespace
}  // namespace sonvale
