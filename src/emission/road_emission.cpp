#include "emission/road_emission.h"

#include <algorithm>
#include <cmath>

#include "model/acoustics.h"

namespace sonvale {
namespace {

// Table index 1..8 of a stored flow class 0..7.
int FlowIndex(long velClass) { return static_cast<int>(std::clamp(velClass, 0L, 7L)) + 1; }

// The single-event level of one vehicle of class v in flow class s, with the
// configured offset, the year, pavement and slope corrections applied.
double VehicleLevel(const Project& p, const Strada& road, const Configuration& config,
                    const EmissionTables& tables, int v, int s, double offset, double year) {
  const Table4& sel = tables.SelStrade;
  double L = sel.at(9, s, v, 1) + offset;
  L = L + year;
  if (!p.IgnoraRidFonoass) {
    const long pav = road.Pavimentaz;
    if (pav == 1 || pav == 2) {
      L = L - sel.at(9, s, v, static_cast<int>(pav) + 1);
    } else if (pav == 3) {
      L = L - config.RidBassoEm;
    }
  }
  const long slope = std::clamp(road.Pendenza, 0L, 2L);
  if (slope > 0) L = L - sel.at(9, s, v, static_cast<int>(slope) + 3);
  return L;
}

}  // namespace

double YearCorrection(long anno) {
  const long year = std::clamp(anno, kFirstYear, kLastYear);
  // The product stays whole; only the halving is done in floating point.
  return static_cast<double>((1995 - year) * 5) / 10.0;
}

void ComputeRoadEmission(Project& project, long i, const Configuration& config,
                         const EmissionTables& tables) {
  Strada& road = project.strade[i];
  const long pav = road.Pavimentaz;

  if (pav == -1) {
    // The typed levels live in their own fields, so ignoring fixed roads for a
    // while never loses them.
    if (project.IgnoraFisse) {
      road.LeqDay = 0;
      road.LeqNight = 0;
    } else {
      road.LeqDay = road.FixLeqDay;
      road.LeqNight = road.FixLeqNight;
    }
    return;
  }

  // Energy sums start at 1 so that an empty road ends at 0 dB.
  double day = 1.0;
  double night = 1.0;
  road.LeqDay = day;
  road.LeqNight = night;

  if ((pav == 0 && project.AzzeraStandard) || (pav != 0 && project.AzzeraFonoass)) return;

  const double year = YearCorrection(project.Anno);
  for (int v = 1; v <= 5; ++v) {
    const int sDay = FlowIndex(road.VelDay[static_cast<size_t>(v)]);
    const double lDay = VehicleLevel(project, road, config, tables, v, sDay,
                                     config.DayCorr[static_cast<size_t>(v)], year);
    // Spread over the 16 h of the day and the 8 h of the night.
    day = day + static_cast<double>(road.NveicDay[static_cast<size_t>(v)]) *
                    std::pow(10.0, lDay / 10.0) / 16.0 / 3600.0;

    const int sNight = FlowIndex(road.VelNight[static_cast<size_t>(v)]);
    const double lNight = VehicleLevel(project, road, config, tables, v, sNight,
                                       config.NightCorr[static_cast<size_t>(v)], year);
    night = night + static_cast<double>(road.NveicNight[static_cast<size_t>(v)]) *
                        std::pow(10.0, lNight / 10.0) / 8.0 / 3600.0;
  }

  road.LeqDay = 10.0 * std::log(day) / kLogTen;
  road.LeqNight = 10.0 * std::log(night) / kLogTen;
}

}  // namespace sonvale
