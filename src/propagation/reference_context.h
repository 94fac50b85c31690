// What the reference kernel gives the shared piece formulas (piece_energy.h):
// every crossing and every edge of the project, scanned in full.
#pragma once

#include "model/project.h"
#include "propagation/kernel.h"

namespace sonvale {

struct ReferenceContext {
  const Project& p;
  const Vec3& R;
  Wall ownWall;

  // The reference splits every piece down to its leaves.
  bool whollyBeyond(const Vec3&, const Vec3&, double) const { return false; }
  double crossingCorrection(const Vec3& M) const;
  void attenuation(const Vec3& S, double& Att) const;
};

}  // namespace sonvale
