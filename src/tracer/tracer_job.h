// The job handed to the external tracer: the model file (sources and obstacles),
// the receiver list of a point calculation and the job file that names the model,
// the algorithm, the calculation parameters and the output.
#pragma once

#include <stdexcept>
#include <string>

#include "model/map_geometry.h"
#include "model/project.h"
#include "project/configuration.h"
#include "propagation/point_calc.h"
#include "text/translatable.h"

namespace sonvale {

// The mapping mode of a point job; the job file carries its receiver list instead
// of a grid.
inline constexpr short kPointsMode = 3;

// The files of one job. base is the name the outputs are derived from: the
// tracer appends "_d.grd", "_n.grd", "_e.grd" (grids) or ".den" (points).
struct TracerJobFiles {
  std::string base;
  std::string model;      // base ".tmp"
  std::string receivers;  // base ".dat", points only
  std::string job;        // base ".job"
  double startTime = 0;   // the window clock (seconds) when the job was started
};

// A job refused before any file was written; what() is the text shown.
class TracerJobRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline const char* const kTracerDivisionsRefused =
    SV_TR("sonvale",
          "Il numero di divisioni della griglia deve essere almeno 1: il calcolo con Beamrun non "
          "viene avviato");

// Sets an empty GrdName (project name, else drawing name, each less its last four
// characters, followed by ".grd"; else currentDir "/GRIDTMP.grd") and returns
// GrdName less its last four characters.
std::string TracerBase(Project& p, const std::string& currentDir);

// The word naming the algorithm in the job: 1 "SonVale", 2 "Interim",
// 3 "Harmonoise", any other "Sonvale".
std::string AlgorithmWord(long algorithm);

// The model file: roads, then (unless AzzeraStandard) tracks and concentrated
// sources, then buildings (DiffrCase) and barriers (DiffrBarriere), then crossings.
std::string TracerModelXml(const Project& p, const Configuration& c);

// The receiver list: X, Y, Z of every receiver of the set in print zones.
std::string ReceiverListText(const Project& p, ReceiverSet set);

// What a tracer job reads: the model and its settings, the grid and section of
// the map run, and the program folder that holds the tracer.
struct TracerContext {
  Project& project;
  const Configuration& config;
  const GridBounds& grid;
  const SectionLine& section;
  const std::string& programDir;
};

// The job file for mapping mode `mode` (0 plane, 1 terrain, 2 section, 3 points).
std::string TracerJobXml(const Project& p, const Configuration& c, const GridBounds& grid,
                         const SectionLine& section, const std::string& base, short mode);

// Writes the model, the receiver list (pointsMode: from the set the point window
// chose) and the job. A base that is not absolute is taken in currentDir, so that
// the tracer, which runs in the program folder, finds the files. Throws
// TracerJobRefused when the divisions of the mode's grid are below 1 and
// FileError when a file cannot be written.
TracerJobFiles WriteTracerJob(const TracerContext& tc, bool pointsMode, ReceiverSet set,
                              const std::string& currentDir, double startTime);

// Removes the job, model and receiver-list files (missing ones are ignored).
void DeleteTracerInputs(const TracerJobFiles& files);

}  // namespace sonvale
