// People from a GIS layer (address points, census blocks, building footprints
// of another source): each feature's figures go to the project's building its
// place lies in, and become the population records a population file gives.
#pragma once

#include <string>
#include <vector>

#include "exposure/population.h"
#include "gis/gis_types.h"
#include "model/project.h"

namespace sonvale {

struct PopulationLayerReport {
  long places = 0;           // features read
  long placed = 0;           // of which inside a building
  double peopleOutside = 0;  // the people of the others, left out
  long buildings = 0;        // buildings given people
};

// The records of the buildings that receive a place: people and dwellings
// summed (dwellings only where a place gives them), the use the most sensitive
// of the places' (hospital, then school, residential, other; unset is
// residential), the method the first place's that names one. Throws FileError
// naming the source and feature for a use or method that is not one of the
// population file's words.
std::vector<PopulationRecord> PopulationFromPlaces(const Project& p,
                                                   const std::vector<PopulationPlace>& places,
                                                   const std::string& source,
                                                   PopulationLayerReport& report);

// "N features, M inside a building (B buildings), K outside (P people left out)".
std::string PopulationLayerText(const PopulationLayerReport& report);

}  // namespace sonvale
