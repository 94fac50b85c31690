#include "commands/map_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "commands/point_command.h"
#include "platform/process.h"
#include "propagation/grid_file.h"
#include "support/file_contents.h"
#include "support/scripted_ui.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// A plane map of 3 x 3 nodes around one concentrated source.
struct MapApp {
  AppState app;
  fs::path dir;
  explicit MapApp(const std::string& name) {
    dir = fs::temp_directory_path() / ("sonvale_mapcmd_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    Project& p = app.project;
    p.Algorithm = 0;
    p.ModoMappatura = MappingMode::Plane;
    p.NdivX = 2;
    p.NdivY = 2;
    p.Diurno = false;
    p.GrdName = (dir / "area_d.GRD").string();
    Source& s = p.sources.addEntity();
    s.Lw = 100;
    s.Lwnight = 90;
    s.Nome = "unused.spk";
    app.config.DistMin = 1;
    app.Grid = {10, 30, 10, 30};
  }
  std::string file(const char* suffix) const {
    return (dir / ("area" + std::string(suffix))).string();
  }
};

TEST(MapCommand, CancelDuringTheDayPassLeavesAShortDayFileAndAFullNightFile) {
  MapApp m("cancel");
  StoppingUi ui(m.app.StopRequested, 2);  // after the second node of the day pass
  MapCommandResult r = MapCommand(m.app, ui);
  EXPECT_TRUE(r.completed);
  EXPECT_EQ(m.app.project.GrdName, m.file(".grd"));
  ASSERT_EQ(r.files, (std::vector<std::string>{m.file("_D.grd"), m.file("_N.grd")}));

  std::string day = FileContents(m.file("_D.grd"));
  EXPECT_EQ(std::count(day.begin(), day.end(), '\n'), 5 + 2);  // header, one short line, empty
  EXPECT_THROW(ReadTerrainGrid(m.file("_D.grd")), FormatError);
  GridData night = ReadTerrainGrid(m.file("_N.grd"));
  EXPECT_EQ(night.values.size(), 9u);
  EXPECT_EQ(std::count(night.values.begin(), night.values.end(), kBlankValue), 0);

  // Two opening messages held 0.1 s each, and the second between the passes.
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 1.2);
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_FALSE(m.app.project.Diurno);  // restored
  const Message& done = ui.lastMessage();
  EXPECT_EQ(done.title, "OK - Completed !");
  EXPECT_EQ(done.text, "Elapsed Time = 00:00:01");
  EXPECT_EQ(done.icon, Icon::Information);
}

TEST(MapCommand, StopsBeforeThePassesWhenCancelledExternalOrUnwritable) {
  MapApp m("stop");
  ScriptedUi ui;
  m.app.StopRequested = true;  // the dialog was cancelled
  EXPECT_FALSE(MapCommand(m.app, ui).completed);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.statuses.empty());
  EXPECT_EQ(m.app.project.GrdName, m.file(".grd"));  // normalised before the test

  m.app.StopRequested = false;
  m.app.project.Algorithm = 1;
  EXPECT_FALSE(MapCommand(m.app, ui).completed);
  ASSERT_EQ(ui.messages.size(), 1u);
  // No tracer program in the program folder: the run cannot be watched, and
  // nothing is loaded or reported as completed.
  EXPECT_EQ(ui.lastMessage().text, std::string(kProcessNotObserved) + kProcessWatchIt);
  EXPECT_FALSE(fs::exists(m.file("_D.grd")));

  m.app.project.Algorithm = 0;
  m.app.project.GrdName = (m.dir / "no-such-folder" / "area.grd").string();
  MapCommandResult r = MapCommand(m.app, ui);
  EXPECT_FALSE(r.completed);
  ASSERT_EQ(ui.messages.size(), 2u);  // the file error only: no night pass, no completion
  EXPECT_NE(ui.lastMessage().text.find("no-such-folder/area_D.grd"), std::string::npos);
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
}

