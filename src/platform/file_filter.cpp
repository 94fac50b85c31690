#include "platform/file_filter.h"

#include <cctype>
#include <vector>

namespace sonvale {
namespace {

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t pos; (pos = s.find(sep, start)) != std::string::npos; start = pos + 1)
    parts.push_back(s.substr(start, pos - start));
  parts.push_back(s.substr(start));
  return parts;
}

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string WithCase(const std::string& s, int (*convert)(int)) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(convert(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string DesktopFileFilter(const std::string& filter) {
  const std::vector<std::string> fields = Split(filter, '|');
  std::string out;
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    std::string patterns;
    auto add = [&patterns](const std::string& p) {
      if (p.empty() || (" " + patterns + " ").find(" " + p + " ") != std::string::npos) return;
      patterns += (patterns.empty() ? "" : " ") + p;
    };
    for (const std::string& raw : Split(fields[i + 1], ';')) {
      const std::string p = Trimmed(raw);
      add(p);
      add(WithCase(p, ::toupper));
      add(WithCase(p, ::tolower));
    }
    if (!out.empty()) out += ";;";
    out += Trimmed(fields[i]) + " (" + patterns + ")";
  }
  return out;
}

}  // namespace sonvale
