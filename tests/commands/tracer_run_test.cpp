#include "commands/tracer_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "propagation/grid_file.h"
#include "support/argv_recorder.h"
#include "support/file_contents.h"
#include "support/scripted_ui.h"
#include "tracer/den_reader.h"
#include "tracer/tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

// A program folder holding the stand-in tracer, and a project with one point
// source whose levels are worked out by hand: Lw - 11 - 20 log10(r) with no air
// absorption, r never below MinDist.
struct TracerFixture : ::testing::Test {
  fs::path dir;
  fs::path programDir;
  TracerSession app;
  ScriptedUi ui;

  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = FreshDir(std::string("run_") + info->name());
    programDir = dir / "program dir";
    fs::create_directories(programDir);
    fs::create_symlink(fs::path(SONVALE_BIN_DIR) / "beamrun", programDir / "beamrun");
    app.ProgramDir = programDir.string();
    app.config.AttCoeff = 0;
    app.config.DistMin = 1;
    Project& p = app.project;
    p.Algorithm = 1;
    p.QuotaZ = 0;  // receivers at RecGap = 4 m, level with the source
    p.NdivX = p.NdivY = 2;
    Source& s = p.sources.addEntity();
    s.Nome = "S & <1>";
    s.X = 0, s.Y = 0, s.Z = 4;
    s.Lw = 100, s.Lwnight = 90;
    app.Grid = {0, 20, 0, 20};
    // The calculation area stops short of the top row of nodes.
    p.plans.addEntity().vertices = {
        {-1, -1, 0}, {21, -1, 0}, {21, 11, 0}, {-1, 11, 0}, {-1, -1, 0}};
    p.CurrentPlan = 1;
    p.GrdName = (dir / "town map.grd").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string base() const { return (dir / "town map").string(); }
};

double Source(double lw, double r) { return lw - 11 - 20 * std::log10(r < 1 ? 1 : r); }
double WithBackground(double l) { return 10 * std::log10(std::pow(10.0, l / 10) + 1000); }

