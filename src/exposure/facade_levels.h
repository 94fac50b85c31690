// The energies of the day and night periods at façade points, for all sources
// together and for the roads and the tracks alone, computed by the propagation
// engine of the maps (the same doubles as the reference kernel) on several
// threads. Receivers are map receivers without the per-line term of the grid:
// a point receives what the sources send, as in the point calculation.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"
#include "propagation/energy_engine.h"

namespace sonvale {

enum class SourceKind { Road = 0, Rail = 1, All = 2 };
inline constexpr std::array<SourceKind, 3> kSourceKinds = {SourceKind::Road, SourceKind::Rail,
                                                           SourceKind::All};
const char* SourceKindName(SourceKind k);  // "road", "rail", "all"

// Energies of one point: e[kind][0] day, e[kind][1] night.
struct PointEnergies {
  std::array<std::array<double, 2>, 3> e{};
  double day(SourceKind k) const { return e[static_cast<size_t>(k)][0]; }
  double night(SourceKind k) const { return e[static_cast<size_t>(k)][1]; }
  bool operator==(const PointEnergies&) const = default;
};

struct FacadeLevelOptions {
  EngineKind engine = EngineKind::Fast;
  int threads = 1;
  // Called from the calling thread now and then with the points done; returning
  // false stops the run (the result is then incomplete and must be dropped).
  std::function<bool(long done)> progress = {};
};

// A façade receiver and the wall it stands on, which is left out of the building
// diffraction of its paths (a lit façade gets the direct sound; wall 0: none).
struct FacadeReceiver {
  Vec3 at;
  Wall ownWall;
};

// Energies at the receivers (the project's source powers must be filled, and its
// emission levels current): all sources, and the roads and the tracks each as a
// project of that kind alone gives them, from one walk of the paths for both periods.
// Returns false when stopped through progress.
bool ComputeFacadeEnergies(const Project& p, const Configuration& c,
                           const std::vector<FacadeReceiver>& at, const FacadeLevelOptions& options,
                           std::vector<PointEnergies>& out);

// A fingerprint of everything the energies at the receivers depend on (the
// edges, crossings, settings and emissions of both periods, and the receivers
// with their walls), so that energies computed apart can be told to belong
// together.
uint64_t FacadeInputs(const Project& p, const Configuration& c,
                      const std::vector<FacadeReceiver>& at);

}  // namespace sonvale
