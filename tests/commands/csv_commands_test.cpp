#include "commands/csv_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/csv_nodes_arcs.h"
#include "support/file_contents.h"
#include "support/recording_map_view.h"
#include "support/scripted_ui.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

class CsvCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = folder_.file("my.data");
    fs::create_directories(dir_);
    WriteTextFile(nodes(), "ID,X,Y\n10,0,0\n20,300,0\n30,300,400\n");
    WriteTextFile(arcs(),
                  "ID,A,B,L,T,Q\n"
                  "1,10,20,300,1,2\n"
                  "2,20,10,300,1,100\n"
                  "3,20,30,400,1,100\n"
                  "4,30,99,10,1,100\n");  // node 99 is not in the node table
    app_.setView(&view_);
  }

  std::string nodes() const { return dir_ + "/rete.nodi.csv"; }
  std::string arcs() const { return dir_ + "/archi.csv"; }

  // The dialog as a user fills it: 95/5 light, 40/30/30 heavy, day and night.
  CsvOptionsDialog fillDialog(bool accorpa) {
    return [this, accorpa](AppState& app, Ui& ui) {
      ++dialogs_;
      CsvOptionsEntry e = CurrentCsvOptions(app);
      const double shares[] = {0, 95, 40, 30, 30, 5};
      for (size_t v = 1; v <= 5; ++v) e.percentDay[v] = e.percentNight[v] = shares[v];
      e.Accorpa = accorpa;
      ASSERT_TRUE(AcceptCsvOptions(app, ui, e));
    };
  }

  void importNodes() {
    ui_.files.push_back(nodes());
    CmdImportNODI(app_, ui_);
  }

  ScratchFolder folder_;
  std::string dir_;
  AppState app_;
  ScriptedUi ui_;
  RecordingMapView view_;
  int dialogs_ = 0;
};

TEST_F(CsvCommandsTest, ArcsNeedTheNodesFirst) {
  ui_.files.push_back(arcs());
  CmdImportArchi(app_, ui_, fillDialog(false));
  EXPECT_EQ(dialogs_, 0);
  EXPECT_EQ(ui_.lastMessage().text, "Devi preventivamente importare le coordinate dei nodi...");
  EXPECT_EQ(ui_.lastMessage().title, "Attenzione!");
  EXPECT_EQ(ui_.lastMessage().icon, Icon::Critical);
  EXPECT_EQ(app_.project.strade.count(), 0);

  // The file dialog as the menu opens it; Cancel ends the command.
  ui_.files.push_back(std::nullopt);
  CmdImportNODI(app_, ui_);
  ASSERT_FALSE(ui_.dialogs.empty());
  EXPECT_EQ(ui_.dialogs.back().title, "Import an Excel CSV File");
  EXPECT_EQ(ui_.dialogs.back().filter, "CSV file|*.CSV");
  EXPECT_EQ(ui_.dialogs.back().initialName, "*.CSV");
  EXPECT_TRUE(ui_.dialogs.back().mustExist);
  EXPECT_FALSE(app_.isChecked("ImportNODI"));
}

