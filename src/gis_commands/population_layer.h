// A layer of people for the façade exposure, read with GDAL: one place per
// feature with its mapped figures, which the exposure then gives to the
// building the place lies in.
#pragma once

#include <string>
#include <vector>

#include "gis/gis_types.h"

namespace sonvale {

// Reads every feature with a geometry. Throws FileError naming the source (and
// the layer and feature at fault) when the source or layer cannot be read, a
// mapped field is missing, a figure is not a number of 0 or more, or a feature
// cannot be reprojected; std::invalid_argument for an unknown figure name or a
// missing people field.
std::vector<PopulationPlace> ReadPopulationLayer(const std::string& source,
                                                 const PopulationLayerOptions& options);

}  // namespace sonvale
