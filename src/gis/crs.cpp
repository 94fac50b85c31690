#include "gis/crs.h"

#include <cctype>

namespace sonvale {

std::optional<int> ParseEpsg(const std::string& text) {
  if (text.size() < 6 || text.size() > 14) return std::nullopt;
  for (size_t k = 0; k < 5; ++k) {
    if (std::toupper(static_cast<unsigned char>(text[k])) != "EPSG:"[k]) return std::nullopt;
  }
  int code = 0;
  for (size_t k = 5; k < text.size(); ++k) {
    if (!std::isdigit(static_cast<unsigned char>(text[k]))) return std::nullopt;
    code = code * 10 + (text[k] - '0');
  }
  if (code <= 0) return std::nullopt;
  return code;
}

}  // namespace sonvale
