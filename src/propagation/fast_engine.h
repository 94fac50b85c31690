// The fast propagation engine: the same energies as the straightforward kernel,
// to the bit, with the work per receiver cut down. Everything that does not
// depend on the receiver is prepared once per pass: the segments with the
// crossings near each of them, and a grid of the diffracting edges; per
// receiver, those edges are binned by their direction and distance from it (a
// far building as one item), so that a path only tests the edges that lie
// across it. A segment lying wholly at
// or beyond DistMax is not split, since every piece of it would give exactly 0.
// Built from the setups of the day and the night, it walks every path once for
// both periods (only the emissions differ between them).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "propagation/crossing_index.h"
#include "propagation/edge_index.h"
#include "propagation/energy_engine.h"
#include "propagation/piece_energy.h"

namespace sonvale {

class FastEngine : public EnergyEngine {
 public:
  // edgeCellSize <= 0 lets the edge grid choose its cells.
  FastEngine(const Project& p, const Configuration& c, const PropagationSetup& setup,
             double entityTerm, double edgeCellSize = 0);
  // Both periods at once: day and night are setups of the same project, so
  // they hold the same lines, segments and sources.
  FastEngine(const Project& p, const Configuration& c, const PropagationSetup& day,
             const PropagationSetup& night, double entityTerm, double edgeCellSize = 0);
  // The first period's parts.
  EnergyParts energyParts(const Vec3& r, Wall ownWall = {}) const override;
  // The day's and the night's parts of an engine built from both periods, each
  // the doubles energyParts of an engine built from that period alone gives.
  std::array<EnergyParts, 2> dayNightParts(const Vec3& r, Wall ownWall = {}) const;

  const EdgeIndex& edgeIndex() const { return edges_; }

 private:
  struct PreparedSegment {
    Segment s;
    std::array<double, 2> E{};              // emission of each period
    uint32_t crossBegin = 0, crossEnd = 0;  // candidates in crossingLists_
  };
  struct PointSource {
    Vec3 pos;
    std::array<double, 2> Lw{};  // power of each period
  };
  // Consecutive segments segments_[begin .. end) of one line, and the box of
  // their ends and midpoints (scale: its largest coordinate magnitude, NaN
  // when a coordinate is not finite).
  struct Chunk {
    uint32_t begin = 0, end = 0;
    Vec3 lo, hi;
    double scale = 0;
    bool finite = true;
  };
  struct Line {
    uint32_t begin = 0, end = 0;  // chunks in chunks_
  };
  struct Context;

  FastEngine(const Project& p, const Configuration& c,
             const std::vector<const PropagationSetup*>& periods, double entityTerm,
             double edgeCellSize);
  void addLines(const std::vector<const PropagationSetup*>& periods,
                std::vector<LineSource> PropagationSetup::*lines, std::vector<Line>& out);
  template <size_t N>
  std::array<EnergyParts, N> periodParts(const Vec3& r, Wall ownWall) const;
  bool whollyBeyond(const Vec3& R, const Vec3& P1, const Vec3& P2, double W) const;
  bool chunkBeyond(const Vec3& R, const Chunk& ch) const;

  size_t periods_;
  bool includeTracksAndSources_;
  double entityTerm_;
  PieceLaw law_;
  bool diffraction_, diffrCase_;
  uint64_t buildingLines_ = 0;  // the lines of the edge index before the first building

  std::vector<PreparedSegment> segments_;
  std::vector<Chunk> chunks_;
  std::vector<Line> roads_, tracks_;
  std::vector<PointSource> sources_;
  std::vector<uint32_t> crossingLists_;
  CrossingIndex crossings_;
  EdgeIndex edges_;
};

}  // namespace sonvale