TEST_F(TracerFixture, WaitAndShowLoadsTheGridsWithBackground) {
  std::vector<MapCell> cells;
  int redraws = 0;
  TracerHooks hooks{
      [&](const MapCell& c) { cells.push_back(c); }, [&](bool) { ++redraws; }, {}, {}};
  TracerRunOutcome o = RunTracerGridJob(app.context(), ui, LaunchMode::WaitAndShow, hooks);
  ASSERT_TRUE(o.completed) << (ui.messages.empty() ? "" : ui.lastMessage().text);
  EXPECT_EQ(ui.messages.at(0).title, "OK - Completed !");
  EXPECT_EQ(ui.messages.at(0).text.rfind("Elapsed Time = ", 0), 0u);
  EXPECT_EQ(ui.statuses.front(), "shell beamrun.exe " + base() + ".job");
  EXPECT_EQ(o.grids, (std::vector<std::string>{base() + "_d.grd", base() + "_n.grd"}));
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(cells.size(), 12u);  // 6 valid nodes in each period

  GridData d = ReadBinaryGrid(base() + "_d.grd");
  ASSERT_EQ(d.nx(), 3);
  ASSERT_EQ(d.ny(), 3);
  EXPECT_EQ(d.header.xhi, 20);
  EXPECT_NEAR(d.value(0, 0), WithBackground(Source(100, 0)), 1e-4);
  EXPECT_NEAR(d.value(1, 0), WithBackground(69), 1e-4);
  EXPECT_NEAR(d.value(2, 1), WithBackground(Source(100, std::sqrt(500.0))), 1e-4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(d.value(i, 2), kBlankValue);  // outside the area
  GridData n = ReadBinaryGrid(base() + "_n.grd");
  EXPECT_NEAR(n.value(1, 0), WithBackground(59), 1e-4);

  // A waited run removes its inputs and the evening grid.
  EXPECT_FALSE(fs::exists(base() + ".job"));
  EXPECT_FALSE(fs::exists(base() + ".tmp"));
  EXPECT_FALSE(fs::exists(base() + "_e.grd"));
  EXPECT_EQ(ui.pausedSeconds >= 1.0, true);  // the pause between the two grids
}

TEST_F(TracerFixture, WaitLeavesTheGridsAsTheTracerWroteThem) {
  TracerRunOutcome o = RunTracerGridJob(app.context(), ui, LaunchMode::Wait, {});
  ASSERT_TRUE(o.completed);
  GridData d = ReadBinaryGrid(base() + "_d.grd");
  EXPECT_NEAR(d.value(1, 0), 69, 1e-4);
  EXPECT_NEAR(d.value(0, 2), -999.9, 1e-3);
  EXPECT_FALSE(fs::exists(base() + ".job"));
  EXPECT_FALSE(fs::exists(base() + "_e.grd"));

  if (HaveTool("gdalinfo")) {
    std::string out;
    ASSERT_EQ(RunTool("gdalinfo -stats " + Quote(base() + "_d.grd"), &out), 0) << out;
    EXPECT_NE(out.find("Driver: GSBG"), std::string::npos) << out;
    EXPECT_NE(out.find("Size is 3, 3"), std::string::npos) << out;
  } else {
    std::cout << "gdalinfo (gdal-bin) is not installed: GDAL check skipped\n";
  }
}

TEST_F(TracerFixture, BackgroundAndScriptModesKeepTheJob) {
  TracerRunOutcome bg = RunTracerGridJob(app.context(), ui, LaunchMode::Background, {});
  EXPECT_TRUE(bg.started);
  EXPECT_FALSE(bg.completed);
  for (int k = 0; k < 400 && !fs::exists(base() + "_e.grd"); ++k)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(fs::exists(base() + "_d.grd"));
  EXPECT_TRUE(fs::exists(base() + ".job"));
  EXPECT_TRUE(fs::exists(base() + ".tmp"));
  EXPECT_NEAR(ReadBinaryGrid(base() + "_d.grd").value(1, 0), 69, 1e-4);  // untouched
  fs::remove(base() + "_d.grd");
  fs::remove(base() + "_e.grd");

  TracerRunOutcome script = RunTracerGridJob(app.context(), ui, LaunchMode::Script, {});
  EXPECT_FALSE(script.started);
  EXPECT_EQ(ui.lastMessage().title, "VBS creato!");
  EXPECT_EQ(ui.lastMessage().text, "town map.vbs");
  EXPECT_EQ(ui.lastMessage().icon, Icon::None);
  EXPECT_TRUE(fs::exists(base() + ".vbs"));
  EXPECT_TRUE(fs::exists(base() + ".job"));
  EXPECT_FALSE(fs::exists(base() + "_d.grd"));
  struct stat st {};
  ASSERT_EQ(stat((base() + ".sh").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  // The shell script is the same run: started from anywhere, it makes the grids.
  std::string out;
  EXPECT_EQ(RunTool("cd / && " + Quote(base() + ".sh"), &out), 0) << out;
  EXPECT_TRUE(fs::exists(base() + "_d.grd"));
}

TEST_F(TracerFixture, AJobNameAShellWouldSplitReachesTheTracerAsOneArgument) {
  fs::remove(programDir / "beamrun");
  WriteArgvRecorder(programDir / "beamrun");
  app.project.GrdName = (dir / (kHostileName + ".grd")).string();
  RunTracerGridJob(app.context(), ui, LaunchMode::Wait, {});
  EXPECT_EQ(RecordedArgv(programDir / "beamrun"),
            "1\n" + dir.string() + "/" + kHostileName + ".job\n");
  EXPECT_FALSE(fs::exists(programDir / "pwned"));
  EXPECT_FALSE(fs::exists(dir / "pwned"));
}

TEST_F(TracerFixture, FailedRunKeepsInputsAndLoadsNothing) {
  // A tracer that fails, after an earlier run left its grids behind.
  fs::remove(programDir / "beamrun");
  Spit(programDir / "beamrun", "#!/bin/sh\necho broken >&2\nexit 3\n");
  fs::permissions(programDir / "beamrun", fs::perms::owner_all);
  Spit(base() + "_d.grd", "stale");
  TracerRunOutcome o = RunTracerGridJob(app.context(), ui, LaunchMode::WaitAndShow, {});
  EXPECT_FALSE(o.completed);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.lastMessage().title, "Error!");
  EXPECT_NE(ui.lastMessage().text.find(" 3:"), std::string::npos);
  EXPECT_TRUE(fs::exists(base() + ".job"));
  EXPECT_TRUE(fs::exists(base() + ".tmp"));
  EXPECT_EQ(FileContents(base() + "_d.grd"), "stale");

  // No program at all: the run cannot be watched.
  fs::remove(programDir / "beamrun");
  ScriptedUi ui2;
  o = RunTracerGridJob(app.context(), ui2, LaunchMode::Wait, {});
  EXPECT_FALSE(o.completed);
  ASSERT_EQ(ui2.messages.size(), 1u);
  EXPECT_EQ(ui2.lastMessage().text, std::string(kProcessNotObserved) + kProcessWatchIt);
  EXPECT_TRUE(fs::exists(base() + ".job"));

  // Divisions below 1: nothing written, nothing started.
  fs::remove(base() + ".job");
  app.project.NdivX = 0;
  o = RunTracerGridJob(app.context(), ui2, LaunchMode::Wait, {});
  EXPECT_FALSE(o.written);
  EXPECT_EQ(ui2.lastMessage().text, kTracerDivisionsRefused);
  EXPECT_FALSE(fs::exists(base() + ".job"));
}

TEST_F(TracerFixture, PointJobFillsResultsOfTheChosenSet) {
  Project& p = app.project;
  p.punti.addEntity() = {500, 500, 4, "Lontano"};
  p.receivers.addEntity() = {10, 0, 4};
  p.receivers.addEntity() = {0, 100, 4};
  PointResults results;
  std::optional<std::vector<std::string>> lines =
      RunTracerPointJob(app.context(), ui, ReceiverSet::Rec, results);
  ASSERT_TRUE(lines) << (ui.messages.empty() ? "" : ui.lastMessage().text);
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_EQ(lines->size(), 3u);
  EXPECT_EQ((*lines)[0], kDenListHeader);
  EXPECT_NEAR(*results.get(1, Period::Day), 69, 1e-4);
  EXPECT_NEAR(*results.get(1, Period::Night), 59, 1e-4);
  EXPECT_NEAR(*results.get(2, Period::Day), 49, 1e-4);
  EXPECT_EQ((*lines)[1].substr(0, 11), "   1 Lonta ");
  EXPECT_FALSE(fs::exists(base() + ".den"));
  EXPECT_FALSE(fs::exists(base() + ".job"));
  EXPECT_FALSE(fs::exists(base() + ".tmp"));
  EXPECT_FALSE(fs::exists(base() + ".dat"));
  EXPECT_EQ(p.ModoMappatura, MappingMode::Plane);
}

TEST_F(TracerFixture, StandInRefusesABadJob) {
  Spit(dir / "bad.job", "<job><param name=\"Algorithm\" value=\"SonVale\"/>");
  std::string out;
  int rc = RunTool(
      Quote((programDir / "beamrun").string()) + " " + Quote((dir / "bad.job").string()), &out);
  EXPECT_NE(rc, 0);
  EXPECT_NE(out.find("bad.job"), std::string::npos) << out;
  EXPECT_NE(RunTool(Quote((programDir / "beamrun").string()), &out), 0);

  // A megabyte-long attribute name, and terminal controls in an entity: each a
  // short line with the controls escaped.
  Spit(dir / "long.job", "<job><param " + std::string(1 << 20, 'n') + "\x1b[2J/></job>");
  Spit(dir / "controls.job", "<job><param name=\"&\x1b[2J\x07;\"/></job>");
  for (const char* job : {"long.job", "controls.job"}) {
    EXPECT_EQ(
        RunTool(Quote((programDir / "beamrun").string()) + " " + Quote((dir / job).string()), &out),
        2 << 8);
    EXPECT_NE(out.find(job), std::string::npos) << out.substr(0, 300);
    EXPECT_LT(out.size(), 200u) << out.substr(0, 300);
    EXPECT_EQ(out.find('\x1b'), std::string::npos);
    EXPECT_EQ(out.find('\x07'), std::string::npos);
  }
  EXPECT_NE(out.find("&\\x1B[2J\\x07;"), std::string::npos) << out;
}

}  // namespace
}  // namespace sonvale
