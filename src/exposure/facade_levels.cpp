#include "exposure/facade_levels.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "propagation/kernel.h"

namespace sonvale {
namespace {

// The setup of one kind: the roads alone, or the tracks alone, as a project of
// that kind alone would prepare them (no point source in either).
PropagationSetup KindSetup(const PropagationSetup& full, SourceKind kind) {
  PropagationSetup s;
  s.period = full.period;
  if (kind == SourceKind::Road) {
    s.roads = full.roads;
    s.includeTracksAndSources = false;
  } else {
    s.tracks = full.tracks;
    s.includeTracksAndSources = full.includeTracksAndSources;
  }
  return s;
}

}  // namespace

const char* SourceKindName(SourceKind k) {
  switch (k) {
    case SourceKind::Road:
      return "road";
    case SourceKind::Rail:
      return "rail";
    case SourceKind::All:
      return "all";
  }
  return "";
}

bool ComputeFacadeEnergies(const Project& p, const Configuration& c, const std::vector<Vec3>& at,
                           const FacadeLevelOptions& options, std::vector<PointEnergies>& out) {
  // setups[kind][period]: engines keep references to them.
  std::array<std::array<PropagationSetup, 2>, 3> setups;
  std::array<std::array<std::unique_ptr<EnergyEngine>, 2>, 3> engines;
  for (size_t period = 0; period < 2; ++period) {
    PropagationSetup full = PrepareSetup(p, c, period == 0 ? Period::Day : Period::Night);
    setups[0][period] = KindSetup(full, SourceKind::Road);
    setups[1][period] = KindSetup(full, SourceKind::Rail);
    setups[2][period] = std::move(full);
  }
  // When one kind is all there is, its sum is the sum of all sources, the same
  // doubles added in the same order: it is taken from there, and a kind that
  // is absent is 0.
  const PropagationSetup& full = setups[2][0];
  const bool roads = !full.roads.empty();
  const bool tracks = full.includeTracksAndSources && !full.tracks.empty();
  const bool sources = full.includeTracksAndSources && !full.sources.empty();
  enum class From { Engine, Zero, All };
  std::array<From, 2> from = {roads ? From::Engine : From::Zero,
                              tracks ? From::Engine : From::Zero};
  if (!sources && !tracks) from[0] = From::All;
  if (!sources && !roads) from[1] = From::All;
  for (size_t period = 0; period < 2; ++period) {
    engines[2][period] = MakeEnergyEngine(options.engine, p, c, setups[2][period], 0.0);
    for (size_t k = 0; k < 2; ++k) {
      if (from[k] == From::Engine)
        engines[k][period] = MakeEnergyEngine(options.engine, p, c, setups[k][period], 0.0);
    }
  }

  out.assign(at.size(), PointEnergies{});
  const long n = static_cast<long>(at.size());
  auto computeOne = [&](long i) {
    const Vec3& r = at[static_cast<size_t>(i)];
    PointEnergies& e = out[static_cast<size_t>(i)];
    for (size_t period = 0; period < 2; ++period) {
      e.e[2][period] = engines[2][period]->energy(r);
      for (size_t k = 0; k < 2; ++k) {
        e.e[k][period] = from[k] == From::Engine ? engines[k][period]->energy(r)
                         : from[k] == From::All  ? e.e[2][period]
                                                 : 0.0;
      }
    }
  };
  const int threads = std::max(1, options.threads);
  if (threads == 1) {
    for (long i = 0; i < n; ++i) {
      computeOne(i);
      if (options.progress && (i % 64 == 63) && !options.progress(i + 1)) return false;
    }
    if (options.progress) options.progress(n);
    return true;
  }

  // Workers take points one by one; the calling thread reports progress.
  std::atomic<long> next{0}, done{0};
  std::atomic<bool> stop{false};
  std::exception_ptr error;
  std::mutex errorMutex;
  auto work = [&]() {
    try {
      for (long i = next.fetch_add(1); i < n && !stop.load(); i = next.fetch_add(1)) {
        computeOne(i);
        done.fetch_add(1);
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(errorMutex);
      if (!error) error = std::current_exception();
      stop = true;
    }
  };
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) workers.emplace_back(work);
  while (done.load() < n && !stop.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (options.progress && !options.progress(done.load())) stop = true;
  }
  for (std::thread& t : workers) t.join();
  if (error) std::rethrow_exception(error);
  if (stop) return false;
  if (options.progress) options.progress(n);
  return true;
}

}  // namespace sonvale
