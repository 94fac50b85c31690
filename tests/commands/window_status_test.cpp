#include "commands/window_status.h"

#include <gtest/gtest.h>

#include "commands/language.h"
#include "commands/recent_projects.h"

namespace sonvale {
namespace {

TEST(WindowStatusTest, CursorFieldAndProgress) {
  EXPECT_EQ(CursorFieldText(500123.456, 4500321.1, std::nullopt), "X 500123.46  Y 4500321.1");
  EXPECT_EQ(CursorFieldText(-12, 0.5, 63.44), "X -12.  Y 0.5  Leq 63.4 dB(A)");
  EXPECT_EQ(CursorFieldText(1, 2, 105.25), "X 1.  Y 2.  Leq 105.3 dB(A)");
  // Over a façade point, its levels as the tables round them instead of the cell's.
  const std::string mark = FacadeMarkText(12, 3, 67.45, std::nullopt);
  EXPECT_EQ(mark, "Casa 12 facciata 3: Lden 67.5 Lnight - dB(A)");
  EXPECT_EQ(CursorFieldText(1, 2, 63.44, mark), "X 1.  Y 2.  " + mark);

  // A quarter done in 30 s: three quarters need 90 s more.
  ProgressEstimate e = EstimateProgress(250, 1000, 30);
  EXPECT_EQ(e.percent, 25);
  ASSERT_TRUE(e.left);
  EXPECT_DOUBLE_EQ(*e.left, 90);
  EXPECT_EQ(ProgressText(e), "25% - 00:01:30");
  EXPECT_EQ(ProgressText(EstimateProgress(0, 1000, 3)), "0%");  // nothing yet to go by
  EXPECT_EQ(ProgressText(EstimateProgress(1000, 1000, 3725)), "100% - 00:00:00");
  EXPECT_EQ(EstimateProgress(1200, 1000, 1).percent, 100);
  EXPECT_EQ(EstimateProgress(5, 0, 1).percent, 0);
}

TEST(WindowStatusTest, RunProgressShowsAFewTimesASecondAndTheLastItem) {
  RunProgress run;
  EXPECT_FALSE(run.step(1, 10));  // not started: nothing to show
  run.start(400, 100);
  EXPECT_FALSE(run.step(1, 100.05));  // too soon after the start
  std::optional<ProgressEstimate> e = run.step(100, 110);
  ASSERT_TRUE(e);
  EXPECT_EQ(ProgressText(*e), "25% - 00:00:30");
  EXPECT_FALSE(run.step(101, 110.1));
  EXPECT_TRUE(run.step(102, 110.3));
  e = run.step(400, 110.35);  // the last item always shows
  ASSERT_TRUE(e);
  EXPECT_EQ(e->percent, 100);
  EXPECT_EQ(run.done(), 400);
  run.start(0, 0);
  EXPECT_FALSE(run.step(0, 50));
}

TEST(WindowStatusTest, RecentProjectsNewestFirstEachOnceFourAtMost) {
  std::vector<std::string> r;
  for (const char* p :
       {"/a/one.svp", "/a/two.svp", "/b/three.svp", "/a/one.svp", "/c/four.svp", "/c/five.svp"})
    r = WithRecentProject(r, p);
  EXPECT_EQ(r,
            (std::vector<std::string>{"/c/five.svp", "/c/four.svp", "/a/one.svp", "/b/three.svp"}));
  EXPECT_EQ(WithRecentProject(r, ""), r);
  EXPECT_EQ(RecentProjectCaption(1, "/c/five.svp"), "&1 five.svp");
  EXPECT_EQ(RecentProjectCaption(3, "C:\\progetti\\R&D.svp"), "&3 R&&D.svp");
}

TEST(WindowStatusTest, LanguageFromTheOptionElseTheLocale) {
  auto lang = [](std::vector<std::string> args, const char* locale) {
    return ChooseLanguage(args, locale).language;
  };
  EXPECT_EQ(lang({}, "C"), Language::Italian);
  EXPECT_EQ(lang({}, "POSIX"), Language::Italian);
  EXPECT_EQ(lang({}, "de_DE"), Language::Italian);
  EXPECT_EQ(lang({}, "it_IT"), Language::Italian);
  EXPECT_EQ(lang({}, "en_GB"), Language::English);
  EXPECT_EQ(lang({}, "en_US.UTF-8"), Language::English);
  EXPECT_EQ(lang({"--lang", "en"}, "C"), Language::English);
  EXPECT_EQ(lang({"--lang=it"}, "en_US"), Language::Italian);
  LanguageChoice c = ChooseLanguage({"--lang", "en", "town.svp"}, "C");
  EXPECT_EQ(c.rest, (std::vector<std::string>{"town.svp"}));
  EXPECT_EQ(ChooseLanguage({"town.svp"}, "C").rest, (std::vector<std::string>{"town.svp"}));
}

}  // namespace
}  // namespace sonvale
