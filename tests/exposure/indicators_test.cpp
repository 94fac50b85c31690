// Lden, the bands of the exposure tables with their rounding, and the harmful
// effects of Annex III at levels worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "exposure/exposure_bands.h"
#include "exposure/health_effects.h"
#include "exposure/noise_indicators.h"

namespace sonvale {
namespace {

double Lden(double day, double night, const PeriodScheme& s) {
  return *LevelOf(LdenEnergy(std::pow(10.0, day / 10), std::pow(10.0, night / 10), s));
}

TEST(Lden, EqualDayAndNightLevels) {
  // (12 + 4 x 10^0.5 + 8 x 10) / 24 = 4.36038: 6.3952 dB above the level.
  EXPECT_NEAR(Lden(60, 60, PeriodScheme{}), 66.3952, 1e-4);
  // 14,2,8: (14 + 2 x 10^0.5 + 80) / 24 = 4.18019: +6.2120 dB.
  EXPECT_NEAR(Lden(60, 60, PeriodScheme{14, 2, 8}), 66.2120, 1e-4);
  // Night 10 dB below the day: (12 + 12.649 + 8) / 24 = 1.36038: +1.3366 dB.
  EXPECT_NEAR(Lden(70, 60, PeriodScheme{}), 71.3366, 1e-4);
  EXPECT_EQ(LevelOf(0), std::nullopt);
  EXPECT_EQ(LevelOf(LdenEnergy(0, 0, PeriodScheme{})), std::nullopt);
}

TEST(Lden, PeriodSchemes) {
  auto s = ParsePeriodScheme("14,2,8");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->day, 14);
  EXPECT_EQ(PeriodSchemeText(*s), "14,2,8");
  EXPECT_TRUE(ParsePeriodScheme("16,0,8"));
  for (const char* bad : {"12,4,9", "12,4", "12,4,8,0", "a,4,8", "0,16,8", "12,-4,16", ""})
    EXPECT_FALSE(ParsePeriodScheme(bad)) << bad;
}

TEST(Bands, LevelsAsWrittenAndRounding) {
  EXPECT_EQ(Tenths(54.94), 549);
  EXPECT_EQ(Tenths(54.96), 550);
  EXPECT_EQ(TenthsText(550), "55.0");
  EXPECT_EQ(TenthsText(-3), "-0.3");
  EXPECT_EQ(BandIndex(Indicator::Lden, 549), -1);
  EXPECT_EQ(BandIndex(Indicator::Lden, 550), 0);
  EXPECT_EQ(BandIndex(Indicator::Lden, 599), 0);
  EXPECT_EQ(BandIndex(Indicator::Lden, 600), 1);
  EXPECT_EQ(BandIndex(Indicator::Lden, 749), 3);
  EXPECT_EQ(BandIndex(Indicator::Lden, 750), 4);
  EXPECT_EQ(BandIndex(Indicator::Lden, 1200), 4);
  EXPECT_EQ(BandIndex(Indicator::Lnight, 499), -1);
  EXPECT_EQ(BandIndex(Indicator::Lnight, 500), 0);
  EXPECT_EQ(BandIndex(Indicator::Lnight, 700), 4);
  EXPECT_EQ(BandLabel(Indicator::Lden, 0), "55-59");
  EXPECT_EQ(BandLabel(Indicator::Lden, 4), ">=75");
  EXPECT_EQ(BandLabel(Indicator::Lnight, 0), "50-54");
  EXPECT_EQ(BandLabel(Indicator::Lnight, 4), ">=70");
  EXPECT_EQ(RoundToHundred(49), 0);
  EXPECT_EQ(RoundToHundred(50), 100);
  EXPECT_EQ(RoundToHundred(5149), 5100);
  EXPECT_EQ(RoundToHundred(5150), 5200);
  EXPECT_EQ(RoundToHundred(49.99), 0);
  EXPECT_EQ(RoundToHundred(0), 0);
}

TEST(Health, AnnexThreeRelationsAtKnownLevels) {
  // Road HA at 57.5: 78.9270 - 3.1162 x 57.5 + 0.0342 x 3306.25 = 12.81925 %.
  EXPECT_NEAR(HighAnnoyanceRisk(HealthSource::Road, 57.5), 0.1281925, 1e-9);
  // Rail HA at 57.5: 38.1596 - 118.18435 + 94.228125 = 14.203375 %.
  EXPECT_NEAR(HighAnnoyanceRisk(HealthSource::Rail, 57.5), 0.14203375, 1e-9);
  // Road HSD at 52.5: 19.4312 - 49.014 + 34.72875 = 5.14595 %.
  EXPECT_NEAR(HighSleepDisturbanceRisk(HealthSource::Road, 52.5), 0.0514595, 1e-9);
  // Rail HSD at 52.5: 67.5406 - 167.223 + 107.769375 = 8.086975 %.
  EXPECT_NEAR(HighSleepDisturbanceRisk(HealthSource::Rail, 52.5), 0.08086975, 1e-9);
  // IHD: 8 % more per 10 dB above 53.
  EXPECT_EQ(IhdRelativeRisk(50), 1.0);
  EXPECT_NEAR(IhdRelativeRisk(63), 1.08, 1e-12);
  EXPECT_NEAR(IhdRelativeRisk(73), 1.08 * 1.08, 1e-12);

  // 1000 people at Lden 55-59 and 400 at Lnight 50-54, 4000 people in all.
  std::array<double, kBandCount> lden{1000, 0, 0, 0, 0}, lnight{400, 0, 0, 0, 0};
  std::vector<HealthFigure> f = HealthFigures(HealthSource::Road, lden, lnight, 4000, 0.004);
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[0].effect, "HA");
  EXPECT_NEAR(f[0].cases, 128.1925, 1e-6);
  EXPECT_NEAR(f[0].fraction, 128.1925 / 4000, 1e-9);
  EXPECT_EQ(f[1].effect, "HSD");
  EXPECT_NEAR(f[1].cases, 400 * 0.0514595, 1e-6);
  // IHD: RR(57.5) = 1.08^0.45; p = 0.25; PAF = p(RR-1) / (p(RR-1) + 1).
  const double rr = std::pow(1.08, 0.45), x = 0.25 * (rr - 1);
  EXPECT_EQ(f[2].effect, "IHD");
  EXPECT_NEAR(f[2].fraction, x / (x + 1), 1e-12);
  EXPECT_NEAR(f[2].cases, x / (x + 1) * 0.004 * 4000, 1e-9);
  // Railways have no IHD relation; without an incidence the cases are unknown.
  EXPECT_EQ(HealthFigures(HealthSource::Rail, lden, lnight, 4000, 0.004).size(), 2u);
  EXPECT_FALSE(HealthFigures(HealthSource::Road, lden, lnight, 4000, std::nullopt)[2].casesKnown);
}

}  // namespace
}  // namespace sonvale
