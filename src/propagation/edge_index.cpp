#include "propagation/edge_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/acoustics.h"
#include "propagation/piece_geometry.h"

namespace sonvale {
namespace {

// Edges beyond this coordinate magnitude (or not finite) are not put in cells:
// every path tests them, which is what the full scan does anyway.
constexpr double kIndexableLimit = 1e12;
// At most this many cells, whatever the spread of the edges.
constexpr double kMaxCells = 4e6;
constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon();
// Runs of edges binned as one when seen from afar: at most this many edges of
// one line, their ends within this many metres of each other. A run of 80 m
// holds the whole outline of most buildings (blocks of flats 30-50 m across
// included), so that a receiver bins one item per building.
constexpr size_t kRunEdges = 8;
static_assert(kRunEdges <= 32, "a group's crossings fit in 32 bits");
constexpr double kRunSize = 80;
// A group is binned as one from this plan distance on, and from this many times
// the diagonal of its box (so that its ends lie within a narrow angle).
constexpr double kGroupDistance = 50;
constexpr double kGroupSpread = 4;
// Groups per block of groups, skipped as one when beyond a receiver's reach.
constexpr uint32_t kBlockGroups = 16;
// Marks an item of ReceiverEdges that stands for a group.
constexpr uint32_t kGroupItem = 0x80000000u;

// Floats at or below (above) v: the conversion moves by less than 1e-7 of its
// result. FloatDown is for positive values only.
inline float FloatDown(double v) { return static_cast<float>(v * (1 - 1e-6)); }
inline float FloatUp(double v) { return static_cast<float>(v + 1e-6 * std::fabs(v) + 1e-6); }

// e^k for k = 0 .. 700, each a little below its value: exp is within an ulp,
// and the factor 1 - 1e-12 leaves room for that and for the two roundings of
// ExpBelow.
struct ExpTable {
  double v[701];
  ExpTable() {
    for (int k = 0; k <= 700; ++k) v[k] = std::exp(static_cast<double>(k)) * (1 - 1e-12);
  }
};
const ExpTable kExpOfInteger;

// A lower bound of e^y, within 9 % of it for y in [0, 700], so that
// 1 / ExpBelow(y) bounds exp(-y) from above without calling exp: e^k times
// 1 + f + f^2 / 2 for y = k + f, the first terms of e^f. Beyond 700 the bound
// of 700 serves; below 0, none (0); a NaN stays NaN, so that no comparison
// with it holds.
inline double ExpBelow(double y) {
  if (!(y >= 0 && y <= 700)) return y > 700 ? kExpOfInteger.v[700] : y < 0 ? 0 : y;
  const int k = static_cast<int>(y);
  const double f = y - k;
  return kExpOfInteger.v[k] * (1 + f * (1 + 0.5 * f));
}

bool Finite(const Point3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

// Calls fn(cell) once for every cell that holds a point within `margin` of the
// segment a-b, walking the rows of cells it spans. Row and column ranges are
// widened by the margin, so the rounding of the walk itself never loses a cell.
template <class Fn>
void ForEachCell(double ax, double ay, double bx, double by, double margin, double ox, double oy,
                 double h, int nx, int ny, Fn&& fn) {
  // Non-negative quotients truncate to their floor; the margin absorbs the
  // rounding of the reciprocals.
  const double invH = 1 / h;
  auto clampCell = [](double v, int n) {
    if (!(v >= 0)) return 0;
    if (v >= n - 1) return n - 1;
    return static_cast<int>(v);
  };
  const double dx = bx - ax;
  const double dy = by - ay;
  const double xmin = std::min(ax, bx), xmax = std::max(ax, bx);
  const double ymin = std::min(ay, by), ymax = std::max(ay, by);
  const int j0 = clampCell((ymin - margin - oy) * invH, ny);
  const int j1 = clampCell((ymax + margin - oy) * invH, ny);
  // A nearly horizontal segment: the band crossings would be badly conditioned,
  // and the segment spans few rows anyway, so each row takes its whole x range.
  const bool flat = !(std::fabs(dy) > 1e-3 * std::fabs(dx));
  const double invDy = flat ? 0 : 1 / dy;
  for (int j = j0; j <= j1; ++j) {
    double xa = xmin, xb = xmax;
    if (!flat) {
      const double y0 = oy + j * h - margin;
      const double y1 = oy + (j + 1) * h + margin;
      double ta = (y0 - ay) * invDy, tb = (y1 - ay) * invDy;
      if (ta > tb) std::swap(ta, tb);
      ta = std::clamp(ta, 0.0, 1.0);
      tb = std::clamp(tb, 0.0, 1.0);
      xa = ax + ta * dx;
      xb = ax + tb * dx;
      if (xa > xb) std::swap(xa, xb);
    }
    const int i0 = clampCell((xa - margin - ox) * invH, nx);
    const int i1 = clampCell((xb + margin - ox) * invH, nx);
    const size_t row = static_cast<size_t>(j) * static_cast<size_t>(nx);
    for (int i = i0; i <= i1; ++i) fn(row + static_cast<size_t>(i), i, j);
  }
}

}  // namespace

uint32_t EdgeVisitMarks::next() {
  if (++stamp_ == 0) {
    std::fill(marks_.begin(), marks_.end(), 0);
    stamp_ = 1;
  }
  return stamp_;
}

void TestEdge(const IndexedEdge& e, const Vec3& S, const Vec3& R, double rx, double ry, double C,
              double& Att) {
  // Every operation below is the full scan's, in the same order, so the same
  // doubles come out.
  const double den = e.ex * ry - e.ey * rx;
  if (den == 0) return;
  const double t = (e.ey * (S.x - e.x1) - e.ex * (S.y - e.y1)) / den;
  double q;
  if (e.x2 != e.x1) {
    q = (S.x + t * rx - e.x1) / e.ex;
  } else {
    if (e.y2 == e.y1) return;
    q = (S.y + t * ry - e.y1) / e.ey;
  }
  if (!(q >= 0 && q <= 1 && t >= 0 && t <= 1)) return;

  const Vec3 T{S.x + t * rx, S.y + t * ry, e.z1 + q * e.ez};
  const double Zr = S.z + t * (R.z - S.z);
  if (!(T.z - Zr > 0)) return;

  const double A = Distance3(S, T);
  const double B = Distance3(R, T);
  const double delta = std::fabs(A + B - C);
  if (!(delta > 0)) return;
  const double Kmet = std::exp(-(1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta)));
  const double AttEdge = 10 * std::log(1 + 80 * delta * Kmet) / kLogTen;
  if (AttEdge > Att) Att = AttEdge;
}

namespace {

// The running maximum of one indexed path, with the smallest argument x of
// 10 lg(1 + x) that could still raise it (a little below the exact value, so
// that rounding can never make a skipped edge the stronger one), and the
// factor w of the first bound of a box of edges (see BoxBeaten), kept with it.
struct PathMax {
  double Att;
  double threshold;
  double w;            // 40 C / (threshold - 80 slack), with margins; -1 for none
  double C;            // the path's length
  double slack;        // absolute rounding allowance of a path difference on this path
  uint32_t strongest;  // the edge that gave Att on this path, if any
  uint32_t skip;       // the edge left out
  uint32_t tested[2];  // edges already tested on this path (the hints)
  static PathMax start(double Att, const Vec3& S, const Vec3& R, double C, uint32_t skip) {
    PathMax m;
    m.C = C;
    m.slack = 64 * kUnitRoundoff *
              (std::max({std::fabs(S.x), std::fabs(S.y), std::fabs(S.z), std::fabs(R.x),
                         std::fabs(R.y), std::fabs(R.z)}) +
               C + 1);
    m.raise(Att);
    m.strongest = kNoEdge;
    m.skip = skip;
    m.tested[0] = m.tested[1] = kNoEdge;
    return m;
  }
  void raise(double a) {
    Att = a;
    setThreshold(a > 0 ? std::exp(a * kLogTen / 10) * (1 - 1e-12) - 1 : -1);
  }
  // Att = 10 lg(1 + x) as TestEdge computes it: below x less
  // (1e-15 + 1e-12 x)(1 + x), the logarithm of 1 + x is lower by far more than
  // the roundings of 1 + x and of the logarithm (2.2e-16 (1 + log(1 + x)) at
  // most, and log(1 + x) <= x), so the threshold holds for the tiniest x too.
  void raise(double a, double x) {
    Att = a;
    setThreshold(a > 0 ? x - (1e-15 + 1e-12 * x) * (1 + x) : -1);
  }

