// Noise maps as GeoTIFF for GIS programs: Float32 levels, blank nodes as nodata,
// and the coordinate reference system when one is named.
#pragma once

#include <string>

#include "propagation/grid_file.h"

namespace sonvale {

// Writes the grid; the file is replaced only once the new one is complete.
// crsWkt may be empty. Throws FileError naming the file.
void WriteGeoTiff(const GridData& grid, const std::string& path, const std::string& crsWkt);

}  // namespace sonvale
