#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace sonvale {
namespace {

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

// General format with `digits` significant digits, built from the scientific
// digits of the value so that the result never depends on the locale.
template <typename T>
std::string GeneralFormat(T value, int digits) {
  if (!std::isfinite(value)) return NonFiniteText(static_cast<double>(value));
  if (value == 0) return "0";  // also for -0: the sign of a zero is never shown

  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
  std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));

  bool negative = false;
  if (!sci.empty() && sci.front() == '-') {
    negative = true;
    sci.remove_prefix(1);
  }
  size_t ePos = sci.find('e');
  std::string mantissa;
  for (char c : sci.substr(0, ePos))
    if (c != '.') mantissa += c;
  int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -4 || exponent >= digits) {
    out += mantissa[0];
    if (mantissa.size() > 1) {
      out += '.';
      out.append(mantissa, 1);
    }
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    char expBuf[8];
    auto expRes = std::to_chars(expBuf, expBuf + sizeof expBuf, magnitude);
    out.append(expBuf, expRes.ptr);
  } else if (exponent >= 0) {
    size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= intDigits) {
      out += mantissa;
      out.append(intDigits - mantissa.size(), '0');
    } else {
      out.append(mantissa, 0, intDigits);
      out += '.';
      out.append(mantissa, intDigits);
    }
  } else {
    out += '.';
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += mantissa;
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Scans the longest leading number of text after blanks. Returns the number of
// characters taken (0 when there is no number) and stores the value; a value
// beyond the range of a double makes *inRange false.
size_t ScanNumber(std::string_view text, double* value, bool* inRange) {
  *value = 0;
  *inRange = true;
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  // from_chars takes no leading '+': the number starts after it.
  const size_t start = i < text.size() && text[i] == '+' ? i + 1 : i;
  size_t j = i;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
  size_t mantissaDigits = 0;
  auto digits = [&](size_t& k) {
    size_t n = 0;
    while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k, ++n;
    return n;
  };
  mantissaDigits += digits(j);
  if (j < text.size() && text[j] == '.') {
    ++j;
    mantissaDigits += digits(j);
  }
  if (mantissaDigits == 0) return 0;
  size_t letter = std::string_view::npos;  // the exponent's letter, when there is one
  if (j < text.size() && (text[j] == 'E' || text[j] == 'e' || text[j] == 'D' || text[j] == 'd')) {
    size_t k = j + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (digits(k) > 0) {
      letter = j - start;
      j = k;
    }
  }
  std::string_view number = text.substr(start, j - start);
  // from_chars reads only 'e' or 'E' as the exponent's letter.
  std::string withE;
  if (letter != std::string_view::npos && (number[letter] == 'D' || number[letter] == 'd')) {
    withE = number;
    withE[letter] = 'e';
    number = withE;
  }
  double v = 0;
  auto res = std::from_chars(number.data(), number.data() + number.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow is a zero; overflow has no value a double can hold. Which one it
    // is follows from the decimal exponent of the first significant digit.
    std::string_view mant = number.substr(0, letter);
    long long exp10 = 0;
    if (letter != std::string_view::npos) {
      std::from_chars(number.data() + letter + 1 + (number[letter + 1] == '+'),
                      number.data() + number.size(), exp10);
    }
    size_t pointPos = mant.find('.');
    if (pointPos == std::string_view::npos) pointPos = mant.size();
    size_t first = mant.find_first_of("123456789");
    long long magnitude = static_cast<long long>(pointPos) - static_cast<long long>(first) + exp10;
    if (first > pointPos) ++magnitude;  // the point sits before the first digit
    v = 0;
    if (magnitude > 0) *inRange = false;
  }
  *value = v;
  return j;
}

// Exact enough decimal digits of |value| with `decimals` digits after the point,
// rounded half away from zero. Returns the integer digits (without leading
// zeros, empty for zero) and the fraction digits.
void RoundedDigits(double magnitude, int decimals, std::string* intDigits,
                   std::string* fracDigits) {
  // A double that is not exactly halfway lies at least about 1e-17 * 10^-2d away
  // from the halfway point, so 2d + 20 digits decide the rounding correctly.
  int precision = std::min(2 * decimals + 20, 1100);
  std::string buf(static_cast<size_t>(precision) + 330, '\0');
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::fixed,
                           precision);
  std::string text(buf.data(), res.ptr);
  size_t point = text.find('.');
  std::string ip = point == std::string::npos ? text : text.substr(0, point);
  std::string fp = point == std::string::npos ? std::string() : text.substr(point + 1);
  fp.resize(std::max(fp.size(), static_cast<size_t>(decimals) + 1), '0');

  std::string digits = ip + fp.substr(0, static_cast<size_t>(decimals));
  bool roundUp = fp[static_cast<size_t>(decimals)] >= '5';
  if (roundUp) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0 && digits[static_cast<size_t>(k)] == '9') digits[static_cast<size_t>(k--)] = '0';
    if (k < 0)
      digits.insert(digits.begin(), '1');
    else
      ++digits[static_cast<size_t>(k)];
  }
  size_t intLen = digits.size() - static_cast<size_t>(decimals);
  *intDigits = digits.substr(0, intLen);
  *fracDigits = digits.substr(intLen);
  size_t firstNonZero = intDigits->find_first_not_of('0');
  intDigits->erase(0, firstNonZero == std::string::npos ? intDigits->size() : firstNonZero);
}

