#include "text/field_reader.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool IsBlankOrTab(int c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsBlankOrTab(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlankOrTab(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 'a' + 'A') : b[i];
    if (x != y) return false;
  }
  return true;
}


}  // namespace

FieldReader::FieldReader(const std::string& path) : name_(path) {
  content_ = ReadWholeFile(path);
  // Text editors on other systems may put a byte order mark in front.
  if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

FieldReader::FieldReader(std::string name, std::string content)
    : name_(std::move(name)), content_(std::move(content)) {
  if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

int FieldReader::peek() const {
  return pos_ < content_.size() ? static_cast<unsigned char>(content_[pos_]) : -1;
}

// Returns the next character; a line end (CR LF, LF or a lone CR) comes back as
// one '\n' and advances the line count.
int FieldReader::get() {
  if (pos_ >= content_.size()) return -1;
  int c = static_cast<unsigned char>(content_[pos_++]);
  if (c == '\r') {
    if (pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
    c = '\n';
  }
  if (c == '\n') ++lineNo_;
  return c;
}

std::string FieldReader::readText() {
  // Blanks and empty lines before a field are not part of it.
  for (;;) {
    int c = peek();
    if (IsBlankOrTab(c) || c == '\r' || c == '\n')
      get();
    else
      break;
  }
  fieldLine_ = lineNo_;
  if (peek() < 0) {
    // Report the last line of the file rather than the one after its final line end.
    if (lineNo_ > 1 && !content_.empty() && (content_.back() == '\n' || content_.back() == '\r'))
      fieldLine_ = lineNo_ - 1;
    fail("unexpected end of file");
  }

  std::string field;
  if (peek() == '"') {
    get();
    for (;;) {
      int c = get();
      if (c < 0) fail("a text field has no closing quote");
      if (c == '"') break;
      field += static_cast<char>(c);
    }
    // Whatever follows the closing quote up to the field's end is not part of it.
    for (;;) {
      int c = peek();
      if (c < 0 || c == ',' || c == '\r' || c == '\n') break;
      get();
    }
  } else {
    size_t begin = pos_;
    while (pos_ < content_.size() && content_[pos_] != ',' && content_[pos_] != '\r' &&
           content_[pos_] != '\n')
      ++pos_;
    field = Trim(std::string_view(content_).substr(begin, pos_ - begin));
  }

  // The field's end: a comma (itself ending the line when only blanks follow
  // before a line end), a line end, or the end of the file.
  lineEnded_ = false;
  int c = peek();
  if (c == ',') {
    get();
    size_t save = pos_;
    while (IsBlankOrTab(peek())) ++pos_;
    int next = peek();
    if (next == '\r' || next == '\n') {
      get();
      lineEnded_ = true;
    } else if (next < 0) {
      lineEnded_ = true;
    } else {
      pos_ = save;
    }
  } else if (c == '\r' || c == '\n') {
    get();
    lineEnded_ = true;
  } else {
    lineEnded_ = true;  // end of file
  }
  return field;
}

double FieldReader::readNumber() {
  std::string field = readText();
  // An empty field reads as 0, as the program's text input always did.
  if (field.empty()) return 0;
  if (EqualsNoCase(field, "#TRUE#")) return -1;
  if (EqualsNoCase(field, "#FALSE#")) return 0;
  if (!IsNumber(field)) fail("a number was expected, found " + QuotedExcerpt(field));
  return LeadingNumber(field);
}

long FieldReader::readLong() {
  double v = std::trunc(readNumber());
  if (v < -2147483648.0 || v > 2147483647.0) fail("number out of range: " + PlainNumber(v));
  return static_cast<long>(v);
}

short FieldReader::readShort() {
  double v = std::trunc(readNumber());
  if (v < -32768.0 || v > 32767.0) fail("number out of range: " + PlainNumber(v));
  return static_cast<short>(v);
}

float FieldReader::readSingle() {
  double v = readNumber();
  if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
    fail("number out of range: " + PlainNumber(v));
  return static_cast<float>(v);
}

bool FieldReader::readFlag() {
  std::string field = readText();
  if (EqualsNoCase(field, "#TRUE#")) return true;
  if (EqualsNoCase(field, "#FALSE#")) return false;
  if (!field.empty() && IsNumber(field)) return LeadingNumber(field) != 0;
  fail("#TRUE# or #FALSE# was expected, found " + QuotedExcerpt(field));
}

void FieldReader::skipLine() {
  // After a field that ended its line this discards the whole next line,
  // otherwise the rest of the current one: the same walk to the next line end.
  for (;;) {
    int c = get();
    if (c < 0 || c == '\n') break;
  }
  lineEnded_ = true;
}

bool FieldReader::atEnd() {
  for (size_t i = pos_; i < content_.size(); ++i) {
    char c = content_[i];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return true;
}

void FieldReader::fail(const std::string& message) const {
  throw FormatError(name_, fieldLine_, message);
}

RecordWriter& RecordWriter::text(std::string_view s) {
  separator();
  line_ += '"';
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      line_ += '\'';
    } else if (c == '\r' || c == '\n') {
      line_ += ' ';
      if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;  // CR LF is one break
    } else {
      line_ += c;
    }
  }
  line_ += '"';
  return *this;
}

RecordWriter& RecordWriter::number(double v) {
  separator();
  line_ += PlainNumber(v);
  return *this;
}

RecordWriter& RecordWriter::single(float v) {
  separator();
  line_ += PlainSingle(v);
  return *this;
}

RecordWriter& RecordWriter::integer(long long v) {
  separator();
  line_ += PlainInteger(v);
  return *this;
}

RecordWriter& RecordWriter::flag(bool v) {
  separator();
  line_ += v ? "#TRUE#" : "#FALSE#";
  return *this;
}

std::string RecordWriter::line() {
  std::string out = std::move(line_);
  out += "\r\n";
  line_.clear();
  empty_ = true;
  return out;
}

void RecordWriter::separator() {
  if (!empty_) line_ += ',';
  empty_ = false;
}

}  // namespace sonvale
