// The crossings near each line-source segment of a pass, for the crossing
// correction of its pieces. Only crossings nearer than 100 m change a piece's
// correction, and the pieces of a segment lie on it, so testing the crossings
// within 100 m of the segment (with a margin) gives the same minimum distance,
// to the bit, whenever that minimum matters.
#pragma once

#include <cstdint>
#include <vector>

#include "model/project.h"
#include "propagation/kernel.h"

namespace sonvale {

class CrossingIndex {
 public:
  explicit CrossingIndex(const EntityTable<Incrocio>& crossings);

  // Appends to out the crossings that may lie within 100 m of some point of the
  // plan segment a-b.
  void near(const Vec3& a, const Vec3& b, std::vector<uint32_t>& out) const;

  // The correction in dB of a piece with midpoint M, from the candidates of its
  // segment: 0.04 (100 - dmin) when the nearest crossing is nearer than 100 m.
  double correction(const Vec3& M, const uint32_t* begin, const uint32_t* end) const;

  size_t size() const { return xs_.size(); }

 private:
  std::vector<double> xs_, ys_;  // finite crossings in table order
  std::vector<uint32_t> far_;    // crossings too far out for the cells
  std::vector<uint32_t> cellStart_, cellItems_;
  double ox_ = 0, oy_ = 0, cell_ = 128;
  int nx_ = 0, ny_ = 0;
};

}  // namespace sonvale
