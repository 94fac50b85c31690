#include "project/emission_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// Recognisable values: the family in the hundred thousands, then s, c, w and t;
// directivities negative with a fraction so that sign and decimals are read too.
double Recognisable(TableFamily family, int t, int s, int c, int w) {
  double base = 10000.0 * s + 1000.0 * c + 10.0 * w + t;
  switch (family) {
    case TableFamily::SelStrade:
      return 100000 + base;
    case TableFamily::DirStrade:
      return -(200000 + base) - 0.25;
    case TableFamily::SelBinari:
      return 300000 + base;
    case TableFamily::DirBinari:
      return -(400000 + base) - 0.25;
  }
  return 0;
}

void ExpectTable(const Table4& table, TableFamily family, int n2, int n3, int n4) {
  ASSERT_EQ(table.size(2), n2);
  ASSERT_EQ(table.size(3), n3);
  ASSERT_EQ(table.size(4), n4);
  int wrong = 0;
  for (int t = 1; t <= 9; ++t)
    for (int s = 1; s <= n2; ++s)
      for (int c = 1; c <= n3; ++c)
        for (int w = 1; w <= n4; ++w)
          if (table.at(t, s, c, w) != Recognisable(family, t, s, c, w) && wrong++ < 5)
            ADD_FAILURE() << TablePrefix(family) << " [" << t << "," << s << "," << c << "," << w
                          << "] = " << table.at(t, s, c, w);
  EXPECT_EQ(wrong, 0);
}

std::string MissingFileReported(const ScratchFolder& dir) {
  try {
    LoadEmissionTables(dir.path());
  } catch (const FileError& e) {
    return std::filesystem::path(e.file()).filename().string();
  }
  return "";
}

TEST(Table4Test, CellsAreDistinctAndBadIndicesThrow) {
  Table4 table(2, 3, 4, 5);
  for (int a = 1; a <= 2; ++a)
    for (int b = 1; b <= 3; ++b)
      for (int c = 1; c <= 4; ++c)
        for (int d = 1; d <= 5; ++d) table.at(a, b, c, d) = 1000 * a + 100 * b + 10 * c + d;
  EXPECT_EQ(table.at(1, 1, 1, 1), 1111);
  EXPECT_EQ(table.at(2, 3, 4, 5), 2345);
  EXPECT_EQ(table.at(1, 3, 1, 5), 1315);
  EXPECT_EQ(table.at(2, 1, 4, 1), 2141);

  const Table4& fixed = table;
  EXPECT_THROW(fixed.at(0, 1, 1, 1), std::out_of_range);
  EXPECT_THROW(fixed.at(3, 1, 1, 1), std::out_of_range);
  EXPECT_THROW(table.at(1, 0, 1, 1), std::out_of_range);
  EXPECT_THROW(table.at(1, 4, 1, 1), std::out_of_range);
  EXPECT_THROW(table.at(1, 1, -1, 1), std::out_of_range);
  EXPECT_THROW(table.at(1, 1, 5, 1), std::out_of_range);
  EXPECT_THROW(table.at(1, 1, 1, 0), std::out_of_range);
  EXPECT_THROW(table.at(1, 1, 1, 6), std::out_of_range);
  EXPECT_THROW(Table4().at(1, 1, 1, 1), std::out_of_range);
}

