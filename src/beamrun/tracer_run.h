// The stand-in tracer's calculation: the level of every grid node or receiver
// for the day and the night with the propagation kernel, and the files it hands
// back (binary grids or the ".den" point results).
#pragma once

#include <string>
#include <vector>

#include "beamrun/tracer_input.h"
#include "propagation/grid_file.h"

namespace sonvale {

// The value of a node or receiver the tracer cannot compute (outside the
// calculation area, a blank terrain node, nothing in reach, a period the model
// has no levels for).
inline constexpr float kNoLevel = -999.9f;

// Writes a binary grid (DSBB, little-endian); z low and high are the range of
// the values above kNoLevel (0 and 0 when there are none). Throws FileError.
void WriteDsbb(const std::string& path, const GridHeader& header, const std::vector<float>& values);

// True when (x, y) lies inside the outline or on its edge.
bool InsideArea(const std::vector<Point3>& area, double x, double y);

// Runs the job and writes its outputs; throws FileError / FormatError.
// Returns the files written.
std::vector<std::string> RunTracerJob(const TracerJob& job);

}  // namespace sonvale
