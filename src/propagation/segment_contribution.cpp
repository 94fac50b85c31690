#include <cmath>

#include "propagation/kernel.h"
#include "propagation/piece_energy.h"
#include "propagation/reference_context.h"

namespace sonvale {
// Crossings make traffic brake and accelerate: up to +4 dB right at a junction,
// falling linearly to nothing 100 m away.
double ReferenceContext::crossingCorrection(const Vec3& M) const {
  double dmin = 1000;
  for (long i = 1; i <= p.incroci.count(); ++i) {
    const Incrocio& x = p.incroci[i];
    const double dx = M.x - x.X;
    const double dy = M.y - x.Y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < dmin) dmin = d;
  }
  return dmin < 100 ? 0.04 * (100 - dmin) : 0.0;
}

void ReferenceContext::attenuation(const Vec3& S, double& Att) const {
  if (p.DiffrBarriere) BarrierAttenuation(p, S, R, Att);
  if (p.DiffrCase) BuildingAttenuation(p, S, R, Att, ownWall);
}

double SegmentContribution(const Project& p, const Configuration& c, const Vec3& R, const Vec3& P1,
                           const Vec3& P2, const Vec3& M, double Len, double W, double E,
                           double HSX, double HDX, Wall ownWall) {
  ReferenceContext ctx{p, R, ownWall};
  return PieceEnergy(MakePieceLaw(p, c), R, P1, P2, M, Len, W, E, HSX, HDX, ctx);
}

double SideScreenDelta(double Hsorg, const Vec3& R, const Vec3& P1, const Vec3& P2, const Vec3& M,
                       double Len, double W, double HSX, double HDX, double r) {
  const double rh = std::sqrt((R.x - M.x) * (R.x - M.x) + (R.y - M.y) * (R.y - M.y));
  // Straight above the piece the receiver looks down into the street: no row in between.
  if (rh <= 0 || Len <= 0) return 0;
  const double cosT =
      std::fabs(((P2.x - P1.x) * (M.x - R.x) + (P2.y - P1.y) * (M.y - R.y)) / rh / Len);
  const double sinT = std::sqrt(std::fabs(1 - cosT * cosT));
  // On the line of the road itself the ray runs along the street and never meets a row.
  if (sinT <= 0) return 0;
  const double s = W / sinT;
  if (!(rh > s)) return 0;
  const double cross = (P2.y - P1.y) * (M.x - R.x) - (P2.x - P1.x) * (M.y - R.y);
  const double H = cross < 0 ? HSX : HDX;
  if (!(H > 1)) return 0;
  // A ray that clears the roofs where it crosses the row is not screened.
  const double rayHeight = M.z + (R.z - M.z) * s / rh;
  if (rayHeight >= M.z + H) return 0;
  const double A1 = std::sqrt((M.z + H - R.z) * (M.z + H - R.z) + (r - s) * (r - s));
  const double A2 = std::sqrt(s * s + (H - Hsorg) * (H - Hsorg));
  return A1 + A2 - r;
}

}  // namespace sonvale
