// The grid mapping engine: one MapPass computes the level of every node of a
// horizontal plane, of the terrain or of a vertical section for one period and
// writes it to that period's text grid, reporting each computed cell for painting.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/map_geometry.h"
#include "platform/ui.h"
#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"
#include "propagation/energy_engine.h"
#include "propagation/grid_tiles.h"
#include "propagation/kernel.h"

namespace sonvale {

// The energy added for every road and every track of a map node.
inline const double kMapEntityTerm = std::pow(10.0, 2.6);

// One computed node as the map shows it: the cell rectangle in plan coordinates.
struct MapCell {
  int i = 0, j = 0;  // column and row (section: position along the line and height)
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double level = 0;
};

struct MapHooks {
  std::function<void(const MapCell&)> onCell;  // paints a computed cell
  std::function<void(bool clear)> drawMap;     // redraws the model (clear: blank first)
};

// Builds the engine of a pass in place of engineKind's (a test's recording engine).
using EnergyEngineFactory = std::function<std::unique_ptr<EnergyEngine>(
    const Project&, const Configuration&, const PropagationSetup&)>;

// What a pass reads and writes besides the Ui.
struct MapPassInputs {
  Project& project;  // settings; emission and source powers may be refreshed
  const Configuration& config;
  const EmissionTables& tables;
  GridBounds& grid;  // plane bounds; a terrain pass replaces them by the file's
  const SectionLine& section;
  bool& stopRequested;            // cleared at the start, tested after every node
  EnergyEngineFactory engine = {};  // overrides engineKind
  // The engine computing the nodes, and how many worker threads compute them
  // ahead of the loop (<= 1: the calling thread alone). Results do not depend
  // on either.
  EngineKind engineKind = EngineKind::Fast;
  int threads = 1;
  // Only the rows of this tile, written as a partial grid (TilePartName of the
  // pass file) for MergeGridParts.
  std::optional<TileSpec> tile = {};
};

enum class MapPassResult {
  Completed,  // every node written
  Stopped,    // the user stopped it; the file holds the nodes computed so far
  Failed,     // refused or a file error, already reported to the user
};

struct MapPassOutcome {
  MapPassResult result = MapPassResult::Failed;
  std::string fileName;  // the grid written (empty when refused before it)
};

// Runs one pass for the day (day = true) or the night period.
MapPassOutcome MapPass(const MapPassInputs& in, bool day, Ui& ui, const MapHooks& hooks = {});

}  // namespace sonvale
