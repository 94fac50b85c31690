// The grids the external tracer returns (binary DSBB): the background level
// added to every valid cell in place, cells out of range blanked, and the valid
// cells painted on the map.
#pragma once

#include <functional>
#include <string>

#include "platform/work_report.h"
#include "propagation/map_pass.h"

namespace sonvale {

struct TracerGridOutcome {
  bool loaded = false;  // read, converted and written back
  long valid = 0;       // cells that hold a level
  long blank = 0;       // cells written back as the blank value
};

struct TracerGridHooks {
  std::function<void(const MapCell&)> onCell;          // paints one valid cell
  std::function<void(bool suspended)> suspendPicture;  // the map picture off while loading
};

// Every cell v with -999.9 < v < 999.9 (single precision) becomes
// 10·log10(10^(background/10) + 10^(v/10)); any other becomes the blank value.
// The file is rewritten only once the whole grid is converted. With draw, every
// valid cell is reported as the rectangle of its share of the grid's bounds.
// A file that is not a complete binary grid is reported as a notice ("Problem
// reading GRD file", "Error!") and left untouched. The end calls for attention.
TracerGridOutcome LoadTracerGrid(const std::string& fileName, bool draw, double backgroundDb,
                                 WorkReport& report, const TracerGridHooks& hooks = {});

}  // namespace sonvale
