#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/program_dir.h"

namespace sonvale {
namespace {

TEST(PathsTest, FileNameOnlyTakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOnly("C:\\progetti\\town.svp"), "town.svp");
  EXPECT_EQ(FileNameOnly("/home/anna/my.projects/town.svp"), "town.svp");
  EXPECT_EQ(FileNameOnly("mixed/dir\\file.dxf"), "file.dxf");
  EXPECT_EQ(FileNameOnly("town.svp"), "town.svp");
  EXPECT_EQ(FileNameOnly("/home/anna/"), "");
  EXPECT_EQ(FileNameOnly(""), "");
}

TEST(PathsTest, BaseNameCutsAtTheFirstDotOfTheFileNameOnly) {
  EXPECT_EQ(BaseNameUpToFirstDot("/home/a.b/town.svp"), "/home/a.b/town");
  EXPECT_EQ(BaseNameUpToFirstDot("~/my.projects/town.v2.svp"), "~/my.projects/town");
  EXPECT_EQ(BaseNameUpToFirstDot("C:\\dati.old\\mappa.grd"), "C:\\dati.old\\mappa");
  EXPECT_EQ(BaseNameUpToFirstDot("/home/a.b/town"), "/home/a.b/town");
  EXPECT_EQ(BaseNameUpToFirstDot("town.svp"), "town");
}

TEST(PathsTest, JoinAndTablePathUseExactlyOneSeparator) {
  EXPECT_EQ(JoinPath("/opt/sonvale", "sonvale.ini"), "/opt/sonvale/sonvale.ini");
  EXPECT_EQ(JoinPath("/opt/sonvale/", "/sonvale.ini"), "/opt/sonvale/sonvale.ini");
  EXPECT_EQ(JoinPath("/", "x"), "/x");
  EXPECT_EQ(JoinPath("", "x"), "x");
  EXPECT_EQ(JoinPath("/opt", ""), "/opt/");

  const std::string expected = "/opt/sonvale/tables/selsc1v2.txt";
  EXPECT_EQ(TablePath("/opt/sonvale", "\\tables\\", "selsc1v2.txt"), expected);
  EXPECT_EQ(TablePath("/opt/sonvale", "tables", "selsc1v2.txt"), expected);
  EXPECT_EQ(TablePath("/opt/sonvale/", "tables/", "selsc1v2.txt"), expected);
  EXPECT_EQ(TablePath("/opt/sonvale", "\\data\\tables", "selsc1v2.txt"),
            "/opt/sonvale/data/tables/selsc1v2.txt");
  EXPECT_EQ(TablePath("/opt/sonvale", "", "selsc1v2.txt"), "/opt/sonvale/selsc1v2.txt");
  EXPECT_EQ(TablePath("/opt/sonvale", "\\tables\\", ""), "/opt/sonvale/tables/");
}

TEST(PathsTest, ExistenceOfFilesAndFolders) {
  std::string dir = ::testing::TempDir();
  std::string file = JoinPath(dir, "paths_test_exists.txt");
  std::ofstream(file) << "x";
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirExists(file));
  EXPECT_TRUE(DirExists(dir));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_FALSE(FileExists(JoinPath(dir, "paths_test_missing.txt")));
  EXPECT_FALSE(FileExists(""));
  std::remove(file.c_str());
}

TEST(ProgramDirTest, SubstitutionOfTheMakersFolders) {
  EXPECT_EQ(SubstituteProgramDir("F:\\US\\sonvale"), "F:\\lumes\\programs");
  EXPECT_EQ(SubstituteProgramDir("c:\\users\\anna"), "C:\\lumes\\programs");
  EXPECT_EQ(SubstituteProgramDir("C:\\Programmi\\Sonvale"), "C:\\Programmi\\Sonvale");
  EXPECT_EQ(SubstituteProgramDir("D:\\US"), "D:\\US");
  EXPECT_EQ(SubstituteProgramDir("C:\\U"), "C:\\U");
  EXPECT_EQ(SubstituteProgramDir("/usr/share/sonvale"), "/usr/share/sonvale");
}

// Sets or clears SONVALE_HOME for one test and puts the old value back.
class ScopedHome {
 public:
  explicit ScopedHome(const char* value) {
    const char* old = std::getenv("SONVALE_HOME");
    if (old != nullptr) old_ = old, hadOld_ = true;
    if (value != nullptr)
      ::setenv("SONVALE_HOME", value, 1);
    else
      ::unsetenv("SONVALE_HOME");
  }
  ~ScopedHome() {
    if (hadOld_)
      ::setenv("SONVALE_HOME", old_.c_str(), 1);
    else
      ::unsetenv("SONVALE_HOME");
  }

 private:
  std::string old_;
  bool hadOld_ = false;
};

TEST(ProgramDirTest, ResolutionOrder) {
  {
    ScopedHome home("/srv/sonvale-home/");
    EXPECT_EQ(ResolveProgramDir("/explicit/dir/", ""), "/explicit/dir");
    EXPECT_EQ(ResolveProgramDir("", ""), "/srv/sonvale-home");
  }
  {
    ScopedHome home("C:\\USERS\\x");
    EXPECT_EQ(ResolveProgramDir("", ""), "C:\\lumes\\programs");
  }
  {
    ScopedHome home(nullptr);
    // The test program runs from the build's bin folder, where the delivered data
    // is copied; it counts as program folder only when it holds sonvale.ini.
    std::string bin = SONVALE_BIN_DIR;
    if (FileExists(JoinPath(bin, "sonvale.ini")))
      EXPECT_TRUE(std::filesystem::equivalent(ResolveProgramDir("", ""), bin));
    else
      EXPECT_EQ(ResolveProgramDir("", ""), SONVALE_INSTALLED_DATA_DIR);
    EXPECT_TRUE(std::filesystem::equivalent(ExecutableDir(""), bin));
  }
}

}  // namespace
}  // namespace sonvale
