// Times the reference kernel and the fast engine on the same nodes of a large
// generated town, checks that they agree to the bit, and prints nodes per second,
// the ratios, the thread speed-up, the scaling with the number of buildings and
// with the grid, and the peak memory.
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"
#include "propagation/energy_engine.h"
#include "propagation/fast_engine.h"
#include "propagation/node_pool.h"
#include "text/number_text.h"
#include "tools/town_generator.h"

namespace {

using namespace sonvale;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

std::string Num(double v, const char* pattern = "#######0.000") {
  return FormatPattern(v, pattern);
}

void Say(const std::string& s) { std::fputs((s + "\n").c_str(), stdout), std::fflush(stdout); }

TownParams LargeTown(int buildings) {
  TownParams t;
  t.sizeX = t.sizeY = 2000;
  t.roads = 300;
  t.buildings = buildings;
  t.barriers = 50;
  t.crossings = 100;
  t.points = 0;
  t.sources = 10;
  return t;
}

// Levels as the emission pass would give them, without its tables: the bench is
// about geometry, and every road and track must radiate.
void GiveLevels(Project& p) {
  for (long i = 1; i <= p.strade.count(); ++i) {
    p.strade[i].LeqDay = 60 + static_cast<double>(i % 13);
    p.strade[i].LeqNight = 52 + static_cast<double>(i % 11);
  }
  for (long i = 1; i <= p.binari.count(); ++i) {
    p.binari[i].LeqDay = 65;
    p.binari[i].LeqNight = 60;
  }
}

// Receivers of an n x n terrain-following grid over the town, every stride-th one.
std::vector<Vec3> GridNodes(const TownParams& t, const Configuration& c, int n, long stride) {
  std::vector<Vec3> out;
  long k = 0;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i, ++k) {
      if (k % stride != 0) continue;
      const double x = t.originX + i * t.sizeX / (n - 1);
      const double y = t.originY + j * t.sizeY / (n - 1);
      out.push_back({x, y, TownGroundHeight(t, x, y) + c.Hrec});
    }
  }
  return out;
}

struct Timing {
  double perNode = 0;     // seconds
  double cpuPerNode = 0;  // seconds of processor time, all threads together
  std::vector<double> values;
};

// Runs the nodes through a pool of `threads` workers, as a map pass does.
Timing Run(const EnergyEngine& e, const std::vector<Vec3>& nodes, int threads, double minTime) {
  Timing t;
  long done = 0;
  const Clock::time_point start = Clock::now();
  const std::clock_t cpu0 = std::clock();
  do {
    NodePool pool(static_cast<long>(nodes.size()), threads,
                  [&](long k) { return e.energy(nodes[static_cast<size_t>(k)]); });
    t.values.clear();
    for (long k = 0; k < static_cast<long>(nodes.size()); ++k) t.values.push_back(pool.take(k));
    done += static_cast<long>(nodes.size());
  } while (Seconds(start, Clock::now()) < minTime);
  t.perNode = Seconds(start, Clock::now()) / static_cast<double>(done);
  t.cpuPerNode =
      static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC / static_cast<double>(done);
  return t;
}

// The day and the night of every node from one walk of the paths, as a map run
// with both periods computes them; values holds the day's energies.
Timing RunDayNight(const FastEngine& e, const std::vector<Vec3>& nodes, int threads) {
  Timing t;
  const Clock::time_point start = Clock::now();
  const std::clock_t cpu0 = std::clock();
  DayNightPool pool(static_cast<long>(nodes.size()), threads, [&](long k) {
    const std::array<EnergyParts, 2> both = e.dayNightParts(nodes[static_cast<size_t>(k)]);
    return std::array<double, 2>{both[0].total, both[1].total};
  });
  for (long k = 0; k < static_cast<long>(nodes.size()); ++k) t.values.push_back(pool.take(k)[0]);
  const double n = static_cast<double>(nodes.size());
  t.perNode = Seconds(start, Clock::now()) / n;
  t.cpuPerNode = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC / n;
  return t;
}

// The full-capacity city of sonvale-make-town --size 10000,10000 --roads 3000
// --buildings 9000 --barriers 1000 --crossings 500 --seed 7.
TownParams City() {
  TownParams t;
  t.sizeX = t.sizeY = 10000;
  t.roads = 3000;
  t.buildings = 9000;
  t.barriers = 1000;
  t.crossings = 500;
  t.seed = 7;
  return t;
}

