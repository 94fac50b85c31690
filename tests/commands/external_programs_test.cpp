// The configuration editor and the source manager are started without a shell: a
// file name full of shell syntax reaches them as one argument and runs nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/source_editor.h"
#include "platform/editor.h"
#include "platform/process.h"
#include "support/argv_recorder.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

TEST(ExternalPrograms, AFileNameAShellWouldSplitIsOneArgument) {
  ScratchFolder scratch;
  const fs::path folder = fs::path(scratch.path()) / kHostileName;
  fs::create_directories(folder);

  // "&Editazione Sonvale.ini": the editor of the settings, with a program folder
  // whose name is hostile.
  const fs::path editor = fs::path(scratch.path()) / "editor";
  WriteArgvRecorder(editor);
  const std::string ini = (folder / "sonvale.ini").string();
  WaitResult r =
      RunAndWait(EditorCommand(ini, (editor.string() + " --wait").c_str(), nullptr), 20000, {});
  EXPECT_EQ(r.exitCode, 0) << r.message;
  EXPECT_EQ(RecordedArgv(editor), "2\n--wait\n" + ini + "\n");

  // The source manager, in that folder, given a hostile source file name.
  WriteArgvRecorder(folder / "emitdesk32");
  r = RunAndWait(SourceEditor::SourceManagerCommand(folder.string(), kHostileName + ".spk"), 20000,
                 {});
  EXPECT_EQ(r.exitCode, 0) << r.message;
  EXPECT_EQ(RecordedArgv(folder / "emitdesk32"), "1\n" + kHostileName + ".spk\n");

  for (const fs::path& d : {fs::path(scratch.path()), folder, fs::current_path()})
    EXPECT_FALSE(fs::exists(d / "pwned")) << d;
}

}  // namespace
}  // namespace sonvale
