// The energy of one road or track piece and the level of one concentrated
// source at a receiver, written once for the reference kernel and the fast
// engine: they differ only in how they find the crossings near a piece and the
// diffracting edges across a path, which a context supplies, so both compute
// the same doubles with the same operations.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "model/acoustics.h"
#include "propagation/kernel.h"
#include "propagation/piece_geometry.h"

namespace sonvale {

// The settings of a pass that the formulas read.
struct PieceLaw {
  double distMin = 0, distMax = 0, attCoeff = 0, hsorg = 0;
  bool sideScreens = true;  // the rows of buildings along a road screen (no building diffraction)
};

inline PieceLaw MakePieceLaw(const Project& p, const Configuration& c) {
  return {c.DistMin, p.DistMax, c.AttCoeff, c.Hsorg, !p.DiffrCase};
}

// The energies of several periods carried through the same operations: a
// path's geometry (distance, screens, crossings, diffraction) does not depend on
// the period, only the emission does, so the periods share every search and
// each keeps the doubles it would have alone.
template <size_t N>
using PerPeriod = std::array<double, N>;

// Context requirements:
//   bool whollyBeyond(P1, P2, W)     true only if every leaf piece of P1-P2 gives 0
//   double crossingCorrection(M)     Kx of a piece with midpoint M
//   void attenuation(S, Att)         raises Att to the strongest edge on the path S-R
// Pieces short against their distance behave as point sources; longer ones are
// halved until they do.
template <class Context, size_t N>
PerPeriod<N> PieceEnergies(const PieceLaw& law, const Vec3& R, const Vec3& P1, const Vec3& P2,
                           const Vec3& M, double Len, double W, const PerPeriod<N>& E, double HSX,
                           double HDX, Context& ctx) {
  PerPeriod<N> e{};
  double r = Distance3(R, M);
  if (r < W) r = W;
  if (r < law.distMin) r = law.distMin;

  if (Len > 0.5 * r) {
    if (ctx.whollyBeyond(P1, P2, W)) return e;
    const double half = Len / 2;
    e = PieceEnergies(law, R, P1, M, Middle(P1, M), half, W, E, HSX, HDX, ctx);
    const PerPeriod<N> second =
        PieceEnergies(law, R, M, P2, Middle(M, P2), half, W, E, HSX, HDX, ctx);
    for (size_t k = 0; k < N; ++k) e[k] += second[k];
    return e;
  }

  if (r >= law.distMax) return e;
  // A piece without length radiates nothing; leaving early also keeps the
  // screen's division by the length out of reach.
  if (!(Len > 0)) return e;

  const double decay = std::exp(-law.attCoeff * r);
  for (size_t k = 0; k < N; ++k) e[k] = 2.8 * E[k] * Len * decay / (r * r);
  const double Kx = ctx.crossingCorrection(M);

  if (law.sideScreens && (HSX > 1 || HDX > 1)) {
    const double delta = SideScreenDelta(law.hsorg, R, P1, P2, M, Len, W, HSX, HDX, r);
    const double screen = 1 + 40 * delta;
    for (size_t k = 0; k < N; ++k) e[k] = e[k] / screen;
  }

  double Att = 0;
  ctx.attenuation(M, Att);

  // 10^0 is exactly 1, so leaving out a zero correction changes no bit.
  if (Kx != 0) {
    const double gain = std::pow(10.0, Kx / 10);
    for (size_t k = 0; k < N; ++k) e[k] = e[k] * gain;
  }
  if (Att != 0) {
    const double loss = std::pow(10.0, Att / 10);
    for (size_t k = 0; k < N; ++k) e[k] = e[k] / loss;
  }
  return e;
}

template <class Context>
double PieceEnergy(const PieceLaw& law, const Vec3& R, const Vec3& P1, const Vec3& P2,
                   const Vec3& M, double Len, double W, double E, double HSX, double HDX,
                   Context& ctx) {
  return PieceEnergies<Context, 1>(law, R, P1, P2, M, Len, W, {E}, HSX, HDX, ctx)[0];
}

// Levels of a source of power Lw[k] in each period at S heard at R.
template <class Context, size_t N>
PerPeriod<N> PointLevels(const PieceLaw& law, const Vec3& R, const Vec3& S, const PerPeriod<N>& Lw,
                         Context& ctx) {
  const double dx = R.x - S.x;
  const double dy = R.y - S.y;
  const double dz = R.z - S.z;
  double r = std::sqrt(dx * dx + dy * dy + dz * dz);

  double Att = 0;
  ctx.attenuation(S, Att);

  // The floor comes after the diffraction search, which works on the true positions.
  if (r < law.distMin) r = law.distMin;
  const double spreading = 20 * std::log(r) / kLogTen;
  const double absorption = 10 * law.attCoeff * r / kLogTen;
  PerPeriod<N> level;
  for (size_t k = 0; k < N; ++k) level[k] = Lw[k] - 11 - spreading - absorption - Att;
  return level;
}

template <class Context>
double PointLevel(const PieceLaw& law, const Vec3& R, const Vec3& S, double Lw, Context& ctx) {
  return PointLevels<Context, 1>(law, R, S, {Lw}, ctx)[0];
}

}  // namespace sonvale
