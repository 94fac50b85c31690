#include "commands/message_language.h"

namespace sonvale {
namespace {

bool EndsABeginning(char c) { return c == ' ' || c == ':' || c == '=' || c == '('; }

std::string TranslateLine(const std::string& line, const TextLookup& lookup) {
  if (line.empty()) return line;
  if (auto whole = lookup(line)) return *whole;
  for (size_t n = line.size() - 1; n > 0; --n) {
    if (!EndsABeginning(line[n - 1])) continue;
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
