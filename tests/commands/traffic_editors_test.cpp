#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "commands/editor_cursor.h"
#include "commands/road_editor.h"
#include "commands/source_editor.h"
#include "commands/startup.h"
#include "commands/track_editor.h"
#include "support/recording_canvas.h"
#include "support/recording_map_view.h"
#include "support/scripted_ui.h"
#include "support/spk_text.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// The delivered configuration and tables, a map picture that records what the
// editors draw on it, and n roads, tracks and sources.
struct Editors : ::testing::Test {
  AppState app;
  RecordingCanvas picture{400, 300};
  RecordingMapView view{&picture};

  void SetUp() override {
    app.ProgramDir = SONVALE_BIN_DIR;
    LoadConfigurationAndTables(app);
    app.setView(&view);
  }
  Strada& road(long n) {
    while (app.project.strade.count() < n) {
      Strada& r = app.project.strade.addEntity();
      const double y = 10.0 * static_cast<double>(app.project.strade.count());
      r.vertices = {{0, y, 0, 8, 8}, {100, y, 0, 8, 8}, {150, y + 40, 0, 8, 8}};
    }
    return app.project.strade[n];
  }
  Binario& track(long n) {
    while (app.project.binari.count() < n)
      app.project.binari.addEntity().vertices = {{0, 0}, {9, 9}};
    return app.project.binari[n];
  }
};

TEST(EditorCursor, StepsWrapTypingClampsOpeningBringsTheNumberIntoRange) {
  EXPECT_EQ(PreviousNumber(1, 4), 4);
  EXPECT_EQ(PreviousNumber(3, 4), 2);
  EXPECT_EQ(NextNumber(4, 4), 1);
  EXPECT_EQ(NextNumber(2, 4), 3);
  EXPECT_EQ(TypedNumber("9", 4), 4);
  EXPECT_EQ(TypedNumber("-3", 4), 1);
  EXPECT_EQ(TypedNumber("abc", 4), 1);
  EXPECT_EQ(TypedNumber("2.9", 4), 2);
  EXPECT_EQ(OpeningNumber(0, 4), 1);
  EXPECT_EQ(OpeningNumber(15, 10), 10);  // a track number beyond the roads
  EXPECT_EQ(OpeningNumber(7, 20), 7);
  EXPECT_EQ(CountFromText("-5"), 0);
  EXPECT_EQ(CountFromText("abc"), 0);
  EXPECT_EQ(CountFromText("12.9 veicoli"), 12);
  EXPECT_EQ(CountFromText("1e30"), 2147483647L);
  EXPECT_EQ(PositiveFromText("-2.5"), 0);
  EXPECT_EQ(PositiveFromText("7.25"), 7.25);
}

TEST_F(Editors, NavigationWrapsAndTheHighlightFollowsInXorWidthTen) {
  road(3);
  app.CurrentRoad = 0;
  RoadEditor e(app);
  EXPECT_EQ(e.open().number, 1);
  EXPECT_EQ(e.previous().number, 3);
  EXPECT_EQ(e.next().number, 1);
  EXPECT_EQ(e.typed("7").number, 3);
  // Opening drew road 1 (2 stretches); each step erased the last and drew the next.
  const auto lines = picture.of(Drawn::Line);
  ASSERT_EQ(lines.size(), 2u + 4u + 4u + 4u);
  for (const Drawn& d : lines) {
    EXPECT_EQ(d.pen.mode, DrawMode::Xor);
    EXPECT_EQ(d.pen.width, 10);
    EXPECT_EQ(d.pen.colour, RGB(80, 0, 0));
  }
  EXPECT_EQ(lines[2].y1, 10.0);  // road 1 erased before road 3 is drawn
  EXPECT_EQ(lines[4].y1, 30.0);
  EXPECT_EQ(app.HighlightedRoad, 3);
  e.close();
  EXPECT_EQ(app.CurrentRoad, 3);  // kept for the next opening
  EXPECT_EQ(app.HighlightedRoad, 0);
  EXPECT_EQ(picture.of(Drawn::Line).size(), lines.size() + 2);  // road 3 erased
}

