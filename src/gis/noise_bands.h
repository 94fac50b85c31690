// Isophone bands: the levels that bound them, their real bounds over a grid, and
// their colours in the standard colour schemes of noise maps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "propagation/grid_file.h"
#include "view/canvas.h"

namespace sonvale {

// din18005: the German 5 dB scale (greens, yellow, ochre, orange, reds, violet,
// blues); nfs31130: the French scale; end: the scale of the European noise
// directive's strategic maps.
enum class BandScheme { Din18005, NfS31130, End };

std::optional<BandScheme> ParseBandScheme(const std::string& name);

// The colour of a band by its lower bound: the scheme's 5 dB class holding lo,
// the class "below 35" under 35 and the class "80 and above" from 80 on.
Rgb BandColour(BandScheme scheme, double lo);

// The levels the standard classes are drawn at: 35, 40, ..., 80.
std::vector<double> StandardLevels();
// Every multiple of step strictly between min and max (none when max <= min).
std::vector<double> StepLevels(double step, double min, double max);

struct LevelRange {
  double min = 0, max = 0;
  bool empty = true;  // every node blank
};
LevelRange RangeOf(const GridData& grid);

struct Band {
  double lo = 0, hi = 0;
  bool operator==(const Band&) const = default;
};

// The bands the levels (ascending) cut the range into, those holding no level of
// the grid left out; the open bands below the first and above the last level
// take the range's minimum and maximum, rounded outwards to 0.1 dB.
std::vector<Band> BandsOver(const std::vector<double>& levels, const LevelRange& range);
// The lower bound of the lowest band and the upper bound of the highest (range
// not empty).
double OuterLo(const std::vector<double>& levels, const LevelRange& range);
double OuterHi(const std::vector<double>& levels, const LevelRange& range);

// "55 - 60", and for the outer bands "< 35" and ">= 80".
std::string BandLabel(const Band& band, const std::vector<double>& levels);

}  // namespace sonvale
