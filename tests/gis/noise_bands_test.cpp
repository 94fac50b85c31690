// Band bounds over a grid's range and the colours of the standard schemes.
#include "gis/noise_bands.h"

#include <gtest/gtest.h>

namespace sonvale {
namespace {

TEST(NoiseBandsTest, OuterBandsTakeTheGridsRangeAndEmptyBandsAreLeftOut) {
  const std::vector<double> levels = StandardLevels();
  ASSERT_EQ(levels.size(), 10u);
  EXPECT_EQ(levels.front(), 35);
  EXPECT_EQ(levels.back(), 80);

  // Every level within the range: open bands at both ends.
  std::vector<Band> all = BandsOver(levels, LevelRange{31.44, 84.01, false});
  ASSERT_EQ(all.size(), 11u);
  EXPECT_EQ(all.front(), (Band{31.4, 35}));
  EXPECT_EQ(all[1], (Band{35, 40}));
  EXPECT_EQ(all.back(), (Band{80, 84.1}));
  EXPECT_EQ(BandLabel(all.front(), levels), "< 35");
  EXPECT_EQ(BandLabel(all[5], levels), "55 - 60");
  EXPECT_EQ(BandLabel(all.back(), levels), ">= 80");

  // A range inside the levels: only the bands it touches, bounded by levels.
  std::vector<Band> some = BandsOver(levels, LevelRange{52, 66, false});
  ASSERT_EQ(some.size(), 4u);
  EXPECT_EQ(some.front(), (Band{50, 55}));
  EXPECT_EQ(some.back(), (Band{65, 70}));
  // A maximum exactly on a level ends the last band there.
  EXPECT_EQ(BandsOver(levels, LevelRange{52, 65, false}).back(), (Band{60, 65}));
  EXPECT_TRUE(BandsOver(levels, LevelRange{}).empty());
  EXPECT_EQ(BandsOver({}, LevelRange{-2.04, 3.01, false}), (std::vector<Band>{{-2.1, 3.1}}));

  EXPECT_EQ(StepLevels(5, 52, 66), (std::vector<double>{55, 60, 65}));
  EXPECT_EQ(StepLevels(2.5, 50, 55), (std::vector<double>{52.5}));
  EXPECT_TRUE(StepLevels(0, 50, 55).empty());
}

TEST(NoiseBandsTest, SchemesColourTheFiveDecibelClasses) {
  EXPECT_EQ(ParseBandScheme("din18005"), BandScheme::Din18005);
  EXPECT_EQ(ParseBandScheme("nfs31130"), BandScheme::NfS31130);
  EXPECT_EQ(ParseBandScheme("end"), BandScheme::End);
  EXPECT_FALSE(ParseBandScheme("DIN"));

  // German scale: yellow from 45, orange from 55, dark blue from 80.
  EXPECT_EQ(BandColour(BandScheme::Din18005, 45), RGB(241, 221, 56));
  EXPECT_EQ(BandColour(BandScheme::Din18005, 49.9), RGB(241, 221, 56));
  EXPECT_EQ(BandColour(BandScheme::Din18005, 55), RGB(250, 132, 43));
  EXPECT_EQ(BandColour(BandScheme::Din18005, 80), BandColour(BandScheme::Din18005, 95));
  EXPECT_EQ(BandColour(BandScheme::Din18005, 12), BandColour(BandScheme::Din18005, 34.9));
  EXPECT_NE(BandColour(BandScheme::Din18005, 34.9), BandColour(BandScheme::Din18005, 35));
  // The European scale's red of 65 - 70 and the French scale's 55 - 60.
  EXPECT_EQ(BandColour(BandScheme::End, 65), RGB(255, 9, 9));
  EXPECT_EQ(BandColour(BandScheme::NfS31130, 57.5), RGB(243, 198, 131));
}

}  // namespace
}  // namespace sonvale
