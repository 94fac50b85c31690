// Quoting a piece of a file in an error message. Whatever a file holds, the quoted
// excerpt is short and prints as plain text: a garbled or hostile file can neither
// flood the message nor send control sequences to the terminal that shows it.
#pragma once

#include <string>
#include <string_view>

namespace sonvale {

// How many characters of the text an excerpt shows at most.
inline constexpr size_t kExcerptCharacters = 40;

// The text cut after kExcerptCharacters characters, "..." marking the cut. Control
// characters (C0, DEL and C1) and bytes that are not UTF-8 are written as escapes
// (\t, \n, \r, \xHH, \u0085); a double quote or a backslash of the text is
// preceded by a backslash. Each escape counts as one character.
std::string SafeExcerpt(std::string_view text);

// The same between double quotes: what a message shows of a field or a line.
std::string QuotedExcerpt(std::string_view text);

}  // namespace sonvale
