#include "text/number_text.h"

#include <gtest/gtest.h>

namespace sonvale {
namespace {

TEST(PlainNumberTest, GeneralFormatWithoutLeadingZeroOrTrailingZeros) {
  EXPECT_EQ(PlainNumber(0), "0");
  EXPECT_EQ(PlainNumber(-0.0), "0");
  EXPECT_EQ(PlainNumber(0.5), ".5");
  EXPECT_EQ(PlainNumber(-0.5), "-.5");
  EXPECT_EQ(PlainNumber(12), "12");
  EXPECT_EQ(PlainNumber(-3), "-3");
  EXPECT_EQ(PlainNumber(1520.5), "1520.5");
  EXPECT_EQ(PlainNumber(0.1), ".1");  // 15 digits hide the binary error of 0.1
  EXPECT_EQ(PlainNumber(0.1 + 0.2), ".3");
  EXPECT_EQ(PlainNumber(2.0 / 3.0), ".666666666666667");
  EXPECT_EQ(PlainNumber(0.0001), ".0001");  // exponent -4 is still fixed
  EXPECT_EQ(PlainNumber(0.00001), "1E-05");
  EXPECT_EQ(PlainNumber(-0.000012), "-1.2E-05");
  EXPECT_EQ(PlainNumber(1.70141e38), "1.70141E+38");
  EXPECT_EQ(PlainNumber(1e100), "1E+100");
  EXPECT_EQ(PlainNumber(999999999999999.0), "999999999999999");  // 15 digits fit
  EXPECT_EQ(PlainNumber(1e15), "1E+15");
  EXPECT_EQ(PlainNumber(123456789012345678.0), "1.23456789012346E+17");
  EXPECT_EQ(PlainNumber(9999999999999999.0), "1E+16");  // rounding carries into the exponent
}

TEST(PlainNumberTest, SingleUsesSevenDigitsOfTheFloatValue) {
  EXPECT_EQ(PlainSingle(1.70141e38f), "1.70141E+38");
  EXPECT_EQ(PlainSingle(0.1f), ".1");  // the float 0.100000001490116... shown with 7 digits
  EXPECT_EQ(PlainSingle(-2.5f), "-2.5");
  EXPECT_EQ(PlainSingle(1234567.0f), "1234567");
  EXPECT_EQ(PlainSingle(12345678.0f), "1.234568E+07");
  EXPECT_EQ(PlainSingle(3.14159265f), "3.141593");
  EXPECT_EQ(PlainSingle(0.0f), "0");
}

TEST(PrintNumberTest, SignPlaceThenNumberThenBlank) {
  EXPECT_EQ(PrintNumber(12), " 12 ");
  EXPECT_EQ(PrintNumber(-0.5), "-.5 ");
  EXPECT_EQ(PrintNumber(0), " 0 ");
  EXPECT_EQ(PrintNumber(-0.0), " 0 ");
  EXPECT_EQ(PrintNumber(1520.5), " 1520.5 ");
  EXPECT_EQ(PrintSingle(-1.5f), "-1.5 ");
  EXPECT_EQ(PrintInteger(7), " 7 ");
  EXPECT_EQ(PrintInteger(-7), "-7 ");
  EXPECT_EQ(ShowNumber(12), " 12");
  EXPECT_EQ(ShowNumber(-3), "-3");
  EXPECT_EQ(PlainInteger(-9000), "-9000");
}

TEST(FormatPatternTest, OptionalAndMandatoryDigitsWithThePointAlwaysWritten) {
  EXPECT_EQ(FormatPattern(70, "###.##"), "70.");
  EXPECT_EQ(FormatPattern(0, "###.##"), ".");
  EXPECT_EQ(FormatPattern(65.237, "###.##"), "65.24");
  EXPECT_EQ(FormatPattern(65.2, "###.##"), "65.2");
  EXPECT_EQ(FormatPattern(0.25, "###.##"), ".25");
  EXPECT_EQ(FormatPattern(0, "##0.##"), "0.");
  EXPECT_EQ(FormatPattern(0.5, "0.###"), "0.5");
  EXPECT_EQ(FormatPattern(3.14159, "#####0.##"), "3.14");
  EXPECT_EQ(FormatPattern(2500, "########"), "2500");
  EXPECT_EQ(FormatPattern(0, "########"), "");
  EXPECT_EQ(FormatPattern(7, "###.00"), "7.00");
  EXPECT_EQ(FormatPattern(0.5, "###.00"), ".50");
  EXPECT_EQ(FormatPattern(1.5, "##0.000"), "1.500");
  EXPECT_EQ(FormatPattern(0.0004, "##0.000"), "0.000");
  EXPECT_EQ(FormatPattern(12345.6789, "###.##"), "12345.68");  // beyond the pattern: in full
}

TEST(FormatPatternTest, LiteralsGroupingAndSigns) {
  EXPECT_EQ(FormatPattern(12, "#### "), "12 ");
  EXPECT_EQ(FormatPattern(65, " ###.0"), " 65.0");
  EXPECT_EQ(FormatPattern(10000000, "###,###,###"), "10,000,000");
  EXPECT_EQ(FormatPattern(999, "###,###,###"), "999");
  EXPECT_EQ(FormatPattern(1234567, "###,###,###"), "1,234,567");
  EXPECT_EQ(FormatPattern(13.456, "###.#####"), "13.456");
  EXPECT_EQ(FormatPattern(-3.25, "####.#"), "-3.3");
  EXPECT_EQ(FormatPattern(-0.0004, "0.0"), "0.0");
  EXPECT_EQ(FormatPattern(-0.04, "###.#"), ".");
  EXPECT_EQ(FormatPattern(-0.06, "###.#"), "-.1");
}

TEST(FormatPatternTest, HalvesRoundAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(FormatPattern(0.125, "#.##"), ".13");  // 0.125 is exact in binary
  EXPECT_EQ(FormatPattern(-0.125, "#.##"), "-.13");
  EXPECT_EQ(FormatPattern(2.5, "#"), "3");
  EXPECT_EQ(FormatPattern(3.5, "#"), "4");
  EXPECT_EQ(FormatPattern(1.005, "0.00"), "1.00");  // the double is 1.00499999999999989...
  EXPECT_EQ(FormatPattern(2.675, "0.00"), "2.67");  // 2.67499999999999982...
  EXPECT_EQ(FormatPattern(9.995, "0.00"), "9.99");  // 9.99499999999999921...
  EXPECT_EQ(FormatPattern(99.96, "##.#"), "100.");
  EXPECT_EQ(FormatPattern(0.95, "#.#"), ".9");  // 0.94999999999999995559...
}

TEST(FormatPatternTest, FieldIsRightAlignedToThePatternWidth) {
  EXPECT_EQ(FormatField(65.237, "####.#"), "  65.2");
  EXPECT_EQ(FormatField(0, "########"), "        ");
  EXPECT_EQ(FormatField(1234567.5, "###.#"), "567.5");  // the rightmost characters stay
}

TEST(LeadingNumberTest, TakesTheLongestLeadingNumber) {
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber(" 2008"), 2008);
  EXPECT_EQ(LeadingNumber("-5"), -5);
  EXPECT_EQ(LeadingNumber("+5"), 5);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1.5E3"), 1500);
  EXPECT_EQ(LeadingNumber("2.5d-1"), 0.25);
  EXPECT_EQ(LeadingNumber("1.5E"), 1.5);  // an exponent without digits is not taken
  EXPECT_EQ(LeadingNumber("3.6"), 3.6);
  EXPECT_EQ(LeadingNumber("3.05xyz"), 3.05);
  EXPECT_EQ(LeadingNumber("."), 0);
  EXPECT_EQ(LeadingNumber("1E999"), 0);  // no double holds it
  EXPECT_EQ(LeadingNumber("-1E-999"), 0);
  EXPECT_TRUE(IsNumber("1E-999"));
  EXPECT_TRUE(IsNumber("." + std::string(400, '0') + "1"));
  EXPECT_FALSE(IsNumber("1" + std::string(400, '0')));

