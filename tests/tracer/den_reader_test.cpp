#include "tracer/den_reader.h"

#include <gtest/gtest.h>

#include "support/recording_work_report.h"
#include "tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

TEST(DenReader, ReadsDayAndNightInAnyGroupingAndDeletesTheFile) {
  fs::path dir = FreshDir("den");
  fs::path den = dir / "town.den";
  Project p;
  for (int k = 0; k < 3; ++k) p.punti.addEntity() = {10.0 * k, 5, 1.5, "Crossroad 12"};
  Spit(den, "55.1,48.0,50.3\r\n60 , 1\r\n 52.5\r\n-999.9 -999.9\n41.25");
  PointResults r;
  RecordingWorkReport ui;
  DenOutcome o = DenReader(p, ReceiverSet::Punti, den.string(), r, ui);
  EXPECT_EQ(o.read, 3);
  EXPECT_EQ(*r.get(1, Period::Day), 55.1);
  EXPECT_EQ(*r.get(1, Period::Night), 50.3);  // 48.0 is the evening and is dropped
  EXPECT_EQ(*r.get(2, Period::Day), 60);
  EXPECT_EQ(*r.get(2, Period::Night), 52.5);
  EXPECT_FALSE(r.get(3, Period::Day));  // the tracer's no-level mark
  EXPECT_EQ(*r.get(3, Period::Night), 41.25);
  EXPECT_EQ(ui.progresses, (std::vector<std::string>{"1 /3", "2 /3", "3 /3"}));
  EXPECT_TRUE(ui.notices.empty());
  EXPECT_FALSE(fs::exists(den));
  ASSERT_EQ(o.lines.size(), 4u);
  EXPECT_EQ(o.lines[0], "  N. Nome       X          Y         Z     Lday    LNight");
  EXPECT_EQ(o.lines[1].substr(0, 11), "   1 Cross ");
  fs::remove_all(dir);
}

TEST(DenReader, ListLineOfTheChosenSetWithPuntoNames) {
  fs::path dir = FreshDir("den_rec");
  fs::path den = dir / "r.den";
  Project p;
  p.punti.addEntity().Nome = "Scuola";
  for (int k = 0; k < 7; ++k) p.receivers.addEntity() = {1234.5, 98765.24, 1.5};
  std::string text;
  for (int k = 0; k < 7; ++k) text += "60.04 0 52.36\n";
  Spit(den, text);
  PointResults r;
  RecordingWorkReport ui;
  DenOutcome o = DenReader(p, ReceiverSet::Rec, den.string(), r, ui);
  ASSERT_EQ(o.lines.size(), 8u);
  EXPECT_EQ(o.lines[1].substr(0, 11), "   1 Scuol ");
  EXPECT_EQ(o.lines[7],
            "   7       "
            "     1234.5"
            "    98765.2"
            "    1.50"
            "  60.0"
            "    52.4");
  fs::remove_all(dir);
}

TEST(DenReader, MissingOrShortFileLeavesNoStaleLevels) {
  fs::path dir = FreshDir("den_short");
  Project p;
  for (int k = 0; k < 3; ++k) p.punti.addEntity();
  PointResults r;
  for (long n = 1; n <= 3; ++n) r.set(n, Period::Day, 99), r.set(n, Period::Night, 99);
  RecordingWorkReport ui;
  fs::path den = dir / "s.den";
  Spit(den, "50,0,40\n51,0");
  DenOutcome o = DenReader(p, ReceiverSet::Punti, den.string(), r, ui);
  EXPECT_EQ(o.read, 1);
  EXPECT_EQ(*r.get(1, Period::Day), 50);
  EXPECT_FALSE(r.get(2, Period::Day));
  EXPECT_FALSE(r.get(3, Period::Night));
  ASSERT_EQ(ui.notices.size(), 1u);
  EXPECT_NE(ui.notices.back().text.find(" 1 ricettori su 3"), std::string::npos);
  EXPECT_EQ(o.lines[2].substr(o.lines[2].size() - 3), "  -");

  r.set(1, Period::Day, 77);
  o = DenReader(p, ReceiverSet::Punti, (dir / "none.den").string(), r, ui);
  EXPECT_FALSE(o.fileFound);
  EXPECT_FALSE(r.get(1, Period::Day));
  EXPECT_EQ(ui.notices.size(), 2u);

  Spit(den, "50,0,abc,60,0,61");  // a text stops the reading
  o = DenReader(p, ReceiverSet::Punti, den.string(), r, ui);
  EXPECT_EQ(o.read, 0);
  EXPECT_FALSE(r.get(1, Period::Day));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace sonvale
