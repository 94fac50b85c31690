// A small XML reader for the job and model files the tracer is given: elements,
// attributes in single or double quotes, text, the five named entities and
// character references; the declaration, comments and processing instructions
// are skipped. Not a general XML parser: no DTD, no namespaces, no CDATA.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sonvale {

struct XmlNode {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in file order
  std::string text;  // character data directly inside the element, blanks kept
  std::vector<std::unique_ptr<XmlNode>> children;
  long line = 0;  // where the element starts

  // The attribute value, or nullptr when it is absent.
  const std::string* attribute(const std::string& key) const;
  // The children with that element name, in order.
  std::vector<const XmlNode*> childrenNamed(const std::string& element) const;
  const XmlNode* child(const std::string& element) const;
};

// Parses a whole document; throws FormatError naming the file and line when it
// is not well-formed (unclosed or mismatched element, bad attribute, unknown
// entity, no root element, content after the root).
std::unique_ptr<XmlNode> ParseXml(const std::string& fileName, const std::string& content);
// Reads and parses a file; throws FileError when it cannot be read.
std::unique_ptr<XmlNode> ReadXmlFile(const std::string& path);

}  // namespace sonvale