TEST_F(Editors, StepButtonsGoFromTheNumberInTheBox) {
  EXPECT_EQ(PreviousFromBox("5", 10), 4);
  EXPECT_EQ(PreviousFromBox("1", 10), 10);
  EXPECT_EQ(PreviousFromBox("abc", 10), 10);
  EXPECT_EQ(PreviousFromBox("50", 10), 10);  // typed past the end
  EXPECT_EQ(NextFromBox("5", 10), 6);
  EXPECT_EQ(NextFromBox("10", 10), 1);
  EXPECT_EQ(NextFromBox("", 10), 1);
  EXPECT_EQ(NextFromBox("-5", 10), 1);
  EXPECT_EQ(NextFromBox("7.9", 10), 8);
  EXPECT_EQ(NextFromBox("1e300", 10), 1);
  road(10);
  track(4);
  RoadEditor roads(app);
  roads.open();
  EXPECT_EQ(roads.next("5").number, 6);  // typed 5 without Enter, then "Success."
  EXPECT_EQ(roads.previous("6").number, 5);
  TrackEditor tracks(app);
  tracks.open();
  EXPECT_EQ(tracks.next("4").number, 1);
  app.project.sources.addEntity();
  SourceEditor sources(app);
  sources.open();
  EXPECT_EQ(sources.previous("1").number, 1);
}

TEST_F(Editors, AnEditGoesToTheEntityShownWhateverAnotherEditorDidToTheNumber) {
  road(8);
  track(8);
  app.project.binari[3].vertices = {{500, 500}, {600, 500}};
  app.project.sources.addEntity();
  RoadEditor roads(app);
  roads.open();
  roads.typed("7");
  TrackEditor tracks(app);
  tracks.open();  // takes the road's highlight away and shows track 7
  tracks.typed("3");
  const size_t before = picture.of(Drawn::Line).size();
  roads.setCount(0, "250");
  EXPECT_EQ(app.project.strade[7].NveicDay[1], 250);
  EXPECT_EQ(app.project.strade[3].NveicDay[1], 0);
  EXPECT_EQ(app.CurrentRoad, 7);
  EXPECT_EQ(app.HighlightedRoad, 7);
  EXPECT_EQ(app.HighlightedKind, EntityKind::Road);
  // Track 3 erased as a track (one stretch), then road 7 drawn (two).
  const auto lines = picture.of(Drawn::Line);
  ASSERT_EQ(lines.size(), before + 3);
  EXPECT_EQ(lines[before].x1, 500.0);
  EXPECT_EQ(lines[before + 1].y1, 70.0);

  // After a redraw of the map only the road editor draws the highlight again.
  RestoreHighlight(app, EntityKind::Track);
  EXPECT_EQ(picture.of(Drawn::Line).size(), before + 3);
  RestoreHighlight(app, EntityKind::Road);
  EXPECT_EQ(picture.of(Drawn::Line).size(), before + 5);
  EXPECT_EQ(picture.of(Drawn::Line).back().y1, 70.0);
  EXPECT_EQ(app.HighlightedRoad, 7);

  // Closing the source editor clears the number; the road editor still edits road 7.
  SourceEditor sources(app);
  sources.open();
  sources.close();
  EXPECT_EQ(app.CurrentRoad, 0);
  roads.setName("Via Dante");
  EXPECT_EQ(app.project.strade[7].Nome, "Via Dante");
  EXPECT_EQ(app.CurrentRoad, 7);
}

TEST_F(Editors, AutoImpostaCopiesOnlyOntoARoadWithoutVehicles) {
  Strada& first = road(1);
  first.Pavimentaz = 2;
  first.Pendenza = 1;
  first.HmedSX = 12;
  first.NveicDay[1] = 900;
  first.VelNight[5] = 6;
  road(2).Nome = "Via vuota";
  Strada& busy = road(3);
  busy.NveicNight[4] = 1;
  busy.Pavimentaz = 1;
  RoadEditor e(app);
  e.autoImposta = true;
  app.CurrentRoad = 1;
  RoadView v = e.next();
  EXPECT_EQ(app.project.strade[2].NveicDay[1], 900);
  EXPECT_EQ(app.project.strade[2].Pavimentaz, 2);
  EXPECT_EQ(app.project.strade[2].VelNight[5], 6);
  EXPECT_EQ(app.project.strade[2].Nome, "Via vuota");
  EXPECT_EQ(v.counts[0], "900");
  EXPECT_EQ(v.hmedSx, "12.");
  e.next();
  EXPECT_EQ(app.project.strade[3].Pavimentaz, 1);
  EXPECT_EQ(app.project.strade[3].NveicDay[1], 0);
  // Without the tick nothing is copied.
  app.project.strade[2] = Strada{};
  e.autoImposta = false;
  e.typed("2");
  EXPECT_EQ(app.project.strade[2].NveicDay[1], 0);
}