bool IsDigitPlaceholder(char c) { return c == '#' || c == '0'; }

}  // namespace

std::string PlainNumber(double value) { return GeneralFormat(value, 15); }

std::string PlainSingle(float value) { return GeneralFormat(value, 7); }

std::string PlainInteger(long long value) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string HexBits(uint64_t bits) {
  std::string s(16, '0');
  for (int k = 15; k >= 0; --k, bits >>= 4)
    s[static_cast<size_t>(k)] = "0123456789abcdef"[bits & 15];
  return s;
}

bool ParseHexBits(std::string_view text, uint64_t& bits) {
  if (text.size() != 16) return false;
  bits = 0;
  for (char ch : text) {
    const int d = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
    if (d < 0) return false;
    bits = bits << 4 | static_cast<uint64_t>(d);
  }
  return true;
}

std::string PrintNumber(double value) { return ShowNumber(value) + " "; }

std::string PrintSingle(float value) {
  if (std::isnan(value)) return " NaN ";
  return (std::signbit(value) && value != 0 ? "-" : " ") + PlainSingle(std::fabs(value)) + " ";
}

std::string PrintInteger(long long value) {
  if (value < 0) return "-" + PlainInteger(value).substr(1) + " ";
  return " " + PlainInteger(value) + " ";
}

std::string ShowNumber(double value) {
  if (std::isnan(value)) return " NaN";
  return (value < 0 ? "-" : " ") + PlainNumber(std::fabs(value));
}

