// The two pictures of an exposure report: a bar chart of the people per Lden
// band by source kind, and the map with every façade point coloured by its Lden
// band.
#pragma once

#include <string>

#include "exposure/exposure_assessment.h"
#include "model/project.h"

namespace sonvale {

// Writes dir/people_per_band.png and dir/facade_points.png. The project's View
// is set to its extent. Throws FileError naming a file.
void WriteExposurePictures(Project& p, const std::string& dir, const FacadeLayout& layout,
                           const ExposureAssessment& a);

}  // namespace sonvale
