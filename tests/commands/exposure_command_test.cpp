// The window's exposure command on a one-street project: the folder it writes,
// the points it paints in their band colours (and paints again from the file),
// and a bad population file shown with its line, leaving no folder.
#include "commands/exposure_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "commands/facade_points_view.h"
#include "support/file_contents.h"
#include "support/recording_canvas.h"
#include "support/recording_map_view.h"
#include "support/scripted_ui.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

struct Street {
  AppState app;
  ScriptedUi ui;
  RecordingCanvas canvas{800, 600};
  RecordingMapView view{&canvas};
  fs::path dir;

  Street() {
    // Each test its own folder: the tests of this file run side by side.
    dir = fs::path(testing::TempDir()) /
          (std::string("exposure_command_") +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    Project& p = app.project;
    p.ProjectFileName = (dir / "street.svp").string();
    p.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
    Strada& r = p.strade.addEntity();
    r.Pavimentaz = -1;  // fixed levels
    r.LeqDay = r.FixLeqDay = 70;
    r.LeqNight = r.FixLeqNight = 62;
    r.vertices = {LineVertex{-100, -15, 0, 8, 8}, LineVertex{120, -15, 0, 8, 8}};
    p.ExtendExtent(-100, -15);
    p.ExtendExtent(120, 12);
    app.config.Hsorg = 0.5;
    app.config.DistMin = 1;
    app.setView(&view);
    ui.answers.push_back(Answer::Yes);  // should some emission be asked about
  }
};

TEST(ExposureCommand, WritesTheFolderAndPaintsThePoints) {
  Street s;
  std::ofstream(s.dir / "pop.csv") << "building,people\n1,40\n";
  ExposureChoices c;
  c.populationFile = (s.dir / "pop.csv").string();
  bool stop = false;
  long lastDone = 0, lastTotal = 0;
  ExposureCommandHooks hooks;
  hooks.progress = [&](long done, long total) {
    lastDone = done;
    lastTotal = total;
  };
  const std::string out = (s.dir / "out").string();
  std::optional<std::string> report = ExposureCommand(s.app, s.ui, c, out, stop, hooks);
  ASSERT_TRUE(report) << (s.ui.messages.empty() ? "" : s.ui.messages.back().text);
  EXPECT_EQ(*report, out + "/report.html");
  for (const char* f :
       {"facade_points.csv", "buildings.csv", "exposure.csv", "health.csv", "report.html"})
    EXPECT_TRUE(fs::exists(fs::path(out) / f)) << f;
  EXPECT_EQ(lastTotal, 14);
  EXPECT_EQ(lastDone, 14);
  // One filled square per point; the road-side ones (Lden about 70) are not grey.
  std::vector<Drawn> dots = s.canvas.of(Drawn::FilledBox);
  ASSERT_EQ(dots.size(), 14u);
  EXPECT_NE(*dots[0].fill, RGB(160, 160, 160));
  // Each kept with its building, wall and levels as the table writes them.
  ASSERT_EQ(s.view.marks.size(), 14u);
  const std::string points = FileContents(fs::path(out) / "facade_points.csv");
  const size_t row = points.find("\r\n") + 2;  // 1,1,1,x,y,z,length,day,night,lden,...
  std::vector<std::string> f;
  for (size_t at = row, comma; f.size() < 10; at = comma + 1) {
    comma = points.find(',', at);
    f.push_back(points.substr(at, comma - at));
  }
  EXPECT_EQ(s.view.marks[0].text, "Casa 1 facciata 1: Lden " + f[9] + " Lnight " + f[8] + " dB(A)");

  // "Mostra punti di facciata..." shows the same points from the file.
  const std::vector<MapMark> painted = s.view.marks;
  s.view.marks.clear();
  s.ui.files.push_back((fs::path(out) / "facade_points.csv").string());
  ASSERT_TRUE(CmdShowFacadePoints(s.app, s.ui));
  ASSERT_EQ(s.view.marks.size(), painted.size());
  for (size_t i = 0; i < painted.size(); ++i) {
    EXPECT_EQ(s.view.marks[i].text, painted[i].text);
    EXPECT_EQ(s.view.marks[i].colour, painted[i].colour);
    EXPECT_NEAR(s.view.marks[i].x, painted[i].x, 0.005);
  }
  EXPECT_EQ(s.ui.statuses.back().rfind("14 punti di facciata: ", 0), 0u) << s.ui.statuses.back();
  // Another file is refused with its line, and the marks stay as they were.
  s.ui.files.push_back((fs::path(out) / "buildings.csv").string());
  EXPECT_FALSE(CmdShowFacadePoints(s.app, s.ui));
  EXPECT_NE(s.ui.messages.back().text.find("buildings.csv:1: not the header of façade points"),
            std::string::npos)
      << s.ui.messages.back().text;
  EXPECT_EQ(s.view.marks.size(), painted.size());
}

TEST(ExposureCommand, BadPopulationShownWithItsLine) {
  Street s;
  std::ofstream(s.dir / "pop.csv") << "building,people\n1,40\n2,5\n";
  ExposureChoices c;
  c.populationFile = (s.dir / "pop.csv").string();
  bool stop = false;
  const std::string out = (s.dir / "out").string();
  EXPECT_FALSE(ExposureCommand(s.app, s.ui, c, out, stop));
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text,
            c.populationFile + ":3: building 2 is not a building of the project (1 to 1)");
  EXPECT_FALSE(fs::exists(out));
  EXPECT_TRUE(s.canvas.drawn.empty());
}

