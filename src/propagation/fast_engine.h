// The fast propagation engine: the same energies as the straightforward kernel,
// to the bit, with the work per receiver cut down. Everything that does not
// depend on the receiver is prepared once per pass: the segments with the
// crossings near each of them, and a grid of the diffracting edges; per
// receiver, those edges are binned by their direction and distance from it (a
// far building as one item), so that a path only tests the edges that lie
// across it. A segment lying wholly at
// or beyond DistMax is not split, since every piece of it would give exactly 0.
#pragma once

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
  EnergyParts energyParts(const Vec3& r, Wall ownWall = {}) const override;

  const EdgeIndex& edgeIndex() const { return edges_; }

 private:
  struct PreparedSegment {
    Segment s;
    uint32_t crossBegin = 0, crossEnd = 0;  // candidates in crossingLists_
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

  void addLines(const std::vector<LineSource>& lines, std::vector<Line>& out);
  bool whollyBeyond(const Vec3& R, const Vec3& P1, const Vec3& P2, double W) const;
  bool chunkBeyond(const Vec3& R, const Chunk& ch) const;

  const PropagationSetup& setup_;
  double entityTerm_;
  PieceLaw law_;
  bool diffraction_, diffrCase_;
  uint64_t buildingLines_ = 0;  // the lines of the edge index before the first building

  std::vector<PreparedSegment> segments_;
  std::vector<Chunk> chunks_;
  std::vector<Line> roads_, tracks_;
  std::vector<uint32_t> crossingLists_;
  CrossingIndex crossings_;
  EdgeIndex edges_;
};

}  // namespace sonvale
