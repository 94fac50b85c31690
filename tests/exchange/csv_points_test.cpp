#include "exchange/csv_points.h"

#include <gtest/gtest.h>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(CsvPointsTest, NamesAreCutAndFilledToFiveCharacters) {
  EXPECT_EQ(PointName(" ABCDEFG "), "ABCDE");
  EXPECT_EQ(PointName("P1"), "P1   ");
  EXPECT_EQ(PointName(""), "     ");
  EXPECT_EQ(PointName("Città vecchia"), "Città");  // five letters, six bytes
  EXPECT_EQ(PointName("àèìòù!"), "àèìòù");
}

TEST(CsvPointsTest, PointsReplaceThoseLoaded) {
  ScratchFolder folder;
  const std::string path = folder.file("punti.csv");
  WriteTextFile(path,
                "\"N\",\"X\",\"Y\",\"Z\",\"NOME\"\r\n"
                "1,500100.5,4500200,4,\" ABCDEFG \"\r\n"
                "2,500300,4500400,1.5,P1\r\n");
  Project p;
  for (int i = 0; i < 3; ++i) p.punti.addEntity().Nome = "old";
  EXPECT_EQ(ImportCsvPoints(path, p).rows, 2);
  ASSERT_EQ(p.punti.count(), 2);
  EXPECT_EQ(p.punti[1].X, 500100.5);
  EXPECT_EQ(p.punti[1].Y, 4500200);
  EXPECT_EQ(p.punti[1].Z, 4);
  EXPECT_EQ(p.punti[1].Nome, "ABCDE");
  EXPECT_EQ(p.punti[2].Nome, "P1   ");
  EXPECT_EQ(p.punti[2].Z, 1.5);

  // One point too many: the table is filled and the last record left out.
  std::string text = "N,X,Y,Z,NOME\n";
  for (long i = 1; i <= kMaxPunti + 1; ++i) text += "1,2,3,4,P\n";
  WriteTextFile(path, text);
  const CsvRowsRead read = ImportCsvPoints(path, p);
  EXPECT_EQ(read.rows, kMaxPunti);
  EXPECT_EQ(read.leftOut.records, 1);
  EXPECT_EQ(read.leftOut.line, kMaxPunti + 2);
  EXPECT_EQ(p.punti.count(), kMaxPunti);
  EXPECT_EQ(p.punti[1].Nome, "P    ");
}

}  // namespace
}  // namespace sonvale
