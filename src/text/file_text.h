// Reading a whole file into memory, the way every text reader of the program
// starts, walking it character by character with its line count, and trimming
// fields.
#pragma once

#include <string>
#include <string_view>

namespace sonvale {

// The bytes of the file; throws FileError naming it when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// A text in memory read character by character, counting lines from 1: a line
// end (CR LF, LF or a lone CR) reads as one '\n'. A byte order mark in front,
// as some editors and spreadsheets write, is skipped.
class TextCursor {
 public:
  TextCursor() = default;
  explicit TextCursor(std::string text);
  int peek() const {  // -1 at the end
    return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
  }
  int get() {  // a line end (CR, LF or CR LF) comes as one '\n'
    if (pos_ >= text_.size()) return -1;
    int c = static_cast<unsigned char>(text_[pos_++]);
    if (c == '\r') {
      if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
      c = '\n';
    }
    if (c == '\n') ++line_;
    return c;
  }
  long line() const { return line_; }
  const std::string& text() const { return text_; }
  size_t pos() const { return pos_; }
  // Moves over, or back over, blanks of the current line only.
  void seek(size_t pos) { pos_ = pos; }
  // True when only blanks, tabs and line ends remain.
  bool onlyBlanksLeft() const;

 private:
  std::string text_;
  size_t pos_ = 0;
  long line_ = 1;
};

// Blanks and tabs: what is trimmed around a field or a keyword.
inline bool IsBlankOrTab(int c) { return c == ' ' || c == '\t'; }
// s without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view s);
// s with A-Z as a-z, every other byte as it is.
std::string AsciiLower(std::string_view s);

}  // namespace sonvale
