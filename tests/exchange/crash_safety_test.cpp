// A program killed while it saves loses nothing: the project file, a map grid and
// the DXF export are written beside their final name and take it only when
// complete, so a kill in the middle leaves the earlier file as it was and nothing
// that looks like a result.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "exchange/model_dxf_writer.h"
#include "model/project.h"
#include "project/project_file.h"
#include "propagation/grid_file.h"
#include "support/file_contents.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// A temporary file of a writer has appeared in the folder.
bool WritingStarted(const fs::path& dir) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    const std::string name = e.path().filename().string();
    if (name.front() == '.' && name.find(".tmp") != std::string::npos) return true;
  }
  return false;
}

// Runs the work in a child process and kills it as soon as it has started to
// write. False when the child finished (or was not seen writing) before the kill.
bool KilledWhileWriting(const fs::path& dir, const std::function<void()>& work) {
  const pid_t pid = fork();
  if (pid == 0) {
    work();
    _exit(0);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool seen = false;
  while (!seen && std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
    seen = WritingStarted(dir);
    if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  return seen && WIFSIGNALED(status);
}

// Kills a save of path in the middle and checks that the old file is intact and
// that whatever is left beside it cannot pass for a result. A save that won the
// race is tried again.
void ExpectKilledSaveKeepsTheOldFile(const std::string& extension,
                                     const std::function<void(const std::string&)>& save) {
  SCOPED_TRACE(extension);
  const std::string old = "the previous " + extension + " file\r\n";
  for (int attempt = 0; attempt < 5; ++attempt) {
    ScratchFolder dir;
    const std::string path = dir.file("result" + extension);
    WriteTextFile(path, old);
    const bool killed = KilledWhileWriting(dir.path(), [&] { save(path); });
    const std::string now = FileContents(path);
    if (!killed || now != old) continue;  // the save completed first: no kill in the middle
    for (const auto& e : fs::directory_iterator(dir.path())) {
      if (e.path().string() == path) continue;
      const std::string name = e.path().filename().string();
      EXPECT_EQ(name.front(), '.') << name;
      EXPECT_NE(e.path().extension().string(), extension) << name;
    }
    return;
  }
  ADD_FAILURE() << "no save was killed in the middle with the old file intact";
}

// Roads enough for a project file of some tens of megabytes.
Project LargeProject() {
  Project p;
  for (int r = 0; r < 2000; ++r) {
    Strada& s = p.strade.addEntity();
    s.Nome = "Via " + std::to_string(r);
    for (int k = 0; k < 250; ++k)
      s.vertices.push_back(LineVertex{500000.0 + k * 1.25, 4500000.0 + r * 0.5, 12.5, 10, 10});
  }
  return p;
}

TEST(CrashSafety, AKilledSaveLeavesTheOldFileIntact) {
  const Project big = LargeProject();
  ExpectKilledSaveKeepsTheOldFile(".svp", [&](const std::string& path) {
    for (;;) WriteProjectFile(big, path);  // until killed
  });
  ExpectKilledSaveKeepsTheOldFile(".dxf", [&](const std::string& path) {
    for (;;) WriteModelDxf(big, path);
  });
  // A map pass writes its grid node by node for as long as the calculation takes.
  ExpectKilledSaveKeepsTheOldFile(".grd", [](const std::string& path) {
    DsaaWriter w(path, {200, 200, 0, 1000, 0, 1000, 30, 100});
    for (int j = 0; j < 200; ++j) {
      for (int i = 0; i < 200; ++i) w.value(40 + i * 0.1);
      w.endRow();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    w.close();
  });
}

}  // namespace
}  // namespace sonvale
