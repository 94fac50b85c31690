// Harmful effects of road and railway noise from the people per band, with the
// exposure-response relations of Annex III of the noise directive (as replaced
// by Directive (EU) 2020/367): high annoyance from Lden, high sleep disturbance
// from Lnight, and ischaemic heart disease from road traffic Lden.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "exposure/exposure_bands.h"

namespace sonvale {

enum class HealthSource { Road, Rail };

// Absolute risks (a fraction, 0..1) at a level, and the relative risk of IHD.
double HighAnnoyanceRisk(HealthSource s, double lden);
double HighSleepDisturbanceRisk(HealthSource s, double lnight);
double IhdRelativeRisk(double lden);  // 1 up to 53 dB

struct HealthFigure {
  std::string source;      // "road", "rail"
  std::string effect;      // "HA", "HSD", "IHD"
  std::string indicator;   // "Lden", "Lnight"
  double cases = 0;        // people affected (IHD: new cases a year, when known)
  bool casesKnown = true;  // IHD without an incidence rate has only its fraction
  double fraction = 0;     // cases / people (IHD: the attributable fraction)
  std::string rule;
};

// people[band] per indicator for one source; total: all the people counted.
// ihdIncidence: new IHD cases per person per year in the area, when known.
std::vector<HealthFigure> HealthFigures(HealthSource s,
                                        const std::array<double, kBandCount>& ldenPeople,
                                        const std::array<double, kBandCount>& lnightPeople,
                                        double total, std::optional<double> ihdIncidence);

}  // namespace sonvale
