#include "exchange/dxf_pairs.h"

#include <cmath>

#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

std::string Code3(int code) { return FormatPattern(code, "###"); }

}  // namespace

std::string_view DxfKeyword(std::string_view value) { return TrimBlanks(value); }

DxfPairReader::DxfPairReader(const std::string& fileName, DxfVariant variant)
    : DxfPairReader(fileName, ReadWholeFile(fileName), variant) {}

DxfPairReader::DxfPairReader(std::string name, std::string content, DxfVariant variant)
    : name_(std::move(name)), content_(std::move(content)), variant_(variant) {
  if (content_.compare(0, kBinarySentinel.size(), kBinarySentinel) == 0) {
    throw FormatError(name_, 1,
                      "this is a binary DXF file, which cannot be read: save the drawing as "
                      "ASCII DXF");
  }
  // A byte-order mark written by some editors is not part of the first group code.
  if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

void DxfPairReader::carryOnPastBadPoints(std::function<void(int codeFound, long line)> report) {
  badPointReport_ = std::move(report);
}

void DxfPairReader::fail(const std::string& message) const {
  throw FormatError(name_, codeLine_, message);
}

bool DxfPairReader::atEnd() const {
  for (size_t i = pos_; i < content_.size(); ++i) {
    char c = content_[i];
    if (!IsBlankOrTab(c) && c != '\r' && c != '\n') return false;
  }
  return true;
}

bool DxfPairReader::nextLine(std::string_view& out) {
  if (pos_ >= content_.size()) return false;
  size_t e = content_.find_first_of("\r\n", pos_);
  if (e == std::string::npos) e = content_.size();
  out = std::string_view(content_).substr(pos_, e - pos_);
  pos_ = e;
  if (pos_ < content_.size()) {
    if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  ++lineNo_;
  return true;
}

bool DxfPairReader::readCode(int& code) {
  if (atEnd()) return false;
  std::string_view line;
  nextLine(line);
  codeLine_ = lineNo_;
  std::string_view t = DxfKeyword(line);
  bool negative = !t.empty() && t.front() == '-';
  if (negative || (!t.empty() && t.front() == '+')) t.remove_prefix(1);
  if (t.empty() || t.size() > 5) fail("Invalid group code line: " + QuotedExcerpt(line));
  long v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') fail("Invalid group code line: " + QuotedExcerpt(line));
    v = v * 10 + (c - '0');
  }
  if (negative) v = -v;
  if (v < -32768 || v > 32767) fail("Invalid group code line: " + QuotedExcerpt(line));
  code = static_cast<int>(v);
  return true;
}

std::string_view DxfPairReader::readValue(int code) {
  std::string_view line;
  if (!nextLine(line)) fail("the file ends after group code " + Code3(code) + " without its value");
  return line;
}

double DxfPairReader::readNumber(int code) {
  std::string_view v = readValue(code);
  if (IsOutOfRangeNumber(v))
    fail("Number out of range for group code " + Code3(code) + ": " + QuotedExcerpt(v));
  if (!IsNumber(v)) fail("Invalid number for group code " + Code3(code) + ": " + QuotedExcerpt(v));
  return LeadingNumber(v);
}

void DxfPairReader::dispatch(DxfPair& p, int code) {
  p.code = code;
  if (code < 10) {
    p.value = std::string(readValue(code));
    return;
  }
  if (code >= 90) {
    // Whole line: handles, texts and counts alike; a comma inside a text must not
    // shift the following pairs.
    p.value = std::string(DxfKeyword(readValue(code)));
    return;
  }
  if ((code >= 20 && code <= 29) || (code >= 80 && code <= 89)) {
    std::string v(readValue(code));
    if (badPointReport_) return;
    fail("Invalid group code " + Code3(code) + ": " + QuotedExcerpt(v));
  }
  double v = readNumber(code);
  if (code >= 70 && code <= 79) {
    long long bits = std::fabs(v) < 9e18 ? static_cast<long long>(v) : 0;
    p.flags = static_cast<short>(bits & 0xFFFF);
    if ((bits & 1) != 0) p.closed = true;
    return;
  }
  if (variant_ == DxfVariant::Polyline) {
    if (code >= 30 && code <= 39) {
      p.z = v;
    } else if (code == 40) {
      p.width1 = v;
    } else if (code == 41) {
      p.width2 = v;
    } else if (code == 43) {
      p.width1 = v;
      p.width2 = v;
    } else {
      p.scratch = v;
    }
  } else {
    p.scratch = v;
  }
}

void DxfPairReader::readPolylinePoint(DxfPair& p, int code) {
  for (;;) {
    const double x = readNumber(code);
    int yCode = 0;
    if (!readCode(yCode)) fail("the file ends after the X of group code " + Code3(code));
    if (yCode == code + 10) {
      p.code = code;
      p.x = x;
      p.y = readNumber(yCode);
      return;
    }
    if (!badPointReport_) fail("Invalid Y coord code " + Code3(yCode));
    badPointReport_(yCode, codeLine_);
    if (yCode < 10 || yCode > 19) {
      dispatch(p, yCode);
      return;
    }
    code = yCode;
  }
}

void DxfPairReader::readFullPoint(DxfPair& p, int code) {
  for (;;) {
    if (code < 10 || code > 19) {
      dispatch(p, code);
      return;
    }
    p.x = readNumber(code);
    int next = 0;
    if (!readCode(next)) fail("the file ends after the X of group code " + Code3(code));
    if (next != code + 10) fail("Invalid Y coord code " + Code3(next));
    p.y = readNumber(next);
    // A partner that is missing leaves the point incomplete: the code found
    // instead is handled in its place, so the caller never sees the point code.
    if (!readCode(next)) {
      p.code = -1;
      return;
    }
    if (next != code + 20) {
      code = next;
      continue;
    }
    p.z = readNumber(next);
    if (variant_ == DxfVariant::Face) {
      p.code = code;
      return;
    }
    if (!readCode(next)) {
      p.code = -1;
      return;
    }
    if (next != code + 30) {
      code = next;
      continue;
    }
    p.radius = readNumber(next);
    p.code = code;
    return;
  }
}

bool DxfPairReader::read(DxfPair& p) {
  int code = 0;
  if (!readCode(code)) return false;
  if (code >= 10 && code <= 19) {
    if (variant_ == DxfVariant::Polyline) {
      readPolylinePoint(p, code);
    } else {
      readFullPoint(p, code);
    }
  } else {
    dispatch(p, code);
  }
  return true;
}

bool DxfPairReader::findEntities(DxfPair& p) {
  while (read(p)) {
    if (p.code == 0 && DxfKeyword(p.value) == "SECTION") {
      if (!read(p)) return false;
      if (DxfKeyword(p.value) == "ENTITIES") return true;
    }
  }
  return false;
}

}  // namespace sonvale
