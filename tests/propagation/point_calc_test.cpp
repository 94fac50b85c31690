#include "propagation/point_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

void AddPunto(Project& p, const std::string& name, double x, double y, double z) {
  Punto& q = p.punti.addEntity();
  q.Nome = name;
  q.X = x;
  q.Y = y;
  q.Z = z;
}

TEST(PointOutputs, ListClipboardAndDataFileBytes) {
  Project p;
  AddPunto(p, "Ab", 1234.56, -7.04, 1.5);
  AddPunto(p, "Stazione", 0.5, 20, 0);
  Receiver& rec = p.receivers.addEntity();
  rec.X = 1;
  rec.Y = 2;
  rec.Z = 3;
  PointResults r;
  r.set(1, Period::Day, 65.04);
  r.set(1, Period::Night, 55.56);
  r.set(2, Period::Day, std::nullopt);
  r.set(2, Period::Night, 48);

  EXPECT_EQ(PointListLine(p, ReceiverSet::Punti, 1, r),
            "   1 Ab         1234.6       -7.0    1.50  65.0    55.6");
  EXPECT_EQ(PointListLine(p, ReceiverSet::Punti, 2, r),
            "   2 Stazi         0.5       20.0    0.00     -    48.0");
  // The receivers take the Punto name of the same number in the list.
  EXPECT_EQ(PointListLine(p, ReceiverSet::Rec, 1, r),
            "   1 Ab            1.0        2.0    3.00  65.0    55.6");

  EXPECT_EQ(PointClipboardText(p, ReceiverSet::Punti, r),
            "N.\tnome\tX\tY\tZ\tLeq Day\tLeq Night\r\n"
            "1\tAb    \t1234.56\t-7.04\t1.5\t65.040\t55.560\r\n"
            "2\tStazi \t0.5\t20.\t0.\t\t48.000\r\n");
  EXPECT_EQ(PointClipboardText(p, ReceiverSet::Rec, r),
            "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n"
            "1\t1.\t2.\t3.\t65.040\t55.560\r\n");
  EXPECT_EQ(PointDataText(p, ReceiverSet::Punti, r),
            "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n"
            "1\t1234.56\t-7.04\t1.5\t65.0\t55.6\r\n"
            "2\t0.5\t20.\t0.\t\t48.0\r\n");
}

TEST(PointOutputs, ScriptColoursEachPointByItsLimit) {
  fs::path dir = fs::temp_directory_path() / "sonvale_points_limits";
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::path limitsFile = dir / "limits.txt";
  {
    std::ofstream out(limitsFile, std::ios::binary);
    out << "P1,65,0\r\n\r\n\"P 2\", 65, 20\r\nP3 70\t30\r\n";
  }
  std::vector<PointLimit> limits = ReadLimitFile(limitsFile.string());
  ASSERT_EQ(limits.size(), 3u);
  EXPECT_EQ(limits[1].day, 65);
  EXPECT_EQ(limits[2].night, 30);

  Project p;
  AddPunto(p, "a", 100, 200, 5);
  AddPunto(p, "b", 0.5, -10, 0);
  AddPunto(p, "c", 10, 10, 0);
  AddPunto(p, "d", 1, 1, 1);
  PointResults r;
  r.set(1, Period::Day, 65.04);  // above 65 by day: night limit 0 compares the day
  r.set(1, Period::Night, 50);
  r.set(2, Period::Day, 65);  // exactly the limit does not exceed it
  r.set(2, Period::Night, 60);
  r.set(3, Period::Day, 50);  // night limit 30: the night decides
  r.set(3, Period::Night, 55.5);
  r.set(4, Period::Day, 60);  // beyond the end of the limit file
  r.set(4, Period::Night, 45);
  PointScript s = PointScriptText(p, ReceiverSet::Punti, r, limits);
  EXPECT_EQ(s.text,
            "color 6\r\ncircle 100,200,5 15\r\n"
            "text j tc 100,175,5 25 0 1\r\ntext j bc 100,220,5 25 0 65.0\r\n"
            "color 4\r\ncircle .5,-10,0 15\r\n"
            "text j tc .5,-35,0 25 0 2\r\ntext j bc .5,10,0 25 0 65.0\r\n"
            "color 1\r\ncircle 10,10,0 15\r\n"
            "text j tc 10,-15,0 25 0 3\r\ntext j bc 10,30,0 25 0 55.5\r\n"
            "color 4\r\ncircle 1,1,1 15\r\n"
            "text j tc 1,-24,1 25 0 4\r\ntext j bc 1,21,1 25 0 60.0\r\n");
  EXPECT_EQ(s.pointsWithoutLimit, 1);

  limits[2].night = 60;  // night 55.5 does not exceed 60
  EXPECT_NE(PointScriptText(p, ReceiverSet::Punti, r, limits).text.find("color 5\r\ncircle 10,"),
            std::string::npos);

  {
    std::ofstream out(dir / "bad.txt", std::ios::binary);
    out << "P1,65,0\nP2,sessanta,0\n";
  }
  try {
    ReadLimitFile((dir / "bad.txt").string());
    FAIL();
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_THROW(ReadLimitFile((dir / "none.txt").string()), FileError);
}

TEST(PointOutputs, LimitFileIdentifiersInQuotesMayHoldCommasAndBlanks) {
  fs::path dir = fs::temp_directory_path() / "sonvale_points_quoted_limits";
  fs::remove_all(dir);
  fs::create_directories(dir);
  {
    std::ofstream out(dir / "limits.txt", std::ios::binary);
    out << "\"Via Roma, 1\",30,0\r\n"
           "  \"Piazza Erbe 3\"  65\t55\r\n"
           "\"P,3\" , \"60\" , 50\r\n";
  }
  std::vector<PointLimit> limits = ReadLimitFile((dir / "limits.txt").string());
  ASSERT_EQ(limits.size(), 3u);
  EXPECT_EQ(limits[0].day, 30);
  EXPECT_EQ(limits[0].night, 0);
  EXPECT_EQ(limits[1].day, 65);
  EXPECT_EQ(limits[1].night, 55);
  EXPECT_EQ(limits[2].day, 60);  // a limit written as a text still reads as a number
  EXPECT_EQ(limits[2].night, 50);

  {
    std::ofstream out(dir / "open.txt", std::ios::binary);
    out << "P1,65,0\n\"Via Roma, 1,30,0\n";
  }
  try {
    ReadLimitFile((dir / "open.txt").string());
    FAIL() << "a text without its closing quote was read";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), (dir / "open.txt").string());
    EXPECT_EQ(e.line(), 2);
  }
  fs::remove_all(dir);
}