TEST_F(CsvCommandsTest, NodesThenArcsWithDirectionsJoined) {
  importNodes();
  EXPECT_EQ(ui_.statuses.back(), "Loaded 3 nodes OK...");
  EXPECT_EQ(ui_.statuses.front(), "Sto decodificando " + nodes() + "...");
  EXPECT_TRUE(app_.isChecked("ImportNODI"));
  EXPECT_EQ(view_.redraws.size(), 0u);
  EXPECT_TRUE(app_.Saved);
  // The project is named after the file, cut at the first "." of the file name only.
  EXPECT_EQ(app_.project.ProjectFileName, dir_ + "/rete.svp");
  EXPECT_EQ(app_.ProjectBase, dir_ + "/rete");

  app_.StopRequested = true;  // left over from a cancelled map
  ui_.files.push_back(arcs());
  CmdImportArchi(app_, ui_, fillDialog(true));
  EXPECT_EQ(dialogs_, 1);
  EXPECT_TRUE(app_.Accorpa);
  EXPECT_TRUE(app_.isChecked("Accorp"));
  EXPECT_FALSE(app_.isChecked("Ricon"));

  ASSERT_EQ(app_.project.strade.count(), 2);
  const Strada& joined = app_.project.strade[1];
  EXPECT_EQ(joined.NDir, 2);
  EXPECT_EQ(joined.NveicDay[1], 18 + 922);
  EXPECT_GT(joined.LeqDay, 0);  // the emission update ran
  EXPECT_FALSE(app_.project.EmissioniOK);
  EXPECT_FALSE(app_.Saved);
  EXPECT_TRUE(app_.isChecked("ImportArchi"));
  EXPECT_TRUE(app_.menuEnabled["Calcolo"]);
  EXPECT_EQ(view_.redraws.size(), 1u);
  EXPECT_EQ(app_.project.View.X1, 0);
  EXPECT_EQ(app_.project.View.Y2, 400);

  const Message& m = ui_.lastMessage();
  EXPECT_EQ(m.title, "Importazione CSV");
  EXPECT_EQ(m.icon, Icon::Information);
  EXPECT_EQ(
      m.text,
      "Ho letto 2 archi\nArchi scartati perché i loro nodi mancano nella tabella dei nodi: 1");
  EXPECT_EQ(ui_.statuses.back(), "Loaded OK! ");

  const std::string summary = FileContents(dir_ + "/archi.TXT");
  EXPECT_EQ(
      summary.substr(0, summary.find('\n') + 1),
      "\"n.\",\"Strada\",\"Leg/G\",\"Pes/G\",\"Leg/N\",\"Pes/N\",\"Vel.Leg.\",\"Vel.Pes.\"\r\n");
  EXPECT_NE(summary.find("1,\"Da 10 a 20\",19.41485,3.42615,2.27466,.25274,55,55\r\n"),
            std::string::npos);
  EXPECT_NE(summary.find("2,\"Da 20 a 30\",970.7425,"), std::string::npos);
}

TEST_F(CsvCommandsTest, CancelledOptionsOrABadFileChangeNothing) {
  importNodes();
  Strada& old = app_.project.strade.addEntity();
  old.Nome = "Via Roma";
  app_.Saved = true;

  ui_.files.push_back(arcs());
  CmdImportArchi(app_, ui_, [](AppState& app, Ui&) { CancelCsvOptions(app); });
  EXPECT_EQ(app_.project.strade.count(), 1);
  EXPECT_FALSE(fs::exists(dir_ + "/archi.TXT"));

  // A dialog whose first OK is refused stays open; the second one goes through.
  WriteTextFile(arcs(), "ID,A,B,L,T,Q\n1,10,20,300,1,2\n2,10,20,300,1,tanti\n");
  ui_.files.push_back(arcs());
  CmdImportArchi(app_, ui_, [this](AppState& app, Ui& ui) {
    CsvOptionsEntry e = CurrentCsvOptions(app);
    e.percentDay[1] = 95;
    EXPECT_FALSE(AcceptCsvOptions(app, ui, e));
    EXPECT_EQ(ui_.lastMessage().text, "La somma delle percentuali Legg. Giorno deve fare 100 !!!");
    EXPECT_EQ(ui_.lastMessage().title, "Attenzione !");
    EXPECT_EQ(app.csvOptions.fractionDay[1], 0);  // nothing stored
    e.percentDay[5] = 5;
    e.percentDay[2] = 30.1;
    e.percentDay[3] = 34.2;
    e.percentDay[4] = 35.7;
    e.percentNight = e.percentDay;
    EXPECT_TRUE(AcceptCsvOptions(app, ui, e));
  });
  EXPECT_DOUBLE_EQ(app_.csvOptions.fractionDay[3], 0.342);
  const Message& m = ui_.lastMessage();
  EXPECT_EQ(m.icon, Icon::Critical);
  EXPECT_NE(m.text.find("archi.csv:3:"), std::string::npos);
  ASSERT_EQ(app_.project.strade.count(), 1);
  EXPECT_EQ(app_.project.strade[1].Nome, "Via Roma");
  EXPECT_FALSE(app_.isChecked("ImportArchi"));
  EXPECT_TRUE(app_.Saved);
  EXPECT_FALSE(fs::exists(dir_ + "/archi.TXT"));
}

