// The grid mapping engine: one MapPass computes the level of every node of a
// horizontal plane, of the terrain or of a vertical section for one period and
// writes it to that period's text grid, reporting each computed cell as it goes.
// It shows nothing itself: the command that runs it words and shows what it reports.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/map_geometry.h"
#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"
#include "propagation/energy_engine.h"
#include "propagation/grid_tiles.h"
#include "propagation/kernel.h"
#include "propagation/night_carry.h"

namespace sonvale {

// The energy added for every road and every track of a map node.
inline const double kMapEntityTerm = std::pow(10.0, 2.6);

// One computed node as the map shows it: the cell rectangle in plan coordinates.
struct MapCell {
  int i = 0, j = 0;  // column and row (section: position along the line and height)
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double level = 0;
};

// What a pass tells its caller as it goes. Every call comes from the thread that
// runs MapPass, in node order; the defaults ignore it.
class MapPassReport {
 public:
  virtual ~MapPassReport() = default;
  // The pass was accepted and starts on the grid of fileName (the whole period's
  // name, also for a tile).
  virtual void started(const std::string& /*fileName*/) {}
  // Sources whose spectrum file could not be read, one text each, before any node.
  virtual void sourceProblems(const std::vector<std::string>& /*messages*/) {}
  // A computed node with a level; blank nodes are written but not reported.
  virtual void cell(const MapCell& /*cell*/) {}
  // After every node, computed or blank: done of total nodes of this run.
  virtual void nodeDone(long /*done*/, long /*total*/) {}
  // After every row of nodes, also the row a stop ended.
  virtual void rowDone() {}
};

using EnergyEngineFactory = std::function<std::unique_ptr<EnergyEngine>(
    const Project&, const Configuration&, const PropagationSetup&)>;

// What a pass reads and writes.
struct MapPassInputs {
  Project& project;  // settings; emission and source powers may be refreshed
  const Configuration& config;
  const EmissionTables& tables;
  GridBounds& grid;  // plane bounds; a terrain pass replaces them by the file's
  const SectionLine& section;
  bool& stopRequested;              // cleared at the start, tested after every node
  EnergyEngineFactory engine = {};  // overrides engineKind (and runs on the calling thread)
  // The engine computing the nodes, and how many worker threads compute them
  // ahead of the loop (<= 1: the calling thread alone). Results do not depend
  // on either.
  EngineKind engineKind = EngineKind::Fast;
  int threads = 1;
  // Only the rows of this tile, written as a partial grid (TilePartName of the
  // pass file) for MergeGridParts.
  std::optional<TileSpec> tile = {};
  // Shared by the day pass and the night pass of one run: the day pass fills it
  // with the night's energies, which the night pass then writes as they are if
  // nothing changed in between. Unused with a factory engine.
  NightCarry* nightCarry = nullptr;
};

enum class MapPassResult {
  Completed,  // every node written
  Stopped,    // the user stopped it; the file holds the nodes computed so far
  Failed,     // refused before it started, or ended by an error
};

// Why a pass failed.
enum class MapPassProblem {
  None,
  PlaneDivisions,     // NdivX or NdivY below 1: refused
  SectionDivisions,   // NdivO or NdivZ below 1: refused
  TerrainUnreadable,  // the terrain grid could not be read: refused
  WriteFailed,        // the grid file could not be written: ended
  Interrupted,        // any other error while computing: ended
};

struct MapPassOutcome {
  MapPassResult result = MapPassResult::Failed;
  std::string fileName;  // the grid written (empty when refused before it)
  MapPassProblem problem = MapPassProblem::None;
  std::string detail;    // the error's own text, for the last three problems
  bool started = false;  // the pass got as far as MapPassReport::started
};

// Runs one pass for the day (day = true) or the night period.
MapPassOutcome MapPass(const MapPassInputs& in, bool day, MapPassReport& report);

}  // namespace sonvale
