#include "propagation/crossing_index.h"

#include <algorithm>
#include <cmath>

namespace sonvale {
namespace {

constexpr double kCell = 128;  // wider than the 100 m reach plus its margin
constexpr double kIndexableLimit = 1e12;
constexpr double kMaxCells = 4e6;

// Plan distance from (px, py) to the segment a-b.
double PlanDistanceToSegment(double px, double py, const Vec3& a, const Vec3& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = 0;
  if (len2 > 0) t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0);
  return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

}  // namespace

CrossingIndex::CrossingIndex(const EntityTable<Incrocio>& crossings) {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  bool any = false;
  std::vector<uint32_t> gridded;
  for (long i = 1; i <= crossings.count(); ++i) {
    const Incrocio& c = crossings[i];
    // A crossing at an infinite or undefined place is never nearer than 1000 m.
    if (!std::isfinite(c.X) || !std::isfinite(c.Y)) continue;
    const uint32_t k = static_cast<uint32_t>(xs_.size());
    xs_.push_back(c.X);
    ys_.push_back(c.Y);
    if (std::fabs(c.X) > kIndexableLimit || std::fabs(c.Y) > kIndexableLimit) {
      far_.push_back(k);
      continue;
    }
    if (!any) {
      xmin = xmax = c.X, ymin = ymax = c.Y;
      any = true;
    }
    xmin = std::min(xmin, c.X), xmax = std::max(xmax, c.X);
    ymin = std::min(ymin, c.Y), ymax = std::max(ymax, c.Y);
    gridded.push_back(k);
  }
  if (gridded.empty()) return;
  ox_ = xmin;
  oy_ = ymin;
  double h = kCell;
  while (std::ceil((xmax - xmin) / h + 1) * std::ceil((ymax - ymin) / h + 1) > kMaxCells) h *= 2;
  cell_ = h;
  nx_ = static_cast<int>(std::floor((xmax - xmin) / h)) + 1;
  ny_ = static_cast<int>(std::floor((ymax - ymin) / h)) + 1;
  const size_t cells = static_cast<size_t>(nx_) * static_cast<size_t>(ny_);
  std::vector<uint32_t> counts(cells + 1, 0);
  auto cellOf = [&](uint32_t k) {
    const int i = std::min(nx_ - 1, static_cast<int>(std::floor((xs_[k] - ox_) / h)));
    const int j = std::min(ny_ - 1, static_cast<int>(std::floor((ys_[k] - oy_) / h)));
    return static_cast<size_t>(j) * static_cast<size_t>(nx_) + static_cast<size_t>(i);
  };
  for (uint32_t k : gridded) ++counts[cellOf(k) + 1];
  for (size_t c = 0; c < cells; ++c) counts[c + 1] += counts[c];
  cellStart_ = counts;
  cellItems_.assign(cellStart_[cells], 0);
  std::vector<uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
  for (uint32_t k : gridded) cellItems_[fill[cellOf(k)]++] = k;
}

void CrossingIndex::near(const Vec3& a, const Vec3& b, std::vector<uint32_t>& out) const {
  if (xs_.empty()) return;
  // The pieces' midpoints lie on a-b up to a few roundings of its coordinates; a
  // metre and a relative margin cover those and the rounding of the distances.
  const double scale =
      std::max({1.0, std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
  const double reach = 101 + 1e-9 * scale;
  const size_t first = out.size();
  auto consider = [&](uint32_t k) {
    if (PlanDistanceToSegment(xs_[k], ys_[k], a, b) <= reach) out.push_back(k);
  };
  for (uint32_t k : far_) consider(k);
  if (nx_ > 0) {
    const double x0 = (std::min(a.x, b.x) - reach - ox_) / cell_;
    const double x1 = (std::max(a.x, b.x) + reach - ox_) / cell_;
    const double y0 = (std::min(a.y, b.y) - reach - oy_) / cell_;
    const double y1 = (std::max(a.y, b.y) + reach - oy_) / cell_;
    // Ranges outside the cells (or undefined) hold no crossing.
    if (x1 >= 0 && y1 >= 0 && x0 < nx_ && y0 < ny_) {
      const int i0 = x0 > 0 ? static_cast<int>(x0) : 0;
      const int j0 = y0 > 0 ? static_cast<int>(y0) : 0;
      const int i1 = x1 < nx_ - 1 ? static_cast<int>(x1) : nx_ - 1;
      const int j1 = y1 < ny_ - 1 ? static_cast<int>(y1) : ny_ - 1;
      for (int j = j0; j <= j1; ++j) {
        for (int i = i0; i <= i1; ++i) {
          const size_t c =
              static_cast<size_t>(j) * static_cast<size_t>(nx_) + static_cast<size_t>(i);
          for (uint32_t p = cellStart_[c]; p < cellStart_[c + 1]; ++p) consider(cellItems_[p]);
        }
      }
    }
  }
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

double CrossingIndex::correction(const Vec3& M, const uint32_t* begin, const uint32_t* end) const {
  // The same distances and the same minimum as the scan over all crossings; the
  // crossings left out are 100 m or more away and cannot bring dmin below 100.
  double dmin = 1000;
  for (const uint32_t* k = begin; k != end; ++k) {
    const double dx = M.x - xs_[*k];
    const double dy = M.y - ys_[*k];
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < dmin) dmin = d;
  }
  return dmin < 100 ? 0.04 * (100 - dmin) : 0.0;
}

}  // namespace sonvale
