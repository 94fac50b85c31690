#include <cmath>

#include "model/acoustics.h"
#include "propagation/kernel.h"

namespace sonvale {

double PointSourceLevel(const Project& p, const Configuration& c, const Vec3& R, const Vec3& S,
                        double Lw) {
  const double dx = R.x - S.x;
  const double dy = R.y - S.y;
  const double dz = R.z - S.z;
  double r = std::sqrt(dx * dx + dy * dy + dz * dz);

  double Att = 0;
  if (p.DiffrBarriere) BarrierAttenuation(p, S, R, Att);
  if (p.DiffrCase) BuildingAttenuation(p, S, R, Att);

  // The floor comes after the diffraction search, which works on the true positions.
  if (r < c.DistMin) r = c.DistMin;
  return Lw - 11 - 20 * std::log(r) / kLogTen - 10 * c.AttCoeff * r / kLogTen - Att;
}

}  // namespace sonvale