 private:
  void setThreshold(double th) {
    threshold = th;
    const double room = th / (1 + 1e-8) - 80 * slack;
    w = th > 0 && room > 0 ? 40 * C * (1 + 1e-8) / room : -1;
  }
};

// The rounding allowance of a height on the ray S-R.
inline double RayMargin(const Vec3& S, const Vec3& R) {
  return 8 * kUnitRoundoff * (std::fabs(S.z) + std::fabs(R.z));
}

// Below this, no point of the ray S-R lies (rounding allowed for).
inline double RayLow(const Vec3& S, const Vec3& R) { return std::min(S.z, R.z) - RayMargin(S, R); }

// The bound of TestEdgeBounded for every crossing point a box could hold: at
// least dS and dR (squared: dS2, dR2) from S and R in plan, at most hmax above
// the ray. True when no such point can beat the strongest edge of path m.
inline bool BoxBeaten(const PathMax& m, double hmax, double dS2, double dR2) {
  if (!(dS2 > 0 && dR2 > 0)) return false;
  // First without Kmet and without a root: 80 (hmax^2 C / (2 dS dR) + slack)
  // below the threshold, rearranged (with room for the rounding) as
  // (hmax^2 w)^2 < dS^2 dR^2.
  if (m.w > 0) {
    const double k = hmax * hmax * m.w;
    if (k * k < dS2 * dR2 * (1 - 1e-8)) return true;
  }
  const double dSdR = std::sqrt(dS2 * dR2);
  const double dub = hmax * hmax * m.C / (2 * dSdR) * (1 + 1e-9) + m.slack;
  const double y = (1.0 / 2000.0) * std::sqrt(dSdR * m.C / (2 * dub)) * (1 - 1e-9);
  const double p = ExpBelow(y);
  return 80 * dub / p * (1 + 1e-9) < m.threshold;
}

// The rest of TestEdge once the path is known to cross edge e, at fraction t
// of the path and q of the edge, with one shortcut that never changes the
// result: once A, B and delta are known, Kmet = exp(-y) is at most
// 1 / ExpBelow(y). When 80 delta Kmet is below the threshold even so, the edge
// cannot beat the strongest so far and the exponential and logarithm are not
// needed.
inline void TestCrossing(const IndexedEdge& e, uint32_t id, double t, double q, const Vec3& S,
                         const Vec3& R, double rx, double ry, double C, PathMax& m) {
  const Vec3 T{S.x + t * rx, S.y + t * ry, e.z1 + q * e.ez};
  const double Zr = S.z + t * (R.z - S.z);
  const double h = T.z - Zr;
  if (!(h > 0)) return;

  const double A = Distance3(S, T);
  const double B = Distance3(R, T);
  const double delta = std::fabs(A + B - C);
  if (!(delta > 0)) return;
  const double y = (1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta));
  if (m.threshold > 0) {
    const double p = ExpBelow(y);
    if (80 * delta * (1 + 1e-9) < m.threshold * p) return;
  }
  const double Kmet = std::exp(-(1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta)));
  const double x = 80 * delta * Kmet;
  // 1 + x rounds to 1 for x up to 2^-53: such an edge gives 0 dB and cannot
  // raise a strongest of 0 or more.
  if (x < m.threshold || (x <= 0x1p-53 && m.Att >= 0)) return;
  const double AttEdge = 10 * std::log(1 + x) / kLogTen;
  if (AttEdge > m.Att) {
    m.raise(AttEdge, x);
    m.strongest = id;
  }
}

inline bool Tested(const PathMax& m, uint32_t id) {
  return id == m.skip || id == m.tested[0] || id == m.tested[1];
}

// Whether the path S-R crosses edge e, as the full scan decides it (its
// operations and range checks, divisions included), without a branch: whether
// a path crosses an edge it meets is a coin toss. The fractions of the path
// and of the edge go to t and q.
inline bool Crosses(const IndexedEdge& e, const Vec3& S, double rx, double ry, double& t,
                    double& q) {
  const double den = e.ex * ry - e.ey * rx;
  t = (e.ey * (S.x - e.x1) - e.ex * (S.y - e.y1)) / den;
  const bool alongX = e.x2 != e.x1;
  const double qn = alongX ? S.x + t * rx - e.x1 : S.y + t * ry - e.y1;
  q = qn / (alongX ? e.ex : e.ey);
  return (den != 0) & (alongX | (e.y2 != e.y1)) & (q >= 0) & (q <= 1) & (t >= 0) & (t <= 1);
}

// TestEdge for edge `id`.
inline void TestEdgeBounded(const IndexedEdge& e, uint32_t id, const Vec3& S, const Vec3& R,
                            double rx, double ry, double C, PathMax& m) {
  double t, q;
  if (!Tested(m, id) && Crosses(e, S, rx, ry, t, q)) TestCrossing(e, id, t, q, S, R, rx, ry, C, m);
}

