// A uniform grid over the barrier tops and roof edges of a pass, so that the
// single-edge diffraction of a path only tests the edges near that path, and
// per receiver the same edges (or, from afar, their groups) binned by direction
// and distance from it. It finds
// exactly the attenuation the full scan of EdgeAttenuation finds: the strongest
// edge is a maximum, so the visiting order does not matter, and every edge the
// full scan could accept (in floating point, ends of edges included) lies in a
// cell the walk along the path visits.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "model/project.h"
#include "propagation/kernel.h"

namespace sonvale {

// No edge: an index past every edge.
inline constexpr uint32_t kNoEdge = 0xFFFFFFFFu;

// One edge as the full scan sees it: its ends and the differences it computes.
struct IndexedEdge {
  double x1 = 0, y1 = 0, z1 = 0;
  double x2 = 0, y2 = 0, z2 = 0;
  double ex = 0, ey = 0, ez = 0;  // x2 - x1, y2 - y1, z2 - z1
  double len = 0, invLen2 = 0;    // plan length and 1 / its square
};

// A point in plan.
struct PlanPoint {
  double x = 0, y = 0;
};

// Marks the edges already tested for one path, and remembers the strongest
// edge of the last path as the first to test on the next; one per thread.
class EdgeVisitMarks {
 public:
  uint32_t hint = kNoEdge;
  void reset(size_t edges) {
    if (marks_.size() != edges) {
      marks_.assign(edges, 0);
      hint = kNoEdge;
    }
  }
  // Starts a new path; returns its stamp.
  uint32_t next();
  // True the first time edge k is met on the current path.
  bool first(uint32_t k) {
    if (marks_[k] == stamp_) return false;
    marks_[k] = stamp_;
    return true;
  }

 private:
  std::vector<uint32_t> marks_;
  uint32_t stamp_ = 0;
};

// The edges of an EdgeIndex as seen from one receiver: every path of a node ends
// at the node, so the edges are put in rings of distance from it, each ring cut
// into bins of direction (padded for rounding), and a path only tests the edges
// of its own direction in the rings it reaches, skipping whole bins and single
// edges whose attenuation bound is below the strongest edge found. Seen from
// afar, a group of neighbouring edges of one line is binned as one item, tested
// edge by edge when a path meets it. One per thread, rebuilt per receiver.
class ReceiverEdges {
 public:
  bool ready() const { return ready_; }

 private:
  friend class EdgeIndex;
  struct Entry {
    float near;  // plan distances from the receiver to the edge, padded outwards
    float far;
    float top;  // above the highest end of the edge
    float lo;   // its padded directions: pseudo-angles lo .. lo + width, wrapping at 4
    float width;
    uint32_t k;  // the edge, or the group with the top bit set
  };
  void fillBins();

  bool ready_ = false;
  Vec3 R_;
  double reach_ = 0;
  std::vector<uint32_t> near_;  // edges close to the receiver: every path tests them
  // A bin's edges are entries_[start .. end), positions in edge_; top, far and
  // near are the highest top, the farthest far and the nearest near among them.
  struct Bin {
    uint32_t start, end;
    float top, far, near;
  };
  std::vector<Bin> bins_;
  std::vector<uint32_t> entries_;
  // Per item (an edge, or a group of edges seen from afar): first bin, bins and
  // ring, and its entry.
  std::vector<uint32_t> span_;
  std::vector<Entry> edge_;
  // Per direction of the finest ring, bit r set when something of ring r lies
  // in it (see fillBins): a path passes over the other rings without looking.
  std::vector<uint32_t> rings_;
};

// The paths to one receiver: its view of the edges, the thread's marks, and an
// edge left out of every path (kNoEdge for none). sourceHint, when set, holds
// the strongest edge of the last path from the same source (to any receiver):
// tested first, and updated.
struct EdgeQuery {
  const ReceiverEdges& from;
  EdgeVisitMarks& marks;
  uint32_t skip = kNoEdge;
  uint32_t* sourceHint = nullptr;
};

class EdgeIndex {
 public:
  // Adds the edges of every entity in table order (the closing edge only when the
  // last vertex repeats the first, as the full scan does). Entities are numbered
  // as lines across the tables added; returns the lines added before this table.
  uint32_t add(const EntityTable<Polyline3>& entities);
  // Builds the cells; cellSize <= 0 chooses one from the edge density.
  void build(double cellSize = 0);

