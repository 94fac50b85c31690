// The colour scale of calculated levels: an index 0..255, which callers form as
// (L - 40) * 255 / 50 for a level L in dB(A), runs from violet (40 dB(A)) over
// blue, cyan, green and yellow to red (90 dB(A)).
#pragma once

#include "view/canvas.h"

namespace sonvale {

// Indexes above 255 count as 255; indexes below 0 (levels under 40 dB(A)) and
// non-numbers fall outside the scale and come out dark red, RGB(128, 0, 0).
Rgb LevelColour(double index);

// The index of a level in dB(A).
inline double LevelIndex(double level) { return (level - 40) * 255 / 50; }

}  // namespace sonvale
