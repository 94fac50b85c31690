// The model as GIS layers in a GeoPackage, for checking it in a GIS: roads with
// their traffic and emission levels, tracks, buildings and barriers with their
// heights, receiver points (with their computed levels when given) and point
// sources.
#pragma once

#include <map>
#include <string>

#include "gis/point_levels.h"
#include "model/project.h"

namespace sonvale {

struct GisExportSummary {
  std::map<std::string, long> features;  // layer -> features written
  long skipped = 0;  // buildings with fewer than three vertices, written as no polygon
};

// Writes the layers strade, binari, case, barriere, punti and sorgenti (each
// also when empty); levels, keyed by point number, fill the punti layer's
// LeqDay and LeqNight. The file is replaced only once complete; crsWkt may be
// empty. Throws FileError naming the file.
GisExportSummary ExportGis(const Project& p, const std::string& path, const std::string& crsWkt,
                           const std::map<long, PointLevels>& levels);

}  // namespace sonvale
