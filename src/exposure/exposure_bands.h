// The level bands of the exposure tables of strategic maps (Lden 55-59 ... >=75,
// Lnight 50-54 ... >=70) and the rounding of their people and dwellings to the
// nearest hundred.
#pragma once

#include <string>

namespace sonvale {

enum class Indicator { Lden = 0, Lnight = 1 };
inline constexpr int kBandCount = 5;
const char* IndicatorName(Indicator i);  // "Lden", "Lnight"

// The band of a level as written (whole tenths): 0 .. 4, or -1 below the first.
int BandIndex(Indicator i, long long tenths);
// "55-59", ..., ">=75".
std::string BandLabel(Indicator i, int band);
// The lower bound of the band and the level at its centre (the open top band
// is taken 5 dB wide).
double BandLower(Indicator i, int band);
double BandCentre(Indicator i, int band);

// To the nearest hundred, a half going up: 49 -> 0, 50 -> 100, 5150 -> 5200.
long long RoundToHundred(double value);

}  // namespace sonvale
