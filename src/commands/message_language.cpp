#include "commands/message_language.h"

namespace sonvale {
namespace {

// A beginning ends with a blank, ':', '=' or '(', or just before a blank.
bool EndsABeginning(const std::string& line, size_t n) {
  const char c = line[n - 1];
  return c == ' ' || c == ':' || c == '=' || c == '(' || (n < line.size() && line[n] == ' ');
}

// The rest of a line after a name or a number: its longest known ending, one
// that begins with a blank or ':' and leaves something before it.
std::string TranslateRest(const std::string& rest, const TextLookup& lookup) {
  for (size_t m = 1; m < rest.size(); ++m) {
    if (rest[m] != ' ' && rest[m] != ':') continue;
    if (auto end = lookup(rest.substr(m))) return rest.substr(0, m) + *end;
  }
  return rest;
}

std::string TranslateLine(const std::string& line, const TextLookup& lookup) {
  if (line.empty()) return line;
  if (auto whole = lookup(line)) return *whole;
  for (size_t n = line.size() - 1; n > 0; --n) {
    if (!EndsABeginning(line, n)) continue;
    if (auto start = lookup(line.substr(0, n))) {
      // What follows may itself be a known text (a caption named by the message).
      const std::string rest = line.substr(n);
      if (auto known = lookup(rest)) return *start + *known;
      return *start + TranslateRest(rest, lookup);
    }
  }
  return TranslateRest(line, lookup);
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
