#include "exchange/csv_records.h"

#include <cmath>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {

CsvReader::CsvReader(const std::string& path) : name_(path), in_(ReadWholeFile(path)) {
  skipHeader();
}

CsvReader::CsvReader(std::string name, std::string content)
    : name_(std::move(name)), in_(std::move(content)) {
  skipHeader();
}

void CsvReader::skipHeader() {
  std::vector<CsvField> header;
  readRecord(header);
}

bool CsvReader::readRecord(std::vector<CsvField>& out) {
  out.clear();
  if (in_.peek() < 0) return false;
  recordLine_ = in_.line();
  auto atFieldEnd = [&] {
    const int c = in_.peek();
    return c < 0 || c == ',' || c == '\r' || c == '\n';
  };
  for (;;) {
    while (IsBlankOrTab(in_.peek())) in_.get();
    CsvField f;
    if (in_.peek() == '"') {
      f.quoted = true;
      const long startLine = in_.line();
      in_.get();
      for (;;) {
        int c = in_.get();
        if (c < 0) {
          throw FormatError(name_, startLine, "a text field has no closing quote");
        }
        if (c == '"') {
          // Spreadsheets write a quote inside a text as two quotes.
          if (in_.peek() == '"') {
            in_.get();
            f.text += '"';
            continue;
          }
          break;
        }
        f.text += static_cast<char>(c);
      }
      // Whatever follows the closing quote up to the field's end is not part of it.
      while (!atFieldEnd()) in_.get();
    } else {
      const size_t begin = in_.pos();
      while (!atFieldEnd()) in_.get();
      f.text = TrimBlanks(std::string_view(in_.text()).substr(begin, in_.pos() - begin));
    }
    out.push_back(std::move(f));
    int c = in_.get();
    if (c != ',') break;  // a line end or the end of the file ends the record
  }
  return true;
}

bool CsvReader::next() {
  for (;;) {
    if (!readRecord(fields_)) {
      fields_.clear();
      return false;
    }
    const bool blank = fields_.size() == 1 && !fields_[0].quoted && fields_[0].text.empty();
    if (!blank) return true;
  }
}

CsvLeftOut CsvReader::leaveOutRest(long capacity) {
  CsvLeftOut out{1, recordLine_, capacity};
  try {
    while (next()) ++out.records;
  } catch (const FormatError&) {
    ++out.records;  // the open text runs to the end of the file
  }
  fields_.clear();
  return out;
}

void CsvReader::fail(const std::string& message) const {
  throw FormatError(name_, recordLine_, message);
}

void CsvReader::require(size_t n) const {
  if (fields_.size() < n) {
    fail("the record has " + PlainInteger(static_cast<long long>(fields_.size())) +
         " fields, at least " + PlainInteger(static_cast<long long>(n)) + " expected");
  }
}

const CsvField& CsvReader::field(size_t n) const {
  if (n < 1 || n > fields_.size()) {
    fail("the record has no field " + PlainInteger(static_cast<long long>(n)));
  }
  return fields_[n - 1];
}

double CsvReader::number(size_t n) const {
  const std::string& t = field(n).text;
  if (TrimBlanks(t).empty()) return 0;
  if (IsOutOfRangeNumber(t)) {
    fail("field " + PlainInteger(static_cast<long long>(n)) +
         " is a number out of range: " + QuotedExcerpt(t));
  }
  if (!IsNumber(t)) {
    fail("field " + PlainInteger(static_cast<long long>(n)) +
         " is not a number: " + QuotedExcerpt(t));
  }
  return LeadingNumber(t);
}

long CsvReader::count(size_t n) const {
  constexpr double kLargest = 1e9;
  const double r = RoundHalfEven(number(n));
  if (!(std::fabs(r) <= kLargest)) {
    fail("field " + PlainInteger(static_cast<long long>(n)) + " is too large for a count");
  }
  return static_cast<long>(r);
}

}  // namespace sonvale
