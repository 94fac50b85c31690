#include "commands/file_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/file_contents.h"
#include "support/scripted_ui.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("sonvale_filecmd_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_ / "my.projects");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A project whose only road has traffic, so saving asks nothing.
  static void AddRoadWithTraffic(Project& p, const std::string& name) {
    Strada& s = p.strade.addEntity();
    s.Nome = name;
    s.NveicDay[1] = 1000;
    s.NveicNight[1] = 100;
    s.vertices = {LineVertex{0, 0, 0, 10, 10}, LineVertex{100, 0, 0, 10, 10}};
  }

  fs::path dir_;
  AppState app_;
  ScriptedUi ui_;
};

TEST_F(FileCommandsTest, SaveDeclinedOrFailedLeavesTheProjectUnsaved) {
  app_.Saved = false;
  app_.project.ProjectFileName = "old.svp";
  app_.project.strade.addEntity().vertices = {LineVertex{}, LineVertex{10, 0, 0, 0, 0}};
  const fs::path target = dir_ / "out.svp";

  // A road without traffic: the missing-emission question, answered No.
  ui_.files.push_back(target.string());
  ui_.answers.push_back(Answer::No);
  EXPECT_FALSE(CmdSalvaSvp(app_, ui_));
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(app_.Saved);
  EXPECT_EQ(app_.project.ProjectFileName, "old.svp");
  EXPECT_TRUE(ui_.titles.empty());
  EXPECT_EQ(ui_.lastMessage().text,
            "Alcune entità Strade o Binari non sono state dotate di dati di emissione acustica - "
            "Proseguo comunque ?");

  // A folder that does not exist: the failure is shown and nothing is marked saved.
  ui_.files.push_back((dir_ / "missing" / "out.svp").string());
  ui_.answers.push_back(Answer::Yes);
  EXPECT_FALSE(CmdSalvaSvp(app_, ui_));
  EXPECT_FALSE(app_.Saved);
  EXPECT_EQ(ui_.lastMessage().icon, Icon::Critical);

  // Closing with "Yes, save" whose save does not happen keeps the program open.
  ui_.answers.push_back(Answer::Yes);                          // save before closing?
  ui_.files.push_back((dir_ / "missing" / "x.svp").string());  // the save dialog
  ui_.answers.push_back(Answer::Yes);                          // missing emission: go on
  EXPECT_FALSE(CmdClose(app_, ui_));
  ui_.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(CmdClose(app_, ui_));
  ui_.answers.push_back(Answer::No);
  EXPECT_TRUE(CmdClose(app_, ui_));
}

TEST_F(FileCommandsTest, SaveAndOpenRoundTripWithDottedFolder) {
  AddRoadWithTraffic(app_.project, "Via Roma");
  app_.project.ExtendExtent(0, 0);
  app_.project.ExtendExtent(100, 0);
  app_.Saved = false;
  const fs::path target = dir_ / "my.projects" / "town.svp";

  ui_.files.push_back(target.string());
  ASSERT_TRUE(CmdSalvaSvp(app_, ui_));
  EXPECT_TRUE(app_.Saved);
  EXPECT_EQ(ui_.titles.back(), "Sonvale3.6 - town.svp");
  EXPECT_EQ(app_.ProjectBase, (dir_ / "my.projects" / "town").string());
  EXPECT_EQ(ui_.statuses.back(), "Saved OK! ");
  EXPECT_NE(FileContents(target).find("Via Roma"), std::string::npos);

  AppState other;
  ScriptedUi ui2;
  ui2.files.push_back(target.string());
  CmdApriSvp(other, ui2);
  EXPECT_EQ(other.project.strade.count(), 1);
  EXPECT_EQ(other.project.strade[1].Nome, "Via Roma");
  EXPECT_EQ(other.project.ProjectFileName, target.string());
  EXPECT_EQ(other.ProjectBase, (dir_ / "my.projects" / "town").string());
  EXPECT_EQ(ui2.titles.back(), "Sonvale3.6 - town.svp");
  EXPECT_GT(other.project.strade[1].LeqDay, 0);  // the update pass ran after the read
  EXPECT_EQ(other.project.View.X2, 100);
  EXPECT_EQ(ui2.statuses.back(), "Loaded OK! ");
}

TEST_F(FileCommandsTest, OpeningAnUnreadableFileChangesNothing) {
  AddRoadWithTraffic(app_.project, "Kept");
  app_.project.ProjectFileName = "kept.svp";
  app_.Saved = true;
  const fs::path bad = dir_ / "bad.svp";
  std::ofstream(bad) << "\"x\",\"Vers.#\",\"3.6\"\r\n\"Nstrade\",abc\r\n";

  ui_.files.push_back(bad.string());
  CmdApriSvp(app_, ui_);
  EXPECT_EQ(app_.project.strade.count(), 1);
  EXPECT_EQ(app_.project.strade[1].Nome, "Kept");
  EXPECT_EQ(app_.project.ProjectFileName, "kept.svp");
  EXPECT_EQ(ui_.lastMessage().icon, Icon::Critical);
  EXPECT_NE(ui_.lastMessage().text.find("bad.svp:2"), std::string::npos);
  EXPECT_TRUE(ui_.titles.empty());

  // Cancelling the dialog also leaves everything as it was.
  ui_.files.push_back(std::nullopt);
  CmdApriSvp(app_, ui_);
  EXPECT_EQ(app_.project.strade.count(), 1);
}

TEST_F(FileCommandsTest, NewProjectAsksTheYearAndResets) {
  AddRoadWithTraffic(app_.project, "Old");
  app_.project.strade[1].Pavimentaz = 2;
  app_.project.Anno = 2012;
  app_.project.Algorithm = 0;
  app_.project.ProjectFileName = "old.svp";

  ui_.inputs.push_back("2015abc");
  CmdNuovo(app_, ui_);
  EXPECT_EQ(ui_.prompts.back(), "Introduci l'anno a cui si riferisce lo scenario simulato");
  EXPECT_EQ(app_.project.Anno, 2015);
  EXPECT_EQ(app_.project.strade.count(), 0);
  EXPECT_EQ(app_.project.strade[1].Pavimentaz, 0);
  EXPECT_TRUE(app_.project.extent.isEmpty());
  EXPECT_EQ(app_.project.Algorithm, 1);
  EXPECT_TRUE(app_.project.ProjectFileName.empty());
  EXPECT_EQ(ui_.titles.back(), "Sonvale3.6");
  EXPECT_FALSE(app_.menuEnabled["Calcolo"]);

  ui_.inputs.push_back(std::nullopt);  // a cancelled or empty answer leaves no year
  CmdNuovo(app_, ui_);
  EXPECT_EQ(app_.project.Anno, 0);
}

TEST_F(FileCommandsTest, ProjectWithoutYearAsksOnLoad) {
  AddRoadWithTraffic(app_.project, "Via");
  app_.project.Anno = 0;
  const fs::path target = dir_ / "noyear.svp";
  ui_.files.push_back(target.string());
  ASSERT_TRUE(CmdSalvaSvp(app_, ui_));

  AppState other;
  ScriptedUi ui2;
  ui2.inputs.push_back(" 2011");
  ASSERT_TRUE(LoadProject(other, ui2, target.string()));
  EXPECT_EQ(other.project.Anno, 2011);
  ASSERT_EQ(ui2.prompts.size(), 1u);
}

}  // namespace
}  // namespace sonvale
