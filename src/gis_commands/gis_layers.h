// What a GIS vector source offers for an import: its layers and their fields.
#pragma once

#include <string>
#include <vector>

namespace sonvale {

// The names of the vector layers, in the source's order. Throws FileError when
// GDAL cannot open the source.
std::vector<std::string> LayerNames(const std::string& source);

// The attribute fields of the layer, in its order. Throws FileError when the
// source cannot be opened or holds no such layer.
std::vector<std::string> LayerFieldNames(const std::string& source, const std::string& layer);

}  // namespace sonvale
