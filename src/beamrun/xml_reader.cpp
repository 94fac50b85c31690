#include "beamrun/xml_reader.h"

#include <cctype>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

class Parser {
 public:
  Parser(const std::string& file, const std::string& s) : file_(file), s_(s) {}

  std::unique_ptr<XmlNode> document() {
    skipMisc();
    if (atEnd() || peek() != '<') fail("no root element");
    auto root = element();
    skipMisc();
    if (!atEnd()) fail("content after the root element");
    return root;
  }

 private:
  bool atEnd() const { return pos_ >= s_.size(); }
  char peek() const { return atEnd() ? '\0' : s_[pos_]; }
  bool startsWith(const char* t) const {
    return s_.compare(pos_, std::char_traits<char>::length(t), t) == 0;
  }
  char get() {
    char c = s_[pos_++];
    if (c == '\n') ++line_;
    return c;
  }
  [[noreturn]] void fail(const std::string& message) const {
    throw FormatError(file_, line_, message);
  }

  void skipBlanks() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n')) get();
  }
  void skipUntil(const char* end) {
    size_t len = std::char_traits<char>::length(end);
    while (!atEnd() && !startsWith(end)) get();
    if (atEnd()) fail(std::string("missing \"") + end + "\"");
    for (size_t k = 0; k < len; ++k) get();
  }
  // Blanks, comments and processing instructions (the declaration among them).
  void skipMisc() {
    for (;;) {
      skipBlanks();
      if (startsWith("<?")) {
        skipUntil("?>");
      } else if (startsWith("<!--")) {
        skipUntil("-->");
      } else {
        return;
      }
    }
  }

  static bool NameChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '-' || c == '.' || c == ':' || u >= 0x80;
  }
  std::string name() {
    std::string n;
    while (!atEnd() && NameChar(peek())) n += get();
    if (n.empty()) fail("a name is expected");
    return n;
  }

  static void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  // After the "&": the entity up to ";".
  void entity(std::string& out) {
    std::string ref;
    while (!atEnd() && peek() != ';' && ref.size() < 12) ref += get();
    if (atEnd() || peek() != ';') fail("unterminated entity reference");
    get();
    if (ref == "amp")
      out += '&';
    else if (ref == "lt")
      out += '<';
    else if (ref == "gt")
      out += '>';
    else if (ref == "quot")
      out += '"';
    else if (ref == "apos")
      out += '\'';
    else if (ref.size() > 1 && ref[0] == '#') {
      bool hex = ref[1] == 'x';
      std::string digits = ref.substr(hex ? 2 : 1);
      if (digits.empty()) fail("bad character reference &" + SafeExcerpt(ref) + ";");
      unsigned long cp = 0;
      for (char c : digits) {
        int d = hex ? (std::isxdigit(static_cast<unsigned char>(c))
                           ? (std::isdigit(static_cast<unsigned char>(c))
                                  ? c - '0'
                                  : (std::tolower(c) - 'a' + 10))
                           : -1)
                    : (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : -1);
        if (d < 0) fail("bad character reference &" + SafeExcerpt(ref) + ";");
        cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
        if (cp > 0x10FFFF) fail("bad character reference &" + SafeExcerpt(ref) + ";");
      }
      AppendUtf8(out, cp);
    } else {
      fail("unknown entity &" + SafeExcerpt(ref) + ";");
    }
  }

  std::unique_ptr<XmlNode> element() {
    auto node = std::make_unique<XmlNode>();
    node->line = line_;
    get();  // '<'
    node->name = name();
    for (;;) {
      skipBlanks();
      if (atEnd()) fail("unterminated element <" + SafeExcerpt(node->name) + ">");
      if (startsWith("/>")) {
        get(), get();
        return node;
      }
      if (peek() == '>') {
        get();
        break;
      }
      std::string key = name();
      skipBlanks();
      if (peek() != '=') fail("attribute " + SafeExcerpt(key) + " has no value");
      get();
      skipBlanks();
      char quote = peek();
      if (quote != '"' && quote != '\'') fail("attribute " + SafeExcerpt(key) + " is not quoted");
      get();
      std::string value;
      while (!atEnd() && peek() != quote) {
        char c = get();
        if (c == '<') fail("\"<\" in the value of attribute " + SafeExcerpt(key));
        if (c == '&') {
          entity(value);
        } else {
          value += c;
        }
      }
      if (atEnd()) fail("unterminated value of attribute " + SafeExcerpt(key));
      get();
      for (const auto& a : node->attributes)
        if (a.first == key) fail("attribute " + SafeExcerpt(key) + " given twice");
      node->attributes.emplace_back(key, value);
    }
    // Content up to the matching closing tag.
    for (;;) {
      if (atEnd()) fail("element <" + SafeExcerpt(node->name) + "> is not closed");
      if (startsWith("</")) {
        get(), get();
        std::string closing = name();
        skipBlanks();
        if (peek() != '>') fail("bad closing tag </" + SafeExcerpt(closing));
        get();
        if (closing != node->name) {
          fail("</" + SafeExcerpt(closing) + "> closes <" + SafeExcerpt(node->name) + ">");
        }
        return node;
      }
      if (startsWith("<!--")) {
        skipUntil("-->");
      } else if (startsWith("<?")) {
        skipUntil("?>");
      } else if (peek() == '<') {
        node->children.push_back(element());
      } else {
        char c = get();
        if (c == '&') {
          entity(node->text);
        } else {
          node->text += c;
        }
      }
    }
  }

  const std::string& file_;
  const std::string& s_;
  size_t pos_ = 0;
  long line_ = 1;
};

}  // namespace

const std::string* XmlNode::attribute(const std::string& key) const {
  for (const auto& a : attributes)
    if (a.first == key) return &a.second;
  return nullptr;
}

std::vector<const XmlNode*> XmlNode::childrenNamed(const std::string& element) const {
  std::vector<const XmlNode*> out;
  for (const auto& c : children)
    if (c->name == element) out.push_back(c.get());
  return out;
}

const XmlNode* XmlNode::child(const std::string& element) const {
  for (const auto& c : children)
    if (c->name == element) return c.get();
  return nullptr;
}

std::unique_ptr<XmlNode> ParseXml(const std::string& fileName, const std::string& content) {
  return Parser(fileName, content).document();
}

std::unique_ptr<XmlNode> ReadXmlFile(const std::string& path) {
  return ParseXml(path, ReadWholeFile(path));
}

}  // namespace sonvale
