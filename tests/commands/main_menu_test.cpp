#include "commands/main_menu.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

TEST(MainMenuTest, ExclusiveModesKeepAtMostOneMark) {
  AppState app;
  ScriptedUi ui;
  CmdToggleMode(app, ui, "Append");
  EXPECT_EQ(ExclusiveMode(app), "Append");
  CmdToggleMode(app, ui, "Inserisci");  // clicking Inserisci while Append is marked
  EXPECT_FALSE(app.isChecked("Append"));
  EXPECT_TRUE(app.isChecked("Inserisci"));
  CmdToggleMode(app, ui, "Inserisci");  // clicking it again leaves no mark at all
  EXPECT_EQ(ExclusiveMode(app), "");
  EXPECT_FALSE(app.isChecked("Rimpiazza"));
  EXPECT_EQ(ui.beeps, 3);
}

TEST(MainMenuTest, FilterModesMirrorTheirMarks) {
  AppState app;
  ScriptedUi ui;
  CmdToggleMode(app, ui, "Limit");
  CmdToggleMode(app, ui, "Accorp");
  CmdToggleMode(app, ui, "Append");  // the exclusive ones do not touch the filters
  EXPECT_TRUE(app.LimitaPlans);
  EXPECT_TRUE(app.Accorpa);
  EXPECT_FALSE(app.Riconosci);
  CmdToggleMode(app, ui, "Accorp");
  EXPECT_FALSE(app.Accorpa);
  EXPECT_EQ(ModeCaption("Ricon"), "Modalita' \"Riconosci ent. presenti\"");
}

TEST(MainMenuTest, EditedConfigurationIsReadAgainAndABrokenOneIsRefused) {
  ScratchFolder dir;
  AppState app;
  ScriptedUi ui;
  app.ProgramDir = dir.path();
  WriteTextFile(dir.file("sonvale.ini"), "");
  app.config.Hrec = 7;

  // The editor leaves a file that cannot be read: the old configuration stays.
  CmdEditSonvaleIni(app, ui, [](const std::string&) {});
  EXPECT_EQ(app.config.Hrec, 7);
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);

  CmdEditSonvaleIni(app, ui, [&](const std::string& path) {
    EXPECT_EQ(path, dir.file("sonvale.ini"));
    std::filesystem::copy_file(FixtureConfigurationPath(), path,
                               std::filesystem::copy_options::overwrite_existing);
  });
  EXPECT_EQ(app.config.Hrec, FixtureConfiguration().Hrec);
}

TEST(MainMenuTest, StatusMessagesAreHeldAndHelpBoxesSayTheirText) {
  ScriptedUi ui;
  SetStatus(ui, "uno");
  SetStatus(ui, "due");
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"uno", "due"}));
  EXPECT_DOUBLE_EQ(ui.pausedSeconds, 0.2);  // each one visible for at least 0.1 s
  CmdContenuti(ui);
  EXPECT_EQ(ui.lastMessage().title, "Sonvale Help");
  EXPECT_EQ(ui.lastMessage().text, "Il file di HELP non è ancora disponibile...");
  CmdAbout(ui);
  EXPECT_EQ(ui.lastMessage().title, "About Sonvale");
  EXPECT_EQ(ui.lastMessage().text.rfind("Sonvale3.6", 0), 0u);
}

}  // namespace
}  // namespace sonvale