TEST_F(Editors, BoxesStoreWhatTheRulesSayAndTheLevelsFollow) {
  road(1);
  RoadEditor e(app);
  e.open();
  EXPECT_EQ(e.setCount(0, "-5").counts[0], "");  // "######" shows 0 as an empty box
  e.setCount(7, "120");
  EXPECT_EQ(app.project.strade[1].NveicNight[3], 120);
  EXPECT_EQ(e.setCount(7, "abc").counts[7], "");
  RoadView v = e.setCount(0, "2000");
  EXPECT_EQ(app.project.strade[1].NveicDay[1], 2000);
  EXPECT_NE(v.leqDay, "   0.0");  // recomputed from the new count
  const std::string day = v.leqDay;
  EXPECT_NE(e.setClass(0, 6).leqDay, day);
  e.setHeight(true, "-3");
  e.setHeight(false, "9.5");
  EXPECT_EQ(app.project.strade[1].HmedSX, 0);
  EXPECT_EQ(app.project.strade[1].HmedDX, 9.5);
  e.setName("Via Roma");
  EXPECT_EQ(app.project.strade[1].Nome, "Via Roma");
}

TEST_F(Editors, CategoryPresetsAndFlowClassShortcuts) {
  road(1);
  app.config.PresetFlowDay[1] = {0, 100, 10, 5, 20, 1};
  app.config.PresetFlowNight[1] = {0, 30, 2, 1, 8, 0};
  app.config.PresetClassDay[1] = {0, 8, 7, 7, 7, 8};
  app.config.PresetClassNight[1] = {0, 1, 2, 3, 4, 5};
  RoadEditor e(app);
  e.open();
  RoadView v = e.preset(1);
  const Strada& r = app.project.strade[1];
  EXPECT_EQ(r.NveicDay[1], 1600);  // 100 cars an hour, 16 hours
  EXPECT_EQ(r.NveicNight[1], 240);
  EXPECT_EQ(r.NveicDay[4], 320);
  EXPECT_EQ(r.VelDay[1], 7);
  EXPECT_EQ(r.VelNight[5], 4);
  EXPECT_EQ(v.counts[0], "1600");
  EXPECT_EQ(v.classes[5], 0);
  e.c5c6();
  for (int c = 1; c <= 5; ++c) {
    EXPECT_EQ(r.VelDay[static_cast<size_t>(c)], 4);
    EXPECT_EQ(r.VelNight[static_cast<size_t>(c)], 5);
  }
  v = e.c6();
  EXPECT_EQ(r.VelDay[2], 5);
  EXPECT_EQ(v.classes, (std::array<long, 10>{5, 5, 5, 5, 5, 5, 5, 5, 5, 5}));
}

