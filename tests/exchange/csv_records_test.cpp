#include "exchange/csv_records.h"

#include <gtest/gtest.h>

#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(CsvReaderTest, RecordsFollowTheHeaderWhateverTheLineEnds) {
  CsvReader in("t.csv",
               "\xEF\xBB\xBF\"Nome\",\"X\"\r\n"
               "\"Via Roma, 3\" , 12.5 ,\r\n"
               "\n"
               "  \"una \"\"piazza\"\"\nsu due righe\",-3\r"
               "x,,7\n"
               "last");
  ASSERT_TRUE(in.next());
  EXPECT_EQ(in.line(), 2);
  ASSERT_EQ(in.fieldCount(), 3u);
  EXPECT_EQ(in.text(1), "Via Roma, 3");
  EXPECT_TRUE(in.field(1).quoted);
  EXPECT_EQ(in.number(2), 12.5);
  EXPECT_EQ(in.text(3), "");

  ASSERT_TRUE(in.next());  // the blank line is skipped
  EXPECT_EQ(in.line(), 4);
  EXPECT_EQ(in.text(1), "una \"piazza\"\nsu due righe");
  EXPECT_EQ(in.number(2), -3);

  ASSERT_TRUE(in.next());
  EXPECT_EQ(in.line(), 6);  // the quoted line end was counted
  EXPECT_FALSE(in.field(1).quoted);
  EXPECT_EQ(in.number(2), 0);  // an empty field reads as 0
  EXPECT_EQ(in.count(3), 7);
  try {
    in.number(1);
    FAIL() << "x read as a number";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), "t.csv");
    EXPECT_EQ(e.line(), 6);
  }
  EXPECT_THROW(in.field(4), FormatError);
  EXPECT_THROW(in.require(4), FormatError);

  ASSERT_TRUE(in.next());
  EXPECT_EQ(in.text(1), "last");
  EXPECT_FALSE(in.next());
  EXPECT_FALSE(in.next());
}

TEST(CsvReaderTest, BrokenAndEmptyFiles) {
  CsvReader open("t.csv", "h\n1,\"senza fine\n2,3\n");
  try {
    open.next();
    FAIL() << "an open quote was accepted";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 2);
  }
  CsvReader headerOnly("t.csv", "\"ID\",\"X\",\"Y\"");
  EXPECT_FALSE(headerOnly.next());
  CsvReader empty("t.csv", "");
  EXPECT_FALSE(empty.next());
  CsvReader huge("t.csv", "h\n1e300,5.5,6.5\n");
  ASSERT_TRUE(huge.next());
  EXPECT_THROW(huge.count(1), FormatError);
  EXPECT_EQ(huge.count(2), 6);  // a half goes to the even neighbour
  EXPECT_EQ(huge.count(3), 6);
  EXPECT_THROW(CsvReader("/nonexistent/folder/x.csv"), FileError);
}

}  // namespace
}  // namespace sonvale
