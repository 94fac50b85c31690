// Coordinate reference systems as the command line names them: "EPSG:n".
#pragma once

#include <optional>
#include <string>

namespace sonvale {

// The code n of "EPSG:n" (case-insensitive prefix), or nothing when the text is
// not of that form.
std::optional<int> ParseEpsg(const std::string& text);

// The WKT of EPSG:code; throws std::invalid_argument when PROJ does not know it.
std::string CrsWkt(int code);

}  // namespace sonvale
