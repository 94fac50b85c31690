#include "tools/town_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "tools/town_builder.h"

namespace sonvale {
namespace town {

Project TownBuilder::build() {
  layoutLines();
  makeRoads();
  makeRailway();
  makeBarriers();
  makeBuildings();
  buildingHeightsAlongLines();
  makeCrossings();
  makePoints();
  makeSection();
  makePlan();
  makeRoomAcoustics();
  makeSources();
  makeSettings();
  return std::move(pr_);
}

}  // namespace town

namespace {

void validate(const TownParams& p) {
  auto bad = [](const char* what) { throw std::invalid_argument(what); };
  if (!(p.sizeX >= 100) || !(p.sizeY >= 100)) bad("the town must be at least 100 m x 100 m");
  if (p.roads < 0 || p.buildings < 0 || p.barriers < 0 || p.crossings < 0 || p.points < 0 ||
      p.sources < 0)
    bad("counts must not be negative");
  if (!(p.gridStep > 0) || p.sizeX / p.gridStep > 32767 || p.sizeY / p.gridStep > 32767)
    bad("the grid step must be positive and give at most 32767 divisions");
  if (!(p.maxSegment >= 1)) bad("the longest segment must be at least 1 m");
  if (!(p.groundRelief >= 0) || !std::isfinite(p.groundBase)) bad("bad ground heights");
  if (!(p.distMax > 0)) bad("the largest calculation distance must be positive");
}

}  // namespace

double TownGroundHeight(const TownParams& p, double x, double y) {
  if (p.groundRelief == 0) return p.groundBase;
  town::Random r(0x7E22A1Dull ^ (uint64_t{p.seed} * 0x9E3779B97F4A7C15ull));
  const double phi1 = r.range(0, 2 * std::numbers::pi), phi2 = r.range(0, 2 * std::numbers::pi);
  const double u = std::clamp((x - p.originX) / p.sizeX, 0.0, 1.0);
  const double v = std::clamp((y - p.originY) / p.sizeY, 0.0, 1.0);
  // A general rise towards the north-east with a gentle swell over it; f stays in 0..1.
  const double slope = 0.7 * u + 0.3 * v;
  const double swell = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 1.1 * u + phi1) *
                                 std::sin(2 * std::numbers::pi * 0.8 * v + phi2);
  return town::cm(p.groundBase + p.groundRelief * (0.6 * slope + 0.4 * swell));
}

Project GenerateTown(const TownParams& params) {
  validate(params);
  town::TownBuilder b(params);
  return b.build();
}

GridData GenerateTerrain(const TownParams& params) {
  validate(params);
  GridData g;
  const long ndx = std::lround(params.sizeX / params.gridStep);
  const long ndy = std::lround(params.sizeY / params.gridStep);
  g.header.nx = static_cast<int>(ndx + 1);
  g.header.ny = static_cast<int>(ndy + 1);
  g.header.xlo = town::cm(params.originX);
  g.header.xhi = town::cm(params.originX + params.sizeX);
  g.header.ylo = town::cm(params.originY);
  g.header.yhi = town::cm(params.originY + params.sizeY);
  g.values.resize(static_cast<size_t>(g.header.nx) * static_cast<size_t>(g.header.ny));
  double lo = 1e300, hi = -1e300;
  for (int j = 0; j < g.header.ny; ++j) {
    const double y = g.header.ylo + (g.header.yhi - g.header.ylo) * j / static_cast<double>(ndy);
    for (int i = 0; i < g.header.nx; ++i) {
      const double x = g.header.xlo + (g.header.xhi - g.header.xlo) * i / static_cast<double>(ndx);
      const double z = TownGroundHeight(params, x, y);
      g.value(i, j) = z;
      lo = std::min(lo, z);
      hi = std::max(hi, z);
    }
  }
  g.header.zlo = lo;
  g.header.zhi = hi;
  return g;
}

}  // namespace sonvale
