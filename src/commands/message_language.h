// Showing a text of the core in the window's language. Most texts are fixed
// and found whole in the translation; a message made of a fixed text and a
// name or a number ("Vuoi salvare il file " + name + " ?") is found line by
// line and, failing that, by the longest fixed beginning and ending of the
// line that the translation knows (the core marks them with SV_TR).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sonvale {

// lookup gives the translation of a text, or nullopt when it has none.
using TextLookup = std::function<std::optional<std::string>(const std::string&)>;

// The text translated whole; else each line translated whole or by its
// longest known beginning (one ending in a blank, ':', '=' or '(', or just
// before a blank) and its longest known ending (one beginning with a blank or
// ':', " da rimpiazzare."), what stands between them (names, numbers) kept as it
// is; a rest after a beginning that is a known text whole is translated whole.
// A text the translation does not know stays as it is.
std::string TranslateText(std::string_view text, const TextLookup& lookup);

}  // namespace sonvale
