// What the stand-in tracer reads: the job file (algorithm, parameters, grid or
// receiver list, outputs) and the model file it names, turned into the project
// and configuration the propagation kernel works on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"

namespace sonvale {

// Values the files do not carry. Roads and tracks have no widths or building
// heights in the model, so they are taken as open lines of the narrowest width
// the kernel uses; sources sit this high above the line; a terrain map puts its
// receivers this high above the ground.
inline constexpr double kBeamrunSourceHeight = 0.5;
inline constexpr double kBeamrunTerrainReceiverHeight = 4.0;

enum class JobKind { Plane, Terrain, Section, Points };

struct TracerJob {
  std::string file;
  std::string algorithm;
  std::map<std::string, std::string> params;  // name -> value as written
  std::string modelFile;
  std::string terrainFile;   // terrain jobs
  std::string receiverFile;  // point jobs
  std::string outputBase;    // grid jobs: "_d.grd", "_n.grd", "_e.grd" are appended
  std::string denFile;       // point jobs
  JobKind kind = JobKind::Plane;
  double minX = 0, minY = 0, minZ = 0, maxX = 0, maxY = 0, maxZ = 0;  // GridMin, GridMax
  long nodesX = 0, nodesY = 0;
  std::vector<Point3> area;  // calculation outline (plane jobs)
};

// Reads the job; throws FileError / FormatError naming the file and line.
TracerJob ReadTracerJob(const std::string& path);

struct TracerModel {
  Project project;
  Configuration config;
};

// Reads the model the job names into a project: roads, tracks, point sources,
// buildings, barriers and crossings; obstacles present switch their diffraction
// on. The job's Beta, MinDist and MaxDist become AttCoeff, DistMin and DistMax.
TracerModel ReadTracerModel(const TracerJob& job);

// The receivers of a point job: three numbers per line (blank lines skipped).
std::vector<Point3> ReadReceiverList(const std::string& path);

}  // namespace sonvale
