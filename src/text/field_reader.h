// Field-by-field reading of the program's text files (project file, configuration,
// emission tables, CSV): a comma or a line end ends a field, blanks around a field
// are ignored, double quotes delimit a text field, #TRUE# and #FALSE# are flags.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "text/file_text.h"

namespace sonvale {

class FieldReader {
 public:
  // Opens the file; throws FileError when it cannot be read.
  explicit FieldReader(const std::string& path);
  // Reads from a text already in memory; name is used in error messages.
  FieldReader(std::string name, std::string content);

  // The next field as text (quotes removed). Empty lines before a field are
  // skipped. Throws FormatError at the end of the file.
  std::string readText();
  // The next field as a number; throws FormatError when it is not a number.
  double readNumber();
  long readLong();    // number truncated towards zero, must fit a 32-bit long
  short readShort();  // the same for 16 bits
  float readSingle();
  // The next field as a flag: #TRUE# or a non-zero number is true.
  bool readFlag();
  // Discards the rest of the current line (or the whole next line when the last
  // field ended a line).
  void skipLine();
  // True when only blanks and line ends remain.
  bool atEnd();

  // Line number (1-based) of the field last read, for error messages.
  long line() const { return fieldLine_; }
  const std::string& name() const { return name_; }
  // Throws a FormatError at the current field.
  [[noreturn]] void fail(const std::string& message) const;

 private:
  // readText without a copy: valid until the next field is read.
  std::string_view readView();

  std::string name_;
  TextCursor in_;
  std::string quoted_;  // the last quoted field's text
  long fieldLine_ = 1;
  bool lineEnded_ = true;  // the last field ended at a line end (or nothing read yet)
};

// Builds record lines: fields separated by commas, texts in double quotes,
// numbers as plain numbers, flags as #TRUE#/#FALSE#, the line ending with CR LF.
// A double quote inside a text is written as ' and a line break as a blank, so
// that every reader of the layout keeps its fields in step.
class RecordWriter {
 public:
  RecordWriter& text(std::string_view s);
  RecordWriter& number(double v);
  RecordWriter& single(float v);
  RecordWriter& integer(long long v);
  RecordWriter& flag(bool v);
  // The finished line with CR LF; the writer starts a new line afterwards.
  std::string line();

 private:
  void separator();
  std::string line_;
  bool empty_ = true;
};

}  // namespace sonvale
