// Where façade points may not stand: inside a building, or on a road or track
// (near its axis). A bucket grid over the model keeps each test to the few
// outlines and axes around the point.
#pragma once

#include <unordered_map>
#include <vector>

#include "model/project.h"

namespace sonvale {

// A building outline as a closed ring (the last vertex dropped when it repeats
// the first).
std::vector<Point3> BuildingRing(const Casa& c);

class SiteIndex {
 public:
  // axisClearance: the distance from a road or track axis within which a point
  // is refused.
  SiteIndex(const Project& p, double axisClearance);

  // The building (1-based) whose outline holds (x, y), 0 when none.
  long buildingAt(double x, double y) const;
  // True when (x, y) lies nearer than the clearance to a road or track axis.
  bool nearAxis(double x, double y) const;

 private:
  struct Axis {
    double x1, y1, x2, y2;
  };
  long long key(long i, long j) const {
    return (static_cast<long long>(i) << 32) ^ (j & 0xffffffffLL);
  }
  long cellOf(double v, double origin) const;
  template <class F>
  void forCells(double x1, double y1, double x2, double y2, F f);

  double cell_ = 50, clearance_;
  double ox_ = 0, oy_ = 0;
  std::vector<std::vector<Point3>> rings_;  // index b-1
  std::vector<Axis> axes_;
  std::unordered_map<long long, std::vector<long>> buildingCells_;
  std::unordered_map<long long, std::vector<long>> axisCells_;
  // Outlines and axes over more cells than a bucket grid should hold (a stray
  // vertex kilometres away): tested at every point instead.
  std::vector<long> wideBuildings_;
  std::vector<long> longAxes_;
};

}  // namespace sonvale
