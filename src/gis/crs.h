// Coordinate reference systems as the command line and the window name them: "EPSG:n".
#pragma once

#include <optional>
#include <string>

namespace sonvale {

// The code n of "EPSG:n" (case-insensitive prefix), or nothing when the text is
// not of that form.
std::optional<int> ParseEpsg(const std::string& text);

}  // namespace sonvale