TEST(EmissionTablesTest, EveryValueLandsInItsCell) {
  ScratchFolder dir;
  WriteTableSet(dir.path(), Recognisable);

  // One file written by hand with its own line breaks: fields run over lines and
  // the closing text of block 1 sits on the line of block 2's caption.
  WriteTextFile(dir.file("seltc2v3.txt"),
                "Treni, classe 3\n"
                "\"ignorata\", 1, 2, 3\n"
                "\"Leq\", 1.5, 2.5, 3.5,\n"
                "4.5, 5.5, 6.5, 7.5, 8.5, 9.5\n"
                "\"dB(A)\", \"SEL\"\n"
                "-1, -2, -3, -4, -5, -6, -7, -8, 90\n");

  EmissionTables tables = LoadEmissionTables(dir.path() + "/");
  ExpectTable(tables.SelStrade, TableFamily::SelStrade, 8, 5, 5);
  ExpectTable(tables.DirStrade, TableFamily::DirStrade, 8, 5, 10);
  ExpectTable(tables.DirBinari, TableFamily::DirBinari, 4, 3, 10);
  for (int t = 1; t <= 9; ++t) {
    EXPECT_EQ(tables.SelBinari.at(t, 2, 3, 1), t + 0.5);
    EXPECT_EQ(tables.SelBinari.at(t, 2, 3, 2), t == 9 ? 90 : -t);
    EXPECT_EQ(tables.SelBinari.at(t, 4, 3, 2), Recognisable(TableFamily::SelBinari, t, 4, 3, 2));
    EXPECT_EQ(tables.SelBinari.at(t, 2, 2, 1), Recognisable(TableFamily::SelBinari, t, 2, 2, 1));
  }
  EXPECT_EQ(tables.SelStrade.at(9, 8, 5, 5), 100000 + 80000 + 5000 + 50 + 9);
  EXPECT_EQ(tables.DirStrade.at(1, 3, 2, 10), -(200000 + 30000 + 2000 + 100 + 1) - 0.25);
}

TEST(EmissionTablesTest, FilesAreOpenedFamilyByFamilyFirstIndexOuter) {
  ScratchFolder dir;
  WriteTableSet(dir.path(), Recognisable);
  auto drop = [&](const char* name) { std::filesystem::remove(dir.file(name)); };

  drop("dirtc4v3.txt");
  EXPECT_EQ(MissingFileReported(dir), "dirtc4v3.txt");
  drop("dirtc1v1.txt");
  EXPECT_EQ(MissingFileReported(dir), "dirtc1v1.txt");
  drop("seltc2v1.txt");
  drop("seltc1v3.txt");
  EXPECT_EQ(MissingFileReported(dir), "seltc1v3.txt");
  drop("dirsc1v1.txt");
  EXPECT_EQ(MissingFileReported(dir), "dirsc1v1.txt");
  drop("selsc2v1.txt");
  drop("selsc1v5.txt");
  EXPECT_EQ(MissingFileReported(dir), "selsc1v5.txt");

  try {
    LoadEmissionTables(dir.path());
    ADD_FAILURE() << "missing files were not reported";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), dir.file("selsc1v5.txt"));
  }
}

TEST(EmissionTablesTest, ShortOrGarbledFileNamesFileAndLine) {
  ScratchFolder dir;
  WriteTableSet(dir.path(), Recognisable);

  // Nine rows of ten: captions on lines 1-2, rows on lines 3-11.
  std::string text = TableFileText(TableFamily::DirBinari, 4, 3, Recognisable);
  std::string nineRows;
  for (int lines = 0; lines < 11; ++lines) {
    size_t end = text.find('\n') + 1;
    nineRows += text.substr(0, end);
    text.erase(0, end);
  }
  WriteTextFile(dir.file("dirtc4v3.txt"), nineRows);
  try {
    LoadEmissionTables(dir.path());
    ADD_FAILURE() << "a short file was accepted";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), dir.file("dirtc4v3.txt"));
    EXPECT_EQ(e.line(), 11);
  }

  // Only the two caption lines.
  WriteTextFile(dir.file("selsc6v2.txt"), "\"Tabella\"\r\n\"t1\", \"t2\"\r\n");
  try {
    LoadEmissionTables(dir.path());
    ADD_FAILURE() << "a file without values was accepted";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), dir.file("selsc6v2.txt"));
    EXPECT_EQ(e.line(), 2);
  }

  // A text in place of a value of block 3 (line 5).
  WriteTextFile(dir.file("selsc6v2.txt"),
                "a\nb\n\"1\",1,2,3,4,5,6,7,8,9,\"x\"\n"
                "\"2\",1,2,3,4,5,6,7,8,9,\"x\"\n"
                "\"3\",1,2,3,4,5,6,7,otto,9,\"x\"\n");
  try {
    LoadEmissionTables(dir.path());
    ADD_FAILURE() << "a text was read as a value";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), dir.file("selsc6v2.txt"));
    EXPECT_EQ(e.line(), 5);
  }
}

}  // namespace
}  // namespace sonvale
