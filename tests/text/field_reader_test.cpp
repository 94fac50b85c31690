#include "text/field_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "text/file_error.h"

namespace sonvale {
namespace {

// Runs f and returns the FormatError it throws (failing the test when it throws none).
template <typename F>
FormatError CatchFormatError(F f) {
  try {
    f();
  } catch (const FormatError& e) {
    return e;
  }
  ADD_FAILURE() << "no FormatError";
  return FormatError("", 0, "");
}

TEST(FieldReaderTest, FieldsEndAtCommasAndLineEndsWithBlanksTrimmed) {
  for (std::string eol : {"\r\n", "\n"}) {
    SCOPED_TRACE(eol == "\n" ? "LF" : "CR LF");
    FieldReader r("t.svp", "\"Nstrade\",2" + eol + eol + "  \t a b  ,  -3.5 " + eol +
                               " 1 , 1520.5 , .25 ,-7 " + eol + "last");
    EXPECT_EQ(r.readText(), "Nstrade");
    EXPECT_EQ(r.line(), 1);
    EXPECT_EQ(r.readNumber(), 2);
    EXPECT_EQ(r.readText(), "a b");  // the empty line 2 is skipped
    EXPECT_EQ(r.line(), 3);
    EXPECT_EQ(r.readNumber(), -3.5);
    EXPECT_EQ(r.readLong(), 1);
    EXPECT_EQ(r.readNumber(), 1520.5);
    EXPECT_EQ(r.readSingle(), 0.25f);
    EXPECT_EQ(r.readShort(), -7);
    EXPECT_EQ(r.line(), 4);
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readText(), "last");
    EXPECT_EQ(r.line(), 5);
    EXPECT_TRUE(r.atEnd());
  }
}

TEST(FieldReaderTest, QuotedTextsKeepCommasAndDropWhatFollowsTheClosingQuote) {
  FieldReader r("t.svp", "\"Via Roma, 12\",\"  padded  \"junk,\"\",x\r\n\"città\"\r\n");
  EXPECT_EQ(r.readText(), "Via Roma, 12");
  EXPECT_EQ(r.readText(), "  padded  ");
  EXPECT_EQ(r.readText(), "");
  EXPECT_EQ(r.readText(), "x");
  EXPECT_EQ(r.readText(), "città");
  EXPECT_TRUE(r.atEnd());
}

TEST(FieldReaderTest, FlagsAndNumbersInFlagFields) {
  FieldReader r("t.svp", "#TRUE#,#FALSE#,-1,0,#true#\r\n#TRUE#,maybe\r\n");
  EXPECT_TRUE(r.readFlag());
  EXPECT_FALSE(r.readFlag());
  EXPECT_TRUE(r.readFlag());
  EXPECT_FALSE(r.readFlag());
  EXPECT_TRUE(r.readFlag());
  EXPECT_EQ(r.readNumber(), -1);  // a flag read into a number is -1
  FormatError e = CatchFormatError([&] { r.readFlag(); });
  EXPECT_EQ(e.line(), 2);
}

TEST(FieldReaderTest, SkipLineDiscardsTheRestOrTheNextWholeLine) {
  FieldReader r("t.svp",
                "\"Velocità =\",3\r\n"
                "\"P.num.\",\"X\",\"Y\",\"Z\",\"SW\",\"EW\"\r\n"
                " 1 , 10 , 20 , 0 , 5 , 5 \r\n"
                "a,b,c\r\n"
                "d\r\n");
  r.readText();
  EXPECT_EQ(r.readNumber(), 3);
  r.skipLine();  // the last field ended line 1: line 2 goes whole
  EXPECT_EQ(r.readNumber(), 1);
  EXPECT_EQ(r.line(), 3);
  r.skipLine();  // the rest of line 3
  EXPECT_EQ(r.readText(), "a");
  r.skipLine();  // the rest of line 4
  EXPECT_EQ(r.readText(), "d");
  EXPECT_EQ(r.line(), 5);
}

TEST(FieldReaderTest, NumbersInQuotesOrWithExponentLettersAndQuotedLineBreaks) {
  FieldReader r("t.svp", "\"12.5\", +.5 ,1D3,-2d-2,1e+2,7e\r\n\"two\r\nlines\",x\r\n");
  EXPECT_EQ(r.readNumber(), 12.5);
  EXPECT_EQ(r.readNumber(), 0.5);
  EXPECT_EQ(r.readNumber(), 1000);
  EXPECT_EQ(r.readNumber(), -0.02);
  EXPECT_EQ(r.readNumber(), 100);
  // An exponent without digits is not part of the number: the field is no number.
  EXPECT_EQ(CatchFormatError([&] { r.readNumber(); }).message(),
            "a number was expected, found \"7e\"");
  EXPECT_EQ(r.readText(), "two\nlines");
  FormatError e = CatchFormatError([&] { r.readNumber(); });
  EXPECT_EQ(e.line(), 3);
  EXPECT_EQ(e.message(), "a number was expected, found \"x\"");
}

TEST(FieldReaderTest, ACommaBeforeTheLineEndEndsTheLine) {
  FieldReader r("t.txt", "1,2,\r\nskipped\r\n3\r\n");
  r.readNumber();
  EXPECT_EQ(r.readNumber(), 2);
  r.skipLine();
  EXPECT_EQ(r.readNumber(), 3);
  EXPECT_EQ(r.line(), 3);
}

TEST(FieldReaderTest, ErrorsNameTheFileAndTheLine) {
  FieldReader r("town.svp", "\"Nstrade\",2\r\n\"Strada n.\",abc\r\n");
  r.readText();
  r.readNumber();
  r.readText();
  FormatError e = CatchFormatError([&] { r.readNumber(); });
  EXPECT_EQ(e.file(), "town.svp");
  EXPECT_EQ(e.line(), 2);
  EXPECT_EQ(e.message(), "a number was expected, found \"abc\"");

  FormatError end = CatchFormatError([&] { r.readText(); });
  EXPECT_EQ(end.message(), "unexpected end of file");
  EXPECT_EQ(end.line(), 2);

  FieldReader big("t", "70000,3000000000,1e39,12abc");
  EXPECT_THROW(big.readShort(), FormatError);
  EXPECT_THROW(big.readLong(), FormatError);
  EXPECT_THROW(big.readSingle(), FormatError);
  EXPECT_THROW(big.readNumber(), FormatError);

  // A number with more digits than a double can hold is a number all the same.
  FieldReader huge("t", "1" + std::string(100'000, '0') + ",-1e999");
  EXPECT_EQ(CatchFormatError([&] { huge.readLong(); }).message(),
            "number out of range: \"1" + std::string(39, '0') + "...\"");
  EXPECT_EQ(CatchFormatError([&] { huge.readNumber(); }).message(),
            "number out of range: \"-1e999\"");
  FieldReader escape("t", "\"\x1b]0;title\x07\",\"\x9b\"");
  EXPECT_EQ(CatchFormatError([&] { escape.readNumber(); }).message(),
            "a number was expected, found \"\\x1B]0;title\\x07\"");
  EXPECT_EQ(CatchFormatError([&] { escape.readFlag(); }).message(),
            "#TRUE# or #FALSE# was expected, found \"\\x9B\"");

  FieldReader open("t", "\"never closed,\r\n1\r\n");
  EXPECT_THROW(open.readText(), FormatError);
}

TEST(FieldReaderTest, MissingFileIsAFileError) {
  EXPECT_THROW(FieldReader("/nonexistent/folder/x.svp"), FileError);
}

TEST(RecordWriterTest, RecordLinesInTheWriteLayout) {
  RecordWriter w;
  EXPECT_EQ(w.text("Strada n.").integer(3).text("Nome").text("Via Roma, 12").line(),
            "\"Strada n.\",3,\"Nome\",\"Via Roma, 12\"\r\n");
  EXPECT_EQ(
      w.number(0.5).number(-0.5).number(1520.5).single(1.70141e38f).flag(true).flag(false).line(),
      ".5,-.5,1520.5,1.70141E+38,#TRUE#,#FALSE#\r\n");
  EXPECT_EQ(w.line(), "\r\n");
}

TEST(RecordWriterTest, NameWithQuoteAndLineBreakSurvivesARoundTrip) {
  const std::string name = "Piazza \"Duomo\"\r\nlato nord\nest";
  RecordWriter w;
  std::string content = w.text("Nome").text(name).number(12).line();
  content += w.text("after").line();
  EXPECT_EQ(content, "\"Nome\",\"Piazza 'Duomo' lato nord est\",12\r\n\"after\"\r\n");

  std::string path = ::testing::TempDir() + "record_writer_roundtrip.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << content;
  }
  FieldReader r(path);
  EXPECT_EQ(r.readText(), "Nome");
  EXPECT_EQ(r.readText(), "Piazza 'Duomo' lato nord est");
  EXPECT_EQ(r.readNumber(), 12);  // the fields after the name stay in step
  EXPECT_EQ(r.readText(), "after");
  EXPECT_EQ(r.line(), 2);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace sonvale
