// The railway emission model: the day and night levels at 7 m from the axis of
// one track, from its trains and track type.
#pragma once

#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {

// Computes LeqDay and LeqNight of track i (1 <= i <= Nbinari).
//
// A fixed-level track (TipoArmamento -1) keeps its levels, whatever IgnoraFisse
// says. Speed classes are read clamped to 0..3 and a track type above 1 is taken
// as type 1, so a stored class outside the table never reads past it; the stored
// values are left as they are.
void ComputeRailEmission(Project& project, long i, const EmissionTables& tables);
// The same, with the argument list of ComputeRoadEmission; the railway model
// reads nothing from the configuration.
inline void ComputeRailEmission(Project& project, long i, const Configuration&,
                                const EmissionTables& tables) {
  ComputeRailEmission(project, i, tables);
}

}  // namespace sonvale
