// Every command that fills the project from a file leaves it exactly as it was
// when the file turns out to be bad, whatever the reader had taken in before the
// fault.
#include <gtest/gtest.h>

#include <string>

#include "commands/csv_commands.h"
#include "commands/dxf_import_commands.h"
#include "commands/file_commands.h"
#include "commands/ray_commands.h"
#include "commands/room_commands.h"
#include "project/project_file.h"
#include "support/file_contents.h"
#include "support/scripted_ui.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// Good content first, so that a reader has filled part of its tables when it
// meets the fault at the end.
std::string CutAtTheEnd(const std::string& text, const std::string& garbage) {
  return text.substr(0, text.size() * 9 / 10) + garbage;
}

TEST(FailedLoad, EveryCommandThatFillsTheProjectLeavesItAsItWas) {
  const std::string town = std::string(SONVALE_SOURCE_DIR) + "/examples/town/";
  ScratchFolder dir;
  AppState app;
  app.ProgramDir = std::string(SONVALE_SOURCE_DIR) + "/data";
  ScriptedUi ui;
  ASSERT_TRUE(LoadProject(app, ui, town + "town.svp"));
  const std::string before = ProjectFileText(app.project);
  const long roads = app.project.strade.count();

  auto write = [&](const std::string& name, const std::string& text) {
    WriteTextFile(dir.file(name), text);
    return dir.file(name);
  };
  auto expectUnchanged = [&](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(app.project.strade.count(), roads);
    EXPECT_EQ(ProjectFileText(app.project), before);
  };

  ui.answers.assign(20, Answer::No);       // "append?" No: the import would overwrite
  ui.inputs.assign(20, std::string("0"));  // the least distance between kept vertices
  const std::string badSvp =
      write("bad.svp", CutAtTheEnd(FileContents(town + "town.svp"), "\r\n\"Nbinari\",x\x1b\r\n"));
  EXPECT_FALSE(LoadProject(app, ui, badSvp));
  expectUnchanged("project file");

  const std::string badDxf =
      write("bad.dxf", CutAtTheEnd(FileContents(town + "town.dxf"), "\n10\nnot a number\n"));
  EXPECT_FALSE(ImportDxfFile(app, ui, badDxf, {true, {}}));
  expectUnchanged("complete DXF import");
  EXPECT_FALSE(ImportDxfFile(app, ui, badDxf, {false, {DxfKind::Strade, DxfKind::Case}}));
  expectUnchanged("DXF layers");
  size_t shown = ui.messages.size();
  ImportRoomDxfInto(app, ui, badDxf);
  EXPECT_GT(ui.messages.size(), shown);  // the refusal
  expectUnchanged("room-acoustics DXF");

  const std::string badCsv = write("bad.csv", "ID,X,Y\n1,500000,4500000\n2,5e999999,x\n");
  for (CsvImportKind kind :
       {CsvImportKind::Streets, CsvImportKind::Traffic, CsvImportKind::Punti}) {
    shown = ui.messages.size();
    EXPECT_FALSE(RunCsvImport(app, ui, kind, badCsv));
    EXPECT_GT(ui.messages.size(), shown);
  }
  expectUnchanged("CSV imports");

  EXPECT_THROW(
      ReadRayInto(app, ui, write("bad.ray", "EntityList\r\n Face 0 1 3 0 0 0 1 0 0 x\r\n")),
      FormatError);
  expectUnchanged("RAY file");
}

}  // namespace
}  // namespace sonvale