TEST_F(CsvCommandsTest, StreetsTrafficAndPoints) {
  app_.project.ProjectFileName = "/progetti/citta.svp";
  WriteTextFile(dir_ + "/strade.csv", "h\n1,0,100,200,150,200,0,\"Via Po\",50,0,100,10,20,2\n");
  ui_.files.push_back(dir_ + "/strade.csv");
  CmdImportCSV(app_, ui_);
  ASSERT_EQ(app_.project.strade.count(), 1);
  EXPECT_EQ(app_.project.View.X1, 100);
  EXPECT_EQ(app_.project.View.X2, 150);
  EXPECT_TRUE(app_.isChecked("ImportCSV"));
  EXPECT_EQ(app_.project.ProjectFileName, "/progetti/citta.svp");  // a named project keeps its name

  WriteTextFile(dir_ + "/traffico.csv", "h\n1,\"SP 1\",10,1,2,0,3,3\n");
  ui_.files.push_back(dir_ + "/traffico.csv");
  CmdImportCSV2(app_, ui_);
  EXPECT_EQ(app_.project.strade.count(), 2);
  EXPECT_TRUE(app_.isChecked("ImportCSV2"));
  EXPECT_EQ(ui_.statuses.back(), "Loaded OK! ");

  app_.project.EmissioniOK = true;
  app_.Saved = true;
  WriteTextFile(dir_ + "/punti.csv", "h\n1,1,2,4,R1\n2,3,4,4,R2\n");
  ui_.files.push_back(dir_ + "/punti.csv");
  CmdImpPunti(app_, ui_);
  EXPECT_EQ(ui_.dialogs.back().title, "Import an Excel CSV File - Punti");
  EXPECT_EQ(app_.project.punti.count(), 2);
  EXPECT_EQ(ui_.statuses.back(), "Loaded 2 punti OK...");
  EXPECT_TRUE(app_.project.EmissioniOK);  // points leave the emission data alone
  EXPECT_FALSE(app_.Saved);
  EXPECT_EQ(view_.redraws.size(), 3u);
}

TEST_F(CsvCommandsTest, AFullTableKeepsWhatFitsAndWarnsWithTheFileAndLine) {
  for (long i = 1; i < kMaxStrade; ++i) app_.project.strade.addEntity().Nome = "esistente";
  const std::string streets = dir_ + "/strade.csv";
  WriteTextFile(streets,
                "h\n1,0,100,200,150,200,0,\"Via Po\",50,0,100,10,20,2\n"
                "2,0,0,0,1,1,0,\"Via Dora\",50,0,100,10,20,2\n");
  ui_.files.push_back(streets);
  CmdImportCSV(app_, ui_);
  ASSERT_EQ(app_.project.strade.count(), kMaxStrade);
  EXPECT_EQ(app_.project.strade[kMaxStrade].Nome, "Via Po");
  EXPECT_TRUE(app_.isChecked("ImportCSV"));
  const Message& m = ui_.lastMessage();
  EXPECT_EQ(m.icon, Icon::Warning);
  EXPECT_EQ(m.title, "Importazione CSV");
  EXPECT_EQ(m.text, "La tabella delle strade è piena (9000): la riga 3 di " + streets +
                        " non è stata importata");

  std::string text = "ID,X,Y\n";
  for (long i = 1; i <= kMaxCsvNodes + 3; ++i) text += std::to_string(i) + ",1,2\n";
  WriteTextFile(nodes(), text);
  importNodes();
  EXPECT_EQ(app_.csvNodes.count(), kMaxCsvNodes);
  EXPECT_EQ(ui_.lastMessage().text, "La tabella dei nodi è piena (9000): 3 righe di " + nodes() +
                                        ", dalla riga 9002 in poi, non sono state importate");
}

