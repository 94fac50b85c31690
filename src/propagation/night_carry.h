// The night energies that the day pass of a map run computes along with its
// own. A path's geometry is the same in both periods, only the emissions
// differ, so one walk of the paths gives both; the night pass of the same run
// then writes what was carried instead of walking them again, provided that
// nothing it depends on changed in between (a fingerprint of the geometry, the
// settings, the night emissions and the receivers of every node says so).
#pragma once

#include <cstdint>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"
#include "propagation/kernel.h"

namespace sonvale {

struct NightCarry {
  std::vector<double> energies;  // the night energy of node k of the band
  uint64_t inputs = 0;           // fingerprint of what they were computed from
  bool ready = false;            // a whole day pass filled them
};

// The largest band whose night is carried (16 M nodes, 128 MB); a larger one
// computes its night pass in full.
inline constexpr long kMaxCarriedNodes = 1L << 24;

// Accumulates the doubles and counts that a pass's energies depend on.
class InputFingerprint {
 public:
  void add(double v);
  void add(uint64_t v);
  void add(const Vec3& v) {
    add(v.x);
    add(v.y);
    add(v.z);
  }
  // The edges, crossings and settings of the paths, and the night's lines and sources.
  void addPaths(const Project& p, const Configuration& c, const PropagationSetup& night);
  uint64_t value() const { return h_; }

 private:
  uint64_t h_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace sonvale
