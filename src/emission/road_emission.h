// The road traffic emission model: the day and night levels at 7.5 m from the
// axis of one road, from its traffic, pavement and slope.
#pragma once

#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {

// The scenario year used by the year correction: Anno held within the years the
// dialogs accept, so a missing or absurd year cannot add hundreds of dB.
inline constexpr long kFirstYear = 1995;
inline constexpr long kLastYear = 2050;

// Year correction in dB for the scenario year (0 for 1995, -6.5 for 2008).
double YearCorrection(long anno);

// Computes LeqDay and LeqNight of road i (1 <= i <= Nstrade).
//
// A fixed-level road (Pavimentaz -1) takes its typed levels FixLeqDay and
// FixLeqNight, or 0 when IgnoraFisse is set. An excluded road (AzzeraStandard for
// pavement 0, AzzeraFonoass for any other) is left at 1.0 for both levels, the
// raw start of the energy sums. Flow classes are read clamped to 0..7 and
// Pendenza to 0..2, so that a stored class outside the table never reads past it;
// the stored values are left as they are.
void ComputeRoadEmission(Project& project, long i, const Configuration& config,
                         const EmissionTables& tables);

}  // namespace sonvale
