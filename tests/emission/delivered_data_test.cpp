// The configuration and emission tables delivered in data/: they load with the
// program's own readers, agree with themselves, and give the levels a noise
// consultant expects for two reference roads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "emission/rail_emission.h"
#include "emission/road_emission.h"
#include "platform/paths.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {
namespace {

const std::string kDataDir = std::string(SONVALE_SOURCE_DIR) + "/data";

struct DeliveredData : ::testing::Test {
  static void SetUpTestSuite() {
    config = new Configuration(ReadConfiguration(kDataDir + "/sonvale.ini"));
    tables = new EmissionTables(LoadEmissionTables(TablePath(kDataDir, config->TablesDir, "")));
  }
  static void TearDownTestSuite() {
    delete config;
    delete tables;
  }
  static Configuration* config;
  static EmissionTables* tables;

  Project p;
  void SetUp() override { p.Anno = 2008; }

  // Adds a road carrying day traffic only, every class in the same flow class,
  // and returns its number (a table slot may move when the next road is added).
  long road(long cars, long v2, long v4, long flowClass) {
    const long i = p.strade.add();
    Strada& r = p.strade[i];
    r.NveicDay[1] = cars;
    r.NveicDay[2] = v2;
    r.NveicDay[4] = v4;
    for (int v = 1; v <= 5; ++v) r.VelDay[v] = flowClass;
    return i;
  }
  double dayLevel(long i) {
    ComputeRoadEmission(p, i, *config, *tables);
    return p.strade[i].LeqDay;
  }
};

Configuration* DeliveredData::config = nullptr;
EmissionTables* DeliveredData::tables = nullptr;

TEST_F(DeliveredData, ReferenceRoadsOfTheDefaultYear) {
  // Urban road: 10 000 vehicles in 16 h, 5 % two-axle lorries, class C5 (index 4).
  const long urban = road(9500, 500, 0, 4);
  const double urbanLevel = dayLevel(urban);
  EXPECT_GE(urbanLevel, 68.0);
  EXPECT_LE(urbanLevel, 72.0);

  // Motorway: 60 000 vehicles in 16 h, 15 % lorries (5 % V2, 10 % V4), class C7.
  const long motorway = road(51000, 3000, 6000, 6);
  const double motorwayLevel = dayLevel(motorway);
  EXPECT_GE(motorwayLevel, 78.0);
  EXPECT_LE(motorwayLevel, 83.0);

  // The tables stand for the 1995 fleet: the same urban road then was 6.5 dB louder.
  p.Anno = 1995;
  EXPECT_NEAR(dayLevel(urban), urbanLevel + 6.5, 0.01);
}

TEST_F(DeliveredData, PavementAndSlopeMoveTheLevelTheRightWay) {
  const long i = road(9500, 500, 0, 4);
  Strada& r = p.strade[i];
  const double smooth = dayLevel(i);
  r.Pavimentaz = 1;  // cobbles: louder
  const double cobbles = dayLevel(i);
  EXPECT_GT(cobbles, smooth + 2.0);
  EXPECT_LT(cobbles, smooth + 8.0);
  r.Pavimentaz = 2;  // porous asphalt: quieter, by a plausible amount
  const double porous = dayLevel(i);
  EXPECT_LT(porous, smooth - 0.5);
  EXPECT_GT(porous, smooth - 5.0);
  r.Pavimentaz = 0;
  r.Pendenza = 1;  // uphill: louder
  EXPECT_GT(dayLevel(i), smooth + 0.1);
  r.Pendenza = 2;  // downhill never makes traffic quieter
  EXPECT_GE(dayLevel(i), smooth - 1e-9);
}

// A-weighted energy sum of eight unweighted octave bands 63 Hz..8 kHz.
double AWeightedTotal(const Table4& t, int s, int c, int w) {
  const double a[8] = {-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1};
  double e = 0;
  for (int b = 1; b <= 8; ++b) e += std::pow(10.0, (t.at(b, s, c, w) + a[b - 1]) / 10);
  return 10 * std::log10(e);
}

TEST_F(DeliveredData, BandsAndTotalsAgree) {
  // Two decimals in the files: a total formed from rounded bands agrees to 0.01.
  for (int s = 1; s <= 8; ++s)
    for (int v = 1; v <= 5; ++v) {
      const Table4& sel = tables->SelStrade;
      EXPECT_NEAR(sel.at(9, s, v, 1), AWeightedTotal(sel, s, v, 1), 0.01) << s << "v" << v;
      EXPECT_GT(sel.at(9, s, v, 1), 60.0) << s << "v" << v;
      EXPECT_LT(sel.at(9, s, v, 1), 110.0) << s << "v" << v;
      // Slopes never make a vehicle quieter: their corrections are stored <= 0.
      EXPECT_LE(sel.at(9, s, v, 4), 0.0) << s << "v" << v;
      EXPECT_LE(sel.at(9, s, v, 5), 0.0) << s << "v" << v;
      // Road sources radiate alike in every direction.
      for (int d = 1; d <= 10; ++d) EXPECT_EQ(tables->DirStrade.at(9, s, v, d), 0.0);
    }
  for (int s = 1; s <= 4; ++s)
    for (int c = 1; c <= 3; ++c) {
      const Table4& sel = tables->SelBinari;
      EXPECT_NEAR(sel.at(9, s, c, 1), AWeightedTotal(sel, s, c, 1), 0.01) << s << "v" << c;
      // The model reads the eighth value of block 2; it must be the whole correction.
      EXPECT_EQ(sel.at(8, s, c, 2), sel.at(9, s, c, 2));
      EXPECT_LT(sel.at(8, s, c, 2), 0.0);
      // Directivity is relative to the horizontal and falls off straight upwards.
      EXPECT_EQ(tables->DirBinari.at(9, s, c, 1), 0.0);
      EXPECT_LT(tables->DirBinari.at(9, s, c, 10), -5.0);
    }
  // Faster classes are louder for the same train.
  EXPECT_GT(tables->SelBinari.at(9, 4, 3, 1), tables->SelBinari.at(9, 1, 3, 1));
}

TEST_F(DeliveredData, JointedTrackRaisesTheRailLevel) {
  p.binari.add();
  Binario& t = p.binari[1];
  t.NtreniDay[2] = 60;  // regional trains of 150 m in class C2
  t.LungDay[2] = 150;
  t.VelDay[2] = 1;
  ComputeRailEmission(p, 1, *tables);
  const double welded = t.LeqDay;
  EXPECT_GT(welded, 55.0);
  EXPECT_LT(welded, 75.0);
  t.TipoArmamento = 1;
  ComputeRailEmission(p, 1, *tables);
  EXPECT_NEAR(t.LeqDay, welded + 4.0, 0.01);
}

TEST_F(DeliveredData, ConfigurationValues) {
  EXPECT_DOUBLE_EQ(config->Hrec, 4.0);
  // 0.005 dB per metre: 10*log10(exp(-AttCoeff * 1000 m)) = -5 dB per km.
  EXPECT_NEAR(-10 * std::log10(std::exp(-config->AttCoeff * 1000)), 5.0, 0.01);
  EXPECT_EQ(config->LayerStrade, "STRADE");
  EXPECT_EQ(config->LayerSorgenti, "SORGENTI");
  EXPECT_DOUBLE_EQ(config->DistMax, 2500.0);
  EXPECT_DOUBLE_EQ(config->RidBassoEm, 3.0);
  EXPECT_LT(config->CorrLatoEdificato, config->CorrStradaStretta);
  EXPECT_LT(config->CorrStradaStretta, config->CorrCanyon);
  for (int k = 1; k <= 6; ++k)
    for (int v = 1; v <= 5; ++v) {
      EXPECT_GE(config->PresetClassDay[k][v], 1) << k;
      EXPECT_LE(config->PresetClassDay[k][v], 8) << k;
      EXPECT_GE(config->PresetClassNight[k][v], 1) << k;
      EXPECT_LE(config->PresetClassNight[k][v], 8) << k;
      EXPECT_LE(config->PresetFlowNight[k][v], config->PresetFlowDay[k][v]) << k;
    }
  // Motorway first, local street last.
  EXPECT_GT(config->PresetFlowDay[1][1], config->PresetFlowDay[6][1]);
}

}  // namespace
}  // namespace sonvale
