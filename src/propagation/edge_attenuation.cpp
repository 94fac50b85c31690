#include <cmath>

#include "model/acoustics.h"
#include "propagation/kernel.h"
#include "propagation/piece_geometry.h"

namespace sonvale {

void EdgeAttenuation(const EntityTable<Polyline3>& entities, const Vec3& S, const Vec3& R,
                     double& Att, Wall skip) {
  const double rx = R.x - S.x;
  const double ry = R.y - S.y;
  for (long i = 1; i <= entities.count(); ++i) {
    const Polyline3& e = entities[i];
    const long n = e.Npunti();
    for (long j = 1; j <= n - 1; ++j) {
      if (i == skip.building && j == skip.wall) continue;
      const Point3& v1 = e.vertex(j);
      const Point3& v2 = e.vertex(j + 1);
      const double ex = v2.X - v1.X;
      const double ey = v2.Y - v1.Y;
      const double den = ex * ry - ey * rx;
      if (den == 0) continue;
      // S + t (R - S) lies on the line of the edge.
      const double t = (ey * (S.x - v1.X) - ex * (S.y - v1.Y)) / den;
      double q;
      if (v2.X != v1.X) {
        q = (S.x + t * rx - v1.X) / ex;
      } else {
        if (v2.Y == v1.Y) continue;
        q = (S.y + t * ry - v1.Y) / ey;
      }
      if (!(q >= 0 && q <= 1 && t >= 0 && t <= 1)) continue;

      const Vec3 T{S.x + t * rx, S.y + t * ry, v1.Z + q * (v2.Z - v1.Z)};
      const double Zr = S.z + t * (R.z - S.z);
      if (!(T.z - Zr > 0)) continue;

      const double A = Distance3(S, T);
      const double B = Distance3(R, T);
      const double C = Distance3(R, S);
      const double delta = std::fabs(A + B - C);
      // An edge a hair above the ray can round to no path difference at all.
      if (!(delta > 0)) continue;
      const double Kmet = std::exp(-(1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta)));
      const double AttEdge = 10 * std::log(1 + 80 * delta * Kmet) / kLogTen;
      if (AttEdge > Att) Att = AttEdge;
    }
  }
}

void BarrierAttenuation(const Project& p, const Vec3& S, const Vec3& R, double& Att) {
  EdgeAttenuation(p.barriere, S, R, Att);
}

void BuildingAttenuation(const Project& p, const Vec3& S, const Vec3& R, double& Att,
                         Wall ownWall) {
  EdgeAttenuation(p.case_, S, R, Att, ownWall);
}

}  // namespace sonvale