TEST_F(Editors, FissoStartsFromTheLastLevelsAndCalcolaComputesAgain) {
  road(1).NveicDay[1] = 1000;
  road(1).NveicNight[1] = 100;
  RoadEditor e(app);
  e.open();
  const RoadView computed = e.show();
  const double day = app.project.strade[1].LeqDay;
  const double night = app.project.strade[1].LeqNight;
  ASSERT_GT(day, 40);
  RoadView v = e.fisso();
  EXPECT_TRUE(v.fixed);
  EXPECT_EQ(app.project.strade[1].Pavimentaz, -1);
  EXPECT_EQ(app.project.strade[1].FixLeqDay, day);
  EXPECT_EQ(app.project.strade[1].FixLeqNight, night);
  EXPECT_EQ(v.heightTwips, 1570);
  EXPECT_EQ(v.title, "Editazione dati sorgenti lineari");
  EXPECT_EQ(v.selectionCaption, "Selezione Tratto Sorgente Lineare");
  EXPECT_EQ(v.leqDay.substr(v.leqDay.size() - 3, 1), ".");  // "###.00"
  e.setLevel(true, "71.5");
  e.setLevel(false, "-4");  // refused: only levels above 0
  EXPECT_EQ(app.project.strade[1].FixLeqDay, 71.5);
  EXPECT_EQ(app.project.strade[1].FixLeqNight, night);
  EXPECT_EQ(e.show().leqDay, "71.50");
  // Clicking "Fisso" again keeps the typed levels.
  e.fisso();
  EXPECT_EQ(app.project.strade[1].FixLeqDay, 71.5);
  v = e.calcola(0);
  EXPECT_FALSE(v.fixed);
  EXPECT_EQ(v.heightTwips, 8185);
  EXPECT_EQ(v.leqDay, computed.leqDay);
}

TEST_F(Editors, ZoomAroundTheRoadWithTheFactorAndItsArrows) {
  road(2);
  RoadEditor e(app);
  app.CurrentRoad = 2;
  e.open();
  e.zoom();  // factor 0 stands for 5; road 2 spans 150 x 40 around (75, 40)
  EXPECT_EQ(app.ZoomFactor, 5);
  EXPECT_DOUBLE_EQ(app.project.View.X1, 75 - 750);
  EXPECT_DOUBLE_EQ(app.project.View.Y2, 40 + 200);
  e.zoomIn();
  EXPECT_DOUBLE_EQ(app.ZoomFactor, 5 / std::sqrt(2.0));
  e.zoomOut();
  e.zoomOut();
  EXPECT_DOUBLE_EQ(app.ZoomFactor, 5 * std::sqrt(2.0));
  EXPECT_EQ(view.redraws.size(), 4u);
}

TEST_F(Editors, RoadAndTrackEditorsShareTheNumberAndTheTrackEditorCopiesItsFields) {
  road(10);
  track(8);
  RoadEditor roads(app);
  roads.open();
  roads.typed("7");
  roads.close();
  TrackEditor tracks(app);
  Binario& six = app.project.binari[6];
  six.TipoArmamento = 1;
  six.HmedDX = 4;
  six.NtreniDay[2] = 12;
  six.LungNight[3] = 250;
  six.VelDay[1] = 2;
  tracks.autoImposta = true;
  TrackView v = tracks.open();
  EXPECT_EQ(v.number, 7);
  EXPECT_EQ(tracks.previous().number, 6);
  v = tracks.next();
  const Binario& seven = app.project.binari[7];
  EXPECT_EQ(seven.TipoArmamento, 1);
  EXPECT_EQ(seven.NtreniDay[2], 12);
  EXPECT_EQ(seven.LungNight[3], 250);
  EXPECT_EQ(seven.VelDay[1], 2);
  EXPECT_EQ(v.hmedDx, "4.");
  EXPECT_EQ(v.counts[1], "12");
  // Track 15 of 20, then a project of 10 roads: the road editor edits road 10.
  track(20);
  app.CurrentRoad = 15;
  EXPECT_EQ(RoadEditor(app).open().number, 10);
}

TEST_F(Editors, AFixedTrackKeepsItsLevels) {
  Binario& b = track(1);
  b.NtreniDay[1] = 30;
  b.LungDay[1] = 400;
  TrackEditor e(app);
  e.open();
  const double day = app.project.binari[1].LeqDay;
  TrackView v = e.fisso();
  EXPECT_EQ(app.project.binari[1].LeqDay, day);
  EXPECT_EQ(v.heightTwips, 1695);
  e.setLevel(false, "55");
  EXPECT_EQ(app.project.binari[1].LeqNight, 55);
  EXPECT_EQ(e.setCount(0, "-1").counts[0], "");
  EXPECT_EQ(app.project.binari[1].LeqNight, 55);
  EXPECT_EQ(e.calcola(1).heightTwips, 6995);
  EXPECT_EQ(app.project.binari[1].TipoArmamento, 1);
}

