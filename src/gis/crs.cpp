#include "gis/crs.h"

#include <ogr_spatialref.h>

#include <cctype>
#include <stdexcept>

#include "gis/gdal_session.h"
#include "text/number_text.h"

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

std::string CrsWkt(int code) {
  GdalSession session;
  OGRSpatialReference srs;
  char* wkt = nullptr;
  if (srs.importFromEPSG(code) != OGRERR_NONE || srs.exportToWkt(&wkt) != OGRERR_NONE) {
    CPLFree(wkt);
    throw std::invalid_argument("EPSG:" + PlainInteger(code) +
                                " is not a coordinate reference system known to PROJ");
  }
  std::string text = wkt;
  CPLFree(wkt);
  return text;
}

}  // namespace sonvale