  bool empty() const { return edges_.empty(); }
  size_t edgeCount() const { return edges_.size(); }
  size_t cellCount() const { return static_cast<size_t>(nx_) * static_cast<size_t>(ny_); }
  double cellSize() const { return h_; }

  // The edge from vertex `vertex` to `vertex + 1` of line `line` (both from 1),
  // once built; kNoEdge when there is none.
  uint32_t find(uint64_t line, long vertex) const;

  // Raises Att to the strongest edge attenuation on the path S-R, never lowers
  // it; edge `skip` is left out.
  void attenuation(const Vec3& S, const Vec3& R, double& Att, EdgeVisitMarks& marks,
                   uint32_t skip = kNoEdge) const;

  // Prepares the edges as seen from receiver R for attenuationTo, for paths of
  // plan length up to reach (longer ones walk the cells).
  void prepareReceiver(const Vec3& R, ReceiverEdges& out,
                       double reach = std::numeric_limits<double>::infinity()) const;
  // attenuation(S, R, ...) for the receiver that q.from was prepared for.
  void attenuationTo(const Vec3& S, const EdgeQuery& q, double& Att) const;

 private:
  struct Extent {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  };
  // The phases of build.
  void cutRuns(std::vector<uint32_t>& run) const;
  void orderRuns(std::vector<uint32_t>& run);
  std::vector<uint32_t> sortOut(Extent& box);
  void makeGroups(const std::vector<uint32_t>& gridded, const std::vector<uint32_t>& run);
  void fillCells(const std::vector<uint32_t>& gridded, const Extent& box, double cellSize);
  // How much of a path the cell walk of attenuation must visit.
  enum class Walk { Whole, Ends, Nothing };
  Walk middleOfPath(const Vec3& S, const Vec3& R, double threshold, double slack, double rayLow,
                    double& fa, double& fb) const;
  bool pathIndexable(const Vec3& S, const Vec3& R) const;
  int cellX(double x) const;
  int cellY(double y) const;

  std::vector<IndexedEdge> edges_;
  std::vector<uint32_t> always_;  // edges every path tests (badly conditioned or far out)
  // The other edges, in groups of consecutive edges of one line close together:
  // edges_[begin .. end), their box, its diagonal, the highest top (rounding
  // allowed for) and the distinct ends of the edges, points_[pointsBegin .. pointsEnd).
  struct EdgeGroup {
    uint32_t begin = 0, end = 0;
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0, diag = 0;
    float top = 0;
    uint32_t pointsBegin = 0, pointsEnd = 0;
  };
  std::vector<EdgeGroup> groups_;
  std::vector<PlanPoint> points_;
  // Consecutive groups groups_[begin .. end) and their box.
  struct GroupBlock {
    uint32_t begin = 0, end = 0;
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  };
  std::vector<GroupBlock> blocks_;
  std::vector<uint32_t> line_;                           // per edge, the line it was added with
  std::vector<uint32_t> vertex_;                         // and the vertex it starts from
  std::vector<std::pair<uint64_t, uint32_t>> byOrigin_;  // (line << 32 | vertex, edge), sorted
  uint32_t lines_ = 0;
  std::vector<uint32_t> cellStart_;
  std::vector<uint32_t> cellEdges_;
  std::vector<double> cellTop_;  // highest edge end registered in each cell
  double topAll_ = 0;            // highest end of all the edges in cells
  double ox_ = 0, oy_ = 0, h_ = 1;
  int nx_ = 0, ny_ = 0;
  double pad_ = 0;    // margin around edges and paths, metres
  double reach_ = 0;  // paths beyond this coordinate magnitude test every edge
  bool built_ = false;
};

// The test of one edge exactly as the full scan does it; rx, ry = R - S and
// C = |R - S| are the path's own values.
void TestEdge(const IndexedEdge& e, const Vec3& S, const Vec3& R, double rx, double ry, double C,
              double& Att);

}  // namespace sonvale