struct PointFixture {
  Project p;
  Configuration c;
  PointResults results;
  bool stop = false;
  PointFixture() {
    c.DistMin = 1;
    c.FondoDiurno = 30;
    c.FondoNotturno = 20;
    Source& s = p.sources.addEntity();
    s.Lw = 100;
    s.Lwnight = 90;
    s.Nome = "unused.spk";
    AddPunto(p, "R1", 10, 0, 0);
    AddPunto(p, "R2", 20, 0, 0);
  }
};

// Keeps the points reported done; sets the stop flag at the at-th step.
class RecordingPointReport : public PointLoopReport {
 public:
  explicit RecordingPointReport(bool* stop = nullptr, int at = 0) : stop_(stop), at_(at) {}
  void pointDone(long n, long total) override { done.emplace_back(n, total); }
  void step() override {
    if (stop_ && ++steps_ == at_) *stop_ = true;
  }
  std::vector<std::pair<long, long>> done;

 private:
  bool* stop_;
  int at_, steps_ = 0;
};

TEST(PointLoop, LevelsWithBackgroundAndAStopThatKeepsLaterPoints) {
  PointFixture f;
  f.results.set(2, Period::Day, 12.3);
  f.results.set(2, Period::Night, 4.5);
  // Steps come after each period and after the list line: the third is point 1's last.
  RecordingPointReport report(&f.stop, 3);
  std::vector<std::string> shown;
  PointCalcInputs in{f.p,       f.c,    ReceiverSet::Punti,
                     f.results, f.stop, [&](const std::string& l) { shown.push_back(l); }};
  std::vector<std::string> lines = RunPointLoop(in, report);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "  N. Nome       X          Y         Z    LeqDay LeqNight");
  EXPECT_EQ(shown, lines);
  // 100 - 11 - 20 = 69 dB at 10 m, with 30 dB of background by day; 59 and 20 by night.
  EXPECT_NEAR(*f.results.get(1, Period::Day), 10 * std::log10(std::pow(10, 6.9) + 1e3), 1e-9);
  EXPECT_NEAR(*f.results.get(1, Period::Night), 10 * std::log10(std::pow(10, 5.9) + 1e2), 1e-9);
  EXPECT_EQ(lines[1], "   1 R1           10.0        0.0    0.00  69.0    59.0");
  EXPECT_EQ(f.results.get(2, Period::Day), 12.3);
  EXPECT_EQ(f.results.get(2, Period::Night), 4.5);
  EXPECT_EQ(report.done, (std::vector<std::pair<long, long>>{{1, 2}}));

  RecordingPointReport calm;
  lines = RunPointLoop(in, calm);
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(calm.done, (std::vector<std::pair<long, long>>{{1, 2}, {2, 2}}));
  EXPECT_NEAR(*f.results.get(2, Period::Day),
              10 * std::log10(std::pow(10, 8.9 - 2 * std::log10(20)) + 1e3), 1e-9);
}

TEST(PointLoop, RoadsOnlyGiveNoLevelWhereNoRoadReaches) {
  PointFixture f;
  f.p.AzzeraStandard = true;
  f.p.DistMax = 100;
  Strada& road = f.p.strade.addEntity();
  road.LeqDay = road.LeqNight = 70;
  road.vertices = {{5000, 0, 0, 10, 10}, {5010, 0, 0, 10, 10}};
  PointLoopReport quiet;
  PointCalcInputs in{f.p, f.c, ReceiverSet::Punti, f.results, f.stop};
  std::vector<std::string> lines = RunPointLoop(in, quiet);
  ASSERT_EQ(lines.size(), 3u);
  // The source and the background are left out; the road is out of reach.
  EXPECT_FALSE(f.results.get(1, Period::Day).has_value());
  EXPECT_FALSE(f.results.get(2, Period::Night).has_value());
  EXPECT_EQ(lines[1], "   1 R1           10.0        0.0    0.00     -       -");
  EXPECT_EQ(PointDataText(f.p, ReceiverSet::Punti, f.results),
            "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n1\t10.\t0.\t0.\t\t\r\n2\t20.\t0.\t0.\t\t\r\n");
}

}  // namespace
}  // namespace sonvale
