#include <cmath>

#include "propagation/kernel.h"
#include "propagation/piece_geometry.h"

namespace sonvale {
namespace {

// Crossings make traffic brake and accelerate: up to +4 dB right at a junction,
// falling linearly to nothing 100 m away.
double CrossingCorrection(const Project& p, const Vec3& M) {
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

}  // namespace

double SegmentContribution(const Project& p, const Configuration& c, const Vec3& R, const Vec3& P1,
                           const Vec3& P2, const Vec3& M, double Len, double W, double E,
                           double HSX, double HDX) {
  double r = Distance3(R, M);
  if (r < W) r = W;
  if (r < c.DistMin) r = c.DistMin;

  // Pieces short against their distance behave as point sources; longer ones
  // are halved until they do.
  if (Len > 0.5 * r) {
    const double half = Len / 2;
    return SegmentContribution(p, c, R, P1, M, Middle(P1, M), half, W, E, HSX, HDX) +
           SegmentContribution(p, c, R, M, P2, Middle(M, P2), half, W, E, HSX, HDX);
  }

  if (r >= p.DistMax) return 0;
  // A piece without length radiates nothing; leaving early also keeps the
  // screen's division by the length out of reach.
  if (!(Len > 0)) return 0;

  double e = 2.8 * E * Len * std::exp(-c.AttCoeff * r) / (r * r);
  const double Kx = CrossingCorrection(p, M);

  if (!p.DiffrCase && (HSX > 1 || HDX > 1)) {
    const double delta = SideScreenDelta(c.Hsorg, R, P1, P2, M, Len, W, HSX, HDX, r);
    e = e / (1 + 40 * delta);
  }

  double Att = 0;
  if (p.DiffrBarriere) BarrierAttenuation(p, M, R, Att);
  if (p.DiffrCase) BuildingAttenuation(p, M, R, Att);

  return e * std::pow(10.0, Kx / 10) / std::pow(10.0, Att / 10);
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
