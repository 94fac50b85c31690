#include "exposure/facade_levels.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "propagation/kernel.h"
#include "propagation/night_carry.h"

namespace sonvale {
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

bool ComputeFacadeEnergies(const Project& p, const Configuration& c,
                           const std::vector<FacadeReceiver>& at, const FacadeLevelOptions& options,
                           std::vector<PointEnergies>& out) {
  // One engine gives the day and the night, each with the parts of the roads
  // and the tracks, in one walk of the paths; the setups must outlive it.
  const PropagationSetup day = PrepareSetup(p, c, Period::Day);
  const PropagationSetup night = PrepareSetup(p, c, Period::Night);
  const std::unique_ptr<DayNightEngine> engine =
      MakeDayNightEngine(options.engine, p, c, day, night, 0.0);

  out.assign(at.size(), PointEnergies{});
  const long n = static_cast<long>(at.size());
  auto computeOne = [&](long i) {
    const FacadeReceiver& r = at[static_cast<size_t>(i)];
    PointEnergies& e = out[static_cast<size_t>(i)];
    const std::array<EnergyParts, 2> byPeriod = engine->parts(r.at, r.ownWall);
    for (size_t period = 0; period < 2; ++period) {
      const EnergyParts& parts = byPeriod[period];
      e.e[static_cast<size_t>(SourceKind::Road)][period] = parts.roads;
      e.e[static_cast<size_t>(SourceKind::Rail)][period] = parts.tracks;
      e.e[static_cast<size_t>(SourceKind::All)][period] = parts.total;
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

uint64_t FacadeInputs(const Project& p, const Configuration& c,
                      const std::vector<FacadeReceiver>& at) {
  InputFingerprint f;
  f.addPaths(p, c, PrepareSetup(p, c, Period::Day));
  f.addPaths(p, c, PrepareSetup(p, c, Period::Night));
  f.add(static_cast<uint64_t>(at.size()));
  for (const FacadeReceiver& r : at) {
    f.add(r.at);
    f.add(static_cast<uint64_t>(r.ownWall.building));
    f.add(static_cast<uint64_t>(r.ownWall.wall));
  }
  return f.value();
}

}  // namespace sonvale
