// The GIS source of people in the exposure dialog: its layers and the fields of
// the chosen one, read through the GIS module, the items of the dialog's lists
// and the source field first proposed for each figure.
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

// Whether field f is one of the lists of a GIS source of people.
bool IsPopulationList(ExposureField f);
// The items of list f: the layers, the fields for the people, and for the other
// figures "" (no field) followed by the fields. Nothing for another field.
std::vector<std::string> PopulationListItems(ExposureField f, const PopulationLists& lists);
// The item first chosen in list f: the chosen layer, or the field named as the
// figure or by one of its usual names (case aside: POP, ABITANTI, USO, ...);
// "" when the layer has none.
std::string ProposedPopulationItem(ExposureField f, const PopulationLists& lists);

}  // namespace sonvale
