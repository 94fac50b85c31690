#include "gis_commands/crs_wkt.h"

#include <ogr_spatialref.h>

#include <stdexcept>

#include "gis_commands/gdal_session.h"
#include "text/number_text.h"

namespace sonvale {

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