// TestEdgeBounded for the edges [begin, end) of a group: the crossings of the
// whole group first, then only the crossed edges, in order.
inline void TestGroupBounded(const IndexedEdge* edges, uint32_t begin, uint32_t end, const Vec3& S,
                             const Vec3& R, double rx, double ry, double C, PathMax& m) {
  double ts[kRunEdges], qs[kRunEdges];
  uint32_t crossed = 0;
  for (uint32_t j = 0; j < end - begin; ++j)
    crossed |= static_cast<uint32_t>(Crosses(edges[begin + j], S, rx, ry, ts[j], qs[j])) << j;
  for (; crossed != 0; crossed &= crossed - 1) {
    const uint32_t j = static_cast<uint32_t>(std::countr_zero(crossed));
    if (!Tested(m, begin + j))
      TestCrossing(edges[begin + j], begin + j, ts[j], qs[j], S, R, rx, ry, C, m);
  }
}

}  // namespace

uint32_t EdgeIndex::add(const EntityTable<Polyline3>& entities) {
  built_ = false;
  const uint32_t before = lines_;
  for (long i = 1; i <= entities.count(); ++i) {
    ++lines_;
    const Polyline3& p = entities[i];
    const long n = p.Npunti();
    for (long j = 1; j <= n - 1; ++j) {
      const Point3& v1 = p.vertex(j);
      const Point3& v2 = p.vertex(j + 1);
      // A finite edge without extent has den = 0 on every path: never accepted.
      if (Finite(v1) && Finite(v2) && v1.X == v2.X && v1.Y == v2.Y) continue;
      IndexedEdge e;
      e.x1 = v1.X;
      e.y1 = v1.Y;
      e.z1 = v1.Z;
      e.x2 = v2.X;
      e.y2 = v2.Y;
      e.z2 = v2.Z;
      e.ex = v2.X - v1.X;
      e.ey = v2.Y - v1.Y;
      e.ez = v2.Z - v1.Z;
      e.len = std::hypot(e.ex, e.ey);
      e.invLen2 = 1 / (e.ex * e.ex + e.ey * e.ey);
      edges_.push_back(e);
      line_.push_back(lines_);
      vertex_.push_back(static_cast<uint32_t>(j));
    }
  }
  return before;
}

uint32_t EdgeIndex::find(uint64_t line, long vertex) const {
  if (!built_ || line > lines_ || vertex < 1 || vertex > 0xFFFFFFFFL) return kNoEdge;
  const uint64_t key = line << 32 | static_cast<uint64_t>(vertex);
  const auto it =
      std::lower_bound(byOrigin_.begin(), byOrigin_.end(), std::pair<uint64_t, uint32_t>{key, 0});
  return it != byOrigin_.end() && it->first == key ? it->second : kNoEdge;
}

// Consecutive edges of one line are cut into runs of at most kRunEdges edges
// within kRunSize of each other; seen from afar, a run is binned as one.
void EdgeIndex::cutRuns(std::vector<uint32_t>& run) const {
  auto finite = [](const IndexedEdge& e) {
    return std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) && std::isfinite(e.y2);
  };
  run.resize(edges_.size());
  uint32_t runs = 0;
  double bx0 = 0, bx1 = 0, by0 = 0, by1 = 0;
  size_t first = 0;
  for (size_t k = 0; k < edges_.size(); ++k) {
    const IndexedEdge& e = edges_[k];
    const double x0 = std::min(e.x1, e.x2), x1 = std::max(e.x1, e.x2);
    const double y0 = std::min(e.y1, e.y2), y1 = std::max(e.y1, e.y2);
    bool joins = k > 0 && line_[k] == line_[k - 1] && k - first < kRunEdges && finite(e);
    if (joins) {
      const double w = std::max(bx1, x1) - std::min(bx0, x0);
      const double hgt = std::max(by1, y1) - std::min(by0, y0);
      joins = w * w + hgt * hgt <= kRunSize * kRunSize;
    }
    if (!joins) {
      ++runs;
      first = k;
      bx0 = x0, bx1 = x1, by0 = y0, by1 = y1;
    } else {
      bx0 = std::min(bx0, x0), bx1 = std::max(bx1, x1);
      by0 = std::min(by0, y0), by1 = std::max(by1, y1);
    }
    run[k] = runs;
  }
}

// Runs near each other in the plan are put near each other in memory: a path
// tests a run of neighbouring edges, and the paths of a receiver fan out from
// it. The order of the tests does not change the strongest edge.
void EdgeIndex::orderRuns(std::vector<uint32_t>& run) {
  // The key of a run: the cell of 32 m of its first edge's midpoint, in Z order.
  auto key = [](const IndexedEdge& e) -> uint64_t {
    const double mx = 0.5 * (e.x1 + e.x2), my = 0.5 * (e.y1 + e.y2);
    if (!(std::fabs(mx) < 1e9 && std::fabs(my) < 1e9)) return ~uint64_t{0};
    const auto ix = static_cast<uint64_t>(static_cast<int64_t>(std::floor(mx / 32)) + (1 << 25));
    const auto iy = static_cast<uint64_t>(static_cast<int64_t>(std::floor(my / 32)) + (1 << 25));
    uint64_t z = 0;
    for (int b = 0; b < 27; ++b) z |= ((ix >> b) & 1) << (2 * b) | ((iy >> b) & 1) << (2 * b + 1);
    return z;
  };
  std::vector<std::pair<uint64_t, uint32_t>> order(edges_.size());
  uint64_t runKey = 0;
  for (size_t k = 0; k < edges_.size(); ++k) {
    if (k == 0 || run[k] != run[k - 1]) runKey = key(edges_[k]);
    order[k] = {runKey, static_cast<uint32_t>(k)};
  }
  // Stable: a run keeps its edges together and in order.
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  auto permute = [&order](auto& v) {
    auto sorted = v;
    for (size_t k = 0; k < order.size(); ++k) sorted[k] = v[order[k].second];
    v.swap(sorted);
  };
  permute(edges_);
  permute(run);
  permute(line_);
  permute(vertex_);
  byOrigin_.resize(edges_.size());
  for (size_t k = 0; k < edges_.size(); ++k)
    byOrigin_[k] = {uint64_t{line_[k]} << 32 | vertex_[k], static_cast<uint32_t>(k)};
  std::sort(byOrigin_.begin(), byOrigin_.end());
}

