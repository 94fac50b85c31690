// Synthetic towns for the example project and the benchmarks: a jittered street
// grid with a through road, an arterial, district and local streets, a railway
// line with barriers, buildings in the blocks, crossings, receiver points, a
// section, a plan, a small room-acoustics wall and point sources, all standing on
// a gently rolling terrain. The same parameters and seed always give the same
// project, whatever the standard library.
#pragma once

#include <cstdint>

#include "model/project.h"
#include "propagation/grid_file.h"

namespace sonvale {

struct TownParams {
  double sizeX = 1000, sizeY = 1000;           // extent of the town, metres
  double originX = 500000, originY = 4500000;  // south-west corner, map coordinates
  int roads = 30;      // road entities (the through road counts as two carriageways)
  int buildings = 60;  // placed in the blocks whatever the number of roads
  int barriers = 3;    // pieces along the railway
  int crossings = 12;  // at most one per street junction
  int points = 15;     // named receiver points
  int sources = 3;     // concentrated point sources
  unsigned seed = 1;
  // Ground: every height of the model is terrain height + its own height, the
  // terrain rising from groundBase by up to groundRelief (0 gives a flat town).
  double groundBase = 20, groundRelief = 20;
  double gridStep = 10;    // spacing of the map grid (NdivX, NdivY) and of the terrain grid
  double maxSegment = 50;  // longest road or track segment, so that Z follows the ground
  double distMax = 2500;
};

// The whole town as a project. Throws std::invalid_argument for parameters that
// make no town (a size below 100 m, a negative count) and CapacityError when a
// count exceeds the capacity of its table.
Project GenerateTown(const TownParams& params);

// Ground height of the town at map coordinates (x, y).
double TownGroundHeight(const TownParams& params, double x, double y);

// The terrain under the town as a grid with gridStep spacing over the town's
// extent (the plan), node (0, 0) at the south-west corner.
GridData GenerateTerrain(const TownParams& params);

}  // namespace sonvale
