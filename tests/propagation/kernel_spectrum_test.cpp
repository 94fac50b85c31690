#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "propagation/kernel.h"
#include "support/spk_text.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

class SpectrumTest : public ::testing::Test {
 protected:
  SpectrumTest() {
    dir = fs::temp_directory_path() /
          ("sonvale_spk_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir);
  }
  ~SpectrumTest() override { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  fs::path dir;
};

TEST_F(SpectrumTest, SumsTheAWeightedBandPowers) {
  // Eight bands 2..9 at 80 dB: 80 + 10 lg(sum of 10^(A/10)) over
  // -26.2 -16.1 -8.6 -3.2 0 1.2 1.0 -1.1 = 80 + 10 lg 4.99704 = 86.9871.
  std::vector<SpkBand> flat;
  for (int k = 2; k <= 9; ++k) flat.push_back({std::string(1, static_cast<char>('0' + k)), "80"});
  EXPECT_NEAR(SourceSpectrumLevel(Write("flat.spk", SpkText(flat, "8"))), 86.98713, 1e-4);

  // 90 dB at 1 kHz and 84 dB at 125 Hz (-8.6): 10 lg(10^9 + 10^7.54) = 90.1480.
  EXPECT_NEAR(SourceSpectrumLevel(Write("two.spk", SpkText({{"6", "90"}, {"4", "84"}}, "2"))),
              90.14803, 1e-4);
  // Band 0 has no weighting.
  EXPECT_NEAR(SourceSpectrumLevel(Write("zero.spk", SpkText({{"0", "77.5"}}, "1"))), 77.5, 1e-12);
}

TEST_F(SpectrumTest, MissingOrMalformedFilesAreRefused) {
  EXPECT_THROW(SourceSpectrumLevel((dir / "absent.spk").string()), FileError);
  EXPECT_THROW(SourceSpectrumLevel(Write("none.spk", SpkText({}, "0"))), FormatError);
  EXPECT_THROW(SourceSpectrumLevel(Write("b11.spk", SpkText({{"11", "80"}}, "1"))), FormatError);
  EXPECT_THROW(SourceSpectrumLevel(Write("bneg.spk", SpkText({{"-1", "80"}}, "1"))), FormatError);
  // Fewer polar plots than announced, with nothing after them.
  std::string cut = SpkText({{"6", "80"}}, "1", 10);
  cut.resize(cut.find("\"END\""));
  EXPECT_THROW(SourceSpectrumLevel(Write("cut.spk", cut)), FormatError);
  // More bands announced than written.
  EXPECT_THROW(SourceSpectrumLevel(Write("short.spk", SpkText({{"6", "80"}}, "2"))), FormatError);
  try {
    SourceSpectrumLevel(Write("b12.spk", SpkText({{"12", "80"}}, "1")));
    ADD_FAILURE();
  } catch (const FormatError& e) {
    EXPECT_NE(e.file().find("b12.spk"), std::string::npos);
    EXPECT_EQ(e.line(), 6);
  }
}

TEST_F(SpectrumTest, FillsZeroPowersAndReportsEachBadFileOnce) {
  Project p;
  const std::string good = Write("good.spk", SpkText({{"6", "90"}}, "1"));
  const std::string bad = Write("bad.spk", SpkText({{"6", "90"}}, "0"));
  const std::string absent = (dir / "absent.spk").string();
  auto add = [&](double lw, const std::string& file) {
    Source& s = p.sources.addEntity();
    s.Lw = lw;
    s.Nome = file;
  };
  add(0, good);
  add(0, absent);
  add(0, absent);
  add(0, bad);
  add(95, absent);  // a power of its own: the file is not looked at
  add(0, good);

  SetupReport report;
  FillSourcePowers(p, report);
  EXPECT_NEAR(p.sources[1].Lw, 90, 1e-12);
  EXPECT_EQ(p.sources[1].Lwnight, 0);
  EXPECT_EQ(p.sources[2].Lw, 0);
  EXPECT_EQ(p.sources[3].Lw, 0);
  EXPECT_EQ(p.sources[4].Lw, 0);
  EXPECT_EQ(p.sources[5].Lw, 95);
  EXPECT_NEAR(p.sources[6].Lw, 90, 1e-12);
  ASSERT_EQ(report.messages.size(), 2u);
  EXPECT_NE(report.messages[0].find("absent.spk"), std::string::npos);
  EXPECT_NE(report.messages[1].find("bad.spk"), std::string::npos);
}

}  // namespace
}  // namespace sonvale
