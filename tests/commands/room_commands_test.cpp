#include "commands/room_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/scripted_ui.h"
#include "support/table_files.h"
#include "tracer/grd_pack.h"

namespace sonvale {
namespace {

TEST(RoomCommands, APointWithoutItsYIsLeftOutWithAWarningNamingTheDrawingAndLine) {
  ScratchFolder dir;
  AppState app;
  app.ProgramDir = std::string(SONVALE_SOURCE_DIR) + "/data";
  ScriptedUi ui;
  // Line 11 holds the Z code where the Y of the first corner should be.
  const std::string drawing = dir.file("room.dxf");
  WriteTextFile(drawing,
                "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\n7\n10\n1\n30\n2\n"
                "11\n4\n21\n0\n31\n0\n12\n4\n22\n0\n32\n3\n13\n0\n23\n0\n33\n3\n"
                "0\nLINE\n8\nRECEIVERS\n10\n1\n20\n2\n30\n3\n11\n1\n21\n2\n31\n1\n"
                "0\nENDSEC\n0\nEOF\n");
  ASSERT_TRUE(ImportRoomDxfInto(app, ui, drawing));
  EXPECT_EQ(app.project.faces.count(), 1);
  EXPECT_EQ(app.project.receivers.count(), 1);
  EXPECT_TRUE(app.isChecked(kRoomDxfMenuItem));
  EXPECT_NE(std::find(ui.statuses.begin(), ui.statuses.end(), "Invalid Y coord code 30"),
            ui.statuses.end());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
  EXPECT_EQ(ui.messages[0].text,
            drawing + ":11: un punto senza la sua coordinata Y non è stato usato");

  // A drawing without such points brings no warning.
  WriteTextFile(drawing, "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
  ui.answers = {Answer::Yes};  // append to the faces already there
  ASSERT_TRUE(ImportRoomDxfInto(app, ui, drawing));
  EXPECT_EQ(ui.messages.size(), 2u);  // the append question only
  EXPECT_EQ(app.project.faces.count(), 1);
}

TEST(RoomCommands, APackThatCannotBeMadeLeavesTheGridNameAsItWas) {
  ScratchFolder dir;
  AppState app;
  app.project.GrdName = "mappa_d.grd";
  ScriptedUi ui;
  ui.files = {std::nullopt, dir.file("livelli.grd"), dir.file("liv01.grd")};
  EXPECT_FALSE(CmdPackGrd(app, ui));  // Cancel
  EXPECT_TRUE(ui.messages.empty());
  const FileDialog& d = ui.dialogs.at(0);
  EXPECT_EQ(d.title, "Load a 6 GRD Files");
  EXPECT_EQ(d.filter, "GRD file|*.GRD");
  EXPECT_EQ(d.initialName, "*.GRD");
  EXPECT_TRUE(d.mustExist);

  EXPECT_FALSE(CmdPackGrd(app, ui));  // no "01" in the name
  EXPECT_EQ(ui.lastMessage().text, "livelli.grd: " + std::string(kPackNeeds01));
  EXPECT_EQ(app.project.GrdName, "mappa_d.grd");

  EXPECT_FALSE(CmdPackGrd(app, ui));  // the six grids are missing
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_NE(ui.lastMessage().text.find("liv01.grd"), std::string::npos);
  EXPECT_EQ(app.project.GrdName, "mappa_d.grd");
  EXPECT_FALSE(std::filesystem::exists(dir.file("livSUM.grd")));
}

}  // namespace
}  // namespace sonvale
