#include "exposure/site_index.h"

#include <algorithm>
#include <cmath>

namespace sonvale {
namespace {

bool InsideRing(const std::vector<Point3>& ring, double x, double y) {
  bool inside = false;
  const size_t n = ring.size();
  for (size_t a = 0, b = n - 1; a < n; b = a++) {
    const Point3& p = ring[a];
    const Point3& q = ring[b];
    if ((p.Y > y) != (q.Y > y) && x < (q.X - p.X) * (y - p.Y) / (q.Y - p.Y) + p.X) inside = !inside;
  }
  return inside;
}

double SegmentDistance(double x, double y, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

}  // namespace

std::vector<Point3> BuildingRing(const Casa& c) {
  std::vector<Point3> ring = c.vertices;
  if (ring.size() >= 2 && ring.front().X == ring.back().X && ring.front().Y == ring.back().Y)
    ring.pop_back();
  return ring;
}

long SiteIndex::cellOf(double v, double origin) const {
  return static_cast<long>(std::floor((v - origin) / cell_));
}

template <class F>
void SiteIndex::forCells(double x1, double y1, double x2, double y2, F f) {
  for (long i = cellOf(x1, ox_); i <= cellOf(x2, ox_); ++i)
    for (long j = cellOf(y1, oy_); j <= cellOf(y2, oy_); ++j) f(key(i, j));
}

SiteIndex::SiteIndex(const Project& p, double axisClearance) : clearance_(axisClearance) {
  if (p.extent.Xmin < p.extent.Xmax) {
    ox_ = p.extent.Xmin;
    oy_ = p.extent.Ymin;
  }
  rings_.reserve(static_cast<size_t>(p.case_.count()));
  for (long b = 1; b <= p.case_.count(); ++b) {
    rings_.push_back(BuildingRing(p.case_[b]));
    const std::vector<Point3>& ring = rings_.back();
    if (ring.size() < 3) continue;
    double x1 = ring[0].X, x2 = x1, y1 = ring[0].Y, y2 = y1;
    for (const Point3& v : ring) {
      x1 = std::min(x1, v.X), x2 = std::max(x2, v.X);
      y1 = std::min(y1, v.Y), y2 = std::max(y2, v.Y);
    }
    // A building far larger than a cell is still bucketed cell by cell.
    forCells(x1, y1, x2, y2, [&](long long k) { buildingCells_[k].push_back(b); });
  }
  auto addLine = [&](const std::vector<LineVertex>& v) {
    for (size_t k = 1; k < v.size(); ++k) {
      const Axis a{v[k - 1].X, v[k - 1].Y, v[k].X, v[k].Y};
      const long index = static_cast<long>(axes_.size());
      axes_.push_back(a);
      // Walked in short steps, so that a long diagonal axis marks only the cells
      // along it.
      const double len = std::hypot(a.x2 - a.x1, a.y2 - a.y1);
      const long steps = static_cast<long>(len / (cell_ / 4)) + 1;
      const double reach = clearance_ + cell_ / 8;
      for (long s = 0; s <= steps; ++s) {
        const double x = a.x1 + (a.x2 - a.x1) * s / steps, y = a.y1 + (a.y2 - a.y1) * s / steps;
        forCells(x - reach, y - reach, x + reach, y + reach, [&](long long c) {
          std::vector<long>& list = axisCells_[c];
          if (list.empty() || list.back() != index) list.push_back(index);
        });
      }
    }
  };
  for (long r = 1; r <= p.strade.count(); ++r) addLine(p.strade[r].vertices);
  for (long t = 1; t <= p.binari.count(); ++t) addLine(p.binari[t].vertices);
}

long SiteIndex::buildingAt(double x, double y) const {
  auto it = buildingCells_.find(key(cellOf(x, ox_), cellOf(y, oy_)));
  if (it == buildingCells_.end()) return 0;
  for (long b : it->second) {
    if (InsideRing(rings_[static_cast<size_t>(b - 1)], x, y)) return b;
  }
  return 0;
}

bool SiteIndex::nearAxis(double x, double y) const {
  auto it = axisCells_.find(key(cellOf(x, ox_), cellOf(y, oy_)));
  if (it == axisCells_.end()) return false;
  for (long index : it->second) {
    const Axis& a = axes_[static_cast<size_t>(index)];
    if (SegmentDistance(x, y, a.x1, a.y1, a.x2, a.y2) < clearance_) return true;
  }
  return false;
}

}  // namespace sonvale