// Sets the reach of indexed paths and the pad, puts the edges that every path
// must test in always_, and returns the others, with their extent in `box`.
std::vector<uint32_t> EdgeIndex::sortOut(Extent& box) {
  always_.clear();
  std::vector<uint32_t> indexed;
  double scale = 1;
  bool any = false;
  for (size_t k = 0; k < edges_.size(); ++k) {
    const IndexedEdge& e = edges_[k];
    const double m = std::max({std::fabs(e.x1), std::fabs(e.y1), std::fabs(e.x2), std::fabs(e.y2)});
    const bool finite = std::isfinite(e.z1) && std::isfinite(e.z2) && m <= kIndexableLimit;
    if (!finite) {
      always_.push_back(static_cast<uint32_t>(k));
      continue;
    }
    scale = std::max(scale, m);
    const double ex0 = std::min(e.x1, e.x2), ex1 = std::max(e.x1, e.x2);
    const double ey0 = std::min(e.y1, e.y2), ey1 = std::max(e.y1, e.y2);
    if (!any) {
      box = {ex0, ex1, ey0, ey1};
      any = true;
    } else {
      box.xmin = std::min(box.xmin, ex0), box.xmax = std::max(box.xmax, ex1);
      box.ymin = std::min(box.ymin, ey0), box.ymax = std::max(box.ymax, ey1);
    }
    indexed.push_back(static_cast<uint32_t>(k));
  }

  // Paths are indexed only while their ends lie within reach_; u bounds the
  // absolute rounding of one operation on such coordinates. An edge the full
  // scan accepts lies within about 20 u |e| / |ex| of the path (the position
  // along the edge is taken from x when the edge is not vertical), so the pad
  // keeps a wide safety factor; edges so close to vertical that this bound
  // exceeds the pad are tested on every path.
  reach_ = 4 * scale + 1e5;
  const double u = kUnitRoundoff * reach_;
  pad_ = 0.01 + 1e6 * u;
  std::vector<uint32_t> gridded;
  for (uint32_t k : indexed) {
    const IndexedEdge& e = edges_[k];
    const double len = std::hypot(e.ex, e.ey);
    if (e.ex != 0 && 128 * u * len >= 0.25 * pad_ * std::fabs(e.ex)) {
      always_.push_back(k);
    } else {
      gridded.push_back(k);
    }
  }
  return gridded;
}

// The runs of gridded edges that follow each other in edges_, with their box
// and highest top.
void EdgeIndex::makeGroups(const std::vector<uint32_t>& gridded, const std::vector<uint32_t>& run) {
  groups_.clear();
  for (size_t i = 0; i < gridded.size(); ++i) {
    const uint32_t k = gridded[i];
    const IndexedEdge& e = edges_[k];
    const double top = std::max(e.z1, e.z2);
    const float topF = FloatUp(top + 8 * kUnitRoundoff * std::fabs(top));
    if (groups_.empty() || groups_.back().end != k || run[k] != run[k - 1]) {
      EdgeGroup g;
      g.begin = k;
      g.xmin = std::min(e.x1, e.x2), g.xmax = std::max(e.x1, e.x2);
      g.ymin = std::min(e.y1, e.y2), g.ymax = std::max(e.y1, e.y2);
      g.top = topF;
      groups_.push_back(g);
    }
    EdgeGroup& g = groups_.back();
    g.end = k + 1;
    g.xmin = std::min({g.xmin, e.x1, e.x2}), g.xmax = std::max({g.xmax, e.x1, e.x2});
    g.ymin = std::min({g.ymin, e.y1, e.y2}), g.ymax = std::max({g.ymax, e.y1, e.y2});
    g.top = std::max(g.top, topF);
  }
  // The ends of a group's edges, each plan point once: consecutive edges of a
  // line share their ends, and an outline closes on its first point.
  points_.clear();
  for (EdgeGroup& g : groups_) {
    g.diag = std::hypot(g.xmax - g.xmin, g.ymax - g.ymin);
    g.pointsBegin = static_cast<uint32_t>(points_.size());
    auto keep = [&](double x, double y) {
      for (size_t i = g.pointsBegin; i < points_.size(); ++i)
        if (points_[i].x == x && points_[i].y == y) return;
      points_.push_back({x, y});
    };
    for (uint32_t k = g.begin; k < g.end; ++k) {
      keep(edges_[k].x1, edges_[k].y1);
      keep(edges_[k].x2, edges_[k].y2);
    }
    g.pointsEnd = static_cast<uint32_t>(points_.size());
  }
  // Groups follow each other in Z order, so that a block of consecutive ones
  // mostly covers a small area: a receiver skips at once the blocks beyond reach.
  blocks_.clear();
  for (uint32_t gi = 0; gi < groups_.size(); gi += kBlockGroups) {
    GroupBlock b;
    b.begin = gi;
    b.end = static_cast<uint32_t>(std::min<size_t>(groups_.size(), gi + kBlockGroups));
    const EdgeGroup& g0 = groups_[gi];
    b.xmin = g0.xmin, b.xmax = g0.xmax, b.ymin = g0.ymin, b.ymax = g0.ymax;
    for (uint32_t k = gi + 1; k < b.end; ++k) {
      const EdgeGroup& g = groups_[k];
      b.xmin = std::min(b.xmin, g.xmin), b.xmax = std::max(b.xmax, g.xmax);
      b.ymin = std::min(b.ymin, g.ymin), b.ymax = std::max(b.ymax, g.ymax);
    }
    blocks_.push_back(b);
  }
}

// The uniform grid over `box` and the gridded edges of each cell.
void EdgeIndex::fillCells(const std::vector<uint32_t>& gridded, const Extent& box,
                          double cellSize) {
  ox_ = box.xmin - 2 * pad_;
  oy_ = box.ymin - 2 * pad_;
  const double w = (box.xmax - box.xmin) + 4 * pad_;
  const double hgt = (box.ymax - box.ymin) + 4 * pad_;
  double h = cellSize;
  if (!(h > 0)) {
    // About six edges per cell: fewer cells cost walking and bounds, more edges
    // cost tests; the bounds skip most cells of a long path.
    h = std::sqrt(w * hgt / static_cast<double>(gridded.size())) * 2.4;
    h = std::clamp(h, 1.0, 500.0);
  }
  while (std::ceil(w / h) * std::ceil(hgt / h) > kMaxCells) h *= 1.5;
  h_ = h;
  nx_ = std::max(1, static_cast<int>(std::ceil(w / h)));
  ny_ = std::max(1, static_cast<int>(std::ceil(hgt / h)));

  const size_t cells = cellCount();
  std::vector<uint32_t> counts(cells + 1, 0);
  for (uint32_t k : gridded) {
    const IndexedEdge& e = edges_[k];
    ForEachCell(e.x1, e.y1, e.x2, e.y2, pad_, ox_, oy_, h_, nx_, ny_,
                [&](size_t c, int, int) { ++counts[c + 1]; });
  }
  for (size_t c = 0; c < cells; ++c) counts[c + 1] += counts[c];
  cellStart_ = counts;
  cellEdges_.assign(cellStart_[cells], 0);
  cellTop_.assign(cells, -std::numeric_limits<double>::infinity());
  topAll_ = -std::numeric_limits<double>::infinity();
  for (uint32_t k : gridded) topAll_ = std::max({topAll_, edges_[k].z1, edges_[k].z2});
  std::vector<uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
  for (uint32_t k : gridded) {
    const IndexedEdge& e = edges_[k];
    ForEachCell(e.x1, e.y1, e.x2, e.y2, pad_, ox_, oy_, h_, nx_, ny_, [&](size_t c, int, int) {
      cellEdges_[fill[c]++] = k;
      cellTop_[c] = std::max({cellTop_[c], e.z1, e.z2});
    });
  }
}

