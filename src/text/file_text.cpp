#include "text/file_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text/file_error.h"

namespace sonvale {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, std::string("cannot open the file: ") + std::strerror(errno));
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) throw FileError(path, std::string("cannot read the file: ") + std::strerror(errno));
  return std::move(buffer).str();
}

TextCursor::TextCursor(std::string text) : text_(std::move(text)) {
  if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

bool TextCursor::onlyBlanksLeft() const {
  for (size_t i = pos_; i < text_.size(); ++i) {
    const char c = text_[i];
    if (!IsBlankOrTab(c) && c != '\r' && c != '\n') return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsBlankOrTab(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlankOrTab(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
  return out;
}

}  // namespace sonvale
