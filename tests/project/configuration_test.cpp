#include "project/configuration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

std::vector<std::string> FixtureLines() {
  std::ifstream in(FixtureConfigurationPath());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, size_t count, const char* end = "\n") {
  std::string text;
  for (size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i] + end;
  return text;
}

TEST(ConfigurationTest, ExampleFileIsReadByPosition) {
  Configuration c = FixtureConfiguration();
  EXPECT_EQ(c.TablesDir, "\\tables\\");
  EXPECT_EQ(c.RayDir, "ray");
  EXPECT_DOUBLE_EQ(c.Hsorg, 0.5);
  EXPECT_DOUBLE_EQ(c.Hrec, 4);
  EXPECT_DOUBLE_EQ(c.AttCoeff, 0.00115);
  EXPECT_DOUBLE_EQ(c.CorrLatoEdificato, 1.5);
  EXPECT_DOUBLE_EQ(c.CorrStradaStretta, 2.5);
  EXPECT_DOUBLE_EQ(c.CorrCanyon, 3.5);
  EXPECT_DOUBLE_EQ(c.PassoSorgenti, 4);
  EXPECT_EQ(c.NdivX, 50);
  EXPECT_EQ(c.NdivY, 50);
  EXPECT_EQ(c.LayerStrade, "STRADE");
  EXPECT_EQ(c.LayerBinari, "BINARI");
  EXPECT_EQ(c.LayerSezioni, "SEZIONI");

  // The caption lines hold commas, texts and numbers: had they been read as
  // fields, every preset would have slipped.
  EXPECT_EQ(c.PresetFlowDay[1], (std::array<long, 6>{0, 2400, 300, 450, 40, 20}));
  EXPECT_EQ(c.PresetFlowNight[1], (std::array<long, 6>{0, 500, 60, 180, 5, 2}));
  EXPECT_EQ(c.PresetClassDay[1], (std::array<long, 6>{0, 8, 6, 7, 3, 2}));
  EXPECT_EQ(c.PresetClassNight[1], (std::array<long, 6>{0, 5, 3, 5, 1, 1}));
  EXPECT_EQ(c.PresetFlowNight[4][4], 10);
  EXPECT_EQ(c.PresetClassDay[2][5], 2);
  EXPECT_EQ(c.PresetFlowDay[6], (std::array<long, 6>{0, 120, 10, 2, 15, 3}));
  EXPECT_EQ(c.PresetClassNight[6], (std::array<long, 6>{0, 1, 1, 1, 1, 1}));

  EXPECT_EQ(c.LayerCase, "CASE");
  EXPECT_EQ(c.LayerBarriere, "BARRIERE");
  EXPECT_EQ(c.LayerPunti, "PUNTI");
  EXPECT_EQ(c.LayerIncroci, "INCROCI");
  EXPECT_EQ(c.LayerSorgenti, "SORGENTI");
  EXPECT_DOUBLE_EQ(c.DistMax, 2500);
  EXPECT_DOUBLE_EQ(c.DistMin, 1);
  EXPECT_DOUBLE_EQ(c.AssCase, 0.1);
  EXPECT_DOUBLE_EQ(c.SigmaCase, 20000);
  EXPECT_DOUBLE_EQ(c.AssBarriere, 0.8);
  EXPECT_DOUBLE_EQ(c.SigmaBarriere, 200);
  EXPECT_DOUBLE_EQ(c.RidBassoEm, 3);
  EXPECT_DOUBLE_EQ(c.FondoDiurno, 30);
  EXPECT_DOUBLE_EQ(c.FondoNotturno, 30);
}

