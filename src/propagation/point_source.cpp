#include "propagation/kernel.h"
#include "propagation/piece_energy.h"
#include "propagation/reference_context.h"

namespace sonvale {

double PointSourceLevel(const Project& p, const Configuration& c, const Vec3& R, const Vec3& S,
                        double Lw, Wall ownWall) {
  ReferenceContext ctx{p, R, ownWall};
  return PointLevel(MakePieceLaw(p, c), R, S, Lw, ctx);
}

}  // namespace sonvale
