#include "exposure/site_index.h"

#include <algorithm>
#include <cmath>

namespace sonvale {
namespace {

// The most cells an outline's box or an axis's walk is bucketed in.
constexpr double kMostCells = 4096;
// Cell numbers stay well inside a long whatever the coordinates.
constexpr double kFarthestCell = 1e15;

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
  const double c = std::floor((v - origin) / cell_);
  return static_cast<long>(std::isnan(c) ? 0 : std::clamp(c, -kFarthestCell, kFarthestCell));
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
    const double cells = (std::floor((x2 - x1) / cell_) + 2) * (std::floor((y2 - y1) / cell_) + 2);
    if (cells <= kMostCells)
      forCells(x1, y1, x2, y2, [&](long long k) { buildingCells_[k].push_back(b); });
    else
      wideBuildings_.push_back(b);
  }
  auto addLine = [&](const std::vector<LineVertex>& v) {
    for (size_t k = 1; k < v.size(); ++k) {
      const Axis a{v[k - 1].X, v[k - 1].Y, v[k].X, v[k].Y};
      const long index = static_cast<long>(axes_.size());
      axes_.push_back(a);
      // Walked in short steps, so that a long diagonal axis marks only the cells
      // along it.
      const double len = std::hypot(a.x2 - a.x1, a.y2 - a.y1);
      if (!(len / (cell_ / 4) <= kMostCells)) {
        longAxes_.push_back(index);
        continue;
      }
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
  long found = 0;
  auto it = buildingCells_.find(key(cellOf(x, ox_), cellOf(y, oy_)));
  if (it != buildingCells_.end()) {
    for (long b : it->second) {
      if (InsideRing(rings_[static_cast<size_t>(b - 1)], x, y)) {
        found = b;
        break;
      }
    }
  }
  // The first building in the project's order, as if every one were bucketed.
  for (long b : wideBuildings_) {
    if (found != 0 && b > found) break;
    if (InsideRing(rings_[static_cast<size_t>(b - 1)], x, y)) return b;
  }
  return found;
}

bool SiteIndex::nearAxis(double x, double y) const {
  auto near = [&](long index) {
    const Axis& a = axes_[static_cast<size_t>(index)];
    return SegmentDistance(x, y, a.x1, a.y1, a.x2, a.y2) < clearance_;
  };
  auto it = axisCells_.find(key(cellOf(x, ox_), cellOf(y, oy_)));
  if (it != axisCells_.end() && std::any_of(it->second.begin(), it->second.end(), near))
    return true;
  return std::any_of(longAxes_.begin(), longAxes_.end(), near);
}

}  // namespace sonvale