TEST(ConfigurationTest, ClassCorrectionsLastItemAndLineEnds) {
  std::vector<std::string> lines = FixtureLines();
  ASSERT_EQ(lines.size(), 61u);
  for (int v = 1; v <= 5; ++v)
    lines[51 + v] = "\"Correzione tipo\", " + PlainInteger(v) + ", -" + PlainInteger(v) + ".5";
  lines[60] = "\"Riduzione\", 2.25";
  ScratchFolder dir;

  // CR LF line ends, as a file edited on another system has them.
  WriteTextFile(dir.file("crlf.ini"), Joined(lines, lines.size(), "\r\n"));
  Configuration c = ReadConfiguration(dir.file("crlf.ini"));
  for (int v = 1; v <= 5; ++v) {
    EXPECT_DOUBLE_EQ(c.DayCorr[v], v);
    EXPECT_DOUBLE_EQ(c.NightCorr[v], -v - 0.5);
  }
  EXPECT_DOUBLE_EQ(c.RidBassoEm, 2.25);
  EXPECT_EQ(c.PresetClassNight[6][5], 1);
  EXPECT_EQ(c.LayerSorgenti, "SORGENTI");

  // Without item 36 the reduction takes its usual value, trailing blank lines or not.
  EXPECT_DOUBLE_EQ(
      ReadConfiguration(std::string(SONVALE_FIXTURES) + "/config/sonvale_no_item36.ini").RidBassoEm,
      3.0);
  WriteTextFile(dir.file("blank.ini"), Joined(lines, 60) + "\n  \n");
  EXPECT_DOUBLE_EQ(ReadConfiguration(dir.file("blank.ini")).RidBassoEm, 3.0);

  // Its label without a value is a short file, not the default.
  WriteTextFile(dir.file("label.ini"), Joined(lines, 60) + "\"Riduzione\"\n");
  try {
    ReadConfiguration(dir.file("label.ini"));
    ADD_FAILURE() << "a label without its value was accepted";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 61);
  }
}

TEST(ConfigurationTest, FileEndingBeforeItem35NamesFileAndLastLine) {
  std::vector<std::string> lines = FixtureLines();
  ScratchFolder dir;
  const std::string path = dir.file("short.ini");
  for (size_t n = 0; n < 60; ++n) {
    WriteTextFile(path, Joined(lines, n));
    try {
      ReadConfiguration(path);
      ADD_FAILURE() << "a file of " << n << " lines was accepted";
    } catch (const FormatError& e) {
      EXPECT_EQ(e.file(), path);
      EXPECT_EQ(e.line(), n == 0 ? 1 : static_cast<long>(n)) << "file of " << n << " lines";
    }
  }
  // Item 35 cut after its first value.
  WriteTextFile(path, Joined(lines, 59) + "\"Terreno\", .5\n");
  EXPECT_THROW(ReadConfiguration(path), FormatError);
  WriteTextFile(path, Joined(lines, 60));
  EXPECT_NO_THROW(ReadConfiguration(path));
}

TEST(ConfigurationTest, BadValuesAndMissingFile) {
  ScratchFolder dir;
  const std::string path = dir.file("bad.ini");
  struct Case {
    size_t line;  // 1-based
    std::string text;
  };
  const Case cases[] = {
      {4, "\"Altezza ricettori\", quattro"},
      {19, "\"Classe di flusso giorno\", 8, 6, x, 3, 2"},
      {10, "\"Divisioni griglia in X\", 0"},
      {11, "\"Divisioni griglia in Y\", 40000"},
      {59, "\"Assorbimento barriere\", .8, \"Sigma\", alta"},
  };
  for (const Case& k : cases) {
    std::vector<std::string> lines = FixtureLines();
    lines[k.line - 1] = k.text;
    WriteTextFile(path, Joined(lines, lines.size()));
    try {
      ReadConfiguration(path);
      ADD_FAILURE() << "accepted: " << k.text;
    } catch (const FormatError& e) {
      EXPECT_EQ(e.file(), path);
      EXPECT_EQ(e.line(), static_cast<long>(k.line)) << k.text;
    }
  }

  const std::string missing = dir.file("nessuno.ini");
  try {
    ReadConfiguration(missing);
    ADD_FAILURE() << "a missing file was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), missing);
  }
}

}  // namespace
}  // namespace sonvale
