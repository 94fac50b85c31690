#include "tracer/xml_text.h"

namespace sonvale {
namespace {

constexpr const char* kCrLf = "\r\n";

// Length of the valid UTF-8 sequence starting at s[i], 0 when there is none.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = byte(i);
  size_t len = 0;
  unsigned int min = 0;
  unsigned int cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2, cp = c & 0x1Fu, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3, cp = c & 0x0Fu, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4, cp = c & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  // U+FFFE and U+FFFF are not XML characters.
  if (cp == 0xFFFE || cp == 0xFFFF) return 0;
  return len;
}

}  // namespace

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        case '\'':
          out += "&apos;";
          break;
        default:
          if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += ' ';
          } else {
            out += static_cast<char>(c);
          }
      }
      ++i;
      continue;
    }
    size_t len = Utf8SequenceLength(text, i);
    if (len > 0) {
      out.append(text.substr(i, len));
      i += len;
    } else {
      // A stray byte, as older drawings carry: the Latin-1 character of that code.
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out;
}

XmlLine::XmlLine(int indent, std::string_view name)
    : name_(name), line_(std::string(static_cast<size_t>(indent < 0 ? 0 : indent), ' ')) {
  line_ += '<';
  line_ += name;
}

XmlLine& XmlLine::attr(std::string_view name, std::string_view value) {
  line_ += ' ';
  line_ += name;
  line_ += "=\"";
  line_ += XmlEscape(value);
  line_ += '"';
  return *this;
}

std::string XmlLine::open() const { return line_ + ">" + kCrLf; }
std::string XmlLine::empty() const { return line_ + "/>" + kCrLf; }
std::string XmlLine::withText(std::string_view text) const {
  return line_ + ">" + XmlEscape(text) + "</" + name_ + ">" + kCrLf;
}

std::string XmlClose(int indent, std::string_view name) {
  return std::string(static_cast<size_t>(indent < 0 ? 0 : indent), ' ') + "</" + std::string(name) +
         ">" + kCrLf;
}

}  // namespace sonvale
