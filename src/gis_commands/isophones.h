// Isophones of a noise map as a GeoPackage: filled bands between the levels
// (layer isophone_bands, fields lo, hi and label) and, when asked, the isolines
// (layer isophone_lines, field level), each with a QGIS style in the file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gis/gis_types.h"
#include "propagation/grid_file.h"

namespace sonvale {

// Writes the GeoPackage, replacing an old file only once the new one is complete,
// and returns the bands written. A band's polygons form one feature; the open
// outer bands carry the grid's minimum and maximum (BandsOver). Throws FileError
// naming the file, and FormatError naming the grid when it has fewer than 2 x 2
// nodes or every node is blank.
std::vector<Band> WriteIsophones(const GridData& grid, const std::string& gridName,
                                 const IsophoneOptions& options, const std::string& path);

// The isolines of the levels, for pictures.
std::vector<Polyline> TraceIsolines(const GridData& grid, const std::vector<double>& levels);

}  // namespace sonvale
