#include "commands/map_legend.h"

#include <gtest/gtest.h>

#include "exposure/exposure_report.h"

namespace sonvale {
namespace {

std::vector<std::string> Labels(const MapLegendContent& c) {
  std::vector<std::string> labels;
  for (const MapLegendEntry& e : c.entries) labels.push_back(e.label);
  return labels;
}

TEST(MapLegendTest, LevelScaleUnlessTheRunWritesIsophones) {
  MapGisOutputs outputs;
  outputs.scheme = BandScheme::End;
  outputs.geotiff = true;
  EXPECT_FALSE(DrawnScheme(outputs));  // a scheme chosen but no isophones asked for
  outputs.isophones = true;
  EXPECT_EQ(DrawnScheme(outputs), BandScheme::End);

  const MapLegendContent scale = MapLegendFor(std::nullopt);
  EXPECT_TRUE(scale.scale);
  EXPECT_EQ(scale.title, "Leq dB(A)");
  EXPECT_EQ(scale.scheme, "");
  EXPECT_EQ(scale.low, 40);
  EXPECT_EQ(scale.high, 90);
  EXPECT_EQ(Labels(scale), (std::vector<std::string>{"90", "85", "80", "75", "70", "65", "60", "55",
                                                     "50", "45", "40"}));
  EXPECT_EQ(scale.entries.front().level, 90);
  // The scale runs from violet at 40 dB(A) to red at 90 dB(A).
  EXPECT_EQ(scale.entries.back().colour, MapCellColour(std::nullopt, 40));
  EXPECT_EQ(scale.entries.front().colour, (Rgb{255, 0, 0}));
}

TEST(MapLegendTest, SchemeBandsLoudestFirstInTheColoursTheCellsArePainted) {
  const MapLegendContent din = MapLegendFor(BandScheme::Din18005);
  EXPECT_FALSE(din.scale);
  EXPECT_EQ(din.title, "Leq dB(A)");
  EXPECT_EQ(din.scheme, "DIN 18005");
  EXPECT_EQ(Labels(din), (std::vector<std::string>{">= 80", "75 - 80", "70 - 75", "65 - 70",
                                                   "60 - 65", "55 - 60", "50 - 55", "45 - 50",
                                                   "40 - 45", "35 - 40", "< 35"}));
  // RAL 5019 (sapphire blue) above 80, RAL 2003 (pastel orange) for 55-60, RAL
  // 6019 (pastel green) below 35.
  EXPECT_EQ(din.entries[0].colour, (Rgb{27, 85, 131}));
  EXPECT_EQ(din.entries[5].colour, (Rgb{250, 132, 43}));
  EXPECT_EQ(din.entries[10].colour, (Rgb{189, 236, 182}));

  // A cell is painted in the colour of the band that holds its level; a level
  // on a bound belongs to the band above it.
  for (BandScheme s : kBandSchemes) {
    const MapLegendContent c = MapLegendFor(s);
    ASSERT_EQ(c.entries.size(), 11u);
    EXPECT_EQ(MapCellColour(s, 57.3), c.entries[5].colour);
    EXPECT_EQ(MapCellColour(s, 60), c.entries[4].colour);
    EXPECT_EQ(MapCellColour(s, 59.99), c.entries[5].colour);
    EXPECT_EQ(MapCellColour(s, 12), c.entries[10].colour);
    EXPECT_EQ(MapCellColour(s, 104), c.entries[0].colour);
  }
  EXPECT_EQ(MapLegendFor(BandScheme::End).scheme, "END (direttiva 2002/49/CE)");
  EXPECT_NE(MapLegendFor(BandScheme::End).entries[3].colour,
            MapLegendFor(BandScheme::NfS31130).entries[3].colour);
}

// The façade points of an exposure run: the Lden bands of the tables, loudest
// first, in the colours the points are painted in.
TEST(MapLegendTest, FacadePointsInTheirLdenBands) {
  const MapLegendContent c = ExposureLegend();
  EXPECT_FALSE(c.scale);
  EXPECT_EQ(c.title, "Lden dB(A)");
  EXPECT_EQ(Labels(c),
            (std::vector<std::string>{">=75", "70-74", "65-69", "60-64", "55-59", "< 55"}));
  ExposureAssessment a;
  a.points.resize(2);
  a.points[0].levels[static_cast<size_t>(SourceKind::All)].lden = 67.44;
  const BandRgb loud = FacadePointColour(a, 0), none = FacadePointColour(a, 1);
  EXPECT_EQ(c.entries[2].colour, RGB(loud.r, loud.g, loud.b));
  EXPECT_EQ(c.entries[5].colour, RGB(none.r, none.g, none.b));  // no level: below the bands
}

}  // namespace
}  // namespace sonvale
