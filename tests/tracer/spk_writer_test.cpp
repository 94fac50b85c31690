#include "tracer/spk_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "propagation/kernel.h"
#include "support/file_contents.h"
#include "support/recording_work_report.h"
#include "support/table_files.h"
#include "tracer/tracer_test_support.h"

namespace sonvale {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
    out.push_back(text.substr(start, crlf - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  return out;
}

Configuration SpkConfig(double passo) {
  Configuration c;
  c.PassoSorgenti = passo;
  return c;
}

TEST(SpkWriter, FileNamesAndValueFields) {
  EXPECT_EQ(SpkFileName("C:\\proj\\model.RAY", kSpkRoadPrefix, 7), "C:\\proj\\STR-0007.SPK");
  EXPECT_EQ(SpkFileName("C:\\proj\\model.RAY", kSpkTrackPrefix, 12), "C:\\proj\\BIN-0012.SPK");
  EXPECT_EQ(SpkFileName("/data/a.b/town.RAY", kSpkRoadPrefix, 12345), "/data/a.b/STR-2345.SPK");
  EXPECT_EQ(SpkFileName("town.RAY", kSpkRoadPrefix, 3), "STR-0003.SPK");

  const std::pair<double, const char*> fields[] = {
      {12.534, "12.534"},  {2.5, " 2.500"},    {3, "   3.0"},       {-0.0004, "   0.0"},
      {0.5, "  .500"},     {0.0625, "  .063"}, {0.11111, "  .111"}, {-2.5, "-2.500"},
      {-0.25, " -.250"},   {1234, "1234.0"},   {123.456, "123.46"}, {12345.6, "12346."},
      {999.996, "1000.0"}, {-12.5, "-12.50"},
  };
  for (const auto& [value, text] : fields) EXPECT_EQ(SpkValueField(value), text) << value;
  EXPECT_THROW(SpkValueField(1e9), std::out_of_range);
}

TEST(SpkWriter, LayoutAndBalloonFolding) {
  SpkBands b;
  b.Lw.fill(89.75);
  for (size_t m = 0; m < 10; ++m) b.D[m][0] = static_cast<double>(m + 1);  // band 1, axis 0
  const std::string name = "C:\\proj\\STR-0003.SPK";
  const std::vector<std::string> lines =
      Lines(SpkText(name, b, SpkStamp{"03-07-2024", "09:05:01"}));
  ASSERT_EQ(lines.size(), 5u + 8u * (6u + 18u) + 1u);
  EXPECT_EQ(lines[0], "\"Source Name\",\"C:\\proj\\STR-0003.SPK\"");
  EXPECT_EQ(lines[1], "\"Manufacturer\",\"ConeTrak\"");
  EXPECT_EQ(lines[2], "\"Date\",\"03-07-2024\"");
  EXPECT_EQ(lines[3], "\"Time\",\"09:05:01\"");
  EXPECT_EQ(lines[4], "\"Number of frequency bands\",8");
  EXPECT_EQ(lines[5], "\"Freq. band no.\",2");
  EXPECT_EQ(lines[6],
            "\"Z (ê)\",\"Efficiency (%)\",\"Lw (dBpW)\",\"Directivity Q\",\"Directivity Index "
            "(dB)\",\"Sensitivity (dB SPL at 1W,1m)\"");
  EXPECT_EQ(lines[7], "0,1,89.75,1,0,94");
  EXPECT_EQ(lines[8], "\"No. of polar plots\",18");
  EXPECT_EQ(lines[9], "\"No. of points per plot\",36");
  EXPECT_EQ(lines[10],
            "\"Polar Angle on the plot (ß)\",\"--->\",    0,   10,   20,   30,   40,   50,   60,  "
            " 70,   80,   90,  100,  110,  120,  130,  140,  150,  160,  170,  180,  190,  200,  "
            "210,  220,  230,  240,  250,  260,  270,  280,  290,  300,  310,  320,  330,  340,  "
            "350");
  EXPECT_EQ(lines[5 + 24 * 7], "\"Freq. band no.\",9");
  EXPECT_EQ(lines.back(), "\"END\"");

  // Plot K = 10 folds to row 9 (value 9): P 27 folds to 9 and P 28 to 8.
  const std::vector<std::string> k10 = Fields(lines[11 + 10]);
  ASSERT_EQ(k10.size(), 2u + 36u);
  EXPECT_EQ(k10[0], "\"Angle of the polar plot (ø)\"");
  EXPECT_EQ(k10[1], "    100");
  EXPECT_EQ(k10[2 + 0], "   0.0");
  EXPECT_EQ(k10[2 + 9], "   9.0");
  EXPECT_EQ(k10[2 + 10], "   8.0");
  EXPECT_EQ(k10[2 + 18], "   0.0");
  EXPECT_EQ(k10[2 + 27], "   9.0");
  EXPECT_EQ(k10[2 + 28], "   8.0");
  EXPECT_EQ(k10[2 + 35], "   1.0");
  // Plot 0 takes row 1; the second band has an empty balloon.
  EXPECT_EQ(Fields(lines[11])[2 + 1], "  .111");
  EXPECT_EQ(Fields(lines[24 + 11 + 4])[2 + 5], "   0.0");
}

TEST(SpkWriter, BandDataOfFixedComputedAndRailLines) {
  EmissionTables t;
  for (int v = 1; v <= 8; ++v) {
    t.SelStrade.at(v, 3, 1, 1) = 80;  // cars in flow class C3
    t.SelStrade.at(v, 1, 1, 1) = 50;  // cars in C1, the night class below
    t.DirStrade.at(v, 3, 1, 1) = 3;
    for (int m = 1; m <= 10; ++m) t.DirStrade.at(v, 3, 2, m) = 10;  // lorries, no traffic
    t.SelBinari.at(v, 2, 2, 1) = 70;
    t.SelBinari.at(v, 2, 2, 2) = -4;
    t.DirBinari.at(v, 2, 2, 10) = -3;
  }
  t.SelStrade.at(4, 3, 1, 2) = 10;   // pavement type 1, band 4
  t.SelStrade.at(5, 3, 1, 5) = -10;  // downhill, band 5
  const Configuration c = SpkConfig(4);

  Project p;
  p.Anno = 1995;
  Strada& fixed = p.strade.addEntity();
  fixed.Pavimentaz = -1;
  fixed.LeqDay = 70;
  fixed.LeqNight = 60;
  Strada& road = p.strade.addEntity();
  road.VelDay[1] = 2;
  road.NveicDay[1] = 57600;  // one car a second: E = 10^(L/10)
  road.VelNight[1] = 0;
  road.NveicNight[1] = 28800;
  road.VelDay[2] = 2;
  Binario& track = p.binari.addEntity();
  track.TipoArmamento = 1;
  track.VelDay[2] = 1;
  track.NtreniDay[2] = 576;
  track.LungDay[2] = 10000;

  SpkBands f = RoadSpkBands(p, 1, c, t);
  for (size_t v = 0; v < 8; ++v) {
    EXPECT_NEAR(f.Lw[v], 89.74271037, 1e-8);
    EXPECT_EQ(f.A[v], 0);
    for (size_t m = 0; m < 10; ++m) EXPECT_EQ(f.D[m][v], 0);
  }
  EXPECT_NEAR(RoadSpkBands(p, 1, SpkConfig(2), t).Lw[0], 70 + 10 * std::log10(47.12388), 1e-8);

  SpkBands r = RoadSpkBands(p, 2, c, t);
  EXPECT_NEAR(r.Lw[0], 99.74314464, 1e-8);
  EXPECT_NEAR(r.D[0][0], 1.99526231, 1e-8);  // the car's +3 dB only: the lorries weigh 0
  EXPECT_NEAR(r.D[1][0], 1, 1e-12);
  EXPECT_NEAR(r.A[0], 1.09952623, 1e-8);

  road.Pavimentaz = 1;
  road.Pendenza = 2;
  r = RoadSpkBands(p, 2, c, t);
  EXPECT_NEAR(r.Lw[3], 89.74705115, 1e-8);
  EXPECT_NEAR(r.Lw[4], 109.74275380, 1e-8);
  EXPECT_NEAR(r.Lw[0], 99.74314464, 1e-8);
  p.IgnoraRidFonoass = true;  // a switch of the calculations: pavement and slope still count
  r = RoadSpkBands(p, 2, c, t);
  EXPECT_NEAR(r.Lw[3], 89.74705115, 1e-8);
  EXPECT_NEAR(r.Lw[4], 109.74275380, 1e-8);
  road.Pavimentaz = 0;
  road.Pendenza = 0;

  p.Anno = 1996;  // no year correction and no class offsets in the files
  Configuration offset = c;
  offset.DayCorr[1] = 0.5;
  offset.NightCorr[1] = -20;
  EXPECT_NEAR(RoadSpkBands(p, 2, c, t).Lw[2], 99.74314464, 1e-8);
  EXPECT_NEAR(RoadSpkBands(p, 2, offset, t).Lw[2], 99.74314464, 1e-8);
  p.Anno = 1995;

  p.Diurno = false;  // 8 h, the night class and counts: E = 10^5
  EXPECT_NEAR(RoadSpkBands(p, 2, c, t).Lw[6], 10 * std::log10(1e4 + 1e5) + 19.74271037, 1e-8);
  EXPECT_NEAR(RoadSpkBands(p, 1, c, t).Lw[6], 79.74271037, 1e-8);
  p.Diurno = true;

  p.AzzeraStandard = true;  // a switch of the calculations: the file keeps the cars
  r = RoadSpkBands(p, 2, c, t);
  EXPECT_NEAR(r.Lw[7], 99.74314464, 1e-8);
  EXPECT_NEAR(r.D[0][7], 1.99526231, 1e-8);
  EXPECT_NEAR(r.D[5][7], 1, 1e-12);
  p.AzzeraStandard = false;

  // Without any vehicle every class weighs 1/5.
  road.NveicDay[1] = 0;
  r = RoadSpkBands(p, 2, c, t);
  EXPECT_NEAR(r.Lw[7], 59.74271037, 1e-8);
  EXPECT_NEAR(r.D[0][7], (1.99526231 + 10 + 3) / 5, 1e-8);
  EXPECT_NEAR(r.D[5][7], (1 + 10 + 3) / 5.0, 1e-12);
  road.NveicDay[1] = 57600;

  // Track with joints: 70 + 4 dB; 576 trains of 10 km in 16 h.
  SpkBands k = TrackSpkBands(p, 1, c, t);
  EXPECT_NEAR(k.Lw[1], 93.74443898, 1e-8);
  EXPECT_NEAR(k.D[9][1], 0.50118723, 1e-8);
  EXPECT_NEAR(k.D[0][1], 1, 1e-12);
  track.TipoArmamento = -1;
  track.LeqDay = 70;
  EXPECT_NEAR(TrackSpkBands(p, 1, c, t).Lw[5], 89.74271037, 1e-8);
}

TEST(SpkWriter, RoadBandsTakeOnlyThePavementAndSlopeBlocks) {
  EmissionTables t;
  for (int v = 1; v <= 8; ++v) {
    t.SelStrade.at(v, 1, 1, 1) = 80;  // cars in C1
    t.SelStrade.at(v, 1, 1, 3) = 5;   // pavement type 2
    t.SelStrade.at(v, 1, 1, 4) = -2;  // uphill
  }
  Configuration c = SpkConfig(4);
  c.DayCorr[1] = 2;
  c.NightCorr[1] = -3;
  c.RidBassoEm = 3;
  Project p;
  p.Anno = 2008;  // -6.5 dB in the emission model
  p.IgnoraRidFonoass = true;
  p.AzzeraStandard = true;
  p.AzzeraFonoass = true;
  Strada& road = p.strade.addEntity();
  road.NveicDay[1] = 57600;    // E = 10^(L/10) by day
  road.NveicNight[1] = 28800;  // and by night
  struct Case {
    long pavement, slope;
    double Lw;                        // 10 log10(10^4 + 10^(L/10)) + 10 log10(23.56194 * 4)
  } cases[] = {{0, 0, 99.74314464},   // L = 80
               {3, 0, 99.74314464},   // no low-emission reduction
               {2, 0, 94.74408351},   // L = 80 - 5
               {2, 1, 96.74357682},   // L = 80 - 5 + 2
               {1, 0, 99.74314464}};  // block 2 holds 0
  for (const Case& k : cases) {
    road.Pavimentaz = k.pavement;
    road.Pendenza = k.slope;
    for (bool day : {true, false}) {
      p.Diurno = day;
      const SpkBands b = RoadSpkBands(p, 1, c, t);
      for (size_t v = 0; v < 8; ++v)
        EXPECT_NEAR(b.Lw[v], k.Lw, 1e-8) << k.pavement << " " << k.slope << " " << day;
    }
  }
}

TEST(SpkWriter, WrittenFilesReadBackToTheLevelWritten) {
  ScratchFolder dir;
  EmissionTables t;
  for (int v = 1; v <= 8; ++v) t.SelStrade.at(v, 1, 1, 1) = 80;
  Project p;
  p.Anno = 1995;
  Strada& fixed = p.strade.addEntity();
  fixed.Pavimentaz = -1;
  fixed.LeqDay = 70;
  Strada& road = p.strade.addEntity();
  road.NveicDay[1] = 57600;
  p.binari.addEntity();
  RecordingWorkReport report;
  const std::string ray = dir.file("town.RAY");
  WriteSpkFiles(ray, p, SpkConfig(4), t, report);
  EXPECT_EQ(report.ticks, 3);
  // Every band at Lw, A-weighted over 63 Hz .. 8 kHz: Lw + 6.98713 dB.
  EXPECT_NEAR(SourceSpectrumLevel(dir.file("STR-0001.SPK")), 96.72984185, 1e-6);
  EXPECT_NEAR(SourceSpectrumLevel(dir.file("STR-0002.SPK")), 106.73027612, 1e-6);
  const std::string text = FileContents(dir.file("BIN-0001.SPK"));
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "\"Source Name\",\"" + dir.file("BIN-0001.SPK") + "\"");
}

}  // namespace
}  // namespace sonvale
