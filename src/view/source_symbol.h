// The symbol of a concentrated point source on the map: a small circle and a
// letter code (A..Y for the first 25 sources, two letters after that).
#pragma once

#include <string>

#include "model/project.h"
#include "view/canvas.h"

namespace sonvale {

// The label of source n: the character with code 64 + n up to 25, else the two
// characters 64 + n div 25 and 64 + n mod 25 (26 is "AA", 50 is "B@"). Codes
// above 127 are written as the UTF-8 form of that code point.
std::string SourceLabel(long n);

// Draws source n of the project in blue (standard colour 1) with the canvas's
// current fill: a circle of a two-hundredth of the picture width and the label
// just above it.
void DrawSource(const Project& p, long n, Canvas& canvas);

}  // namespace sonvale
