#include "commands/message_language.h"

namespace sonvale {
namespace {

// A beginning ends with a blank, ':', '=' or '(', or just before a blank.
bool EndsABeginning(const std::string& line, size_t n) {
  const char c = line[n - 1];
  return c == ' ' || c == ':' || c == '=' || c == '(' || (n < line.size() && line[n] == ' ');
}

std::string TranslateLine(const std::string& line, const TextLookup& lookup) {
  if (line.empty()) return line;
  if (auto whole = lookup(line)) return *whole;
  for (size_t n = line.size() - 1; n > 0; --n) {
    if (!EndsABeginning(line, n)) continue;
    if (auto start = lookup(line.substr(0, n))) return *start + line.substr(n);
  }
  return line;
}

}  // namespace

std::string TranslateText(std::string_view text, const TextLookup& lookup) {
  const std::string all(text);
  if (all.empty()) return all;
  if (auto whole = lookup(all)) return *whole;
  std::string out;
  size_t from = 0;
  while (true) {
    const size_t end = all.find('\n', from);
    out += TranslateLine(
        all.substr(from, end == std::string::npos ? std::string::npos : end - from), lookup);
    if (end == std::string::npos) break;
    out += '\n';
    from = end + 1;
  }
  return out;
}

}  // namespace sonvale
