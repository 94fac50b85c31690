#include "propagation/edge_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/acoustics.h"

namespace sonvale {
namespace {

// Edges beyond this coordinate magnitude (or not finite) are not put in cells:
// every path tests them, which is what the full scan does anyway.
constexpr double kIndexableLimit = 1e12;
// At most this many cells, whatever the spread of the edges.
constexpr double kMaxCells = 4e6;
constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon();
constexpr uint32_t kNoEdge = 0xFFFFFFFFu;

double Distance3(const Vec3& a, const Vec3& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  const double dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
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
// that rounding can never make a skipped edge the stronger one).
struct PathMax {
  double Att;
  double threshold;
  double slack;        // absolute rounding allowance of a path difference on this path
  uint32_t strongest;  // the edge that gave Att on this path, if any
  void raise(double a) {
    Att = a;
    threshold = a > 0 ? std::exp(a * kLogTen / 10) * (1 - 1e-12) - 1 : -1;
  }
};

// TestEdge with two shortcuts that never change the result. Over the crossing
// point T, h above the ray at fraction t, the path difference is at most
// h^2 C / (2 t (1-t) C^2) (and Kmet at most 1); and once A, B and delta are
// known, Kmet = exp(-y) is at most 1 / (1 + y/16)^16. When 80 delta Kmet is
// below the threshold either way, the edge cannot beat the strongest so far and
// the exponential and logarithm are not needed.
inline void TestEdgeBounded(const IndexedEdge& e, uint32_t id, const Vec3& S, const Vec3& R,
                            double rx, double ry, double C, PathMax& m) {
  const double den = e.ex * ry - e.ey * rx;
  if (den == 0) return;
  const double num = e.ey * (S.x - e.x1) - e.ex * (S.y - e.y1);
  // t = num / den lies outside 0..1 whatever the rounding of the division
  // (quotients too small to underflow are left to the division itself).
  const double an = std::fabs(num), ad = std::fabs(den);
  if (an > ad * 1.000001) return;
  if (((num < 0) != (den < 0)) && an > ad * 1e-280) return;
  const double t = num / den;
  // q likewise: its numerator and denominator are the full scan's.
  double qn, qd;
  if (e.x2 != e.x1) {
    qn = S.x + t * rx - e.x1;
    qd = e.ex;
  } else {
    if (e.y2 == e.y1) return;
    qn = S.y + t * ry - e.y1;
    qd = e.ey;
  }
  const double aqn = std::fabs(qn), aqd = std::fabs(qd);
  if (aqn > aqd * 1.000001) return;
  if (((qn < 0) != (qd < 0)) && aqn > aqd * 1e-280) return;
  const double q = qn / qd;
  if (!(q >= 0 && q <= 1 && t >= 0 && t <= 1)) return;

  const Vec3 T{S.x + t * rx, S.y + t * ry, e.z1 + q * e.ez};
  const double Zr = S.z + t * (R.z - S.z);
  const double h = T.z - Zr;
  if (!(h > 0)) return;

  // At the very ends (t of 0, -0 or 1) there is no bound to take.
  if (m.threshold > 0 && t > 0 && t < 1) {
    const double hz =
        h + 8 * kUnitRoundoff * (std::fabs(T.z) + std::fabs(Zr) + std::fabs(S.z) + std::fabs(R.z));
    const double bound = hz * hz / (2 * C * t * (1 - t)) * (1 + 1e-9) + m.slack;
    if (80 * bound * (1 + 1e-9) < m.threshold) return;
  }

  const double A = Distance3(S, T);
  const double B = Distance3(R, T);
  const double delta = std::fabs(A + B - C);
  if (!(delta > 0)) return;
  const double y = (1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta));
  if (m.threshold > 0) {
    double p = 1 + y / 16;
    p *= p;
    p *= p;
    p *= p;
    p *= p;
    if (80 * delta / p * (1 + 1e-9) < m.threshold) return;
  }
  const double Kmet = std::exp(-(1.0 / 2000.0) * std::sqrt(A * B * C / (2 * delta)));
  const double AttEdge = 10 * std::log(1 + 80 * delta * Kmet) / kLogTen;
  if (AttEdge > m.Att) {
    m.raise(AttEdge);
    m.strongest = id;
  }
}

}  // namespace

void EdgeIndex::add(const EntityTable<Polyline3>& entities) {
  built_ = false;
  for (long i = 1; i <= entities.count(); ++i) {
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
      edges_.push_back(e);
    }
  }
}

