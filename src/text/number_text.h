// Number texts: the one place where the program turns numbers into the texts it
// writes and shows, and texts typed by users back into numbers. Every form uses
// "." as decimal point whatever the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sonvale {

// Plain number: general format with up to 15 significant digits, no trailing
// zeros, no zero before the point below 1 (".5", "-.5"), exponent form where the
// magnitude needs it ("1.70141E+38", "1E-05").
std::string PlainNumber(double value);
// The same with 7 significant digits, for values held in single precision.
std::string PlainSingle(float value);
// A whole number as text ("12", "-3").
std::string PlainInteger(long long value);
// 64 bits as 16 lowercase hexadecimal digits, and back (false for anything else).
std::string HexBits(uint64_t bits);
bool ParseHexBits(std::string_view text, uint64_t& bits);

// Print form: a blank for a non-negative value or "-", the plain number of the
// magnitude, one trailing blank (" 12 ", "-.5 ").
std::string PrintNumber(double value);
std::string PrintSingle(float value);
std::string PrintInteger(long long value);

// A number as shown with its leading blank and no trailing one (" 12", "-3");
// used where a text is built as "label" + number.
std::string ShowNumber(double value);

// Digit patterns such as "###.##", "#####0.##", "0.###", "########", "###,###,###",
// " ###.0" or "#### ": "0" is a mandatory digit, "#" an optional one, the point is
// always written when the pattern has one ("###.##" gives "70." for 70 and "." for 0),
// "," groups thousands, other characters are copied as they stand. Rounding is half
// away from zero; a value that rounds to zero is written without a minus sign.
std::string FormatPattern(double value, std::string_view pattern);

// The value formatted with the pattern, right-aligned in a field as wide as the
// pattern (blanks in front, the rightmost characters kept when longer).
std::string FormatField(double value, std::string_view pattern);

// Leading-number parse: blanks are skipped, then the longest leading number is
// taken ("12abc" gives 12, "abc" and "" give 0, " 2008" gives 2008, "1.5E3" 1500).
double LeadingNumber(std::string_view text);

// True when the whole text (blanks around ignored) is one number.
bool IsNumber(std::string_view text);
// True when the whole text is written as a number but its value lies beyond the
// range of a double (a number with thousands of digits, 1e999): the reader says
// "out of range" rather than "not a number".
bool IsOutOfRangeNumber(std::string_view text);
// Both in one scan: true when the whole text is written as a number; its value
// goes to *value and whether a double holds it to *inRange.
bool IsNumberText(std::string_view text, double* value, bool* inRange);

// Round to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value);
// Largest whole number not greater than the value.
long long FloorToInteger(double value);

// A line of print items laid out in print zones of 14 columns: each zoned item
// starts at the next multiple of 14.
class PrintZones {
 public:
  static constexpr int kZoneWidth = 14;
  // Appends text at the current position.
  PrintZones& text(std::string_view s);
  // Moves to the start of the next zone, then appends the print form of value.
  PrintZones& zoned(double value);
  PrintZones& zonedText(std::string_view s);
  const std::string& str() const { return line_; }

 private:
  void nextZone();
  std::string line_;
};

}  // namespace sonvale