void EdgeIndex::build(double cellSize) {
  std::vector<uint32_t> run;
  cutRuns(run);
  orderRuns(run);
  cellStart_.clear();
  cellEdges_.clear();
  built_ = true;
  nx_ = ny_ = 0;
  Extent box;
  const std::vector<uint32_t> gridded = sortOut(box);
  makeGroups(gridded, run);
  if (!gridded.empty()) fillCells(gridded, box, cellSize);
}

bool EdgeIndex::pathIndexable(const Vec3& S, const Vec3& R) const {
  auto ok = [&](double v) { return std::fabs(v) <= reach_; };  // false for NaN
  return ok(S.x) && ok(S.y) && ok(R.x) && ok(R.y) && std::isfinite(S.z) && std::isfinite(R.z);
}

void EdgeIndex::attenuation(const Vec3& S, const Vec3& R, double& Att, EdgeVisitMarks& marks,
                            uint32_t skip) const {
  if (edges_.empty()) return;
  const double rx = R.x - S.x;
  const double ry = R.y - S.y;
  const double C = Distance3(R, S);
  if (!built_ || !pathIndexable(S, R)) {
    for (uint32_t k = 0; k < edges_.size(); ++k)
      if (k != skip) TestEdge(edges_[k], S, R, rx, ry, C, Att);
    return;
  }
  for (uint32_t k : always_)
    if (k != skip) TestEdge(edges_[k], S, R, rx, ry, C, Att);
  if (nx_ == 0) return;
  // A path without plan length gives den = 0 on every edge.
  if (rx == 0 && ry == 0) return;
  marks.reset(edges_.size());
  marks.next();
  PathMax m = PathMax::start(Att, S, R, C, skip);
  // Below the lowest end of the ray, no edge of a cell is above it.
  const double rayLow = RayLow(S, R);
  auto visitCell = [&](size_t c, int i, int j) {
    const uint32_t first = cellStart_[c], last = cellStart_[c + 1];
    if (first == last) return;
    const double top = cellTop_[c] + 8 * kUnitRoundoff * std::fabs(cellTop_[c]);
    if (!(top > rayLow)) return;
    if (m.threshold > 0) {
      // Every crossing point found in this cell lies in it (widened by the pad),
      // so its distances from S and R are at least the cell's, in plan as in
      // 3-D; its height above the ray is at most top - rayLow.
      const double x0 = ox_ + i * h_ - pad_, x1 = ox_ + (i + 1) * h_ + pad_;
      const double y0 = oy_ + j * h_ - pad_, y1 = oy_ + (j + 1) * h_ + pad_;
      const double sx = std::max({x0 - S.x, 0.0, S.x - x1}),
                   sy = std::max({y0 - S.y, 0.0, S.y - y1});
      const double qx = std::max({x0 - R.x, 0.0, R.x - x1}),
                   qy = std::max({y0 - R.y, 0.0, R.y - y1});
      if (BoxBeaten(m, top - rayLow, sx * sx + sy * sy, qx * qx + qy * qy)) return;
    }
    for (uint32_t p = first; p < last; ++p) {
      const uint32_t k = cellEdges_[p];
      if (marks.first(k)) TestEdgeBounded(edges_[k], k, S, R, rx, ry, C, m);
    }
  };
  // The strongest edges are usually the one that was strongest on the previous
  // path (the pieces of a line follow each other) and those next to the ends of
  // the path; meeting them first lets the bounds skip most of the others.
  if (marks.hint < edges_.size() && marks.first(marks.hint))
    TestEdgeBounded(edges_[marks.hint], marks.hint, S, R, rx, ry, C, m);
  ForEachCell(R.x, R.y, R.x, R.y, 0, ox_, oy_, h_, nx_, ny_, visitCell);
  ForEachCell(S.x, S.y, S.x, S.y, 0, ox_, oy_, h_, nx_, ny_, visitCell);
  double fa = 0, fb = 0;
  switch (middleOfPath(S, R, m.threshold, m.slack, rayLow, fa, fb)) {
    case Walk::Whole:
      ForEachCell(S.x, S.y, R.x, R.y, pad_, ox_, oy_, h_, nx_, ny_, visitCell);
      break;
    case Walk::Ends:
      ForEachCell(S.x, S.y, S.x + fa * rx, S.y + fa * ry, pad_, ox_, oy_, h_, nx_, ny_, visitCell);
      ForEachCell(S.x + fb * rx, S.y + fb * ry, R.x, R.y, pad_, ox_, oy_, h_, nx_, ny_, visitCell);
      break;
    case Walk::Nothing:
      break;
  }
  if (m.strongest != kNoEdge) marks.hint = m.strongest;
  Att = m.Att;
}

// The middle of a long path: there, a cell is at least u - d from S and
// L - u - 2d from R (u the distance along the path of its first point, d a
// cell's diagonal with the pads), and no edge is higher than the highest of
// all. Where (u - d)(L - u - 2d) exceeds what the bound of a cell needs to skip
// it, no cell can hold a stronger edge, so only the two ends (up to fraction fa
// of the path from S, and from fb on) are walked.
EdgeIndex::Walk EdgeIndex::middleOfPath(const Vec3& S, const Vec3& R, double threshold,
                                        double slack, double rayLow, double& fa, double& fb) const {
  if (!(threshold > 0)) return Walk::Whole;
  const double room = threshold / (1 + 1e-8) - 80 * slack;
  const double hg = topAll_ + 8 * kUnitRoundoff * std::fabs(topAll_) - rayLow;
  if (!(hg > 0)) return Walk::Nothing;  // every indexed edge is below the ray
  const double rx = R.x - S.x, ry = R.y - S.y;
  const double C = Distance3(R, S);
  // The bound of a cell of top hg at dS dR = P; it falls as P grows.
  auto bound = [&](double P) {
    const double dub = hg * hg * C / (2 * P) * (1 + 1e-9) + slack;
    const double y = (1.0 / 2000.0) * std::sqrt(P * C / (2 * dub)) * (1 - 1e-9);
    const double p = ExpBelow(y);
    return 80 * dub / p * (1 + 1e-9);
  };
  const double L = std::sqrt(rx * rx + ry * ry);
  double hi = L * L;
  if (!(room > 0 && bound(hi) < threshold)) return Walk::Whole;
  double lo = 0;
  for (int it = 0; it < 20; ++it) {
    const double mid = 0.5 * (lo + hi);
    if (bound(mid) < threshold)
      hi = mid;
    else
      lo = mid;
  }
  const double K = hi * (1 + 1e-7);
  const double d = h_ * 1.4142136 + 2 * pad_ + 1e-9 * L;
  const double M = L - 3 * d;
  const double disc = M * M - 4 * K;
  if (!(M > 0 && disc > 0)) return Walk::Whole;
  const double root = std::sqrt(disc);
  const double eps = 1e-6 * (L + 1);
  const double a = d + (M - root) / 2 + eps, b = d + (M + root) / 2 - eps;
  if (!(a < b)) return Walk::Whole;
  fa = a / L;
  fb = b / L;
  return Walk::Ends;
}

