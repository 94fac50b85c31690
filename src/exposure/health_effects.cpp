#include "exposure/health_effects.h"

#include <cmath>

namespace sonvale {

double HighAnnoyanceRisk(HealthSource s, double L) {
  const double percent = s == HealthSource::Road ? 78.9270 - 3.1162 * L + 0.0342 * L * L
                                                 : 38.1596 - 2.05538 * L + 0.0285 * L * L;
  return percent / 100;
}

double HighSleepDisturbanceRisk(HealthSource s, double L) {
  const double percent = s == HealthSource::Road ? 19.4312 - 0.9336 * L + 0.0126 * L * L
                                                 : 67.5406 - 3.1852 * L + 0.0391 * L * L;
  return percent / 100;
}

double IhdRelativeRisk(double lden) {
  if (lden <= 53) return 1;
  return std::exp(std::log(1.08) / 10 * (lden - 53));
}

std::vector<HealthFigure> HealthFigures(HealthSource s,
                                        const std::array<double, kBandCount>& ldenPeople,
                                        const std::array<double, kBandCount>& lnightPeople,
                                        double total, std::optional<double> ihdIncidence) {
  const std::string source = s == HealthSource::Road ? "road" : "rail";
  const std::string centreRule =
      "sum over the 5 dB bands of people x absolute risk at the band "
      "centre (open top band at +2.5 dB)";
  std::vector<HealthFigure> out;
  double ha = 0, hsd = 0;
  for (int b = 0; b < kBandCount; ++b) {
    ha += ldenPeople[static_cast<size_t>(b)] * HighAnnoyanceRisk(s, BandCentre(Indicator::Lden, b));
    hsd += lnightPeople[static_cast<size_t>(b)] *
           HighSleepDisturbanceRisk(s, BandCentre(Indicator::Lnight, b));
  }
  auto share = [&](double cases) { return total > 0 ? cases / total : 0.0; };
  out.push_back({source, "HA", "Lden", ha, true, share(ha), centreRule});
  out.push_back({source, "HSD", "Lnight", hsd, true, share(hsd), centreRule});
  if (s == HealthSource::Road) {
    double excess = 0;
    for (int b = 0; b < kBandCount; ++b) {
      const double p = total > 0 ? ldenPeople[static_cast<size_t>(b)] / total : 0;
      excess += p * (IhdRelativeRisk(BandCentre(Indicator::Lden, b)) - 1);
    }
    const double paf = excess / (excess + 1);
    HealthFigure ihd{source,
                     "IHD",
                     "Lden",
                     0,
                     false,
                     paf,
                     "attributable fraction from the relative risk at the band centre over all "
                     "people counted; cases = fraction x incidence x people"};
    if (ihdIncidence) {
      ihd.cases = paf * *ihdIncidence * total;
      ihd.casesKnown = true;
    }
    out.push_back(ihd);
  }
  return out;
}

}  // namespace sonvale
