// Geometry of one road or track piece shared by the reference kernel and the
// fast engine, so that both compute the same doubles with the same operations.
#pragma once

#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {

inline double Distance3(const Vec3& a, const Vec3& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  const double dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

inline Vec3 Middle(const Vec3& a, const Vec3& b) {
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

// Path difference over the row of buildings that lines the road at lateral
// distance W, for the piece P1-P2 with midpoint M seen from R at 3-D distance r;
// Hsorg is the source height above the road.
double SideScreenDelta(double Hsorg, const Vec3& R, const Vec3& P1, const Vec3& P2, const Vec3& M,
                       double Len, double W, double HSX, double HDX, double r);

}  // namespace sonvale