namespace {

// The edges seen from a receiver are kept in rings of plan distance, each cut
// into direction bins 7 to 10 m wide at its outer radius (powers of two, so that
// scaling a pseudo-angle to a bin is exact): an edge takes few bins whatever its
// distance, and a path scans one bin per ring it reaches. Items are mostly whole
// buildings, tens of metres across: finer bins would file each of them in more
// bins without sparing a path many of them.
constexpr int kRings = 17;
constexpr double kRingInner[kRings + 1] = {0,       12.5, 17.678,   25,   35.355,   50,
                                           70.711,  100,  141.421,  200,  282.843,  400,
                                           565.685, 800,  1131.371, 1600, 2262.742, 1e300};
constexpr int kRingBins[kRings] = {8,   16,  16,  32,  32,   64,   64,   128, 128,
                                   256, 256, 512, 512, 1024, 1024, 2048, 2048};
struct RingStarts {
  int v[kRings + 1] = {};
  constexpr RingStarts() {
    for (int r = 0; r < kRings; ++r) v[r + 1] = v[r] + kRingBins[r];
  }
};
constexpr RingStarts kRingStarts;
constexpr const int* kRingFirst = kRingStarts.v;
constexpr int kAllBins = kRingFirst[kRings];
static_assert(kRingBins[kRings - 1] <= 8192 && kRingBins[kRings - 1] / 4 < 2048 && kRings < 256,
              "the spans of ReceiverEdges hold 13 bits of bin, 11 of count, 8 of ring");
// Edges nearer the receiver than this (in plan, metres) are tested on every path
// of the receiver: their directions are too wide or too ill-conditioned to bin.
constexpr double kNearDistance = 0.5;

// A monotone stand-in for the direction of (x, y), in [0, 4]: counter-clockwise
// from the x axis, one unit per quadrant, and (-x, -y) two units on. Its
// derivative with respect to the angle lies between 1/2 and 1, so an angular
// margin of d radians is covered by a margin of d here.
inline double PseudoAngle(double x, double y) {
  const double ax = std::fabs(x), ay = std::fabs(y);
  const double r = ay / (ax + ay);
  const double p = x < 0 ? 2 - r : r;
  return y < 0 ? 4 - p : p;
}

// Rings from 12.5 m on are sqrt(2) apart: the exponent and the first half of
// the mantissa of d / 12.5 give the ring, checked against the table.
inline int RingOf(double d) {
  const double x = d * (1 / 12.5);
  if (!(x >= 1)) return 0;
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const long e = static_cast<long>(bits >> 52) - 1023;
  const bool upper = (bits & ((uint64_t{1} << 52) - 1)) >= 0x6A09E667F3BCDull;
  int r = static_cast<int>(std::min<long>(kRings - 1, 1 + 2 * e + (upper ? 1 : 0)));
  while (r > 0 && d < kRingInner[r]) --r;
  while (r + 1 < kRings && d >= kRingInner[r + 1]) ++r;
  return r;
}

// The directions of the points [first, last) seen from R, all within a quarter
// turn: from start over ext (start in [0, 4)).
void GroupDirections(const PlanPoint* first, const PlanPoint* last, const Vec3& R, double& start,
                     double& ext) {
  const double p0 = PseudoAngle(first->x - R.x, first->y - R.y);
  double lo = 0, hi = 0;
  for (const PlanPoint* v = first + 1; v != last; ++v) {
    double dq = PseudoAngle(v->x - R.x, v->y - R.y) - p0;
    if (dq > 2) dq -= 4;
    if (dq < -2) dq += 4;
    lo = std::min(lo, dq), hi = std::max(hi, dq);
  }
  start = p0 + lo;
  if (start < 0) start += 4;
  ext = hi - lo;
}

// The unwrapped bin of pseudo-angle p (above -1) in a ring of n bins, shifted by
// n so that truncation is the floor.
inline long ShiftedBin(double p, int n) { return static_cast<long>(p * (n / 4) + n); }

// The directions of the outermost ring, the finest: a bin of ring r covers
// 2^kRingShift[r] of them. Since the rings' bin counts are powers of two, scaling
// p by them is exact, and so is the floor: the bin of ring r holding p is the
// direction of p shifted right by kRingShift[r].
constexpr int kDirections = kRingBins[kRings - 1];
struct RingShifts {
  int v[kRings] = {};
  constexpr RingShifts() {
    for (int r = 0; r < kRings; ++r)
      while ((kRingBins[r] << v[r]) < kDirections) ++v[r];
  }
};
constexpr RingShifts kRingShift;
static_assert(kRings <= 32, "a direction's rings fit in 32 bits");
// Rings whose bins span at most 2^kBinDirections directions note their
// directions by bin, the others by item.
constexpr int kBinDirections = 2;

// The finest direction holding pseudo-angle p (wrapped).
inline int DirectionOf(double p) {
  return static_cast<int>(ShiftedBin(p, kDirections) & (kDirections - 1));
}

}  // namespace