std::string FormatPattern(double value, std::string_view pattern) {
  // The numeric part of the pattern runs from its first digit placeholder or
  // point over placeholders, points and commas; what is around it is literal.
  size_t start = 0;
  while (start < pattern.size() && !IsDigitPlaceholder(pattern[start]) && pattern[start] != '.')
    ++start;
  if (start == pattern.size()) return std::string(pattern);
  size_t end = start;
  while (end < pattern.size() &&
         (IsDigitPlaceholder(pattern[end]) || pattern[end] == '.' || pattern[end] == ','))
    ++end;
  std::string_view prefix = pattern.substr(0, start);
  std::string_view numeric = pattern.substr(start, end - start);
  std::string_view suffix = pattern.substr(end);

  size_t point = numeric.find('.');
  std::string_view intPart = numeric.substr(0, point);
  std::string_view fracPart =
      point == std::string_view::npos ? std::string_view() : numeric.substr(point + 1);

  // Integer digits from the first '0' on are mandatory; a comma between
  // integer placeholders asks for thousands grouping.
  int minInt = 0;
  bool grouping = false;
  bool seenZero = false;
  bool seenPlaceholder = false;
  for (size_t i = 0; i < intPart.size(); ++i) {
    char c = intPart[i];
    if (c == '0') seenZero = true;
    if (IsDigitPlaceholder(c)) {
      if (seenZero) ++minInt;
      seenPlaceholder = true;
    } else if (c == ',' && seenPlaceholder &&
               intPart.find_first_of("#0", i) != std::string_view::npos) {
      grouping = true;
    }
  }
  int decimals = 0;
  int minFrac = 0;
  for (char c : fracPart) {
    if (!IsDigitPlaceholder(c)) continue;
    ++decimals;
    if (c == '0') minFrac = decimals;
  }

  if (!std::isfinite(value)) return NonFiniteText(value);

  std::string intDigits, fracDigits;
  RoundedDigits(std::fabs(value), decimals, &intDigits, &fracDigits);
  bool isZero = intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;

  while (static_cast<int>(fracDigits.size()) > minFrac && fracDigits.back() == '0')
    fracDigits.pop_back();
  if (static_cast<int>(intDigits.size()) < minInt)
    intDigits.insert(0, static_cast<size_t>(minInt) - intDigits.size(), '0');
  if (grouping && intDigits.size() > 3) {
    std::string grouped;
    size_t lead = intDigits.size() % 3;
    for (size_t i = 0; i < intDigits.size(); ++i) {
      if (i > 0 && (i + 3 - lead) % 3 == 0) grouped += ',';
      grouped += intDigits[i];
    }
    intDigits = grouped;
  }

  std::string out;
  if (value < 0 && !isZero) out += '-';
  out += prefix;
  out += intDigits;
  if (point != std::string_view::npos) {
    out += '.';
    out += fracDigits;
  }
  out += suffix;
  return out;
}

std::string FormatField(double value, std::string_view pattern) {
  std::string text = FormatPattern(value, pattern);
  size_t width = pattern.size();
  if (text.size() > width) return text.substr(text.size() - width);
  return std::string(width - text.size(), ' ') + text;
}

double LeadingNumber(std::string_view text) {
  double value = 0;
  bool inRange = true;
  ScanNumber(text, &value, &inRange);
  return inRange ? value : 0;
}

bool IsNumberText(std::string_view text, double* value, bool* inRange) {
  size_t taken = ScanNumber(text, value, inRange);
  if (taken == 0) return false;
  for (size_t i = taken; i < text.size(); ++i)
    if (!IsBlank(text[i])) return false;
  return true;
}

bool IsNumber(std::string_view text) {
  double value = 0;
  bool inRange = true;
  return IsNumberText(text, &value, &inRange) && inRange;
}

bool IsOutOfRangeNumber(std::string_view text) {
  double value = 0;
  bool inRange = true;
  return IsNumberText(text, &value, &inRange) && !inRange;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double below = std::floor(value);
  double rest = value - below;  // exact: a double minus its floor loses no bits
  if (rest < 0.5) return below;
  if (rest > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

long long FloorToInteger(double value) {
  if (std::isnan(value)) return 0;
  double f = std::floor(value);
  // Clamp rather than overflow: the conversion of an out-of-range double is undefined.
  if (f >= 9223372036854775807.0) return std::numeric_limits<long long>::max();
  if (f <= -9223372036854775808.0) return std::numeric_limits<long long>::min();
  return static_cast<long long>(f);
}

PrintZones& PrintZones::text(std::string_view s) {
  line_ += s;
  return *this;
}

PrintZones& PrintZones::zoned(double value) {
  nextZone();
  line_ += PrintNumber(value);
  return *this;
}

PrintZones& PrintZones::zonedText(std::string_view s) {
  nextZone();
  line_ += s;
  return *this;
}

void PrintZones::nextZone() {
  // Like the comma of a print statement: the first item of a line starts at
  // column 0, every later one at the next zone start past the current column.
  if (line_.empty()) return;
  size_t target = (line_.size() / kZoneWidth + 1) * kZoneWidth;
  line_.append(target - line_.size(), ' ');
}

}  // namespace sonvale
