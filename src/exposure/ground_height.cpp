#include "exposure/ground_height.h"

#include <algorithm>
#include <cmath>

namespace sonvale {

double GroundHeight::at(double x, double y) const {
  if (!terrain_) return plane_;
  const GridData& g = *terrain_;
  const GridHeader& h = g.header;
  const double fx = std::clamp((x - h.xlo) / (h.xhi - h.xlo) * (h.nx - 1), 0.0, h.nx - 1.0);
  const double fy = std::clamp((y - h.ylo) / (h.yhi - h.ylo) * (h.ny - 1), 0.0, h.ny - 1.0);
  const int i = std::min(static_cast<int>(fx), h.nx - 2);
  const int j = std::min(static_cast<int>(fy), h.ny - 2);
  const double u = fx - i, v = fy - j;
  const double z00 = g.value(i, j), z10 = g.value(i + 1, j);
  const double z01 = g.value(i, j + 1), z11 = g.value(i + 1, j + 1);
  for (double z : {z00, z10, z01, z11}) {
    if (z == kBlankValue) return plane_;
  }
  return (1 - v) * ((1 - u) * z00 + u * z10) + v * ((1 - u) * z01 + u * z11);
}

}  // namespace sonvale