// Walls longer than any building has (a stray vertex) are asked about before
// the run; declined, nothing is computed or written.
TEST(ExposureCommand, WallsTooLongToBeTrueAreAskedAbout) {
  Street s;
  s.ui.answers.clear();
  FacadeLayout plain;
  EXPECT_TRUE(ConfirmLongWalls(plain, s.ui));  // nothing asked
  EXPECT_TRUE(s.ui.messages.empty());
  s.app.project.case_[1].vertices[2] = {3e6, 4e6, 10};
  s.ui.answers = {Answer::No};
  bool stop = false;
  const std::string out = (s.dir / "out").string();
  EXPECT_FALSE(ExposureCommand(s.app, s.ui, ExposureChoices{}, out, stop));
  ASSERT_FALSE(s.ui.messages.empty());
  EXPECT_NE(s.ui.messages.back().text.find("(edificio/parete): 1/2 5000.0 km, 1/3 5000.0 km."),
            std::string::npos)
      << s.ui.messages.back().text;
  EXPECT_FALSE(fs::exists(out));
}

// A GIS source of people: its features go to the building they lie in; a source
// that cannot be read, or a figure the reader does not know, is a message, not
// a crash of the window.
TEST(ExposureCommand, PeopleOfAGisSource) {
  Street s;
  std::ofstream(s.dir / "people.geojson")
      << R"({"type": "FeatureCollection", "features": [{"type": "Feature",)"
      << R"( "properties": {"POP": 33}, "geometry": {"type": "Point", "coordinates": [5, 5]}}]})";
  ExposureChoices c;
  c.populationLayerSource = (s.dir / "people.geojson").string();
  c.populationLayer.fields = {{"people", "POP"}};
  bool stop = false;
  const std::string out = (s.dir / "out").string();
  ASSERT_TRUE(ExposureCommand(s.app, s.ui, c, out, stop))
      << (s.ui.messages.empty() ? "" : s.ui.messages.back().text);
  std::ifstream buildings(fs::path(out) / "buildings.csv");
  std::string header, first;
  std::getline(buildings, header);
  std::getline(buildings, first);
  EXPECT_EQ(first.rfind("1,33.00,", 0), 0u) << first;

  c.populationLayer.fields = {{"people", "POP"}, {"households", "POP"}};
  EXPECT_FALSE(ExposureCommand(s.app, s.ui, c, (s.dir / "out2").string(), stop));
  ASSERT_FALSE(s.ui.messages.empty());
  EXPECT_NE(s.ui.messages.back().text.find("households"), std::string::npos);
  c.populationLayerSource = (s.dir / "missing.gpkg").string();
  c.populationLayer.fields = {{"people", "POP"}};
  EXPECT_FALSE(ExposureCommand(s.app, s.ui, c, (s.dir / "out3").string(), stop));
  EXPECT_NE(s.ui.messages.back().text.find("missing.gpkg"), std::string::npos);
  EXPECT_FALSE(fs::exists(s.dir / "out2"));
  EXPECT_FALSE(fs::exists(s.dir / "out3"));
}

}  // namespace
}  // namespace sonvale
