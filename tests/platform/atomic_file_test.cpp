#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/file_contents.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, removed afterwards.
class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("atomic_file_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  size_t EntriesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  fs::path dir_;
};

TEST_F(AtomicFileTest, WritesAndReplacesKeepingPermissions) {
  std::string path = (dir_ / "town.svp").string();
  WriteFileAtomically(path, "first\r\n");
  EXPECT_EQ(FileContents(path), "first\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically(path, std::string("second\0line", 11));
  EXPECT_EQ(FileContents(path), std::string("second\0line", 11));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(AtomicFileTest, MissingFolderIsAFileErrorNamingThePath) {
  std::string path = (dir_ / "no_such_folder" / "town.svp").string();
  try {
    WriteFileAtomically(path, "x");
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), path);
    EXPECT_NE(e.message().find("No such file or directory"), std::string::npos) << e.message();
  }
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(AtomicFileTest, FailedWriteLeavesTheOldFileIntact) {
  std::string path = (dir_ / "town.svp").string();
  WriteFileAtomically(path, "old content\r\n");

  // A file size limit makes the write itself fail half way, for any user.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool threw = false;
  try {
    WriteFileAtomically(path, std::string(100000, 'n'));
  } catch (const FileError& e) {
    threw = true;
    EXPECT_EQ(e.file(), path);
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_TRUE(threw);
  EXPECT_EQ(FileContents(path), "old content\r\n");
  EXPECT_EQ(EntriesInFolder(), 1u);

  // A folder that cannot be written: only meaningful where permissions bind.
  if (::geteuid() != 0) {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically(path, "new"), FileError);
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(FileContents(path), "old content\r\n");
  }
}

TEST_F(AtomicFileTest, AFolderIsNotReplaced) {
  fs::create_directory(dir_ / "sub");
  EXPECT_THROW(WriteFileAtomically((dir_ / "sub").string(), "x"), FileError);
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
}

TEST_F(AtomicFileTest, WritingThroughALinkReplacesItsTarget) {
  std::string target = (dir_ / "real.svp").string();
  std::string link = (dir_ / "link.svp").string();
  WriteFileAtomically(target, "a");
  fs::create_symlink(target, link);
  WriteFileAtomically(link, "b");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FileContents(target), "b");
}

}  // namespace
}  // namespace sonvale
