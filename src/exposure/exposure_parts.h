// Splitting the façade points of an exposure run across processes or machines:
// part K of N computes a contiguous range of points and writes their energies
// exactly (the bits of every double); the merge joins the parts of one run back
// into the energies of all points, and the tables are then made as by one run.
// A part file is "SONVALE-EXPOSURE-PART K N FIRST LAST TOTAL INPUTS" (INPUTS:
// the fingerprint of what the energies were computed from, 16 hexadecimal
// digits; parts written before it was kept have none), one line per point of
// six energies in hexadecimal bits (roads, tracks, all; day then night), and
// "END" once complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exposure/facade_levels.h"

namespace sonvale {

struct PointRange {
  size_t first = 0, last = 0;
};
// Points first .. last-1 of part k of n (1 <= k <= n): ranges as even as can be.
PointRange PartRange(size_t total, int k, int n);

// "exposure.part3of8" in the output folder.
std::string ExposurePartName(int k, int n);

std::string ExposurePartText(int k, int n, size_t total, PointRange range,
                             const std::vector<PointEnergies>& energies, uint64_t inputs);

// Joins the parts (any order, each of 1..N once, all of one run of `total`
// points computed from `inputs`). Throws FormatError naming the part and line
// when a part is unfinished, foreign (another run, or other inputs), repeated
// or missing, and FileError when one cannot be read.
std::vector<PointEnergies> MergeExposureParts(const std::vector<std::string>& parts, size_t total,
                                              uint64_t inputs);

}  // namespace sonvale
