#include "emission/emission_update.h"

#include "emission/rail_emission.h"
#include "emission/road_emission.h"

namespace sonvale {

void UpdateEmissions(Project& project, const Configuration& config, const EmissionTables& tables) {
  project.EmissioniOK = true;
  for (long i = 1; i <= project.strade.count(); ++i) {
    ComputeRoadEmission(project, i, config, tables);
    const Strada& road = project.strade[i];
    if (LacksEmission(road.LeqDay, road.LeqNight)) project.EmissioniOK = false;
  }
  for (long i = 1; i <= project.binari.count(); ++i) {
    ComputeRailEmission(project, i, tables);
    const Binario& track = project.binari[i];
    if (LacksEmission(track.LeqDay, track.LeqNight)) project.EmissioniOK = false;
  }
}

}  // namespace sonvale
