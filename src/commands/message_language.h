// Showing a text of the core in the window's language. Most texts are fixed
// and found whole in the translation; a message made of fixed texts and names
// or numbers ("Vuoi salvare il file " + name + " ?") is found line by line and,
// failing that, piece by piece: the fixed pieces the translation knows (the
// core marks them with SV_TR) are translated, the names and numbers between
// them kept.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sonvale {

// lookup gives the translation of a text, or nullopt when it has none.
using TextLookup = std::function<std::optional<std::string>(const std::string&)>;

// The text translated whole; else each line translated whole or, from left to
// right, by the longest known piece at each place one may begin (the line's
// start, a blank, ':' or '"', a word after a blank, '(' or '"') and end (the
// line's end, after a blank, ':', '=' or '(', before a blank, ':', ')' or '"'),
// pieces of up to 256 characters; what no piece covers stays as it is. A text the translation does
// not know stays as it is.
std::string TranslateText(std::string_view text, const TextLookup& lookup);

}  // namespace sonvale
