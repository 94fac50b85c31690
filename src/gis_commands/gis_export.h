// The model as GIS layers (GeoPackage, Shapefile or GeoJSON), for checking it in a GIS: roads with
// their traffic and emission levels, tracks, buildings and barriers with their
// heights, receiver points (with their computed levels when given) and point
// sources.
#pragma once

#include <map>
#include <string>

#include "gis/gis_types.h"
#include "gis/point_levels.h"
#include "model/project.h"

namespace sonvale {

// Writes the layers strade, binari, case, barriere, punti and sorgenti (each
// also when empty); levels, keyed by point number, fill the punti layer's
// LeqDay and LeqNight. The format follows the extension (GisFormatOf), one file
// per layer where the format holds one (GisLayerFile). The files are replaced
// only once all are complete; crsWkt may be empty. Throws FileError naming the file.
GisExportSummary ExportGis(const Project& p, const std::string& path, const std::string& crsWkt,
                           const std::map<long, PointLevels>& levels);

}  // namespace sonvale
