#include "text/quote.h"

namespace sonvale {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string HexEscape(unsigned char b) { return std::string("\\x") + kHex[b >> 4] + kHex[b & 15]; }

// The length of the well-formed UTF-8 sequence at the start of s, 0 when it is not one
// (overlong forms, surrogates and code points beyond U+10FFFF included).
size_t Utf8Length(std::string_view s, char32_t* codePoint) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  size_t n = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    *codePoint = b0;
    return 1;
  } else if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *codePoint = cp;
  return n;
}

}  // namespace

std::string SafeExcerpt(std::string_view text) {
  std::string out;
  size_t shown = 0;
  size_t pos = 0;
  while (pos < text.size() && shown < kExcerptCharacters) {
    char32_t cp = 0;
    const size_t n = Utf8Length(text.substr(pos), &cp);
    if (n == 0) {
      out += HexEscape(static_cast<unsigned char>(text[pos]));
      pos += 1;
    } else {
      if (cp == '\t') {
        out += "\\t";
      } else if (cp == '\n') {
        out += "\\n";
      } else if (cp == '\r') {
        out += "\\r";
      } else if (cp < 0x20 || cp == 0x7F) {
        out += HexEscape(static_cast<unsigned char>(cp));
      } else if (cp >= 0x80 && cp <= 0x9F) {
        out += std::string("\\u00") + kHex[cp >> 4] + kHex[cp & 15];
      } else if (cp == '"' || cp == '\\') {
        out += '\\';
        out += static_cast<char>(cp);
      } else {
        out.append(text.substr(pos, n));
      }
      pos += n;
    }
    ++shown;
  }
  if (pos < text.size()) out += "...";
  return out;
}

std::string QuotedExcerpt(std::string_view text) { return "\"" + SafeExcerpt(text) + "\""; }

}  // namespace sonvale
