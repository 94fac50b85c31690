#include "exchange/xyz_extract.h"

#include <filesystem>
#include <string_view>

#include "platform/atomic_file.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

// Lines ending with CR LF, LF or CR, numbered from 1.
class LineSource {
 public:
  LineSource(const std::string& name, const std::string& text) : name_(name), text_(text) {
    if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  }
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string::npos) end = text_.size();
    line = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) pos_ += text_.compare(pos_, 2, "\r\n") == 0 ? 2 : 1;
    ++lineNo_;
    return true;
  }
  bool onlyBlanksLeft() const {
    return text_.find_first_not_of(" \t\r\n", pos_) == std::string::npos;
  }
  long line() const { return lineNo_; }
  [[noreturn]] void fail(const std::string& message) const {
    throw FormatError(name_, lineNo_, message);
  }

 private:
  const std::string& name_;
  const std::string& text_;
  size_t pos_ = 0;
  long lineNo_ = 0;
};

std::string_view Trimmed(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

std::string XyzOutputName(const std::string& inputName) {
  if (inputName.size() <= 4) return inputName + ".txt";
  return inputName.substr(0, inputName.size() - 4) + ".txt";
}

std::string XyzText(const std::string& name, const std::string& content) {
  LineSource in(name, content);
  std::string_view first, second;
  for (;;) {
    if (!in.next(first) || !in.next(second)) {
      throw FormatError(name, in.line(), "no ENTITIES section: this is not a DXF drawing");
    }
    if (Trimmed(second) == "ENTITIES") break;
  }

  std::string out;
  std::string layer;
  double x = 0, y = 0, z = 0;
  std::string_view codeLine, value;
  while (!in.onlyBlanksLeft()) {
    in.next(codeLine);
    if (!IsNumber(codeLine)) in.fail("group code expected, not " + QuotedExcerpt(codeLine));
    const double code = RoundHalfEven(LeadingNumber(codeLine));
    if (!in.next(value)) in.fail("group code without a value at the end of the file");
    const bool coordinate = code == 10 || code == 20 || code == 30 || code == 38 || code == 43;
    if (coordinate && !IsNumber(value)) {
      in.fail("a number expected for group " + PlainNumber(code) + ", not " + QuotedExcerpt(value));
    }
    bool write = false;
    if (code == 0) {
      if (Trimmed(value) == "EOF") break;
    } else if (code == 8) {
      layer = Trimmed(value);
    } else if (code == 10) {
      x = LeadingNumber(value);
    } else if (code == 20) {
      y = LeadingNumber(value);
      if (z > 0) write = true;
      const double layerZ = LeadingNumber(layer);
      if (z == 0 && layerZ > 0) {
        z = layerZ;
        write = true;
      }
    } else if (code == 30) {
      z = LeadingNumber(value);
      if (z > 0) write = true;
    } else if (code == 38 || code == 43) {
      z = LeadingNumber(value);
    }
    if (write) out += PrintZones().zoned(x).zoned(y).zoned(z).str() + "\r\n";
  }
  return out;
}

void ExtractXyz(const std::string& inputName, const std::string& outputName) {
  std::error_code ec;
  if (std::filesystem::equivalent(inputName, outputName, ec)) {
    throw FileError(outputName, "the points would replace the drawing they are read from");
  }
  const std::string content = ReadWholeFile(inputName);
  WriteFileAtomically(outputName, XyzText(inputName, content));
}

}  // namespace sonvale