  EXPECT_TRUE(IsNumber(" 12 "));
  EXPECT_TRUE(IsNumber("-.5"));
  EXPECT_TRUE(IsNumber("1.70141E+38"));
  EXPECT_TRUE(IsNumber("7."));
  EXPECT_FALSE(IsNumber("12abc"));
  EXPECT_FALSE(IsNumber("abc"));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_FALSE(IsNumber("."));
  EXPECT_FALSE(IsNumber("1 2"));
  EXPECT_FALSE(IsNumber("1e999"));
}

TEST(RoundingTest, HalfEvenAndFloor) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-0.7), -1);
  EXPECT_EQ(RoundHalfEven(0.5), 0);

  EXPECT_EQ(FloorToInteger(2.7), 2);
  EXPECT_EQ(FloorToInteger(-2.1), -3);
  EXPECT_EQ(FloorToInteger(-3), -3);
  EXPECT_EQ(FloorToInteger(1e30), 9223372036854775807LL);
}

TEST(PrintZonesTest, ZonedItemsStartAtMultiplesOfFourteen) {
  PrintZones a;
  a.zoned(1).zoned(-2.5).zoned(300);
  // " 1 " at 0, "-2.5 " at 14, " 300 " at 28
  EXPECT_EQ(a.str(), " 1 " + std::string(11, ' ') + "-2.5 " + std::string(9, ' ') + " 300 ");

  PrintZones b;
  b.text("Lev=").zoned(65.5);
  EXPECT_EQ(b.str(), "Lev=" + std::string(10, ' ') + " 65.5 ");

  // An item exactly filling its zone pushes the next one to the following zone.
  PrintZones c;
  c.text("12345678901234").zonedText("x");
  EXPECT_EQ(c.str(), std::string("12345678901234") + std::string(14, ' ') + "x");

  PrintZones d;
  d.zonedText("A").text(",").zoned(0.5);
  EXPECT_EQ(d.str(), "A," + std::string(12, ' ') + " .5 ");
}

}  // namespace
}  // namespace sonvale