TEST(CsvOptionsTest, PercentagesAreCheckedInOrderWithATolerance) {
  CsvOptionsEntry e;
  e.percentDay = {0, 95, 30.1, 34.2, 35.7, 5};
  e.percentNight = {0, 99.995, 50, 25, 25, 0};
  EXPECT_EQ(ValidateCsvOptions(e), "");
  e.percentNight[5] = 0.02;  // 100.015
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle percentuali Leg. Notte deve fare 100 !!!");
  e.percentNight[4] = 24.9;
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle percentuali Leg. Notte deve fare 100 !!!");
  e.percentNight[5] = 0;
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle precentuali Pes. Notte deve fare 100 !!!");
  e.percentDay[2] = 30;
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle percentuali Pes. Giorno deve fare 100 !!!");
  e.percentDay[1] = 94.98;
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle percentuali Legg. Giorno deve fare 100 !!!");
}

TEST(CsvOptionsTest, BoxTextsAndTheLevelDifference) {
  AppState app;
  app.csvOptions.fractionDay[1] = 0.95;
  app.csvOptions.fractionNight[2] = 0.333;
  app.csvOptions.TG_TN = 7.5;
  app.project.DistMax = 2500;
  CsvOptionsTexts t = CsvOptionsBoxTexts(app);
  EXPECT_EQ(t.percentDay[1], "95.0");
  EXPECT_EQ(t.percentNight[2], "33.3");
  EXPECT_EQ(t.percentDay[5], "0.0");
  EXPECT_EQ(t.TG_TN, "7.50");
  EXPECT_EQ(t.T24_T1, "0.00");
  EXPECT_EQ(t.DistMax, "2500");

  CsvDistanceEdited(app, "-3");
  EXPECT_EQ(app.project.DistMax, 0);
  EXPECT_EQ(CsvOptionsBoxTexts(app).DistMax, "");
  CsvDistanceEdited(app, "1200");
  EXPECT_EQ(app.project.DistMax, 1200);

  EXPECT_EQ(DeltaLText("10"), "10.0");
  EXPECT_EQ(DeltaLText("2"), "3.0");  // 3.0103
  EXPECT_EQ(DeltaLText("0.5"), "-3.0");
  EXPECT_EQ(DeltaLText("0"), "");
  EXPECT_EQ(DeltaLText(""), "");
  EXPECT_EQ(DeltaLText("-4"), "");

  // What OK reads from the boxes: a box without a number counts as 0, so that
  // the check names the group it spoils.
  CsvOptionsTexts typed = t;
  typed.percentDay[1] = "95";
  typed.percentDay[5] = "4";
  typed.percentNight[1] = "cento";
  typed.TG_TN = "8.25";
  CsvOptionsEntry e;
  e.Accorpa = true;
  ReadCsvOptionsBoxes(typed, e);
  EXPECT_EQ(e.percentDay[1], 95);
  EXPECT_EQ(e.percentDay[5], 4);
  EXPECT_EQ(e.percentNight[1], 0);
  EXPECT_EQ(e.percentNight[2], 33.3);
  EXPECT_EQ(e.TG_TN, 8.25);
  EXPECT_TRUE(e.Accorpa);
  EXPECT_EQ(ValidateCsvOptions(e), "La somma delle percentuali Legg. Giorno deve fare 100 !!!");
  EXPECT_EQ(CsvOptionsCaption("Limita"), "Limita Area ai plans gia' caricati");
  EXPECT_EQ(CsvOptionsCaption("V4"), "Percentuale TIR");
  EXPECT_EQ(CsvOptionsCaption("V6"), "");
}

}  // namespace
}  // namespace sonvale
