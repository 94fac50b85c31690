// facade_points.csv read back for the map: the rows an exposure run writes,
// and a one-line message with the line for anything else.
#include "exposure/facade_points_file.h"

#include <gtest/gtest.h>

#include "exposure/exposure_tables.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(FacadePointsFile, RowsAsTheRunWritesThem) {
  ScratchFolder dir;
  const std::string path = dir.file("facade_points.csv");
  WriteTextFile(path, std::string(kFacadePointsHeader) +
                          "\r\n1,1,1,2.50,-0.10,4.00,5.00,66.2,57.9,68.1,3.25,66.2,57.9,68.1,,,\r\n"
                          "12,4,9,500100.25,4500200.75,31.00,4.50,,,,0.00,,,,,,\r\n");
  const std::vector<FacadePointRow> rows = ReadFacadePointsCsv(path);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].building, 1);
  EXPECT_EQ(rows[0].x, 2.5);
  EXPECT_EQ(rows[0].y, -0.1);
  EXPECT_EQ(*rows[0].night, 57.9);
  EXPECT_EQ(*rows[0].lden, 68.1);
  EXPECT_EQ(rows[1].building, 12);
  EXPECT_EQ(rows[1].facade, 4);
  EXPECT_EQ(rows[1].x, 500100.25);
  EXPECT_FALSE(rows[1].lden);  // no source reaches it
  EXPECT_FALSE(rows[1].night);
}

TEST(FacadePointsFile, AnythingElseIsNamedWithItsLine) {
  ScratchFolder dir;
  const std::string path = dir.file("facade_points.csv");
  const std::string header = std::string(kFacadePointsHeader) + "\n";
  const std::string good = "1,1,1,2.50,-0.10,4.00,5.00,66.2,57.9,68.1,3.25,66.2,57.9,68.1,,,\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", ":1: empty: no header of façade points"},
      {"building,people\n1,40\n", ":1: not the header of façade points"},
      {header + good + "1,1,1,2.50\n", ":3: 4 fields where the header has 17"},
      {header + "0,1,1,2.50,-0.10,4.00,5.00,66.2,57.9,68.1,3.25,,,,,,\n",
       ":2: building is not a number from 1: 0"},
      {header + "1,1,1,east,-0.10,4.00,5.00,66.2,57.9,68.1,3.25,,,,,,\n",
       ":2: x is not a number: \"east\""},
      {header + "1,1,1,2.5,-0.10,4.00,5.00,66.2,57.9,1e999,3.25,,,,,,\n",
       ":2: lden is not a number: \"1e999\""},
  };
  for (const auto& c : cases) {
    WriteTextFile(path, c.text);
    try {
      ReadFacadePointsCsv(path);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(path + c.message), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(ReadFacadePointsCsv(dir.file("missing.csv")), FileError);
}

}  // namespace
}  // namespace sonvale
