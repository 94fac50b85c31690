// The geometry of a map run beside the project: the bounds of the horizontal
// grid and the vertical section line, as the mapping dialog sets them.
#pragma once

namespace sonvale {

struct GridBounds {
  double Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
};

struct SectionLine {
  double X1 = 0, Y1 = 0, Z1 = 0, X2 = 0, Y2 = 0, Z2 = 0;
};

}  // namespace sonvale
