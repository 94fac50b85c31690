#include "commands/export_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/recording_canvas.h"
#include "support/scripted_ui.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

TEST(ExportCommandsTest, SaveCompleteDxfAsksForTheFileAndReports) {
  ScratchFolder dir;
  AppState app;
  app.ProjectBase = dir.file("town");
  app.project.strade.addEntity().vertices = {{0, 0, 0, 5, 5}, {10, 0, 0, 5, 5}};
  ScriptedUi ui;
  ui.files = {std::nullopt, dir.file("out.DXF"), dir.file("missing/out.DXF")};

  EXPECT_FALSE(CmdSalvaDxfCompleto(app, ui));  // Cancel
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0].title, "Save an Autocad DXF File");
  EXPECT_EQ(ui.dialogs[0].filter, "DXF file|*.DXF");
  EXPECT_EQ(ui.dialogs[0].initialName, dir.file("town") + ".DXF");
  EXPECT_TRUE(ui.dialogs[0].overwritePrompt);
  EXPECT_TRUE(ui.statuses.empty());

  EXPECT_TRUE(CmdSalvaDxfCompleto(app, ui));
  EXPECT_TRUE(std::filesystem::exists(dir.file("out.DXF")));
  EXPECT_EQ(ui.statuses,
            (std::vector<std::string>{"Sto salvando " + dir.file("out.DXF") + "...",
                                      "Salvataggio completato del file " + dir.file("out.DXF")}));
  EXPECT_EQ(app.project.LastDxfFile, dir.file("out.DXF"));

  EXPECT_FALSE(CmdSalvaDxfCompleto(app, ui));  // the folder does not exist
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_EQ(app.project.LastDxfFile, dir.file("out.DXF"));
}

TEST(ExportCommandsTest, EmissionLevelsAskThenTakeTheDialogsChoices) {
  ScratchFolder dir;
  AppState app;
  app.EmissionDxfName = "old.dxf";
  // No traffic: no emission after the update, so the question comes first.
  app.project.strade.addEntity().vertices = {{0, 0, 0, 10, 10}, {100, 0, 0, 10, 10}};
  ScriptedUi ui;
  int shown = 0;
  DoEmissChoices seen;
  std::string answer;
  auto dialog = [&](DoEmissChoices& c) {
    ++shown;
    seen = c;
    if (answer.empty()) return false;
    c = {answer, false, false};
    return true;
  };

  ui.answers = {Answer::No};
  EXPECT_FALSE(CmdLivelliEmissione(app, ui, dialog));
  EXPECT_EQ(shown, 0);

  ui.answers = {Answer::Yes};
  EXPECT_FALSE(CmdLivelliEmissione(app, ui, dialog));  // Annulla
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(seen.EmisDxfName, "old.dxf");
  EXPECT_TRUE(seen.EmisAt75);
  EXPECT_TRUE(seen.Diurno);
  EXPECT_EQ(app.EmissionDxfName, "old.dxf");

  answer = dir.file("levels.dxf");
  ui.answers = {Answer::Yes};
  RecordingCanvas canvas(100, 100);
  EXPECT_TRUE(CmdLivelliEmissione(app, ui, dialog, &canvas));
  EXPECT_TRUE(std::filesystem::exists(answer));
  EXPECT_EQ(app.EmissionDxfName, answer);
  EXPECT_FALSE(app.EmisAt75);
  EXPECT_FALSE(app.project.Diurno);
  EXPECT_EQ(canvas.of(Drawn::Line).size(), 1u);
  EXPECT_EQ(ui.beeps, 1);

  answer = dir.file("missing/levels.dxf");
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(CmdLivelliEmissione(app, ui, dialog, &canvas));
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_EQ(canvas.pen().width, 1);

  FileDialog d = EmissionDxfFileDialog("");
  EXPECT_EQ(d.title, "Scegli il file di output (.DXF)");
  EXPECT_EQ(d.filter, "DXF (Autocad) file|*.DXF");
  EXPECT_EQ(d.initialName, "*.DXF");
  EXPECT_EQ(EmissionDxfFileDialog("a.dxf").initialName, "a.dxf");
}

}  // namespace
}  // namespace sonvale
