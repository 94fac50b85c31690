// Lines of the tracer's XML files: one element per line at a given indentation,
// attributes in a fixed order, values escaped so that any stored name stays
// well-formed XML.
#pragma once

#include <string>
#include <string_view>

namespace sonvale {

// The text with the five XML special characters written as entities (&amp; &lt;
// &gt; &quot; &apos;), control characters other than tab, line feed and carriage
// return (not allowed in XML) replaced by a blank, and bytes that do not form
// UTF-8 taken as Latin-1 characters, so that the declared encoding holds.
std::string XmlEscape(std::string_view text);

// Builds one element line: indentation, "<name", then ` attr="value"` per
// attribute in call order.
class XmlLine {
 public:
  XmlLine(int indent, std::string_view name);
  // Adds an attribute; the value is escaped.
  XmlLine& attr(std::string_view name, std::string_view value);
  // The line of an element with child lines ("...>") and of an empty one (".../>"),
  // each ending with CR LF.
  std::string open() const;
  std::string empty() const;
  // The line of an element holding text: "<name ...>text</name>" (text escaped).
  std::string withText(std::string_view text) const;

 private:
  std::string name_;
  std::string line_;
};

// "</name>" at the indentation, with CR LF.
std::string XmlClose(int indent, std::string_view name);

inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

}  // namespace sonvale
