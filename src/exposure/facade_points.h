// Façade receivers: every wall of every building split into regular pieces of
// at most 5 m with a receiver in front of the middle of each, as the common
// assessment method places them to assign levels and people to buildings.
// Walls shorter than 2.5 m share one receiver with the short walls next to them.
#pragma once

#include <vector>

#include "exposure/ground_height.h"
#include "model/project.h"

namespace sonvale {

struct FacadeOptions {
  double distance = 0.1;       // in front of the wall, metres
  double height = 4.0;         // above the ground
  bool perFloor = false;       // one row per floor instead of one row at `height`
  double floorHeight = 3.0;    // storey height: rows at 1.5 m above each floor
  double axisClearance = 1.0;  // points nearer a road or track axis are dropped
};

// The pieces of a wall of length L: n = ceil(L / 5) equal pieces; their centres
// as distances from the wall's start. A wall shorter than 2.5 m has none of its
// own (see PlaceFacadePoints).
std::vector<double> WallPieceCentres(double length);

struct FacadePoint {
  long building = 0;  // 1-based
  long facade = 0;    // wall j, from vertex j to j+1 (the last wall closes the ring)
  long point = 0;     // 1-based within the building
  int floor = 0;      // row, 0 unless one row per floor
  double x = 0, y = 0, z = 0;
  double length = 0;  // façade length the point represents
};

struct FacadeLayout {
  std::vector<FacadePoint> points;  // by building, then wall, then along the wall
  long droppedInside = 0;           // inside a building
  long droppedNearAxis = 0;         // within the clearance of a road or track axis
  // Points of building b are points[first[b-1] .. first[b]-1].
  std::vector<size_t> first;
  // Walls longer than any building has (kSuspectWall), most likely a stray
  // vertex: their points are placed all the same, and the run warns of them.
  struct LongWall {
    long building = 0, wall = 0;
    double length = 0;
  };
  std::vector<LongWall> longWalls;
};

inline constexpr double kSuspectWall = 2000;  // metres

FacadeLayout PlaceFacadePoints(const Project& p, const FacadeOptions& options,
                               const GroundHeight& ground);

// Height of the roof above the ground: mean roof edge less the ground at the
// outline's centre of vertices.
double BuildingHeightAboveGround(const Casa& c, const GroundHeight& ground);
// Plan area of the outline (always positive).
double FootprintArea(const Casa& c);

}  // namespace sonvale
