#include "commands/message_language.h"

#include <algorithm>

namespace sonvale {
namespace {

// A known piece of a line begins at the line's start, at a blank, ':' or '"',
// or at a word after a blank, '(' or '"'; it ends at the line's end, after a
// blank, ':', '=' or '(', or before a blank, ':', ')' or '"'. Names and numbers
// stand between pieces; a piece never starts or ends inside a word.
bool StartsAPiece(const std::string& line, size_t at) {
  if (at == 0) return true;
  const char c = line[at], before = line[at - 1];
  return c == ' ' || c == ':' || c == '"' || before == ' ' || before == '(' || before == '"';
}

bool EndsAPiece(const std::string& line, size_t end) {
  if (end == line.size()) return true;
  const char last = line[end - 1], next = line[end];
  return last == ' ' || last == ':' || last == '=' || last == '(' || next == ' ' || next == ':' ||
         next == ')' || next == '"';
}

// Pieces are short (the longest marked text is about 120 characters); looking
// no further keeps a long line (a list, a long path) from a number of lookups
// that grows with the square of its length.
constexpr size_t kLongestPiece = 256;

// From left to right, the longest known piece at each place a piece may begin;
// what no piece covers is kept as it is.
std::string TranslateLine(const std::string& line, const TextLookup& lookup) {
  if (line.empty()) return line;
  if (auto whole = lookup(line)) return *whole;
  std::string out;
  size_t at = 0;
  while (at < line.size()) {
    std::optional<std::string> piece;
    size_t end = std::min(line.size(), at + kLongestPiece);
    if (StartsAPiece(line, at)) {
      for (; end > at; --end) {
        if (EndsAPiece(line, end) && (piece = lookup(line.substr(at, end - at)))) break;
      }
    }
    if (piece) {
      out += *piece;
      at = end;
    } else {
      out += line[at++];
    }
  }
  return out;
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
