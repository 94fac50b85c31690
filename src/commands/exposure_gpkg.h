// The GIS layers of an exposure run: facade_points.gpkg (the receivers with
// their levels and people) and buildings.gpkg (the footprints with their
// figures), each carrying a default style that QGIS applies: coloured by Lden band.
#pragma once

#include <string>

#include "exposure/exposure_assessment.h"
#include "model/project.h"

namespace sonvale {

// Writes both files into dir (which the caller replaces as a whole). Throws
// FileError naming the file.
void WriteExposureGpkg(const std::string& dir, const Project& p, const FacadeLayout& layout,
                       const ExposureAssessment& a, const std::string& crsWkt);

}  // namespace sonvale
