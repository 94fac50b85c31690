// The GIS source of people of an exposure run: its layers and the fields of the
// chosen one, read through the GIS module, the items of the dialog's lists, and
// the source field proposed for each figure (people, dwellings, use, method) by
// its usual names, in the dialog as on the command line.
#pragma once

#include <string>
#include <vector>

#include "commands/exposure_dialog.h"
#include "commands/gis_module.h"

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

// Whether field f is one of the lists of a GIS source of people.
bool IsPopulationList(ExposureField f);
// The items of list f: the layers, the fields for the people, and for the other
// figures "" (no field) followed by the fields. Nothing for another field.
std::vector<std::string> PopulationListItems(ExposureField f, const PopulationLists& lists);
// The item first chosen in list f: the chosen layer, or the figure's usual
// field; "" when the layer has none.
std::string ProposedPopulationItem(ExposureField f, const PopulationLists& lists);

}  // namespace sonvale
