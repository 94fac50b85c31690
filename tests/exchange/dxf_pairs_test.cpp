#include "exchange/dxf_pairs.h"

#include <gtest/gtest.h>

#include <string>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(DxfPairsTest, PolylineVariantTakesZWidthsAndFlagsAsPairsOfTheirOwn) {
  // CR LF line ends and codes with uneven leading blanks, as AutoCAD writes them.
  std::string text =
      "  0\r\nLWPOLYLINE\r\n8\r\nStrade 2\r\n 70\r\n     1\r\n 43\r\n6.0\r\n"
      " 10\r\n1.5\r\n 20\r\n-2.25\r\n 30\r\n7\r\n 70\r\n0\r\n 41\r\n3\r\n"
      "999\r\nfree text, with a comma\r\n  0\r\nEOF\r\n";
  DxfPairReader r("mem.dxf", text, DxfVariant::Polyline);
  DxfPair p;
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.code, 0);
  EXPECT_EQ(p.value, "LWPOLYLINE");
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.value, "Strade 2");  // blanks inside a value are kept, the CR is not
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.flags, 1);
  EXPECT_TRUE(p.closed);
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.width1, 6.0);
  EXPECT_EQ(p.width2, 6.0);
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.code, 10);
  EXPECT_EQ(p.x, 1.5);
  EXPECT_EQ(p.y, -2.25);
  EXPECT_EQ(p.z, 0.0);      // the Z has not arrived yet
  EXPECT_EQ(r.line(), 11);  // the Y code
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.code, 30);
  EXPECT_EQ(p.z, 7.0);
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.flags, 0);
  EXPECT_TRUE(p.closed);  // only the readers reset it
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.width1, 6.0);
  EXPECT_EQ(p.width2, 3.0);
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.value, "free text, with a comma");
  ASSERT_TRUE(r.read(p));
  EXPECT_EQ(p.value, "EOF");
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.read(p));
  EXPECT_EQ(p.value, "EOF");  // nothing read at the end, the state unchanged
}

TEST(DxfPairsTest, FaceAndCircleVariantsDeliverOnlyCompletePoints) {
  std::string face = "10\n1\n20\n2\n30\n3\n11\n4\n21\n5\n62\n7\n";
  DxfPairReader f("f.dxf", face, DxfVariant::Face);
  DxfPair p;
  ASSERT_TRUE(f.read(p));
  EXPECT_EQ(p.code, 10);
  EXPECT_EQ(p.x, 1.0);
  EXPECT_EQ(p.y, 2.0);
  EXPECT_EQ(p.z, 3.0);
  // Corner 11 has no Z: the colour code that follows is what the caller sees.
  ASSERT_TRUE(f.read(p));
  EXPECT_EQ(p.code, 62);
  EXPECT_EQ(p.x, 4.0);

  std::string circle = "10\n1\n20\n2\n30\n3\n40\n4.5\n10\n6\n20\n7\n40\n1.5\n0\nEOF\n";
  DxfPairReader c("c.dxf", circle, DxfVariant::Circle);
  ASSERT_TRUE(c.read(p));
  EXPECT_EQ(p.code, 10);
  EXPECT_EQ(p.radius, 4.5);
  ASSERT_TRUE(c.read(p));
  EXPECT_EQ(p.code, 40);  // a centre without Z is not a point
  EXPECT_EQ(p.radius, 4.5);
  ASSERT_TRUE(c.read(p));
  EXPECT_EQ(p.value, "EOF");

  // The section search passes over the header's points and stops after ENTITIES;
  // a last line without its line end is read.
  std::string doc =
      "0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n0\n20\n0\n30\n0\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF";
  DxfPairReader d("d.dxf", doc, DxfVariant::Circle);
  ASSERT_TRUE(d.findEntities(p));
  EXPECT_EQ(d.line(), 17);
  ASSERT_TRUE(d.read(p));
  EXPECT_EQ(p.value, "ENDSEC");
  ASSERT_TRUE(d.read(p));
  EXPECT_EQ(p.value, "EOF");
  EXPECT_FALSE(d.read(p));
  DxfPairReader none("n.dxf", "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nEOF\n\n\n", DxfVariant::Face);
  EXPECT_FALSE(none.findEntities(p));
}

void ExpectFormatError(const std::string& text, DxfVariant variant, long line,
                       const std::string& message) {
  DxfPairReader r("bad.dxf", text, variant);
  DxfPair p;
  try {
    while (r.read(p)) {
    }
    ADD_FAILURE() << "no error for " << message;
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), "bad.dxf");
    EXPECT_EQ(e.line(), line) << message;
    EXPECT_EQ(e.message(), message);
  }
}

TEST(DxfPairsTest, FormatErrorsNameTheLineOfTheCode) {
  ExpectFormatError("0\nLINE\n10\n1\n30\n2\n", DxfVariant::Polyline, 5, "Invalid Y coord code 30");
  ExpectFormatError("0\nLINE\n 11\n1\n 22\n2\n", DxfVariant::Face, 5, "Invalid Y coord code 22");
  ExpectFormatError("8\n0\n21\n5.5\n", DxfVariant::Polyline, 3, "Invalid group code 21: \"5.5\"");
  ExpectFormatError("8\n0\n81\nX\n", DxfVariant::Circle, 3, "Invalid group code 81: \"X\"");
  ExpectFormatError("0\nLINE\nABC\nx\n", DxfVariant::Polyline, 3,
                    "Invalid group code line: \"ABC\"");
  ExpectFormatError("40\n1.2.3\n", DxfVariant::Polyline, 1,
                    "Invalid number for group code 40: \"1.2.3\"");
  // Whatever a line holds, the message quotes a short, printable excerpt of it.
  ExpectFormatError("0\nLINE\n\x1b[31m" + std::string(100'000, 'A') + "\nx\n", DxfVariant::Polyline,
                    3, "Invalid group code line: \"\\x1B[31m" + std::string(35, 'A') + "...\"");
  ExpectFormatError("40\n" + std::string(100'000, '7') + "\n", DxfVariant::Polyline, 1,
                    "Number out of range for group code 40: \"" + std::string(40, '7') + "...\"");
  ExpectFormatError("0\nLINE\n8\n", DxfVariant::Face, 3,
                    "the file ends after group code 8 without its value");
}

TEST(DxfPairsTest, BinaryAndMissingFilesAreRefused) {
  try {
    DxfPairReader r("bin.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), DxfVariant::Face);
    ADD_FAILURE() << "binary file accepted";
  } catch (const FormatError& e) {
    EXPECT_NE(e.message().find("binary DXF"), std::string::npos);
    EXPECT_NE(e.message().find("ASCII DXF"), std::string::npos);
  }
  ScratchFolder dir;
  EXPECT_THROW(DxfPairReader(dir.file("missing.dxf"), DxfVariant::Polyline), FileError);
}

}  // namespace
}  // namespace sonvale