TEST_F(Editors, SourceCountKeepsTheSlotsAndCancelKeepsTheCount) {
  ScriptedUi ui;
  for (int i = 0; i < 3; ++i) app.project.sources.addEntity().Lw = 90 + i;
  app.Saved = true;
  ui.inputs = {std::string("0"), std::nullopt,         std::string(" "),
               std::string("2"), std::string("10001"), std::string("3")};
  EXPECT_FALSE(CmdSorgentiConcentrate(app, ui));  // 0: no editor
  EXPECT_FALSE(app.Saved);
  EXPECT_EQ(app.project.sources.count(), 0);
  EXPECT_EQ(ui.prompts.at(0), "N. Sorg. Conc.");
  EXPECT_FALSE(CmdSorgentiConcentrate(app, ui));  // Cancel
  EXPECT_FALSE(CmdSorgentiConcentrate(app, ui));  // empty
  EXPECT_EQ(app.project.sources.count(), 0);
  EXPECT_TRUE(CmdSorgentiConcentrate(app, ui));
  EXPECT_EQ(app.project.sources.count(), 2);
  EXPECT_FALSE(CmdSorgentiConcentrate(app, ui));  // past the table
  EXPECT_EQ(app.project.sources.count(), 2);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(CmdSorgentiConcentrate(app, ui));
  EXPECT_EQ(app.project.sources[3].Lw, 92);  // the source comes back
}

TEST_F(Editors, SourceBoxesTakeAnyValueAndTheFileGivesThePowerEvenOnCancel) {
  fs::path dir = fs::temp_directory_path() / "sonvale_source_editor";
  fs::create_directories(dir);
  const std::string spk = (dir / "pump.spk").string();
  std::ofstream(spk, std::ios::binary) << SpkText({{"0", "77.5"}}, "1");
  ScriptedUi ui;
  app.project.sources.addEntity();
  app.project.sources.addEntity();
  SourceEditor e(app);
  e.open();
  e.setField(SourceField::X, "-12.5");
  e.setField(SourceField::Lw, "abc");
  e.setName("nowhere.spk");
  SourceView v = e.show();
  EXPECT_EQ(v.x, "-12.5");
  EXPECT_EQ(v.lw, "0");
  EXPECT_EQ(e.previous().number, 2);
  EXPECT_EQ(e.typed("9").number, 2);

  ui.files = {spk, std::nullopt};
  v = e.chooseFile(ui);
  EXPECT_EQ(v.nome, spk);
  EXPECT_EQ(v.lw, "77.5");
  EXPECT_EQ(ui.dialogs.at(0).title, "Scegli il file descrizione sorgente (.SPK)");
  EXPECT_EQ(ui.dialogs.at(0).initialName, "*.SPK");
  app.project.sources[2].Lw = 10;
  v = e.chooseFile(ui);  // cancelled: the power is read again from the same file
  EXPECT_EQ(v.lw, "77.5");
  EXPECT_EQ(ui.dialogs.at(1).initialName, spk);

  e.typed("1");
  v = e.chooseFile((ui.files = {std::nullopt}, ui));  // a missing file: said, power kept
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("nowhere.spk"), std::string::npos);
  EXPECT_EQ(v.lw, "0");
  fs::remove_all(dir);

  ProcessCommand c = SourceEditor::SourceManagerCommand("/opt/sonvale", "pump.spk");
  EXPECT_EQ(c.program, "/opt/sonvale/emitdesk32");
  EXPECT_EQ(c.args, std::vector<std::string>{"pump.spk"});
}

TEST_F(Editors, SourceHighlightIsLightGreen) {
  app.project.sources.addEntity();
  app.project.sources.addEntity();
  SourceEditor e(app);
  e.open();
  e.next();
  const auto circles = picture.of(Drawn::Circle);
  ASSERT_EQ(circles.size(), 3u);  // source 1, then 1 again and 2
  for (const Drawn& d : circles) EXPECT_EQ(d.fill, QBColor(10));
  EXPECT_EQ(app.HighlightedRoad, 2);
}

}  // namespace
}  // namespace sonvale