// The city on a 101 x 101 grid (every stride-th node), both diffractions and
// none, on `threads` threads: ms per node and the ratio.
void CityBench(const Configuration& c, int threads, long stride) {
  const TownParams town = City();
  Project p = GenerateTown(town);
  GiveLevels(p);
  const std::vector<Vec3> nodes = GridNodes(town, c, 101, stride);
  Say("City 10 km x 10 km: " + PlainInteger(p.strade.count()) + " roads, " +
      PlainInteger(p.case_.count()) + " buildings, " + PlainInteger(p.barriere.count()) +
      " barriers, " + PlainInteger(p.incroci.count()) + " crossings, " +
      PlainInteger(p.sources.count()) + " sources; DistMax " + PlainNumber(p.DistMax) + ", " +
      PlainInteger(static_cast<long long>(nodes.size())) + " nodes of 101 x 101, " +
      PlainInteger(threads) + " threads");
  double perNode[2] = {0, 0}, cpuPerNode[2] = {0, 0};
  for (bool diffraction : {true, false}) {
    p.DiffrBarriere = p.DiffrCase = diffraction;
    const Clock::time_point b0 = Clock::now();
    const PropagationSetup setup = PrepareSetup(p, c, Period::Day);
    FastEngine fast(p, c, setup, std::pow(10.0, 2.6));
    const double buildTime = Seconds(b0, Clock::now());
    const Timing t = Run(fast, nodes, threads, 0);
    perNode[diffraction ? 0 : 1] = t.perNode;
    cpuPerNode[diffraction ? 0 : 1] = t.cpuPerNode;
    Say(std::string("  diffraction ") + (diffraction ? "on " : "off") + "  " +
        Num(t.perNode * 1e3) + " ms/node, processor " + Num(t.cpuPerNode * 1e3) +
        " ms/node   (setup and engine " + Num(buildTime * 1e3, "###0.0") + " ms)");
    if (!diffraction) continue;
    const PropagationSetup night = PrepareSetup(p, c, Period::Night);
    const FastEngine both(p, c, setup, night, std::pow(10.0, 2.6));
    const Timing dn = RunDayNight(both, nodes, threads);
    Say("  day and night in one walk  " + Num(dn.perNode * 1e3) + " ms/node, processor " +
        Num(dn.cpuPerNode * 1e3) +
        " ms/node for both periods (two passes: " + Num(2 * t.cpuPerNode * 1e3) +
        ")   day identical: " + (dn.values == t.values ? "yes" : "NO"));
  }
  Say("  diffraction costs " + Num(perNode[0] / perNode[1], "##0.0") +
      " x the free field (processor time: " + Num(cpuPerNode[0] / cpuPerNode[1], "##0.0") + " x)");
}

long PeakMemoryKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  int refNodes = 12;
  bool quick = false;
  bool fastOnly = false;  // only the fast engine, both diffractions, one thread: for profiling
  int city = 0;           // only the city, on this many threads
  long cityStride = 1;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--quick") quick = true;
    if (arg == "--fast-only") fastOnly = true;
    if (arg == "--ref-nodes" && a + 1 < argc) refNodes = std::atoi(argv[++a]);
    if (arg == "--city" && a + 1 < argc) city = std::atoi(argv[++a]);
    if (arg == "--city-stride" && a + 1 < argc) cityStride = std::atol(argv[++a]);
  }
  const Configuration c = ReadConfiguration(std::string(SONVALE_SOURCE_DIR) + "/data/sonvale.ini");
  const int cores = DefaultThreadCount();
  if (city > 0) {
    CityBench(c, city, std::max(1L, cityStride));
    Say("Peak memory " + Num(static_cast<double>(PeakMemoryKb()) / 1024, "####0.0") + " MB");
    return 0;
  }

  const TownParams town = LargeTown(3000);
  Project p = GenerateTown(town);
  GiveLevels(p);
  Say("Town 2 km x 2 km: " + PlainInteger(p.strade.count()) + " roads, " +
      PlainInteger(p.binari.count()) + " tracks, " + PlainInteger(p.case_.count()) +
      " buildings, " + PlainInteger(p.barriere.count()) + " barriers, " +
      PlainInteger(p.incroci.count()) + " crossings, " + PlainInteger(p.sources.count()) +
      " sources; DistMax " + PlainNumber(p.DistMax));

  // The same nodes for both engines: spread over a 101 x 101 grid.
  const std::vector<Vec3> refSet = GridNodes(town, c, 101, 10201 / refNodes);
  const std::vector<Vec3> fastSet = GridNodes(town, c, 101, quick ? 50 : 10);
  const double kTerm = std::pow(10.0, 2.6);
  if (fastOnly) {
    p.DiffrBarriere = p.DiffrCase = true;
    const PropagationSetup setup = PrepareSetup(p, c, Period::Day);
    FastEngine fast(p, c, setup, kTerm);
    {
      ReceiverEdges from;
      const Clock::time_point t0 = Clock::now();
      for (int rep = 0; rep < 10; ++rep)
        for (const Vec3& r : fastSet) fast.edgeIndex().prepareReceiver(r, from);
      Say("prepare " + Num(Seconds(t0, Clock::now()) / (10.0 * fastSet.size()) * 1e3) + " ms");
    }
    const Timing f = Run(fast, fastSet, 1, 3.0);
    Say("fast, both diffractions, one thread, " +
        PlainInteger(static_cast<long long>(fastSet.size())) + " nodes: " + Num(f.perNode * 1e3) +
        " ms/node");
    return 0;
  }
  for (bool diffraction : {true, false}) {
    p.DiffrBarriere = p.DiffrCase = diffraction;
    const PropagationSetup setup = PrepareSetup(p, c, Period::Day);
    ReferenceEnergyEngine ref(p, c, setup, kTerm);
    const Clock::time_point b0 = Clock::now();
    FastEngine fast(p, c, setup, kTerm);
    const double buildTime = Seconds(b0, Clock::now());
    const Timing r = Run(ref, refSet, 1, 0);
    const Timing f = Run(fast, refSet, 1, 1.0);
    bool same = r.values == f.values;
    Say(std::string("\nDiffraction ") + (diffraction ? "on (barriers and buildings)" : "off") +
        ", " + PlainInteger(static_cast<long long>(refSet.size())) + " nodes, one thread");
    Say("  reference  " + Num(r.perNode * 1e3) + " ms/node  " + Num(1 / r.perNode, "#####0.0") +
        " nodes/s");
    Say("  fast       " + Num(f.perNode * 1e3) + " ms/node  " + Num(1 / f.perNode, "#####0.0") +
        " nodes/s   (engine built in " + Num(buildTime * 1e3, "###0.0") + " ms, " +
        PlainInteger(static_cast<long long>(fast.edgeIndex().edgeCount())) + " edges, cells " +
        Num(fast.edgeIndex().cellSize(), "##0.0") + " m)");
    Say("  ratio      " + Num(r.perNode / f.perNode, "#####0.0") +
        " x   energies identical: " + (same ? "yes" : "NO"));
    if (!same) return 1;

    const Timing one = Run(fast, fastSet, 1, quick ? 0.5 : 2.0);
    const Timing all = Run(fast, fastSet, cores, quick ? 0.5 : 2.0);
    Say("  fast on " + PlainInteger(static_cast<long long>(fastSet.size())) + " nodes: 1 thread " +
        Num(one.perNode * 1e3) + " ms/node, " + PlainInteger(cores) + " threads " +
        Num(all.perNode * 1e3) + " ms/node, speed-up " + Num(one.perNode / all.perNode, "#0.00") +
        " x   identical: " + (one.values == all.values ? "yes" : "NO"));
    if (one.values != all.values) return 1;
  }

  if (!quick) {
    Say("\nScaling, fast engine, both diffractions, one thread, 1021 nodes of a 101 x 101 grid");
    Say("  buildings   edges   ms/node   reference ms/node   ratio (same " +
        PlainInteger(static_cast<long long>(refSet.size())) + " nodes)");
    for (int buildings : {1000, 2000, 4000, 8000}) {
      const TownParams t = LargeTown(buildings);
      Project q = GenerateTown(t);
      GiveLevels(q);
      q.DiffrBarriere = q.DiffrCase = true;
      const PropagationSetup setup = PrepareSetup(q, c, Period::Day);
      FastEngine fast(q, c, setup, kTerm);
      ReferenceEnergyEngine ref(q, c, setup, kTerm);
      const Timing f = Run(fast, GridNodes(t, c, 101, 10), 1, 1.0);
      const std::vector<Vec3> sample = GridNodes(t, c, 101, 10201 / refNodes);
      const Timing r = Run(ref, sample, 1, 0);
      const Timing fs = Run(fast, sample, 1, 0.5);
      if (r.values != fs.values) {
        Say("  energies differ");
        return 1;
      }
      Say("  " + FormatField(buildings, "#######0") +
          FormatField(static_cast<double>(fast.edgeIndex().edgeCount()), "#######0") + "  " +
          Num(f.perNode * 1e3) + "  " + Num(r.perNode * 1e3, "#############0.0") + "  " +
          Num(r.perNode / fs.perNode, "######0.0"));
    }
    Say("\nGrid sizes, fast engine, both diffractions, " + PlainInteger(cores) +
        " threads, whole grids");
    Say("  grid        nodes   seconds   ms/node");
    p.DiffrBarriere = p.DiffrCase = true;
    const PropagationSetup setup = PrepareSetup(p, c, Period::Day);
    FastEngine fast(p, c, setup, kTerm);
    for (int n : {51, 101, 201}) {
      const std::vector<Vec3> nodes = GridNodes(town, c, n, 1);
      const Timing f = Run(fast, nodes, cores, 0);
      Say("  " + FormatField(n, "##0") + " x " + FormatField(n, "##0") +
          FormatField(static_cast<double>(nodes.size()), "#######0") + "  " +
          Num(f.perNode * static_cast<double>(nodes.size()), "#####0.0") + "  " +
          Num(f.perNode * 1e3));
    }
  }
  if (!quick) {
    Say("");
    CityBench(c, cores, 1);
  }
  Say("\nPeak memory " + Num(static_cast<double>(PeakMemoryKb()) / 1024, "####0.0") + " MB");
  return 0;
}