TEST(MapCommand, APassShowsItsStatusEachLevelAndItsProblemsInItalian) {
  MapApp m("texts");
  m.app.project.Diurno = true;
  ScriptedUi ui;
  std::vector<MapCell> painted;
  MapHooks hooks;
  hooks.onCell = [&](const MapCell& c) { painted.push_back(c); };
  MapPassOutcome o = RunMapPass(m.app, ui, hooks);
  ASSERT_EQ(o.result, MapPassResult::Completed);
  ASSERT_EQ(ui.statuses.size(), 1u + 9u);
  EXPECT_EQ(ui.statuses.front(), "Sto mappando sul file " + m.file("_d_D.grd") + "...");
  // Row 0, column 0: 100 - 11 - 20 log10(sqrt(500 + 16)) + the 10^2.6 terms of no road.
  EXPECT_EQ(ui.statuses[1].substr(0, 9), "Lev( 0, 0");
  EXPECT_EQ(ui.statuses[1 + 3 * 2 + 1].substr(0, 9), "Lev( 2, 1");
  EXPECT_EQ(painted.size(), 9u);
  // The per-node texts are not held: only the opening message pauses.
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 0.1);
  EXPECT_EQ(ui.eventRuns, 9 + 3);  // after every node and every row

  m.app.project.NdivX = 0;
  EXPECT_EQ(RunMapPass(m.app, ui).result, MapPassResult::Failed);
  EXPECT_EQ(ui.lastMessage().title, "Error!");
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_EQ(ui.lastMessage().text,
            "Numero di divisioni della griglia non valido (NdivX = 0, NdivY = 2): servono "
            "almeno 1 divisione in X e 1 in Y");
  m.app.project.NdivX = 2;
  m.app.project.ModoMappatura = MappingMode::Section;
  m.app.project.NdivZ = 0;
  RunMapPass(m.app, ui);
  EXPECT_EQ(ui.lastMessage().text,
            "Numero di divisioni della sezione non valido (NdivO = 0, NdivZ = 0): servono "
            "almeno 1 divisione lungo la sezione e 1 in altezza");
  m.app.project.ModoMappatura = MappingMode::Terrain;
  m.app.project.FileAltimetria = (m.dir / "none.grd").string();
  RunMapPass(m.app, ui);
  EXPECT_TRUE(ui.lastMessage().text.starts_with("Impossibile leggere il file altimetrico: "));
  EXPECT_NE(ui.lastMessage().text.find("none.grd"), std::string::npos);
  EXPECT_EQ(ui.statuses.size(), 1u + 9u);  // refusals show no status

  m.app.project.ModoMappatura = MappingMode::Plane;
  StoppingUi stopping(m.app.StopRequested, 2);
  EXPECT_EQ(RunMapPass(m.app, stopping).result, MapPassResult::Stopped);
  EXPECT_EQ(stopping.beeps, 1);
}

TEST(MapCommand, OnePeriodRunsWithoutThePause) {
  MapApp m("night");
  ScriptedUi ui;
  MapCommandResult r = MapCommand(m.app, ui, MapPeriods::Night);
  EXPECT_TRUE(r.completed);
  EXPECT_EQ(r.files, std::vector<std::string>{m.file("_N.grd")});
  EXPECT_FALSE(fs::exists(m.file("_D.grd")));
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 0.1);

  EXPECT_EQ(ElapsedTimeText(83), "00:01:23");
  EXPECT_EQ(ElapsedTimeText(3725.6), "01:02:06");
  EXPECT_EQ(ElapsedTimeText(0.2), "00:00:00");
}

TEST(PointCalcCommand, AsksTheWindowsOwnQuestionAndClampsTheYear) {
  MapApp m("points");
  Project& p = m.app.project;
  Punto& q = p.punti.addEntity();
  q.X = 10;
  q.Nome = "P";
  p.strade.addEntity();  // no traffic: no emission after the update
  p.strade[1].vertices = {{0, 1000, 0, 10, 10}, {10, 1000, 0, 10, 10}};
  p.Anno = 1990;
  PointResults results;
  results.set(1, Period::Day, 42);
  bool stop = false;
  ScriptedUi ui;
  ui.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(PointCalcCommand(m.app, ui, ReceiverSet::Punti, results, stop).has_value());
  EXPECT_EQ(p.Anno, 1995);
  const Message& asked = ui.lastMessage();
  EXPECT_EQ(asked.text,
            "Alcune entità Strade, Binari o Concentrate non sono state dotate di dati di "
            "emissione acustica - Proseguo comunque ?");
  EXPECT_EQ(asked.title, "Attenzione!");
  EXPECT_EQ(asked.buttons, Buttons::YesNo);
  EXPECT_EQ(asked.defaultButton, Answer::No);
  EXPECT_EQ(results.get(1, Period::Day), 42);  // nothing computed on No

  auto lines = PointCalcCommand(m.app, ui, ReceiverSet::Punti, results, stop);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->size(), 2u);
  EXPECT_NE(results.get(1, Period::Day), 42);
  EXPECT_EQ(ui.statuses.back(), " 1 / 1");
  EXPECT_EQ(ui.eventRuns, 3);  // after each period and after the list line

  // Saving: the DAT branch by the last three letters, whatever their case.
  std::string dat = (m.dir / "out.dat").string();
  ui.files = {dat};
  EXPECT_TRUE(SavePointResults(m.app, ui, ReceiverSet::Punti, results));
  EXPECT_EQ(ui.dialogs.back().title, "Scegli il file di output");
  EXPECT_EQ(FileContents(dat), PointDataText(p, ReceiverSet::Punti, results));
}

TEST(MapCommand, FromTheMenuMarksTheProjectChangedAndMapsOnlyWhenTheDialogConfirms) {
  MapApp m("menu");
  ScriptedUi ui;
  m.app.Saved = true;
  int dialogs = 0;
  MapCommandResult cancelled = CmdMappa(m.app, ui, [&](AppState&, Ui&) { ++dialogs; });
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(m.app.Saved);
  EXPECT_FALSE(cancelled.completed);
  EXPECT_FALSE(fs::exists(m.file("_D.grd")));

  MapCommandResult done =
      CmdMappa(m.app, ui, [](AppState& app, Ui&) { app.StopRequested = false; });
  EXPECT_TRUE(done.completed);
  EXPECT_TRUE(fs::exists(m.file("_D.grd")));
  EXPECT_TRUE(fs::exists(m.file("_N.grd")));
}

}  // namespace
}  // namespace sonvale
