// The areas where the day-evening-night level of a map reaches 55, 65 and 75 dB,
// from the day and night grids of one map, with the people and dwellings of the
// buildings inside them.
#pragma once

#include <array>
#include <vector>

#include "exposure/exposure_assessment.h"
#include "propagation/grid_file.h"

namespace sonvale {

inline constexpr std::array<double, 3> kAreaThresholds = {55, 65, 75};

struct AreaFigures {
  double threshold = 0;
  double squareKm = 0;
  double people = 0, dwellings = 0;
};

// Every non-blank node stands for one cell (the grid's node spacing in x times y)
// and is inside when its Lden (from its day and night levels) reaches the
// threshold. A building is inside when the node nearest to any of its façade
// points is. Throws FormatError when the grids do not have the same nodes.
std::vector<AreaFigures> AreasAbove(const GridData& day, const GridData& night,
                                    const std::string& dayName, const PeriodScheme& periods,
                                    const FacadeLayout& layout,
                                    const ExposureAssessment& assessment);

}  // namespace sonvale