// An edge the full scan accepts on a path S-R has a point within the pad of a
// point Y of the path (see build). Seen from R, Y has the direction of S, and
// its plan distance from R lies between the edge's distance less the pad and
// |S - R|. So the edge is binned over the directions of its ends widened by the
// angle the pad subtends (at most 2 pad / distance), plus 1e-8 for the rounding
// of the differences and quotients (coordinates are below reach_, distances at
// least kNearDistance), in the ring of its distance, and it is skipped on a path
// shorter than its distance or outside those directions (a bin is wider than
// most items). A group of edges far from R is binned as one item:
// over the directions of all its ends (they lie within a narrow angle, so each
// edge's directions lie between the least and the greatest of them), in the
// ring of the distance of its box, with the farthest corner of the box and its
// highest top; when a path meets the item, it tests every edge of the group.
void EdgeIndex::prepareReceiver(const Vec3& R, ReceiverEdges& out, double reach) const {
  out.ready_ = false;
  out.R_ = R;
  out.reach_ = reach;
  // Items name edges and groups in 31 bits.
  if (!built_ || nx_ == 0 || groups_.empty() || edges_.size() >= kGroupItem) return;
  auto ok = [&](double v) { return std::fabs(v) <= reach_; };
  if (!(ok(R.x) && ok(R.y) && std::isfinite(R.z))) return;
  out.span_.clear();
  out.edge_.clear();
  out.near_.clear();
  // While the items are counted, a bin's `end` holds its count.
  out.bins_.assign(kAllBins, {0, 0, -std::numeric_limits<float>::infinity(), 0,
                              std::numeric_limits<float>::infinity()});
  ReceiverEdges::Bin* binOf = out.bins_.data();
  // The pad's angle at the ring's least distance.
  double marginOf[kRings];
  for (int r = 0; r < kRings; ++r)
    marginOf[r] = 2 * pad_ / std::max(kRingInner[r], kNearDistance) + 1e-8;
  const double pad2 = 2 * pad_;
  // A padded distance below the true one (see fileEdge).
  auto lower = [pad2](double dc) { return dc * (1 - 1e-6) - pad2 - 1e-6; };

  // Files item `id` (an edge, or a group with kGroupItem) at padded distances
  // d .. far, over the directions start .. start + ext (start in [0, 4)).
  auto fileItem = [&](double d, double far, double start, double ext, float top, uint32_t id) {
    const int ring = RingOf(d);
    const int nb = kRingBins[ring];
    const double margin = marginOf[ring];
    const long b0 = ShiftedBin(start - margin, nb);
    const long b1 = ShiftedBin(start + ext + margin, nb);
    const long bins = b1 - b0 + 1;
    if (!(ext <= 1) || bins > nb / 4) return false;
    const long first = b0 & (nb - 1);
    // First bin in 13 bits, count (at most nb / 4) in 11, ring in 8.
    out.span_.push_back(static_cast<uint32_t>(first) | (static_cast<uint32_t>(bins) << 13) |
                        (static_cast<uint32_t>(ring) << 24));
    // The item's own directions, padded as its bins are: lowering lo by its
    // rounding (up to 4e-6) is made up for in the width.
    double lo = start - margin;
    if (lo < 0) lo += 4;
    const ReceiverEdges::Entry en{
        FloatDown(d), FloatUp(far), top, FloatDown(lo), FloatUp(ext + 2 * margin + 1e-5), id};
    out.edge_.push_back(en);
    for (long j = 0, b = first; j < bins; ++j, b = (b + 1) & (nb - 1)) {
      ReceiverEdges::Bin& bin = binOf[kRingFirst[ring] + b];
      ++bin.end;
      bin.top = std::max(bin.top, en.top);
      bin.far = std::max(bin.far, en.far);
      bin.near = std::min(bin.near, en.near);
    }
    return true;
  };
  // An edge beyond reach is left out: a path it could matter to is longer.
  auto fileEdge = [&](uint32_t k) {
    const IndexedEdge& e = edges_[k];
    const double ax = e.x1 - R.x, ay = e.y1 - R.y;
    const double bx = e.x2 - R.x, by = e.y2 - R.y;
    const double s = std::clamp(-(ax * e.ex + ay * e.ey) * e.invLen2, 0.0, 1.0);
    const double cx = ax + s * e.ex, cy = ay + s * e.ey;
    const double dc = std::sqrt(cx * cx + cy * cy);
    const double d = lower(dc);
    if (d > reach) return;
    if (d >= kNearDistance) {
      // From the end first met counter-clockwise, over less than half a turn.
      const double pa = PseudoAngle(ax, ay), pb = PseudoAngle(bx, by);
      double dd = pb - pa;
      if (dd < 0) dd += 4;
      const bool back = dd > 2;
      // Every point of the edge is within its length of the nearest one.
      const double far = (dc + e.len) * (1 + 1e-6) + pad2 + 1e-6;
      const double top = std::max(e.z1, e.z2);
      if (fileItem(d, far, back ? pb : pa, back ? 4 - dd : dd,
                   FloatUp(top + 8 * kUnitRoundoff * std::fabs(top)), k))
        return;
    }
    out.near_.push_back(k);
  };
  // A box's plan distance from R, and the distance of its farthest corner.
  auto boxDistance = [&R](double x0, double y0, double x1, double y1) {
    const double dx = std::max({x0 - R.x, 0.0, R.x - x1});
    const double dy = std::max({y0 - R.y, 0.0, R.y - y1});
    return std::sqrt(dx * dx + dy * dy);
  };
  for (const GroupBlock& bl : blocks_) {
    // Every edge of the block is at least the block's distance from R.
    if (lower(boxDistance(bl.xmin, bl.ymin, bl.xmax, bl.ymax)) > reach) continue;
    for (uint32_t gi = bl.begin; gi < bl.end; ++gi) {
      const EdgeGroup& g = groups_[gi];
      const double dc = boxDistance(g.xmin, g.ymin, g.xmax, g.ymax);
      const double d = lower(dc);
      if (d > reach) continue;
      if (g.end - g.begin > 1 && dc >= kGroupDistance && dc >= kGroupSpread * g.diag) {
        double start = 0, ext = 0;
        GroupDirections(points_.data() + g.pointsBegin, points_.data() + g.pointsEnd, R, start,
                        ext);
        const double fx = std::max(std::fabs(g.xmin - R.x), std::fabs(g.xmax - R.x));
        const double fy = std::max(std::fabs(g.ymin - R.y), std::fabs(g.ymax - R.y));
        const double far = std::sqrt(fx * fx + fy * fy) * (1 + 1e-6) + pad2 + 1e-6;
        if (fileItem(d, far, start, ext, g.top, kGroupItem | gi)) continue;
      }
      for (uint32_t k = g.begin; k < g.end; ++k) fileEdge(k);
    }
  }
  out.fillBins();
  out.ready_ = true;
}

// Each bin starts where the previous one ends, and is then filled from its
// start on, `end` moving with it. A direction notes the rings where something
// lies in it. In the outer rings that is where their bins hold something (a
// bin there spans a few directions, about an item's width); in the inner ones,
// where a bin spans many, it is where an item's own directions reach (one
// beyond each end, for the rounding of their floats): a path tests an item only
// within those, so a bin whose items lie in other directions is passed over.
void ReceiverEdges::fillBins() {
  rings_.assign(kDirections, 0);
  uint32_t total = 0;
  for (int r = 0; r < kRings; ++r) {
    const int shift = kRingShift.v[r];
    for (int b = 0; b < kRingBins[r]; ++b) {
      Bin& bin = bins_[static_cast<size_t>(kRingFirst[r] + b)];
      const uint32_t count = bin.end;
      bin.start = bin.end = total;
      total += count;
      if (count == 0 || shift > kBinDirections) continue;
      for (int d = b << shift; d < (b + 1) << shift; ++d) rings_[static_cast<size_t>(d)] |= 1u << r;
    }
  }
  entries_.resize(total);
  uint32_t* entries = entries_.data();
  for (size_t i = 0; i < span_.size(); ++i) {
    const uint32_t sp = span_[i];
    const long bins = (sp >> 13) & 0x7FFu;
    const int ring = static_cast<int>(sp >> 24);
    const int nb = kRingBins[ring];
    for (long j = 0, b = sp & 0x1FFFu; j < bins; ++j, b = (b + 1) & (nb - 1))
      entries[bins_[kRingFirst[ring] + b].end++] = static_cast<uint32_t>(i);
    if (kRingShift.v[ring] <= kBinDirections) continue;
    const Entry& e = edge_[i];
    const long d0 = ShiftedBin(e.lo, kDirections) - 1;
    const long d1 = std::min(ShiftedBin(static_cast<double>(e.lo) + e.width, kDirections) + 1,
                             d0 + kDirections - 1);
    for (long d = d0; d <= d1; ++d)
      rings_[static_cast<size_t>(d & (kDirections - 1))] |= 1u << ring;
  }
}

