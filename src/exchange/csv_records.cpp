#include "exchange/csv_records.h"

#include <cmath>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}


}  // namespace

CsvReader::CsvReader(const std::string& path) : name_(path) {
  content_ = ReadWholeFile(path);
  skipHeader();
}

CsvReader::CsvReader(std::string name, std::string content)
    : name_(std::move(name)), content_(std::move(content)) {
  skipHeader();
}

void CsvReader::skipHeader() {
  // Spreadsheets on some systems put a byte order mark in front.
  if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  std::vector<CsvField> header;
  readRecord(header);
}

int CsvReader::peek() const {
  return pos_ < content_.size() ? static_cast<unsigned char>(content_[pos_]) : -1;
}

// A line end (CR LF, LF or a lone CR) comes back as one '\n'.
int CsvReader::get() {
  if (pos_ >= content_.size()) return -1;
  int c = static_cast<unsigned char>(content_[pos_++]);
  if (c == '\r') {
    if (pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
    c = '\n';
  }
  if (c == '\n') ++lineNo_;
  return c;
}

bool CsvReader::readRecord(std::vector<CsvField>& out) {
  out.clear();
  if (peek() < 0) return false;
  recordLine_ = lineNo_;
  for (;;) {
    while (IsBlank(peek())) get();
    CsvField f;
    if (peek() == '"') {
      f.quoted = true;
      const long startLine = lineNo_;
      get();
      for (;;) {
        int c = get();
        if (c < 0) {
          throw FormatError(name_, startLine, "a text field has no closing quote");
        }
        if (c == '"') {
          // Spreadsheets write a quote inside a text as two quotes.
          if (peek() == '"') {
            get();
            f.text += '"';
            continue;
          }
          break;
        }
        f.text += static_cast<char>(c);
      }
      // Whatever follows the closing quote up to the field's end is not part of it.
      while (peek() >= 0 && peek() != ',' && peek() != '\r' && peek() != '\n') get();
    } else {
      std::string raw;
      while (peek() >= 0 && peek() != ',' && peek() != '\r' && peek() != '\n') {
        raw += static_cast<char>(get());
      }
      f.text = Trim(raw);
    }
    out.push_back(std::move(f));
    int c = get();
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
  if (Trim(t).empty()) return 0;
  if (!IsNumber(t)) {
    fail("field " + PlainInteger(static_cast<long long>(n)) + " is not a number: " + QuotedExcerpt(t));
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
