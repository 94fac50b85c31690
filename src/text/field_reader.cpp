#include "text/field_reader.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 'a' + 'A') : b[i];
    if (x != y) return false;
  }
  return true;
}

// A comma, a line end or the end of the text (-1) ends an unquoted field.
bool EndsField(int c) { return c < 0 || c == ',' || c == '\r' || c == '\n'; }

}  // namespace

FieldReader::FieldReader(const std::string& path) : name_(path), in_(ReadWholeFile(path)) {}

FieldReader::FieldReader(std::string name, std::string content)
    : name_(std::move(name)), in_(std::move(content)) {}

std::string FieldReader::readText() { return std::string(readView()); }

std::string_view FieldReader::readView() {
  // Blanks and empty lines before a field are not part of it.
  for (;;) {
    int c = in_.peek();
    if (IsBlankOrTab(c) || c == '\r' || c == '\n')
      in_.get();
    else
      break;
  }
  fieldLine_ = in_.line();
  if (in_.peek() < 0) {
    // Report the last line of the file rather than the one after its final line end.
    const std::string& text = in_.text();
    if (in_.line() > 1 && !text.empty() && (text.back() == '\n' || text.back() == '\r'))
      fieldLine_ = in_.line() - 1;
    fail("unexpected end of file");
  }

  std::string_view field;
  if (in_.peek() == '"') {
    in_.get();
    quoted_.clear();
    for (;;) {
      int c = in_.get();
      if (c < 0) fail("a text field has no closing quote");
      if (c == '"') break;
      quoted_ += static_cast<char>(c);
    }
    field = quoted_;
    // Whatever follows the closing quote up to the field's end is not part of it.
    while (!EndsField(in_.peek())) in_.get();
  } else {
    // The field holds no line end: the cursor moves to its end at once.
    const std::string_view text = in_.text();
    const size_t begin = in_.pos();
    size_t end = begin;
    while (end < text.size() && !EndsField(static_cast<unsigned char>(text[end]))) ++end;
    in_.seek(end);
    field = TrimBlanks(text.substr(begin, end - begin));
  }

  // The field's end: a comma (itself ending the line when only blanks follow
  // before a line end), a line end, or the end of the file.
  lineEnded_ = false;
  int c = in_.peek();
  if (c == ',') {
    in_.get();
    const size_t save = in_.pos();
    while (IsBlankOrTab(in_.peek())) in_.get();
    int next = in_.peek();
    if (next == '\r' || next == '\n') {
      in_.get();
      lineEnded_ = true;
    } else if (next < 0) {
      lineEnded_ = true;
    } else {
      in_.seek(save);
    }
  } else if (c == '\r' || c == '\n') {
    in_.get();
    lineEnded_ = true;
  } else {
    lineEnded_ = true;  // end of file
  }
  return field;
}

double FieldReader::readNumber() {
  const std::string_view field = readView();
  // An empty field reads as 0, as the program's text input always did.
  if (field.empty()) return 0;
  if (EqualsNoCase(field, "#TRUE#")) return -1;
  if (EqualsNoCase(field, "#FALSE#")) return 0;
  double value = 0;
  bool inRange = true;
  const bool number = IsNumberText(field, &value, &inRange);
  if (number && !inRange) fail("number out of range: " + QuotedExcerpt(field));
  if (!number) fail("a number was expected, found " + QuotedExcerpt(field));
  return value;
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
  const std::string_view field = readView();
  if (EqualsNoCase(field, "#TRUE#")) return true;
  if (EqualsNoCase(field, "#FALSE#")) return false;
  double value = 0;
  bool inRange = true;
  if (IsNumberText(field, &value, &inRange) && inRange) return value != 0;
  fail("#TRUE# or #FALSE# was expected, found " + QuotedExcerpt(field));
}

void FieldReader::skipLine() {
  // After a field that ended its line this discards the whole next line,
  // otherwise the rest of the current one: the same walk to the next line end.
  for (;;) {
    int c = in_.get();
    if (c < 0 || c == '\n') break;
  }
  lineEnded_ = true;
}

bool FieldReader::atEnd() { return in_.onlyBlanksLeft(); }

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
