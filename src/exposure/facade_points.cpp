#include "exposure/facade_points.h"

#include <algorithm>
#include <cmath>

#include "exposure/site_index.h"

namespace sonvale {
namespace {

constexpr double kPieceLength = 5.0;
constexpr double kShortWall = 2.5;

double SignedArea(const std::vector<Point3>& ring) {
  double a = 0;
  for (size_t k = 0; k < ring.size(); ++k) {
    const Point3& p = ring[k];
    const Point3& q = ring[(k + 1) % ring.size()];
    a += p.X * q.Y - q.X * p.Y;
  }
  return a / 2;
}

// A receiver before a wall: at `along` metres from its start, pushed out by the
// distance along the outward normal.
struct WallSpot {
  long wall;
  double along;
};

struct Wall {
  Point3 a, b;
  double length;
};

}  // namespace

std::vector<double> WallPieceCentres(double length) {
  std::vector<double> centres;
  if (!(length >= kShortWall)) return centres;
  const long n = static_cast<long>(std::ceil(length / kPieceLength - 1e-9));
  const double piece = length / static_cast<double>(n);
  for (long k = 0; k < n; ++k) centres.push_back(piece * (static_cast<double>(k) + 0.5));
  return centres;
}

double FootprintArea(const Casa& c) {
  std::vector<Point3> ring = BuildingRing(c);
  return ring.size() < 3 ? 0 : std::fabs(SignedArea(ring));
}

double BuildingHeightAboveGround(const Casa& c, const GroundHeight& ground) {
  std::vector<Point3> ring = BuildingRing(c);
  if (ring.empty()) return 0;
  double x = 0, y = 0, z = 0;
  for (const Point3& v : ring) x += v.X, y += v.Y, z += v.Z;
  const double n = static_cast<double>(ring.size());
  return z / n - ground.at(x / n, y / n);
}

FacadeLayout PlaceFacadePoints(const Project& p, const FacadeOptions& options,
                               const GroundHeight& ground) {
  FacadeLayout out;
  SiteIndex site(p, options.axisClearance);
  out.first.push_back(0);
  for (long b = 1; b <= p.case_.count(); ++b) {
    std::vector<Point3> ring = BuildingRing(p.case_[b]);
    const double area = ring.size() >= 3 ? SignedArea(ring) : 0;
    std::vector<Wall> walls;
    if (area != 0) {
      for (size_t k = 0; k < ring.size(); ++k) {
        const Point3& a = ring[k];
        const Point3& c = ring[(k + 1) % ring.size()];
        walls.push_back({a, c, std::hypot(c.X - a.X, c.Y - a.Y)});
        if (!(walls.back().length <= kSuspectWall))
          out.longWalls.push_back({b, static_cast<long>(k) + 1, walls.back().length});
      }
    }
    // Spots with the length each represents. Runs of short walls share one spot
    // in the middle of the run when together they reach 2.5 m.
    std::vector<std::pair<WallSpot, double>> spots;
    const size_t n = walls.size();
    size_t start = 0;  // a long wall to start from, so that no run is cut in two
    while (start < n && walls[start].length < kShortWall) ++start;
    if (start == n) start = 0;
    std::vector<size_t> run;
    auto closeRun = [&]() {
      double total = 0;
      for (size_t w : run) total += walls[w].length;
      if (total >= kShortWall) {
        double half = total / 2;
        for (size_t w : run) {
          if (half <= walls[w].length) {
            spots.push_back({{static_cast<long>(w), half}, total});
            break;
          }
          half -= walls[w].length;
        }
      }
      run.clear();
    };
    for (size_t step = 0; step < n; ++step) {
      const size_t w = (start + step) % n;
      if (walls[w].length == 0) continue;
      if (walls[w].length < kShortWall) {
        run.push_back(w);
        continue;
      }
      if (!run.empty()) closeRun();
      const std::vector<double> centres = WallPieceCentres(walls[w].length);
      for (double c : centres) {
        spots.push_back({{static_cast<long>(w), c}, walls[w].length / centres.size()});
      }
    }
    if (!run.empty()) closeRun();
    std::sort(spots.begin(), spots.end(), [](const auto& l, const auto& r) {
      return l.first.wall != r.first.wall ? l.first.wall < r.first.wall
                                          : l.first.along < r.first.along;
    });

    int rows = 1;
    if (options.perFloor) {
      const double h = BuildingHeightAboveGround(p.case_[b], ground);
      rows = std::max(1, static_cast<int>(std::floor(h / options.floorHeight)));
    }
    const double outward = area > 0 ? 1.0 : -1.0;
    long number = 0;
    for (int row = 0; row < rows; ++row) {
      for (const auto& [spot, length] : spots) {
        const Wall& w = walls[static_cast<size_t>(spot.wall)];
        const double ux = (w.b.X - w.a.X) / w.length, uy = (w.b.Y - w.a.Y) / w.length;
        FacadePoint fp;
        fp.building = b;
        fp.facade = spot.wall + 1;
        fp.floor = row;
        fp.x = w.a.X + ux * spot.along + outward * uy * options.distance;
        fp.y = w.a.Y + uy * spot.along - outward * ux * options.distance;
        fp.length = length;
        if (site.buildingAt(fp.x, fp.y) != 0) {
          ++out.droppedInside;
          continue;
        }
        if (site.nearAxis(fp.x, fp.y)) {
          ++out.droppedNearAxis;
          continue;
        }
        const double above = options.perFloor ? options.floorHeight * row + 1.5 : options.height;
        fp.z = ground.at(fp.x, fp.y) + above;
        fp.point = ++number;
        out.points.push_back(fp);
      }
    }
    out.first.push_back(out.points.size());
  }
  return out;
}

}  // namespace sonvale
