#include "propagation/fast_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "propagation/edge_index.h"
#include "propagation/energy_engine.h"

namespace sonvale {
namespace {

// Small random towns in which the awkward cases are frequent: receivers on the
// lines of segments and on the corners of buildings, edges exactly vertical or
// nearly so, zero-length segments, crossings within and beyond 100 m, a DistMax
// that cuts through the middle of long segments.
class TownDice {
 public:
  explicit TownDice(unsigned seed) : rng_(seed) {}
  double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
  int integer(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
  bool chance(double p) { return uniform(0, 1) < p; }
  template <class T>
  T pick(std::initializer_list<T> list) {
    return *(list.begin() + integer(0, static_cast<int>(list.size()) - 1));
  }

 private:
  std::mt19937 rng_;
};

struct Town {
  Project p;
  Configuration c;
  std::vector<Vec3> receivers;
};

template <class Line>
void RandomLine(TownDice& d, Line& line, double ox, double oy, double size) {
  const int n = d.integer(2, 6);
  double x = ox + d.uniform(0, size), y = oy + d.uniform(0, size);
  for (int k = 0; k < n; ++k) {
    LineVertex v;
    v.X = x;
    v.Y = y;
    v.Z = d.pick({0.0, 2.0, d.uniform(0, 10)});
    v.SW = static_cast<float>(d.pick({0.0, 8.0, d.uniform(0, 40)}));
    v.EW = static_cast<float>(d.pick({0.0, 12.0, d.uniform(0, 40)}));
    line.vertices.push_back(v);
    if (d.chance(0.1)) continue;  // the next vertex repeats this one
    const double len = d.pick({d.uniform(1, 20), d.uniform(20, 150), d.uniform(150, 400)});
    const double a = d.chance(0.3) ? d.pick({0.0, M_PI / 2, M_PI}) : d.uniform(0, 2 * M_PI);
    x += len * std::cos(a);
    y += len * std::sin(a);
  }
  line.HmedSX = d.pick({0.0, 0.5, 2.0, 5.0, 12.0, 25.0});
  line.HmedDX = d.pick({0.0, 1.0, 4.0, 12.0, 25.0});
  line.LeqDay = d.uniform(40, 80);
  line.LeqNight = d.uniform(30, 70);
}

Polyline3 RandomOutline(TownDice& d, double ox, double oy, double size, bool closed) {
  Polyline3 out;
  const double cx = ox + d.uniform(0, size), cy = oy + d.uniform(0, size);
  const double w = d.uniform(3, 30), h = d.uniform(3, 30);
  const double z = d.uniform(1, 25);
  const int kind = d.integer(0, 2);
  if (kind == 0) {  // axis-aligned: exactly vertical and horizontal edges
    out.vertices = {{cx, cy, z}, {cx + w, cy, z}, {cx + w, cy + h, z}, {cx, cy + h, z}};
  } else if (kind == 1) {  // rotated, or a hair off vertical
    const double a = d.pick({d.uniform(0, M_PI), 1e-9, 1e-13});
    const double c = std::cos(a), s = std::sin(a);
    for (auto [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}})
      out.vertices.push_back({cx + u * c - v * s, cy + u * s + v * c, z + d.uniform(-1, 1)});
  } else {  // an irregular wall or outline
    const int n = d.integer(2, 6);
    for (int k = 0; k < n; ++k)
      out.vertices.push_back({cx + d.uniform(-w, w), cy + d.uniform(-h, h), d.uniform(0.5, 20)});
  }
  if (closed) out.vertices.push_back(out.vertices.front());
  return out;
}

Town RandomTown(unsigned seed) {
  TownDice d(seed);
  Town t;
  Project& p = t.p;
  Configuration& c = t.c;
  // Far from the origin, as map coordinates are, in every other town.
  const double ox = d.chance(0.5) ? 0.0 : 512345.678, oy = d.chance(0.5) ? 0.0 : 4501234.567;
  // Now and then a district, where long paths cross many buildings and the
  // bounds skip most of them.
  const double size = d.chance(0.1) ? 1500.0 : d.pick({60.0, 200.0, 500.0});

  c.Hsorg = d.pick({0.0, 0.5, 1.0});
  c.AttCoeff = d.pick({0.0, 0.005});
  c.DistMin = d.pick({0.0, 1.0, 3.0, 8.0});
  c.CorrLatoEdificato = 1.5;
  c.CorrStradaStretta = 2.5;
  c.CorrCanyon = 4.0;
  p.DiffrBarriere = d.chance(0.6);
  p.DiffrCase = d.chance(0.6);
  p.AzzeraStandard = d.chance(0.15);
  p.DistMax = d.pick({2500.0, 40.0, 120.0, 300.0, 5.0});

  for (int k = d.integer(0, 4); k > 0; --k) RandomLine(d, p.strade.addEntity(), ox, oy, size);
  for (int k = d.integer(0, 2); k > 0; --k) RandomLine(d, p.binari.addEntity(), ox, oy, size);
  for (int k = d.integer(0, 4); k > 0; --k)
    p.barriere.addEntity() = RandomOutline(d, ox, oy, size, false);
  for (int k = d.integer(0, size > 1000 ? 400 : 25); k > 0; --k)
    p.case_.addEntity() = RandomOutline(d, ox, oy, size, d.chance(0.7));
  for (int k = d.integer(0, 8); k > 0; --k) {
    Incrocio& x = p.incroci.addEntity();
    x.X = ox + d.uniform(-100, size + 100);
    x.Y = oy + d.uniform(-100, size + 100);
  }
  for (int k = d.integer(0, 3); k > 0; --k) {
    Source& s = p.sources.addEntity();
    s.X = ox + d.uniform(0, size);
    s.Y = oy + d.uniform(0, size);
    s.Z = d.uniform(0, 10);
    s.Lw = d.uniform(70, 110);
    s.Lwnight = d.uniform(60, 100);
  }

  auto add = [&](double x, double y, double z) { t.receivers.push_back({x, y, z}); };
  for (int k = 0; k < 12; ++k)
    add(ox + d.uniform(-50, size + 50), oy + d.uniform(-50, size + 50), d.uniform(0, 20));
  // On the lines of segments: at the ends, the middle, and beyond the ends.
  for (long i = 1; i <= p.strade.count(); ++i) {
    const Strada& s = p.strade[i];
    for (long j = 1; j < s.Npunti(); ++j) {
      const LineVertex &a = s.vertex(j), &b = s.vertex(j + 1);
      const double f = d.pick({0.0, 0.5, 1.0, -0.7, 1.6, d.uniform(0, 1)});
      add(a.X + f * (b.X - a.X), a.Y + f * (b.Y - a.Y), c.Hsorg + d.pick({a.Z, 4.0}));
      // At exactly DistMax across the line from the midpoint of the segment.
      const double len = std::hypot(b.X - a.X, b.Y - a.Y);
      if (len > 0)
        add((a.X + b.X) / 2 - (b.Y - a.Y) / len * p.DistMax,
            (a.Y + b.Y) / 2 + (b.X - a.X) / len * p.DistMax, c.Hsorg + (a.Z + b.Z) / 2);
    }
  }
  // On the corners of buildings and barriers, at the top, below and above it.
  for (const auto* table : {&p.case_, &p.barriere}) {
    for (long i = 1; i <= table->count(); ++i) {
      const Point3& v = (*table)[i].vertex(d.integer(1, static_cast<int>((*table)[i].Npunti())));
      add(v.X, v.Y, d.pick({v.Z, 1.5, v.Z + 3}));
    }
  }
  for (long i = 1; i <= p.sources.count(); ++i)
    add(p.sources[i].X, p.sources[i].Y, d.pick({p.sources[i].Z, 4.0}));
  return t;
}

TEST(FastEngineTest, RandomTownsGiveExactlyTheReferenceEnergies) {
  long compared = 0, nonZero = 0, attenuatedTowns = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    Town t = RandomTown(seed);
    attenuatedTowns += (t.p.DiffrCase || t.p.DiffrBarriere) && t.p.case_.count() > 0;
    for (Period period : {Period::Day, Period::Night}) {
      PropagationSetup setup = PrepareSetup(t.p, t.c, period);
      if (t.p.AzzeraStandard) {
        setup.includeTracksAndSources = false;
        setup.tracks.clear();
        setup.sources.clear();
      }
      for (double entityTerm : {0.0, std::pow(10.0, 2.6)}) {
        ReferenceEnergyEngine ref(t.p, t.c, setup, entityTerm);
        // The chosen cells and very small ones, which put the ends of edges and
        // paths on cell borders all the time.
        FastEngine fast(t.p, t.c, setup, entityTerm);
        FastEngine fine(t.p, t.c, setup, entityTerm, 0.37);
        for (const Vec3& r : t.receivers) {
          const double expected = ref.energy(r);
          ASSERT_EQ(fast.energy(r), expected)
              << "seed " << seed << " at " << r.x << " " << r.y << " " << r.z;
          ASSERT_EQ(fine.energy(r), expected) << "seed " << seed << " (fine cells)";
          ++compared;
          nonZero += expected > 0;
        }
      }
    }
  }
  // The towns must exercise the engine, not only compare zeros.
  EXPECT_GT(compared, 20000);
  EXPECT_GT(nonZero, compared / 2);
  EXPECT_GT(attenuatedTowns, 100);
}

// As dense as a city centre (3000 buildings on 2 km x 2 km, a few hundred
// barriers, long roads), with a DistMax that reaches across the whole town or
// only a part of it, so that the receivers leave far edges and far segments out.
TEST(FastEngineTest, CityDensityTownsGiveExactlyTheReferenceEnergies) {
  long compared = 0, nonZero = 0;
  for (unsigned seed = 1; seed <= 3; ++seed) {
    TownDice d(1000 + seed);
    Town t;
    Project& p = t.p;
    const double ox = 512345.678, oy = 4501234.567, size = 2000;
    t.c.Hsorg = 0.5;
    t.c.DistMin = 1;
    t.c.AttCoeff = 0.005;
    p.DiffrBarriere = p.DiffrCase = true;
    p.DistMax = seed == 1 ? 2500.0 : d.pick({300.0, 700.0});
    for (int k = 0; k < 6; ++k) RandomLine(d, p.strade.addEntity(), ox, oy, size);
    RandomLine(d, p.binari.addEntity(), ox, oy, size);
    for (int k = 0; k < 200; ++k) p.barriere.addEntity() = RandomOutline(d, ox, oy, size, false);
    for (int k = 0; k < 3000; ++k) p.case_.addEntity() = RandomOutline(d, ox, oy, size, true);
    for (int k = 0; k < 40; ++k) {
      Incrocio& x = p.incroci.addEntity();
      x.X = ox + d.uniform(0, size);
      x.Y = oy + d.uniform(0, size);
    }
    for (int k = 0; k < 3; ++k) {
      Source& s = p.sources.addEntity();
      s.X = ox + d.uniform(0, size);
      s.Y = oy + d.uniform(0, size);
      s.Z = 2;
      s.Lw = 100;
      s.Lwnight = 90;
    }
    for (int k = 0; k < 60; ++k)
      t.receivers.push_back({ox + d.uniform(0, size), oy + d.uniform(0, size), d.uniform(2, 20)});
    for (int k = 0; k < 20; ++k) {  // on corners of buildings
      const Polyline3& b = p.case_[d.integer(1, 3000)];
      const Point3& v = b.vertex(d.integer(1, static_cast<int>(b.Npunti())));
      t.receivers.push_back({v.X, v.Y, d.pick({v.Z, 4.0})});
    }
    const PropagationSetup setup = PrepareSetup(p, t.c, Period::Day);
    ReferenceEnergyEngine ref(p, t.c, setup, 0);
    FastEngine fast(p, t.c, setup, 0);
    for (const Vec3& r : t.receivers) {
      const double expected = ref.energy(r);
      ASSERT_EQ(fast.energy(r), expected) << "seed " << seed << " at " << r.x << " " << r.y;
      ++compared;
      nonZero += expected > 0;
    }
  }
  EXPECT_EQ(compared, 240);
  EXPECT_GT(nonZero, 200);
}

TEST(FastEngineTest, EdgeIndexMatchesTheFullScanOnAwkwardPaths) {
  // Paths through the very corners of edges, along them, and ending on them,
  // far from the origin and with cells of several sizes.
  TownDice d(77);
  for (int round = 0; round < 60; ++round) {
    const double ox = d.pick({0.0, 4.5e6}), oy = d.pick({0.0, -3.3e5, 5.1e6});
    EntityTable<Polyline3> table("Case", 9000);
    for (int k = d.integer(1, 30); k > 0; --k)
      table.addEntity() = RandomOutline(d, ox, oy, 150, d.chance(0.5));
    std::vector<Point3> corners;
    for (long i = 1; i <= table.count(); ++i)
      for (const Point3& v : table[i].vertices) corners.push_back(v);
    for (double cell : {0.0, 0.25, 3.0, 1000.0}) {
      EdgeIndex index;
      index.add(table);
      index.build(cell);
      EdgeVisitMarks marks;
      for (int k = 0; k < 300; ++k) {
        auto end = [&]() -> Vec3 {
          if (d.chance(0.5)) {
            const Point3& v = corners[static_cast<size_t>(d.integer(0, int(corners.size()) - 1))];
            return {v.X, v.Y, d.pick({v.Z, 0.0, v.Z - 1})};
          }
          return {ox + d.uniform(-20, 170), oy + d.uniform(-20, 170), d.uniform(0, 8)};
        };
        Vec3 S = end(), R = end();
        if (d.chance(0.2)) {  // extend an edge through a corner: the path runs along it
          const Point3& a = corners[static_cast<size_t>(d.integer(0, int(corners.size()) - 2))];
          const Point3& b = corners[static_cast<size_t>(d.integer(0, int(corners.size()) - 1))];
          S = {a.X - 2 * (b.X - a.X), a.Y - 2 * (b.Y - a.Y), 0.5};
          R = {b.X + (b.X - a.X), b.Y + (b.Y - a.Y), 0.5};
        }
        double expected = d.pick({0.0, 3.0});
        double got = expected;
        EdgeAttenuation(table, S, R, expected);
        index.attenuation(S, R, got, marks);
        ASSERT_EQ(got, expected) << "round " << round << " cell " << cell;
      }
    }
  }
}

TEST(FastEngineTest, ReceiverBinsMatchTheFullScan) {
  // Many paths to one receiver, as a node sees them: from the corners of the
  // edges, from random points, and along edges extended through the receiver, in
  // towns small enough to keep everything near and large enough to fill the
  // outer rings (where outlines are binned as groups of edges); the receiver
  // itself sometimes on a corner or on an edge.
  TownDice d(91);
  for (int round = 0; round < 40; ++round) {
    const double ox = d.pick({0.0, 4.5e6}), oy = d.pick({0.0, -3.3e5, 5.1e6});
    const double size = d.pick({60.0, 600.0, 4000.0});
    EntityTable<Polyline3> table("Case", 9000);
    for (int k = d.integer(1, size > 1000 ? 300 : 40); k > 0; --k)
      table.addEntity() = RandomOutline(d, ox, oy, size, d.chance(0.5));
    std::vector<Point3> corners;
    for (long i = 1; i <= table.count(); ++i)
      for (const Point3& v : table[i].vertices) corners.push_back(v);
    auto corner = [&]() -> const Point3& {
      return corners[static_cast<size_t>(d.integer(0, int(corners.size()) - 1))];
    };
    EdgeIndex index;
    index.add(table);
    index.build();
    EdgeVisitMarks marks;
    ReceiverEdges from;
    for (int receiver = 0; receiver < 4; ++receiver) {
      Vec3 R{ox + d.uniform(-20, size + 20), oy + d.uniform(-20, size + 20), d.uniform(0, 8)};
      // Half of the receivers leave out one wall, as a receiver on a facade does.
      Wall own;
      if (d.chance(0.5)) {
        own.building = d.integer(1, static_cast<int>(table.count()));
        own.wall = d.integer(1, static_cast<int>(table[own.building].Npunti()) - 1);
      }
      // The hint of a source is whatever a path left there: the edge left out,
      // an edge of another engine, one past the last, or any edge at all.
      uint32_t sourceHint = kNoEdge;
      const EdgeQuery query{from, marks, index.find(static_cast<uint64_t>(own.building), own.wall),
                            &sourceHint};
      if (d.chance(0.3)) {
        const Point3& a = corner();
        const Point3& b = corner();
        const double f = d.pick({0.0, 0.5, d.uniform(0, 1)});
        R = {a.X + f * (b.X - a.X), a.Y + f * (b.Y - a.Y), d.pick({a.Z, 0.0})};
      }
      index.prepareReceiver(R, from);
      EXPECT_TRUE(from.ready());
      for (int k = 0; k < 250; ++k) {
        Vec3 S{ox + d.uniform(-20, size + 20), oy + d.uniform(-20, size + 20), d.uniform(0, 8)};
        const int kind = d.integer(0, 4);
        if (kind == 1) {
          const Point3& v = corner();
          S = {v.X, v.Y, d.pick({v.Z, 0.0, v.Z - 1})};
        } else if (kind == 2) {  // on the line from the receiver through a corner
          const Point3& v = corner();
          const double f = d.pick({1.0, 2.0, 0.5, d.uniform(0, 3)});
          S = {R.x + f * (v.X - R.x), R.y + f * (v.Y - R.y), 0.5};
        } else if (kind == 3) {  // close to the receiver
          S = {R.x + d.uniform(-3, 3), R.y + d.uniform(-3, 3), d.uniform(0, 8)};
        } else if (kind == 4) {  // along the x axis, where the directions wrap round
          S = {R.x + d.uniform(1, size), R.y + d.pick({0.0, 1e-9, -1e-9, -1e-3}), 0.5};
        }
        if (d.chance(0.3)) {
          const auto edges = static_cast<uint32_t>(index.edgeCount());
          sourceHint = d.pick({query.skip, edges, edges + 7, marks.hint,
                               static_cast<uint32_t>(d.integer(0, static_cast<int>(edges) - 1))});
        }
        double expected = d.pick({0.0, 3.0});
        double got = expected;
        EdgeAttenuation(table, S, R, expected, own);
        index.attenuationTo(S, query, got);
        ASSERT_EQ(got, expected) << "round " << round << " receiver " << receiver << " path " << k;
      }
    }
  }
}

TEST(FastEngineTest, VanishingAttenuationsMatchTheFullScan) {
  // Walls a few metres above the middle of paths of 0.6-2 km: Kmet is then
  // e^-20 to e^-200, so the strongest edge of a path gives from about 1e-8 dB
  // down to exactly 0 (1 + x rounds to 1), the range where the running
  // maximum's threshold and the skipped logarithms must still leave the full
  // scan's double.
  TownDice d(5);
  int tiny = 0, zero = 0;
  for (int round = 0; round < 12; ++round) {
    EntityTable<Polyline3> table("Barriera", 9000);
    for (int k = 0; k < 400; ++k) {
      const double a = d.uniform(0, 2 * M_PI), r = d.uniform(150, 1800);
      const double x = r * std::cos(a), y = r * std::sin(a), z = 1 + d.uniform(1.5, 12);
      const double b = d.uniform(0, M_PI), len = d.uniform(5, 40);
      table.addEntity().vertices = {
          {x, y, z},
          {x + len * std::cos(b), y + len * std::sin(b), z + d.pick({0.0, d.uniform(-1, 1)})}};
    }
    EdgeIndex index;
    index.add(table);
    index.build();
    EdgeVisitMarks marks;
    ReceiverEdges from;
    const Vec3 R{d.uniform(-5, 5), d.uniform(-5, 5), 1};
    index.prepareReceiver(R, from);
    uint32_t sourceHint = kNoEdge;
    const EdgeQuery query{from, marks, kNoEdge, &sourceHint};
    for (int k = 0; k < 400; ++k) {
      const double a = d.uniform(0, 2 * M_PI), r = d.uniform(600, 2000);
      const Vec3 S{R.x + r * std::cos(a), R.y + r * std::sin(a), d.uniform(0.5, 1.5)};
      double expected = 0, got = 0, walked = 0;
      EdgeAttenuation(table, S, R, expected);
      index.attenuationTo(S, query, got);
      index.attenuation(S, R, walked, marks);
      ASSERT_EQ(got, expected) << "round " << round << " path " << k;
      ASSERT_EQ(walked, expected) << "round " << round << " path " << k;
      tiny += expected > 0 && expected < 1e-10;
      zero += expected == 0;
    }
  }
  EXPECT_GT(tiny, 100);
  EXPECT_GT(zero, 100);
}

TEST(FastEngineTest, OddGeometryIsScannedLikeTheReference) {
  // Undefined and enormous coordinates leave the cells; the scan must still
  // give the full scan's answer, and an undefined receiver the reference's sum.
  Town t = RandomTown(5);
  t.p.DiffrCase = true;
  t.p.DiffrBarriere = true;
  t.p.case_.addEntity() = Polyline3{{{NAN, 0, 5}, {10, 10, 5}}};
  t.p.case_.addEntity() = Polyline3{{{1e14, 0, 5}, {-1e14, 1, 5}}};
  t.p.case_.addEntity() = Polyline3{{{3, 3, 5}, {3, 3, 9}}};  // no plan extent
  Incrocio& far = t.p.incroci.addEntity();
  far.X = 1e13;
  far.Y = INFINITY;
  PropagationSetup setup = PrepareSetup(t.p, t.c, Period::Day);
  ReferenceEnergyEngine ref(t.p, t.c, setup, 0);
  FastEngine fast(t.p, t.c, setup, 0);
  std::vector<Vec3> odd = t.receivers;
  odd.push_back({0, 0, 0});
  odd.push_back({1e13, 5, 0});
  odd.push_back({3, 3, 7});
  for (const Vec3& r : odd) EXPECT_EQ(fast.energy(r), ref.energy(r));
  const double nan = fast.energy({NAN, 1, 1});
  EXPECT_TRUE(std::isnan(nan) == std::isnan(ref.energy({NAN, 1, 1})));
}

// Each part is what the same engine gives on a copy of the project holding only
// that kind of source; the total is energy(); the fast engine gives the
// reference's doubles, with and without an own wall left out.
TEST(FastEngineTest, EnergyPartsSplitTheTotalByKindInOnePass) {
  long compared = 0, split = 0;
  for (unsigned seed = 1; seed <= 120; ++seed) {
    Town t = RandomTown(seed);
    const PropagationSetup setup = PrepareSetup(t.p, t.c, Period::Day);
    const double term = seed % 2 ? 0.0 : std::pow(10.0, 2.6);
    Project roads = t.p, tracks = t.p, sources = t.p;
    roads.binari.setCount(0);
    roads.sources.setCount(0);
    tracks.strade.setCount(0);
    tracks.sources.setCount(0);
    sources.strade.setCount(0);
    sources.binari.setCount(0);
    const PropagationSetup onlyRoads = PrepareSetup(roads, t.c, Period::Day);
    const PropagationSetup onlyTracks = PrepareSetup(tracks, t.c, Period::Day);
    const PropagationSetup onlySources = PrepareSetup(sources, t.c, Period::Day);
    ReferenceEnergyEngine ref(t.p, t.c, setup, term);
    FastEngine fast(t.p, t.c, setup, term);
    FastEngine fastRoads(roads, t.c, onlyRoads, term), fastTracks(tracks, t.c, onlyTracks, term),
        fastSources(sources, t.c, onlySources, term);
    for (const Vec3& r : t.receivers) {
      const EnergyParts e = fast.energyParts(r);
      ASSERT_EQ(e.total, fast.energy(r)) << "seed " << seed;
      ASSERT_EQ(e.roads, fastRoads.energy(r)) << "seed " << seed;
      ASSERT_EQ(e.tracks, fastTracks.energy(r)) << "seed " << seed;
      ASSERT_EQ(e.sources, fastSources.energy(r)) << "seed " << seed;
      const EnergyParts x = ref.energyParts(r);
      ASSERT_TRUE(e.total == x.total && e.roads == x.roads && e.tracks == x.tracks &&
                  e.sources == x.sources)
          << "seed " << seed;
      split += (e.roads > 0) + (e.tracks > 0) + (e.sources > 0) > 1;
      ++compared;
    }
    // Every wall of the first buildings left out in turn, from receivers on it.
    for (long b = 1; b <= std::min(3L, t.p.case_.count()); ++b) {
      const Polyline3& o = t.p.case_[b];
      for (long j = 1; j < o.Npunti(); ++j) {
        const Point3 &u = o.vertex(j), &v = o.vertex(j + 1);
        const double len = std::hypot(v.X - u.X, v.Y - u.Y);
        if (!(len > 0)) continue;
        // 0.1 m to one side of the middle of the wall, 2 m below its top.
        const Vec3 r{(u.X + v.X) / 2 + 0.1 * (v.Y - u.Y) / len,
                     (u.Y + v.Y) / 2 - 0.1 * (v.X - u.X) / len, (u.Z + v.Z) / 2 - 2};
        const EnergyParts e = fast.energyParts(r, {b, j});
        const EnergyParts x = ref.energyParts(r, {b, j});
        ASSERT_TRUE(e.total == x.total && e.roads == x.roads && e.tracks == x.tracks &&
                    e.sources == x.sources)
            << "seed " << seed << " building " << b << " wall " << j;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 3000);
  EXPECT_GT(split, 100);
}

// The day and the night from one walk of the paths: each period's parts are the
// reference kernel's parts of that period, on façade walls too, and the two
// periods really differ (a swap of emissions would not pass).
TEST(FastEngineTest, DayAndNightInOneWalkGiveEachPeriodsReferenceParts) {
  long compared = 0, differing = 0;
  auto same = [](const EnergyParts& a, const EnergyParts& b) {
    return a.total == b.total && a.roads == b.roads && a.tracks == b.tracks &&
           a.sources == b.sources;
  };
  for (unsigned seed = 1; seed <= 150; ++seed) {
    Town t = RandomTown(seed);
    const PropagationSetup day = PrepareSetup(t.p, t.c, Period::Day);
    const PropagationSetup night = PrepareSetup(t.p, t.c, Period::Night);
    const double term = seed % 2 ? 0.0 : std::pow(10.0, 2.6);
    const ReferenceEnergyEngine refDay(t.p, t.c, day, term), refNight(t.p, t.c, night, term);
    const FastEngine both(t.p, t.c, day, night, term);
    const auto viaFactory = MakeDayNightEngine(seed % 3 ? EngineKind::Fast : EngineKind::Reference,
                                               t.p, t.c, day, night, term);
    std::vector<std::pair<Vec3, Wall>> at;
    for (const Vec3& r : t.receivers) at.push_back({r, {}});
    if (t.p.case_.count() > 0) {
      const Polyline3& o = t.p.case_[1];
      const Point3 &u = o.vertex(1), &v = o.vertex(2);
      at.push_back({{(u.X + v.X) / 2, (u.Y + v.Y) / 2, (u.Z + v.Z) / 2 - 2}, {1, 1}});
    }
    for (const auto& [r, wall] : at) {
      const std::array<EnergyParts, 2> e = both.dayNightParts(r, wall);
      ASSERT_TRUE(same(e[0], refDay.energyParts(r, wall))) << "seed " << seed << " day";
      ASSERT_TRUE(same(e[1], refNight.energyParts(r, wall))) << "seed " << seed << " night";
      const std::array<EnergyParts, 2> f = viaFactory->parts(r, wall);
      ASSERT_TRUE(same(f[0], e[0]) && same(f[1], e[1])) << "seed " << seed << " factory";
      ASSERT_TRUE(same(both.energyParts(r, wall), e[0])) << "seed " << seed;
      differing += e[0].total != e[1].total;
      ++compared;
    }
  }
  EXPECT_GT(compared, 5000);
  EXPECT_GT(differing, compared / 2);
  // A single-period engine has no night.
  const Town t = RandomTown(1);
  const PropagationSetup day = PrepareSetup(t.p, t.c, Period::Day);
  EXPECT_THROW(FastEngine(t.p, t.c, day, 0).dayNightParts({0, 0, 4}), std::logic_error);
}

// A receiver 0.1 m in front of the east wall of a 10 m cube hears a source
// 20 m west of the cube. The path crosses the west wall (T = (0, 5, 10)) and
// the east wall (T = (10, 5, 10)); worked out by hand, they attenuate by
// 24.521049 and 27.548085 dB, so the own wall would rule. Left out, the far
// wall does. Free field: 100 - 11 - 20 lg 30.3028 = 59.370343 dB.
TEST(FastEngineTest, OwnWallIsLeftOutOfTheBuildingDiffraction) {
  Project p;
  Configuration c;
  p.DiffrCase = true;
  p.DistMax = 2500;
  p.case_.addEntity() = Polyline3{{{0, 0, 10}, {10, 0, 10}, {10, 10, 10}, {0, 10, 10}, {0, 0, 10}}};
  Source& s = p.sources.addEntity();
  s.X = -20;
  s.Y = 5;
  s.Z = 0.5;
  s.Lw = 100;
  const Vec3 R{10.1, 5, 4};
  EXPECT_NEAR(PointSourceLevel(p, c, R, {-20, 5, 0.5}, 100), 59.370343 - 27.548085, 1e-6);
  EXPECT_NEAR(PointSourceLevel(p, c, R, {-20, 5, 0.5}, 100, {1, 2}), 59.370343 - 24.521049, 1e-6);
  // Another wall left out changes nothing here.
  EXPECT_EQ(PointSourceLevel(p, c, R, {-20, 5, 0.5}, 100, {1, 3}),
            PointSourceLevel(p, c, R, {-20, 5, 0.5}, 100));
  const PropagationSetup setup = PrepareSetup(p, c, Period::Day);
  ReferenceEnergyEngine ref(p, c, setup, 0);
  FastEngine fast(p, c, setup, 0);
  for (const Wall w : {Wall{}, Wall{1, 2}, Wall{1, 1}, Wall{2, 1}, Wall{1, 9}}) {
    EXPECT_EQ(fast.energyParts(R, w).total, ref.energyParts(R, w).total);
    EXPECT_EQ(fast.energyParts(R, w).sources, ref.energyParts(R, w).total);
  }
  EXPECT_NEAR(10 * std::log10(fast.energyParts(R, {1, 2}).total), 59.370343 - 24.521049, 1e-6);
}

TEST(FastEngineTest, EngineNamesAndFactory) {
  EXPECT_EQ(ParseEngineKind("fast"), EngineKind::Fast);
  EXPECT_EQ(ParseEngineKind("reference"), EngineKind::Reference);
  EXPECT_FALSE(ParseEngineKind("Fast").has_value());
  EXPECT_FALSE(ParseEngineKind("").has_value());
  EXPECT_STREQ(EngineKindName(EngineKind::Fast), "fast");

  // One road segment, 10 m long, receiver 100 m from its midpoint across it,
  // no floors reached, Hsorg 0: e = 2.8 E Len / r^2 = 2.8 * 1e7 * 10 / 1e4.
  Project p;
  Configuration c;
  Strada& s = p.strade.addEntity();
  s.LeqDay = 70;
  s.vertices = {LineVertex{-5, 0, 0, 20, 20}, LineVertex{5, 0, 0, 20, 20}};
  PropagationSetup setup = PrepareSetup(p, c, Period::Day);
  for (EngineKind kind : {EngineKind::Reference, EngineKind::Fast}) {
    auto engine = MakeEnergyEngine(kind, p, c, setup, 0);
    EXPECT_NEAR(engine->energy({0, 100, 0}), 28000.0, 1e-6);
    // With the per-road term of maps, 10^2.6 on top.
    auto map = MakeEnergyEngine(kind, p, c, setup, std::pow(10.0, 2.6));
    EXPECT_NEAR(map->energy({0, 100, 0}), 28000.0 + 398.107, 1e-3);
  }
  // Beyond DistMax the segment gives nothing, even when it is long enough to be split.
  p.DistMax = 99;
  s.vertices = {LineVertex{-400, 0, 0, 20, 20}, LineVertex{400, 0, 0, 20, 20}};
  setup = PrepareSetup(p, c, Period::Day);
  EXPECT_EQ(FastEngine(p, c, setup, 0).energy({0, 100, 0}), 0.0);
  EXPECT_GT(FastEngine(p, c, setup, 0).energy({0, 90, 0}), 0.0);
}

}  // namespace
}  // namespace sonvale
