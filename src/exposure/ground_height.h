// The height of the ground under a façade point: the terrain grid of the project,
// interpolated between its nodes, or the height of the mapping plane.
#pragma once

#include <optional>

#include "propagation/grid_file.h"

namespace sonvale {

class GroundHeight {
 public:
  // A flat ground at the plane height (QuotaZ).
  explicit GroundHeight(double plane) : plane_(plane) {}
  // The terrain: bilinear between the four nodes around a point, the nearest
  // edge node outside the grid; a blank node nearby gives the plane height.
  GroundHeight(GridData terrain, double plane) : terrain_(std::move(terrain)), plane_(plane) {}

  double at(double x, double y) const;
  bool onTerrain() const { return terrain_.has_value(); }

 private:
  std::optional<GridData> terrain_;
  double plane_;
};

}  // namespace sonvale
