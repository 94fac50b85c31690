#include "commands/room_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/scripted_ui.h"
#include "support/table_files.h"

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

}  // namespace
}  // namespace sonvale