void EdgeIndex::attenuationTo(const Vec3& S, const EdgeQuery& q, double& Att) const {
  const ReceiverEdges& from = q.from;
  EdgeVisitMarks& marks = q.marks;
  const Vec3& R = from.R_;
  if (!from.ready_ || !pathIndexable(S, R)) {
    attenuation(S, R, Att, marks, q.skip);
    return;
  }
  const double sx = S.x - R.x, sy = S.y - R.y;
  const double L2 = sx * sx + sy * sy;
  // Too short a path for its direction to be known well enough, or one longer
  // than the edges prepared reach: walk the cells.
  if (!(L2 >= 4) || !(std::sqrt(L2) <= from.reach_)) {
    attenuation(S, R, Att, marks, q.skip);
    return;
  }
  const double rx = R.x - S.x;
  const double ry = R.y - S.y;
  const double C = Distance3(R, S);
  for (uint32_t k : always_)
    if (k != q.skip) TestEdge(edges_[k], S, R, rx, ry, C, Att);
  marks.reset(edges_.size());
  PathMax m = PathMax::start(Att, S, R, C, q.skip);
  // An edge met twice would give the same value twice: the hints, tested
  // first, are not tested again where the rings meet them. The last path from
  // the same source usually ended at a neighbouring receiver, and the last path
  // to this receiver came from a neighbouring piece: both likely cross the same
  // strongest edge.
  uint32_t* const own = q.sourceHint;
  if (own && *own < edges_.size()) {
    TestEdgeBounded(edges_[*own], *own, S, R, rx, ry, C, m);
    m.tested[0] = *own;
  }
  if (marks.hint < edges_.size() && marks.hint != m.tested[0]) {
    TestEdgeBounded(edges_[marks.hint], marks.hint, S, R, rx, ry, C, m);
    m.tested[1] = marks.hint;
  }
  for (uint32_t k : from.near_) TestEdgeBounded(edges_[k], k, S, R, rx, ry, C, m);

  const double L = std::sqrt(L2);
  // The path's direction, 4 taken as 0 as the bins take it.
  const double p0 = PseudoAngle(sx, sy);
  const double p = p0 < 4 ? p0 : p0 - 4;
  // The ray rises by `slope` per metre of plan distance from R, so over plan
  // distances near .. far from R (up to L) it is lowest at one end: at most
  // 5 roundings of |S.z| + |R.z| off, well within RayMargin.
  const double slope = (S.z - R.z) / L;
  const double rayMargin = RayMargin(S, R);
  // The bound of the cells of attenuation: a crossing point found on an edge is
  // at least `near` from R and L - far from S in plan, and at most `top` above
  // the lowest point of the ray between those distances. It holds for a whole
  // bin with its nearest edge and its farthest and highest ends. (This lambda
  // and scanRing are inlined by force: as calls, they read every captured
  // value through memory.)
  auto beaten = [&](double top, double near, double far) __attribute__((always_inline)) {
    // Nothing wholly below the ray there can cross above it, threshold or not.
    const double hmax = top - (R.z + slope * (slope < 0 ? std::min(far, L) : near) - rayMargin);
    if (!(hmax > 0)) return true;
    if (!(m.threshold > 0)) return false;
    const double dS = L - far;
    if (!(dS > 0 && near > 0)) return false;
    const double P = dS * near;
    // First without Kmet, as BoxBeaten does (P is already the product of the
    // distances, not of their squares).
    if (m.w > 0 && hmax * hmax * m.w < P * (1 - 1e-8)) return true;
    // With Kmet, as in TestEdgeBounded: 80 delta Kmet grows with delta, and
    // A B is at least dS near.
    // The path difference is at most D / P, D = hmax^2 C / 2 + slack P (with
    // room for rounding), and y = sqrt(A B C / (2 delta)) / 2000 at least
    // P sqrt(C / (2 D)) / 2000; multiplied out, one quotient and one root.
    // When the rounding allowance is below a millionth of the height term, D
    // is at most h2C (1/2 + 2e-6) and sqrt(C / (2 D)) at least
    // (1 - 3e-6) / hmax: no root is needed.
    const double h2C = hmax * hmax * C;
    const bool plain = m.slack * P <= h2C * 1e-6;
    const double D = plain ? h2C * (0.5 + 2e-6) : h2C * (0.5 + 1e-9) + m.slack * P;
    const double y = plain ? (1.0 / 2000.0) * P / hmax * (1 - 1e-5)
                           : (1.0 / 2000.0) * P * std::sqrt(C / (2 * D)) * (1 - 1e-9);
    return 80 * D * (1 + 1e-9) < m.threshold * ExpBelow(y) * P;
  };
  const int direction = DirectionOf(p);
  auto scanRing = [&](int r, bool bounded) __attribute__((always_inline)) {
    const ReceiverEdges::Bin& bin =
        from.bins_[static_cast<size_t>(kRingFirst[r] + (direction >> kRingShift.v[r]))];
    if (bounded && beaten(bin.top, bin.near, bin.far)) return;
    const uint32_t* x = from.entries_.data() + bin.start;
    const uint32_t* end = from.entries_.data() + bin.end;
    for (; x != end; ++x) {
      const ReceiverEdges::Entry* e = &from.edge_[*x];
      if (e->near > L) continue;
      double dq = p - e->lo;
      if (dq < 0) dq += 4;
      if (dq > e->width || beaten(e->top, e->near, e->far)) continue;
      if (e->k & kGroupItem) {
        const EdgeGroup& g = groups_[e->k & ~kGroupItem];
        TestGroupBounded(edges_.data(), g.begin, g.end, S, R, rx, ry, C, m);
      } else {
        TestEdgeBounded(edges_[e->k], e->k, S, R, rx, ry, C, m);
      }
    }
  };
  // The rings the path reaches where its direction holds something: the one of
  // its far end first after the nearest (the strongest edges are usually near
  // one end or the other), then the rest outwards. The bins of those two rings
  // reach an end of the path, where a bin's bound seldom holds: their items are
  // bounded one by one.
  const int last = RingOf(L);
  uint32_t rings = from.rings_[static_cast<size_t>(direction)] & ((2u << last) - 1);
  if (rings & 1u) scanRing(0, false);
  if (last > 0 && (rings >> last & 1u)) scanRing(last, false);
  rings &= ~(1u | (1u << last));
  for (; rings != 0; rings &= rings - 1) scanRing(std::countr_zero(rings), true);
  if (m.strongest != kNoEdge) {
    marks.hint = m.strongest;
    if (own) *own = m.strongest;
  }
  Att = m.Att;
}

}  // namespace sonvale