void EdgeIndex::build(double cellSize) {
  always_.clear();
  cellStart_.clear();
  cellEdges_.clear();
  built_ = true;
  nx_ = ny_ = 0;

  std::vector<uint32_t> indexed;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0, scale = 1;
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
      xmin = ex0, xmax = ex1, ymin = ey0, ymax = ey1;
      any = true;
    } else {
      xmin = std::min(xmin, ex0), xmax = std::max(xmax, ex1);
      ymin = std::min(ymin, ey0), ymax = std::max(ymax, ey1);
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
  if (gridded.empty()) return;

  ox_ = xmin - 2 * pad_;
  oy_ = ymin - 2 * pad_;
  const double w = (xmax - xmin) + 4 * pad_;
  const double hgt = (ymax - ymin) + 4 * pad_;
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

bool EdgeIndex::pathIndexable(const Vec3& S, const Vec3& R) const {
  auto ok = [&](double v) { return std::fabs(v) <= reach_; };  // false for NaN
  return ok(S.x) && ok(S.y) && ok(R.x) && ok(R.y) && std::isfinite(S.z) && std::isfinite(R.z);
}

void EdgeIndex::attenuation(const Vec3& S, const Vec3& R, double& Att,
                            EdgeVisitMarks& marks) const {
  if (edges_.empty()) return;
  const double rx = R.x - S.x;
  const double ry = R.y - S.y;
  const double C = Distance3(R, S);
  if (!built_ || !pathIndexable(S, R)) {
    for (const IndexedEdge& e : edges_) TestEdge(e, S, R, rx, ry, C, Att);
    return;
  }
  for (uint32_t k : always_) TestEdge(edges_[k], S, R, rx, ry, C, Att);
  if (nx_ == 0) return;
  // A path without plan length gives den = 0 on every edge.
  if (rx == 0 && ry == 0) return;
  marks.reset(edges_.size());
  marks.next();
  PathMax m;
  m.raise(Att);
  m.strongest = kNoEdge;
  m.slack = 64 * kUnitRoundoff *
            (std::max({std::fabs(S.x), std::fabs(S.y), std::fabs(S.z), std::fabs(R.x),
                       std::fabs(R.y), std::fabs(R.z)}) +
             C + 1);
  // Below the lowest end of the ray, no edge of a cell is above it.
  const double rayLow = std::min(S.z, R.z) - 8 * kUnitRoundoff * (std::fabs(S.z) + std::fabs(R.z));
  double wFor = -1, w = -1;  // w for the threshold wFor
  auto visitCell = [&](size_t c, int i, int j) {
    const uint32_t first = cellStart_[c], last = cellStart_[c + 1];
    if (first == last) return;
    const double top = cellTop_[c] + 8 * kUnitRoundoff * std::fabs(cellTop_[c]);
    if (!(top > rayLow)) return;
    if (m.threshold > 0) {
      // Every crossing point found in this cell lies in it (widened by the pad),
      // so its distances from S and R are at least the cell's, in plan as in
      // 3-D; its height above the ray is at most top - rayLow. With those, the
      // bounds of TestEdgeBounded hold for the whole cell at once: the middle
      // of a long path is skipped once the ends have given an attenuation.
      const double x0 = ox_ + i * h_ - pad_, x1 = ox_ + (i + 1) * h_ + pad_;
      const double y0 = oy_ + j * h_ - pad_, y1 = oy_ + (j + 1) * h_ + pad_;
      const double sx = std::max({x0 - S.x, 0.0, S.x - x1}),
                   sy = std::max({y0 - S.y, 0.0, S.y - y1});
      const double qx = std::max({x0 - R.x, 0.0, R.x - x1}),
                   qy = std::max({y0 - R.y, 0.0, R.y - y1});
      const double dS2 = sx * sx + sy * sy, dR2 = qx * qx + qy * qy;
      if (dS2 > 0 && dR2 > 0) {
        const double hmax = top - rayLow;
        // First without Kmet and without a root: 80 (hmax^2 C / (2 dS dR) + slack)
        // below the threshold, rearranged (with room for the rounding) as
        // (hmax^2 w)^2 < dS^2 dR^2.
        if (m.threshold != wFor) {
          wFor = m.threshold;
          const double room = m.threshold / (1 + 1e-8) - 80 * m.slack;
          w = room > 0 ? 40 * C * (1 + 1e-8) / room : -1;
        }
        if (w > 0) {
          const double k = hmax * hmax * w;
          if (k * k < dS2 * dR2 * (1 - 1e-8)) return;
        }
        const double dSdR = std::sqrt(dS2 * dR2);
        const double dub = hmax * hmax * C / (2 * dSdR) * (1 + 1e-9) + m.slack;
        const double y = (1.0 / 2000.0) * std::sqrt(dSdR * C / (2 * dub)) * (1 - 1e-9);
        double p = 1 + y / 16;
        p *= p;
        p *= p;
        p *= p;
        p *= p;
        if (80 * dub / p * (1 + 1e-9) < m.threshold) return;
      }
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
  // The middle of a long path: there, a cell is at least u - d from S and
  // L - u - 2d from R (u the distance along the path of its first point, d a
  // cell's diagonal with the pads), and no edge is higher than the highest of
  // all. Where (u - d)(L - u - 2d) exceeds what the first bound of visitCell
  // needs, no cell can hold a stronger edge, so only the two ends are walked.
  if (m.threshold > 0) {
    const double room = m.threshold / (1 + 1e-8) - 80 * m.slack;
    const double hg = topAll_ + 8 * kUnitRoundoff * std::fabs(topAll_) - rayLow;
    if (!(hg > 0)) {  // every indexed edge is below the ray
      if (m.strongest != kNoEdge) marks.hint = m.strongest;
      Att = m.Att;
      return;
    }
    // The bound of visitCell for a cell of top hg at dS dR = P; it falls as P grows.
    auto bound = [&](double P) {
      const double dub = hg * hg * C / (2 * P) * (1 + 1e-9) + m.slack;
      const double y = (1.0 / 2000.0) * std::sqrt(P * C / (2 * dub)) * (1 - 1e-9);
      double p = 1 + y / 16;
      p *= p;
      p *= p;
      p *= p;
      p *= p;
      return 80 * dub / p * (1 + 1e-9);
    };
    const double L = std::sqrt(rx * rx + ry * ry);
    double hi = L * L;
    if (room > 0 && bound(hi) < m.threshold) {
      double lo = 0;
      for (int it = 0; it < 20; ++it) {
        const double mid = 0.5 * (lo + hi);
        if (bound(mid) < m.threshold)
          hi = mid;
        else
          lo = mid;
      }
      const double K = hi * (1 + 1e-7);
      const double d = h_ * 1.4142136 + 2 * pad_ + 1e-9 * L;
      const double M = L - 3 * d;
      const double disc = M * M - 4 * K;
      if (M > 0 && disc > 0) {
        const double root = std::sqrt(disc);
        const double eps = 1e-6 * (L + 1);
        const double a = d + (M - root) / 2 + eps, b = d + (M + root) / 2 - eps;
        if (a < b) {
          const double fa = a / L, fb = b / L;
          ForEachCell(S.x, S.y, S.x + fa * rx, S.y + fa * ry, pad_, ox_, oy_, h_, nx_, ny_,
                      visitCell);
          ForEachCell(S.x + fb * rx, S.y + fb * ry, R.x, R.y, pad_, ox_, oy_, h_, nx_, ny_,
                      visitCell);
          if (m.strongest != kNoEdge) marks.hint = m.strongest;
          Att = m.Att;
          return;
        }
      }
    }
  }
  ForEachCell(S.x, S.y, R.x, R.y, pad_, ox_, oy_, h_, nx_, ny_, visitCell);
  if (m.strongest != kNoEdge) marks.hint = m.strongest;
  Att = m.Att;
}

}  // namespace sonvale
