#include "exposure/exposure_areas.h"

#include <algorithm>
#include <cmath>

#include "text/file_error.h"

namespace sonvale {

std::vector<AreaFigures> AreasAbove(const GridData& day, const GridData& night,
                                    const std::string& dayName, const PeriodScheme& periods,
                                    const FacadeLayout& layout,
                                    const ExposureAssessment& assessment) {
  const GridHeader& h = day.header;
  const GridHeader& n = night.header;
  if (h.nx != n.nx || h.ny != n.ny || h.xlo != n.xlo || h.xhi != n.xhi || h.ylo != n.ylo ||
      h.yhi != n.yhi || h.nx < 2 || h.ny < 2) {
    throw FormatError(dayName, 1, "the day and night grids do not have the same nodes");
  }
  const double dx = (h.xhi - h.xlo) / (h.nx - 1), dy = (h.yhi - h.ylo) / (h.ny - 1);
  std::vector<double> lden(day.values.size(), -1e300);
  for (size_t k = 0; k < lden.size(); ++k) {
    const double d = day.values[k], nv = night.values[k];
    if (d == kBlankValue || nv == kBlankValue) continue;
    lden[k] = 10 * std::log10(LdenEnergy(std::pow(10.0, d / 10), std::pow(10.0, nv / 10), periods));
  }
  auto nearest = [&](double x, double y) {
    const int i = std::clamp(static_cast<int>(std::lround((x - h.xlo) / dx)), 0, h.nx - 1);
    const int j = std::clamp(static_cast<int>(std::lround((y - h.ylo) / dy)), 0, h.ny - 1);
    return lden[day.index(i, j)];
  };
  std::vector<AreaFigures> out;
  for (double t : kAreaThresholds) {
    AreaFigures a;
    a.threshold = t;
    long cells = 0;
    for (double v : lden) cells += v >= t ? 1 : 0;
    a.squareKm = static_cast<double>(cells) * dx * dy / 1e6;
    for (const BuildingAssessment& b : assessment.buildings) {
      if (b.population.use != BuildingUse::Residential) continue;
      bool inside = false;
      for (size_t i = b.first; i < b.last && !inside; ++i)
        inside = nearest(layout.points[i].x, layout.points[i].y) >= t;
      if (!inside) continue;
      a.people += b.population.people;
      a.dwellings += b.population.dwellings;
    }
    out.push_back(a);
  }
  return out;
}

}  // namespace sonvale
