// Layer styles that QGIS finds in a GeoPackage (its layer_styles table) and
// applies when the layer is opened: isophone bands filled with the colours of a
// scheme, isolines drawn thin and dark.
#pragma once

#include <string>
#include <vector>

#include "gis/noise_bands.h"

namespace sonvale {

// A categorised style on the field "lo": one category per band, filled with the
// scheme's colour of the band, labelled as BandLabel does.
std::string BandStyleQml(const std::vector<Band>& bands, const std::vector<double>& levels,
                         BandScheme scheme);
// One dark grey line for every isoline.
std::string LineStyleQml();

// Adds the style as the default of the table to the dataset's layer_styles table,
// creating the table as QGIS does when it is missing. Returns false on failure
// (GDAL's reason is in the caller's GdalSession).
bool AddLayerStyle(void* dataset, const std::string& table, const std::string& geometryColumn,
                   const std::string& qml);

}  // namespace sonvale
