#include "emission/rail_emission.h"

#include <algorithm>
#include <cmath>

#include "model/acoustics.h"

namespace sonvale {
namespace {

// Table index 1..4 of a stored speed class 0..3.
int SpeedIndex(long velClass) { return static_cast<int>(std::clamp(velClass, 0L, 3L)) + 1; }

// The level of a 100 m train of class c in speed class s on a track of the given
// type. The track-type block holds its correction in the eighth value.
double TrainLevel(const EmissionTables& tables, int c, int s, long armamento) {
  double L = tables.SelBinari.at(9, s, c, 1);
  if (armamento > 0) L = L - tables.SelBinari.at(8, s, c, static_cast<int>(armamento) + 1);
  return L;
}

}  // namespace

void ComputeRailEmission(Project& project, long i, const EmissionTables& tables) {
  Binario& track = project.binari[i];
  if (track.TipoArmamento == -1) return;

  // The table has one track-type block beyond the base one.
  const long armamento = std::min(track.TipoArmamento, 1L);

  double day = 1.0;
  double night = 1.0;
  for (int c = 1; c <= 3; ++c) {
    const size_t k = static_cast<size_t>(c);
    const double lDay = TrainLevel(tables, c, SpeedIndex(track.VelDay[k]), armamento);
    day = day + std::pow(10.0, lDay / 10.0) * static_cast<double>(track.NtreniDay[k]) / 16.0 /
                    3600.0 * static_cast<double>(track.LungDay[k]) / 100.0;

    const double lNight = TrainLevel(tables, c, SpeedIndex(track.VelNight[k]), armamento);
    night = night + std::pow(10.0, lNight / 10.0) * static_cast<double>(track.NtreniNight[k]) /
                        8.0 / 3600.0 * static_cast<double>(track.LungNight[k]) / 100.0;
  }

  track.LeqDay = 10.0 * std::log(day) / kLogTen;
  track.LeqNight = 10.0 * std::log(night) / kLogTen;
}

}  // namespace sonvale
