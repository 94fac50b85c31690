#include "exposure/exposure_bands.h"

#include <cmath>

#include "text/number_text.h"

namespace sonvale {
namespace {

long long LowestTenths(Indicator i) { return i == Indicator::Lden ? 550 : 500; }

}  // namespace

const char* IndicatorName(Indicator i) { return i == Indicator::Lden ? "Lden" : "Lnight"; }

int BandIndex(Indicator i, long long tenths) {
  const long long above = tenths - LowestTenths(i);
  if (above < 0) return -1;
  const long long band = above / 50;
  return band >= kBandCount - 1 ? kBandCount - 1 : static_cast<int>(band);
}

std::string BandLabel(Indicator i, int band) {
  const long long lo = LowestTenths(i) / 10 + 5 * band;
  if (band == kBandCount - 1) return ">=" + PlainInteger(lo);
  return PlainInteger(lo) + "-" + PlainInteger(lo + 4);
}

double BandLower(Indicator i, int band) {
  return static_cast<double>(LowestTenths(i)) / 10 + 5.0 * band;
}

double BandCentre(Indicator i, int band) { return BandLower(i, band) + 2.5; }

long long RoundToHundred(double value) {
  return static_cast<long long>(std::floor(value / 100 + 0.5)) * 100;
}

}  // namespace sonvale
