// Writes a FeatureLayer as a GeoPackage of one layer, with its default style.
#pragma once

#include <string>

#include "gis/feature_layer.h"

namespace sonvale {

// Replaces path. Throws FileError naming it when GDAL cannot write it.
void WriteFeatureLayer(const FeatureLayer& layer, const std::string& path,
                       const std::string& crsWkt);

}  // namespace sonvale
