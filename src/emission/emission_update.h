// The emission update pass: recomputes the levels of every road and track and
// records whether some line source has no emission at all.
#pragma once

#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {

// True when a road or track has both levels exactly 0 (an excluded road at 1.0
// has emission in this sense).
inline bool LacksEmission(double leqDay, double leqNight) { return leqDay == 0 && leqNight == 0; }

// Recomputes every road, then every track, in order, and sets EmissioniOK to
// false when any of them lacks emission afterwards.
void UpdateEmissions(Project& project, const Configuration& config, const EmissionTables& tables);

}  // namespace sonvale
