#include "commands/side_export_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_contents.h"
#include "support/recording_map_view.h"
#include "support/scripted_ui.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

Polyline3 Outline(std::initializer_list<Point3> points) {
  Polyline3 e;
  e.vertices = points;
  return e;
}

TEST(SideExportCommandsTest, CancelAtTheBuildingsQuestionKeepsPlansAndBarriersOnly) {
  ScratchFolder dir;
  AppState app;
  app.ProjectBase = dir.file("town");
  Project& p = app.project;
  p.plans.addEntity() = Outline({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  p.barriere.addEntity() = Outline({{2, 2, 3}, {3, 2, 3}});
  p.case_.addEntity() = Outline({{5, 5, 9}, {6, 5, 9}, {6, 6, 9}});
  p.strade.addEntity().vertices = {LineVertex{0, 0, 0, 8, 8}, LineVertex{9, 9, 0, 8, 8}};

  ScriptedUi ui;
  ui.files = {std::nullopt};
  EXPECT_FALSE(CmdSalvaBln(app, ui));  // Cancel in the dialog: no question, no file
  EXPECT_TRUE(ui.messages.empty());

  const std::string file = dir.file("out.BLN");
  ui.files = {file};
  ui.answers = {Answer::Yes, Answer::Yes, Answer::Cancel};
  EXPECT_TRUE(CmdSalvaBln(app, ui));
  const FileDialog& d = ui.dialogs.back();
  EXPECT_EQ(d.title, "Save a Surfer Blanking File");
  EXPECT_EQ(d.filter, "Sonvale (.BLN)|*.BLN");
  EXPECT_EQ(d.initialName, dir.file("town.BLN"));
  EXPECT_TRUE(d.overwritePrompt);
  ASSERT_EQ(ui.messages.size(), 3u);  // nothing asked after Cancel
  const char* const texts[] = {"Salvo i poligoni di blanking ?", "Salvo le barriere ?",
                               "Salvo le case ?"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(ui.messages[i].title, "Salvataggio BLN");
    EXPECT_EQ(ui.messages[i].text, texts[i]);
    EXPECT_EQ(ui.messages[i].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(ui.messages[i].icon, Icon::Question);
  }
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Sto salvando " + file + "...",
                                                   "Saving " + file + " ...", "Saved OK! "}));
  EXPECT_EQ(FileContents(file), "4,0\r\n0,0\r\n1,0\r\n0,1\r\n0,0\r\n2,0\r\n2,2\r\n3,2\r\n");

  // No skips one kind only.
  ui.files = {file};
  ui.answers = {Answer::No, Answer::No, Answer::No, Answer::Yes, Answer::Yes};
  EXPECT_TRUE(CmdSalvaBln(app, ui));
  EXPECT_EQ(FileContents(file), "2,1\r\n0,0\r\n9,9\r\n");
}

TEST(SideExportCommandsTest, ListIsWrittenOnlyWhenMissingEmissionsAreAccepted) {
  ScratchFolder dir;
  AppState app;
  app.ProjectBase = dir.file("town");
  app.project.strade.addEntity().Nome = "Senza traffico";  // 0 dB after the update
  const std::string file = dir.file("list.txt");

  ScriptedUi ui;
  ui.files = {file};
  ui.answers = {Answer::No};
  EXPECT_FALSE(CmdSalvaLista(app, ui));
  EXPECT_EQ(ui.dialogs[0].title, "Save a Sonvale List File");
  EXPECT_EQ(ui.dialogs[0].filter, "Text (.txt)|*.txt");
  EXPECT_EQ(ui.dialogs[0].initialName, dir.file("town.txt"));
  EXPECT_EQ(ui.lastMessage().title, "Attenzione!");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_NE(ui.statuses.back(), "Saved OK! ");

  ui.files = {file};
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(CmdSalvaLista(app, ui));
  EXPECT_NE(FileContents(file).find("\r\n1,\"Senza traffico\",0,0,0,0,0,0,0,0,0,0,0,"),
            std::string::npos);
  EXPECT_EQ(ui.statuses.back(), "Saved OK! ");
}

TEST(SideExportCommandsTest, PointScriptConversionAndBarrierLengthMessages) {
  ScratchFolder dir;
  AppState app;
  app.ProjectBase = dir.file("town");
  RecordingMapView view;
  app.setView(&view);
  const std::vector<bool>& suspended = view.suspensions;
  app.project.punti.addEntity() = Punto{1, 2, 3, "P1"};
  app.project.barriere.addEntity() = Outline({{0, 0, 2}, {6, 8, 2}});

  ScriptedUi ui;
  const std::string scr = dir.file("p.SCR");
  ui.files = {scr};
  EXPECT_TRUE(CmdEsportaPunti(app, ui));
  EXPECT_EQ(ui.dialogs[0].title, "Save an Autocad script file");
  EXPECT_EQ(ui.dialogs[0].initialName, dir.file("town.SCR"));
  EXPECT_EQ(ui.statuses.front(), "Sto esportando " + scr + "...");
  EXPECT_EQ(FileContents(scr), "circle 1,2,3 15\r\ntext j tc 1,2,3 25 0 1\r\n");

  const std::string dxf = dir.file("quote.dxf");
  WriteTextFile(dxf, "0\nSECTION\n2\nENTITIES\n0\nPOINT\n8\n12.5\n10\n1\n20\n2\n0\nEOF\n");
  ui.statuses.clear();
  ui.files = {dxf};
  EXPECT_TRUE(CmdConvertiDxfXyz(app, ui));
  EXPECT_EQ(ui.dialogs.back().title, "Convert an Autocad DXF File");
  EXPECT_TRUE(ui.dialogs.back().mustExist);
  const std::string txt = dir.file("quote.txt");
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Sto convertendo " + dxf + " to " + txt + "...",
                                                   "Conversione effettuata!"}));
  EXPECT_EQ(FileContents(txt), " 1             2             12.5 \r\n");
  EXPECT_EQ(suspended, (std::vector<bool>{true, false}));

  WriteTextFile(dxf, "not a drawing\n");
  ui.files = {dxf};
  EXPECT_FALSE(CmdConvertiDxfXyz(app, ui));
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_NE(ui.statuses.back(), "Conversione effettuata!");
  EXPECT_EQ(suspended.back(), false);  // the picture comes back after a failure too
  EXPECT_EQ(FileContents(txt), " 1             2             12.5 \r\n");  // the old result stays

  CmdLunghezzaBarriere(app, ui);
  EXPECT_EQ(ui.lastMessage().title, "Lunghezza Complessiva Barriere");
  EXPECT_EQ(ui.lastMessage().text, "N= 1 - L= 10 m");
  EXPECT_EQ(ui.lastMessage().icon, Icon::Information);
}

}  // namespace
}  // namespace sonvale
