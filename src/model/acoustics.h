// Acoustic constants shared by the emission models and the propagation code:
// the natural logarithm of 10 used by every level conversion, and the A-weighting
// of the octave bands.
#pragma once

#include <array>
#include <cmath>

namespace sonvale {

// Levels are converted as 10 * ln(E) / kLogTen so that every module rounds the
// same way.
inline const double kLogTen = std::log(10.0);

// A-weighting in dB of the octave bands 1..10 (31.5 Hz to 16 kHz); index 0 unused.
inline constexpr std::array<double, 11> AWeight = {0.0, -39.4, -26.2, -16.1, -8.6, -3.2,
                                                   0.0, 1.2,   1.0,   -1.1,  -6.6};

}  // namespace sonvale
