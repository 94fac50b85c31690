// The GIS source of people of an exposure run: its layers and the fields of the
// chosen one, read through the GIS module, and the source field proposed for
// each figure (people, dwellings, use, method) by its usual names, in the
// dialog as on the command line.
#pragma once

#include <string>
#include <vector>

#include "commands/gis_module.h"
#include "gis/gis_types.h"

namespace sonvale {

struct PopulationLists {
  std::vector<std::string> layers;  // of the source, in its order
  std::string layer;                // the chosen one
  std::vector<std::string> fields;  // of the chosen layer, in its order
};

// The layers of the source and the fields of `layer` (the first layer when empty
// or not one of them). Throws FileError when GDAL cannot read the source.
PopulationLists ReadPopulationLists(const GisModule& gis, const std::string& source,
                                    const std::string& layer = "");

// The field of `fields` that holds `figure` (people, dwellings, use, method):
// the one named as the figure or by one of its usual names (POP, ABITANTI,
// ALLOGGI, USO, ...), case aside; "" when there is none.
std::string UsualPopulationField(const std::string& figure, const std::vector<std::string>& fields);

// When `options` names no field at all, each figure gets the field
// UsualPopulationField proposes from the fields of its layer: the layer named,
// or the source's only layer, which it then names; nothing from a source of
// several layers without one. Returns the figures and their fields,
// "people=POP, use=USO", for the report. Throws FileError when GDAL cannot
// read the source.
std::string ProposePopulationFields(const GisModule& gis, const std::string& source,
                                    PopulationLayerOptions& options);

}  // namespace sonvale
