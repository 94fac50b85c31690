#include "commands/point_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/launcher_dialog.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;

namespace sonvale {
namespace {

using C = PointControl;

// A source and a row of receiver points 10 m apart.
struct PointApp {
  AppState app;
  fs::path dir;
  explicit PointApp(const std::string& name, int points) {
    dir = fs::temp_directory_path() / ("sonvale_pointdlg_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    Project& p = app.project;
    p.Algorithm = 0;
    p.Anno = 2012;
    p.GrdName = (dir / "points.grd").string();
    Source& s = p.sources.addEntity();
    s.Lw = 100;
    s.Lwnight = 90;
    s.Nome = "unused.spk";
    for (int n = 1; n <= points; ++n) {
      Punto& q = p.punti.addEntity();
      q.X = 10.0 * n;
      q.Y = 5;
      q.Z = 4;
      q.Nome = "P" + std::to_string(n);
    }
    app.config.DistMin = 1;
  }
};

TEST(PointDialog, OpeningShowsTheSettingsAndEveryControlEditsItsOwnSetting) {
  PointApp a("edit", 0);
  Project& p = a.app.project;
  p.DistMax = 2500.6;
  p.Algorithm = 2;
  ScriptedUi ui;
  {
    PointDialog d(a.app, ui);
    EXPECT_EQ(d.view().distMax, "2501");
    EXPECT_EQ(d.view().anno, "2012");
    EXPECT_TRUE(d.view().algorithmsShown);
    EXPECT_TRUE(d.isChecked(C::Opt_Interim));
    EXPECT_EQ(d.view().command1Caption, "Stop");
  }
  a.app.TracerMissing = true;
  PointDialog d(a.app, ui);
  EXPECT_EQ(p.Algorithm, 0);
  EXPECT_FALSE(d.view().algorithmsShown);

  // Each check box sets its own flag and no other.
  const std::pair<C, bool Project::*> flags[] = {
      {C::Check1, &Project::DiffrBarriere},  {C::Check2, &Project::DiffrCase},
      {C::Check3, &Project::AzzeraStandard}, {C::Check4, &Project::IgnoraRidFonoass},
      {C::Check5, &Project::AzzeraFonoass},  {C::Check6, &Project::IgnoraFisse}};
  for (auto [check, flag] : flags) {
    for (auto [c, f] : flags) d.setChecked(c, false);
    d.setChecked(check, true);
    for (auto [c, f] : flags) {
      EXPECT_EQ(p.*f, c == check) << PointControlName(check);
      EXPECT_EQ(d.isChecked(c), c == check);
    }
  }
  d.setChecked(C::Opt_Imagine);
  EXPECT_EQ(p.Algorithm, 3);
  d.setChecked(C::Rec);
  EXPECT_EQ(a.app.PointSet, ReceiverSet::Rec);
  EXPECT_FALSE(d.isChecked(C::Punti));

  // DistMax: a positive value, else 0.
  d.edited(C::DistMax, "120.5");
  EXPECT_EQ(p.DistMax, 120.5);
  d.edited(C::DistMax, "-5");
  EXPECT_EQ(p.DistMax, 0);
  EXPECT_EQ(d.view().distMax, "-5");  // the box keeps what was typed
  // The year: rounded, halves to the even neighbour, and the emission refreshed.
  p.EmissioniOK = false;
  d.edited(C::Anno, "2012.5");
  EXPECT_EQ(p.Anno, 2012);
  EXPECT_TRUE(p.EmissioniOK);  // nothing in the model lacks a level
  d.edited(C::Anno, "2013.5");
  EXPECT_EQ(p.Anno, 2014);
  EXPECT_EQ(YearFromBox(""), 0);
  EXPECT_EQ(YearFromBox("1e300"), 1000000000);
}

TEST(PointDialog, StopAfterThreePointsKeepsTheLaterResultsAndReenablesTheControls) {
  PointApp a("stop", 20);
  a.app.project.Anno = 2080;
  for (long n = 1; n <= 20; ++n) {
    a.app.pointResults.set(n, Period::Day, 7);
    a.app.pointResults.set(n, Period::Night, 7);
  }
  ScriptedUi ui;
  PointDialog d(a.app, ui);
  // Before the first run "Stop" only raises the flag; the window stays.
  EXPECT_FALSE(d.command1());
  EXPECT_TRUE(d.stopRequested());

  std::vector<PointDialogView> seen;
  d.onChange([&] {
    seen.push_back(d.view());
    if (d.view().lines.size() == 4 && d.view().running) {
      EXPECT_FALSE(d.command1());
    }
  });
  d.calculate();

  ASSERT_FALSE(seen.empty());
  const PointDialogView& first = seen.front();
  EXPECT_TRUE(first.running);
  EXPECT_FALSE(first.controlsEnabled);
  EXPECT_TRUE(first.command1Enabled);
  EXPECT_EQ(first.command1Caption, "Stop");
  EXPECT_EQ(first.anno, "2050");  // clamped before the run
  bool initShown = false;
  for (const PointDialogView& v : seen) initShown = initShown || v.status == "Init...";
  EXPECT_TRUE(initShown);
  // Three of the 20 points done: 15 %, with the time left once a point is done.
  bool threeShown = false;
  for (const PointDialogView& s : seen) {
    if (s.running && s.lines.size() == 4) {
      threeShown = true;
      EXPECT_EQ(s.percent, 15);
      EXPECT_EQ(s.progress.substr(0, 6), "15% - ");
    }
  }
  EXPECT_TRUE(threeShown);

  const PointDialogView& v = d.view();
  EXPECT_FALSE(v.running);
  EXPECT_TRUE(v.controlsEnabled);
  EXPECT_EQ(v.command1Caption, "OK - Close");
  ASSERT_EQ(v.lines.size(), 4u);  // the header and three points
  EXPECT_EQ(v.lines[0], kPointListHeader);
  EXPECT_EQ(v.lines[3], PointListLine(a.app.project, ReceiverSet::Punti, 3, a.app.pointResults));
  EXPECT_EQ(v.status, " 3 / 20");
  EXPECT_EQ(v.progress, "");  // the bar goes with the run
  // The progress goes to the window's label, not to the main status line.
  EXPECT_TRUE(ui.statuses.empty());
  for (long n = 1; n <= 3; ++n) EXPECT_NE(a.app.pointResults.get(n, Period::Day), 7);
  for (long n = 4; n <= 20; ++n) {
    EXPECT_EQ(a.app.pointResults.get(n, Period::Day), 7) << n;
    EXPECT_EQ(a.app.pointResults.get(n, Period::Night), 7) << n;
  }
  // Now the button closes the window, and so does the close box.
  EXPECT_TRUE(d.closeRequested());
  EXPECT_TRUE(d.command1());
}

TEST(PointDialog, ANoToTheEmissionQuestionKeepsTheListAndEnablesTheControls) {
  PointApp a("declined", 2);
  Project& p = a.app.project;
  p.strade.addEntity();  // no traffic: no emission after the update
  p.strade[1].vertices = {{0, 1000, 0, 10, 10}, {10, 1000, 0, 10, 10}};
  ScriptedUi ui;
  ui.answers = {Answer::Yes, Answer::No};
  PointDialog d(a.app, ui);
  d.calculate();
  ASSERT_EQ(d.view().lines.size(), 3u);
  const int run = d.view().listRun;
  const std::vector<std::string> lines = d.view().lines;

  d.calculate();
  EXPECT_EQ(ui.lastMessage().defaultButton, Answer::No);
  EXPECT_EQ(d.view().lines, lines);
  EXPECT_EQ(d.view().listRun, run);
  EXPECT_FALSE(d.view().running);
  EXPECT_TRUE(d.view().controlsEnabled);
  EXPECT_TRUE(d.view().command1Enabled);
  EXPECT_EQ(d.view().command1Caption, "OK - Close");
}

TEST(PointDialog, TheExternalTracerRunsWithTheCloseButtonDisabled) {
  PointApp a("tracer", 2);
  a.app.project.Algorithm = 1;
  a.app.ProgramDir = a.dir.string();  // no tracer there: the run cannot complete
  ScriptedUi ui;
  PointDialog d(a.app, ui);
  bool waited = false;
  std::string waitShown;
  d.onChange([&] {
    if (d.view().command1Caption == "Wait...") waited = !d.view().command1Enabled;
    // While the tracer runs the bar says how long, with no share done.
    if (d.view().waiting) waitShown = d.view().progress;
  });
  d.calculate();
  EXPECT_TRUE(waited);
  EXPECT_EQ(waitShown, "00:00:00");
  EXPECT_FALSE(d.view().waiting);
  EXPECT_EQ(d.view().progress, "");
  EXPECT_FALSE(ui.messages.empty());  // why the tracer gave nothing
  EXPECT_TRUE(d.view().lines.empty());
  EXPECT_EQ(d.view().command1Caption, "OK - Close");
  EXPECT_TRUE(d.view().command1Enabled);
}

TEST(PointDialog, TheReceiversSetCopiesWithoutNames) {
  PointApp a("rec", 1);
  Receiver& r = a.app.project.receivers.addEntity();
  r.X = 20;
  r.Y = 5;
  r.Z = 1.5;
  ScriptedUi ui;
  PointDialog d(a.app, ui);
  d.setChecked(C::Rec);
  d.calculate();
  ASSERT_EQ(d.view().lines.size(), 2u);
  // The list shows the point name of the same index all the same.
  EXPECT_EQ(d.view().lines[1].substr(5, 6), "P1    ");
  d.copyToClipboard();
  EXPECT_EQ(ui.clipboard.substr(0, ui.clipboard.find('\n') + 1),
            "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n");
  EXPECT_EQ(ui.clipboard.find("P1"), std::string::npos);
  EXPECT_NE(ui.clipboard.find("\t20.\t5.\t1.5\t"), std::string::npos);
}

TEST(LauncherDialog, PreselectsTheSessionModeAndSetsItAtOnce) {
  long mode = 2;
  LauncherDialog d(mode);
  EXPECT_EQ(d.selected(), 2);
  d.choose(3);
  EXPECT_EQ(mode, 3);
  EXPECT_EQ(LauncherDialog(mode).selected(), 3);  // the next opening
  d.choose(4);
  EXPECT_EQ(mode, 3);
  mode = 9;
  EXPECT_EQ(d.selected(), -1);
  EXPECT_EQ(LaunchOptionName(0), "Option1");
  EXPECT_EQ(LaunchOptionName(3), "Option4");
}

}  // namespace
}  // namespace sonvale
