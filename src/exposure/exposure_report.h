// report.html of an exposure run: the choices made, the band tables of every
// source (rounded as reported, with the exact figures), the health figures, the
// areas, and the two pictures written beside it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "exposure/exposure_areas.h"
#include "exposure/exposure_assessment.h"
#include "exposure/health_effects.h"

namespace sonvale {

inline const char* const kChartPicture = "people_per_band.png";
inline const char* const kMapPicture = "facade_points.png";

struct ExposureReportInputs {
  std::string project;
  // The choices as (what, value) lines, in the order shown.
  std::vector<std::pair<std::string, std::string>> choices;
  const FacadeLayout* layout = nullptr;
  const ExposureAssessment* assessment = nullptr;
  std::vector<HealthFigure> health;
  std::vector<AreaFigures> areas;  // empty without grids
  bool chart = true, map = true;   // pictures written
};

std::string ExposureReportHtml(const ExposureReportInputs& in);

// The colour of a band in the pictures and styles (the scale of strategic maps).
struct BandRgb {
  int r, g, b;
};
BandRgb ExposureBandColour(Indicator i, int band);  // band -1: below the bands
// The colour of a façade point by the band of its Lden (grey without one).
BandRgb LdenColour(std::optional<double> lden);
// The colour of façade point `point`: the band of its Lden of all sources.
BandRgb FacadePointColour(const ExposureAssessment& a, size_t point);

}  // namespace sonvale
