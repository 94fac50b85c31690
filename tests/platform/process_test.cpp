#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/file_contents.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

fs::path TempDir(const char* name) {
  fs::path d = fs::temp_directory_path() /
               (std::string("sonvale_process_") + name + "_" + std::to_string(getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

TEST(Process, ArgumentsReachTheProgramUntouchedInItsFolder) {
  fs::path dir = TempDir("args");
  // Blanks, quotes and shell characters must arrive as one argument each: no shell
  // splits or expands them.
  const std::string awkward = "job \"with\" 'quotes' $HOME & ; | *.job";
  ProcessCommand cmd{"/bin/sh",
                     {"-c", "printf '%s|%s' \"$1\" \"$(pwd)\" > out.txt; exit 7", "sh", awkward},
                     dir.string()};
  int events = 0;
  WaitResult w = RunAndWait(cmd, 60000, [&] { ++events; });
  EXPECT_TRUE(w.ended);
  EXPECT_EQ(w.exitCode, 7);
  EXPECT_GT(w.pid, 0);
  EXPECT_TRUE(w.message.empty());
  EXPECT_EQ(FileContents(dir / "out.txt"), awkward + "|" + fs::canonical(dir).string());
  fs::remove_all(dir);
}

TEST(Process, EventsRunWhileWaitingAndSignalsGiveTheirCode) {
  int events = 0;
  WaitResult w = RunAndWait({"/bin/sh", {"-c", "sleep 0.5"}, ""}, 60000, [&] { ++events; });
  EXPECT_TRUE(w.ended);
  EXPECT_EQ(w.exitCode, 0);
  EXPECT_GE(events, 1);

  WaitResult killed = RunAndWait({"/bin/sh", {"-c", "kill -9 $$"}, ""}, 60000, {});
  EXPECT_TRUE(killed.ended);
  EXPECT_EQ(killed.exitCode, 128 + 9);
}

TEST(Process, MissingProgramOrFolderCannotBeObserved) {
  const std::string expected =
      "This program could not determine whether the process started.Please watch the program "
      "and check it completes.";
  WaitResult missing = RunAndWait({"/nonexistent/beamrun", {"x.job"}, ""}, 1000, {});
  EXPECT_FALSE(missing.ended);
  EXPECT_EQ(missing.message, expected);

  WaitResult noFolder = RunAndWait({"/bin/true", {}, "/nonexistent/folder"}, 1000, {});
  EXPECT_FALSE(noFolder.ended);
  EXPECT_EQ(noFolder.message, expected);

  std::string error;
  EXPECT_FALSE(ChildProcess::start({"/nonexistent/beamrun", {}, ""}, &error));
  EXPECT_NE(error.find("/nonexistent/beamrun"), std::string::npos);
  EXPECT_FALSE(StartDetached({"/nonexistent/beamrun", {}, ""}, &error));
}

TEST(Process, TimeOutLeavesTheProgramRunning) {
  WaitResult w = RunAndWait({"/bin/sleep", {"30"}, ""}, 200, {});
  EXPECT_FALSE(w.ended);
  EXPECT_EQ(w.message, "The process has timed out.");
  ASSERT_GT(w.pid, 0);
  EXPECT_EQ(kill(w.pid, 0), 0);  // still there
  kill(w.pid, SIGKILL);
}

TEST(Process, DetachedProgramRunsOnItsOwn) {
  fs::path dir = TempDir("detached");
  std::string error;
  std::optional<int> pid =
      StartDetached({"/bin/sh", {"-c", "echo done > marker.txt"}, dir.string()}, &error);
  ASSERT_TRUE(pid) << error;
  EXPECT_GT(*pid, 0);
  for (int k = 0; k < 200 && FileContents(dir / "marker.txt") != "done\n"; ++k)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(FileContents(dir / "marker.txt"), "done\n");
  fs::remove_all(dir);
}

TEST(Process, ExitCodeIsStillActiveWhileRunning) {
  std::string error;
  std::optional<ChildProcess> child = ChildProcess::start({"/bin/sleep", {"30"}, ""}, &error);
  ASSERT_TRUE(child) << error;
  EXPECT_EQ(child->exitCode(), kStillActive);
  child->terminate();
  EXPECT_EQ(child->exitCode(), 128 + SIGTERM);
}

}  // namespace
}  // namespace sonvale
