#include "propagation/map_pass.h"

#include <array>
#include <cmath>
#include <exception>
#include <optional>

#include "emission/emission_update.h"
#include "model/acoustics.h"
#include "propagation/grid_file.h"
#include "propagation/node_pool.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// The node layout of a pass: how many nodes, where each lies and how high.
struct NodeLayout {
  MappingMode mode = MappingMode::Plane;
  int nx = 0, ny = 0;               // nodes per row and rows
  GridHeader header;                // what the file announces
  std::optional<GridData> heights;  // plane and terrain passes
};

// A pass refused before it starts.
struct Refusal {
  MapPassProblem problem;
  std::string detail;
};

// Checks the division counts and builds the node heights; throws Refusal.
NodeLayout BuildLayout(const MapPassInputs& in) {
  const Project& p = in.project;
  NodeLayout layout;
  layout.mode = p.ModoMappatura;
  GridHeader& h = layout.header;
  h.zlo = 30;
  h.zhi = 100;
  switch (p.ModoMappatura) {
    case MappingMode::Plane: {
      if (p.NdivX < 1 || p.NdivY < 1) throw Refusal{MapPassProblem::PlaneDivisions, {}};
      layout.nx = p.NdivX + 1;
      layout.ny = p.NdivY + 1;
      GridData plane;
      plane.header.nx = layout.nx;
      plane.header.ny = layout.ny;
      plane.values.assign(static_cast<size_t>(layout.nx) * static_cast<size_t>(layout.ny),
                          p.QuotaZ);
      layout.heights = std::move(plane);
      h.xlo = in.grid.Xmin;
      h.xhi = in.grid.Xmax;
      h.ylo = in.grid.Ymin;
      h.yhi = in.grid.Ymax;
      break;
    }
    case MappingMode::Terrain: {
      try {
        layout.heights = ReadTerrainHeights(p.FileAltimetria);
      } catch (const std::exception& e) {
        throw Refusal{MapPassProblem::TerrainUnreadable, e.what()};
      }
      const GridHeader& t = layout.heights->header;
      layout.nx = t.nx;
      layout.ny = t.ny;
      in.grid.Xmin = t.xlo;
      in.grid.Xmax = t.xhi;
      in.grid.Ymin = t.ylo;
      in.grid.Ymax = t.yhi;
      h.xlo = t.xlo;
      h.xhi = t.xhi;
      h.ylo = t.ylo;
      h.yhi = t.yhi;
      break;
    }
    case MappingMode::Section: {
      if (p.NdivO < 1 || p.NdivZ < 1) throw Refusal{MapPassProblem::SectionDivisions, {}};
      layout.nx = p.NdivO + 1;
      layout.ny = p.NdivZ + 1;
      const SectionLine& s = in.section;
      h.xlo = 0;
      h.xhi = std::sqrt((s.X2 - s.X1) * (s.X2 - s.X1) + (s.Y2 - s.Y1) * (s.Y2 - s.Y1));
      h.ylo = s.Z1;
      h.yhi = s.Z2;
      break;
    }
  }
  h.nx = layout.nx;
  h.ny = layout.ny;
  return layout;
}

// The file a pass writes: the whole grid, or the partial grid of one tile.
class PassOutput {
 public:
  PassOutput(const std::string& fileName, const GridHeader& header,
             const std::optional<TileSpec>& tile, RowRange rows, uint64_t inputs) {
    if (tile)
      part_.emplace(TilePartName(fileName, *tile), header, *tile, rows, inputs);
    else
      full_.emplace(fileName, header);
  }
  void value(double v) { full_ ? full_->value(v) : part_->value(v); }
  void endRow() { full_ ? full_->endRow() : part_->endRow(); }
  // A stopped tile stays unfinished, so that it cannot be merged.
  void close(bool complete) {
    if (full_)
      full_->close();
    else if (complete)
      part_->close();
    else
      part_->closeUnfinished();
  }

 private:
  std::optional<DsaaWriter> full_;
  std::optional<PartialGridWriter> part_;
};

// The propagation setup of the pass's period (with AzzeraStandard, roads
// alone), with the source powers filled first; returns the background energy
// added to the section nodes.
double PrepareSources(const MapPassInputs& in, bool day, MapPassReport& report,
                      PropagationSetup& setup) {
  Project& p = in.project;
  const Configuration& c = in.config;
  if (!p.AzzeraStandard) {
    SetupReport problems;
    FillSourcePowers(p, problems);
    if (!problems.messages.empty()) report.sourceProblems(problems.messages);
  }
  setup = PrepareSetup(p, c, day ? Period::Day : Period::Night);
  if (!p.AzzeraStandard) return std::pow(10.0, (day ? c.FondoDiurno : c.FondoNotturno) / 10);
  return 0;
}

// Where the nodes of a pass lie and how a node's energy becomes a cell.
class NodeGeometry {
 public:
  NodeGeometry(const MapPassInputs& in, const NodeLayout& layout, RowRange rows)
      : in_(in), layout_(layout), rows_(rows) {}

  // The receiver of node k of the band (rows first, columns inner); false for a
  // blank terrain node.
  bool receiver(long k, Vec3& r) const {
    const int nx = layout_.nx, ny = layout_.ny;
    const int row = rows_.first + static_cast<int>(k / nx), col = static_cast<int>(k % nx);
    if (layout_.mode == MappingMode::Section) {
      const SectionLine& s = in_.section;
      const int ndivO = nx - 1, ndivZ = ny - 1;
      r = {s.X1 + col * (s.X2 - s.X1) / ndivO, s.Y1 + col * (s.Y2 - s.Y1) / ndivO,
           s.Z1 + row * (s.Z2 - s.Z1) / ndivZ};
      return true;
    }
    const GridBounds& g = in_.grid;
    const int ndX = nx - 1, ndY = ny - 1;
    const double dx = g.Xmax - g.Xmin, dy = g.Ymax - g.Ymin;
    const double z = layout_.heights->value(col, row);
    if (z == kBlankValue) return false;
    r = {g.Xmin + col * dx / ndX, g.Ymin + row * dy / ndY, z + in_.config.Hrec};
    return true;
  }

  // The cell of node (i, j) with its level; false for a node left blank (no
  // terrain under it, or no energy), which is neither painted nor shown.
  bool cell(int i, int j, double Etot, double Efondo, MapCell& cell) const {
    const int nx = layout_.nx, ny = layout_.ny;
    if (layout_.mode == MappingMode::Section) {
      const SectionLine& s = in_.section;
      const int ndivO = nx - 1;
      double x = s.X1 + i * (s.X2 - s.X1) / ndivO;
      double y = s.Y1 + i * (s.Y2 - s.Y1) / ndivO;
      if (!(Etot > 0)) return false;
      cell = {i, j, x - 1, y - 1, x + 1, y + 1, 10 * std::log(Etot + Efondo) / kLogTen};
      return true;
    }
    const GridBounds& g = in_.grid;
    const int ndX = nx - 1, ndY = ny - 1;
    const double dx = g.Xmax - g.Xmin, dy = g.Ymax - g.Ymin;
    double y1 = g.Ymin + j * dy / (ndY + 1);
    double y2 = g.Ymin + (j + 1) * dy / (ndY + 1);
    double x1 = g.Xmin + i * dx / (ndX + 1);
    double x2 = g.Xmin + (i + 1) * dx / (ndX + 1);
    if (layout_.heights->value(i, j) == kBlankValue || !(Etot > 0)) return false;
    cell = {i, j, x1, y1, x2, y2, 10 * std::log(Etot) / kLogTen};
    return true;
  }

 private:
  const MapPassInputs& in_;
  const NodeLayout& layout_;
  RowRange rows_;
};

// What every node of the whole map is computed from: the same for each of its
// tiles, and different for another model, emission, setting or grid.
// Adds the count and the receivers of the nodes (0 for a blank one).
void AddReceivers(InputFingerprint& f, const NodeGeometry& nodes, long total) {
  f.add(static_cast<uint64_t>(total));
  for (long k = 0; k < total; ++k) {
    Vec3 r;
    if (nodes.receiver(k, r))
      f.add(r);
    else
      f.add(uint64_t{0});
  }
}

uint64_t MapInputs(const MapPassInputs& in, const NodeLayout& layout, const PropagationSetup& setup,
                   double Efondo) {
  InputFingerprint f;
  f.addPaths(in.project, in.config, setup);
  f.add(Efondo);
  AddReceivers(f, NodeGeometry(in, layout, RowRange{0, layout.ny}),
               static_cast<long>(layout.nx) * layout.ny);
  return f.value();
}

// What gives the energies of the nodes of a pass: the engine of its period, or,
// in a run that carries the night, the day and the night together (the day
// pass) or what the day pass carried (the night pass).
class PassEnergies {
 public:
  PassEnergies(const MapPassInputs& in, bool day, const PropagationSetup& setup,
               const NodeGeometry& nodes, long total)
      : nodes_(nodes) {
    const Project& p = in.project;
    const Configuration& c = in.config;
    NightCarry* carry = in.engine ? nullptr : in.nightCarry;
    if (carry && total <= kMaxCarriedNodes) {
      if (day) {
        night_ = PrepareSetup(p, c, Period::Night);
        carry->ready = false;
        carry->inputs = Fingerprint(in, night_, total);
        carry->energies.assign(static_cast<size_t>(total), 0.0);
        both_ = MakeDayNightEngine(in.engineKind, p, c, setup, night_, kMapEntityTerm);
        filling_ = carry;
      } else if (carry->ready && carry->energies.size() == static_cast<size_t>(total) &&
                 carry->inputs == Fingerprint(in, setup, total)) {
        carried_ = carry;
      }
    }
    if (!both_ && !carried_)
      engine_ = in.engine ? in.engine(p, c, setup)
                          : MakeEnergyEngine(in.engineKind, p, c, setup, kMapEntityTerm);
    // A factory engine runs on the calling thread; carried values need no workers.
    threads_ = in.engine || carried_ ? 1 : in.threads;
  }
  // The night is carried over only by a day pass that wrote every node, and
  // only to the next night pass.
  ~PassEnergies() {
    if (carried_) *carried_ = NightCarry{};
  }
  void finished(bool complete) {
    if (filling_) filling_->ready = complete;
  }

  int threads() const { return threads_; }
  // Safe to call concurrently for different nodes.
  double operator()(long k) const {
    if (carried_) return carried_->energies[static_cast<size_t>(k)];
    Vec3 r;
    if (!nodes_.receiver(k, r)) return 0.0;
    if (!both_) return engine_->energy(r);
    const std::array<EnergyParts, 2> e = both_->parts(r);
    filling_->energies[static_cast<size_t>(k)] = e[1].total;
    return e[0].total;
  }

 private:
  uint64_t Fingerprint(const MapPassInputs& in, const PropagationSetup& night, long total) const {
    InputFingerprint f;
    f.addPaths(in.project, in.config, night);
    AddReceivers(f, nodes_, total);
    return f.value();
  }

  const NodeGeometry& nodes_;
  PropagationSetup night_;
  std::unique_ptr<EnergyEngine> engine_;
  std::unique_ptr<DayNightEngine> both_;
  NightCarry* filling_ = nullptr;
  NightCarry* carried_ = nullptr;
  int threads_ = 1;
};

}  // namespace

MapPassOutcome MapPass(const MapPassInputs& in, bool day, MapPassReport& report) {
  Project& p = in.project;
  const Configuration& c = in.config;
  MapPassOutcome outcome;

  if (!p.EmissioniOK) UpdateEmissions(p, c, in.tables);
  const std::string fileName = PassFileName(p.GrdName, day);

  // Refusals come before anything is reported as started or written.
  std::optional<NodeLayout> layout;
  try {
    layout = BuildLayout(in);
  } catch (const Refusal& r) {
    outcome.problem = r.problem;
    outcome.detail = r.detail;
    return outcome;
  }
  outcome.started = true;
  report.started(fileName);
  in.stopRequested = false;

  PropagationSetup setup;
  const double Efondo = PrepareSources(in, day, report, setup);

  bool& stop = in.stopRequested;
  try {
    const int nx = layout->nx, ny = layout->ny;
    const RowRange rows = in.tile ? TileRows(ny, *in.tile) : RowRange{0, ny};
    PassOutput out(fileName, layout->header, in.tile, rows,
                   in.tile ? MapInputs(in, *layout, setup, Efondo) : 0);
    outcome.fileName = in.tile ? TilePartName(fileName, *in.tile) : fileName;
    const NodeGeometry nodes(in, *layout, rows);
    const long total = static_cast<long>(rows.last - rows.first) * nx;
    // Made on this thread (a factory given by the caller runs here); the
    // engines of energy_engine.h are safe to share between the pool's workers.
    PassEnergies energies(in, day, setup, nodes, total);
    NodePool pool(total, energies.threads(), [&](long k) { return energies(k); });
    long node = 0;
    for (int j = rows.first; j < rows.last; ++j) {
      for (int i = 0; i < nx; ++i) {
        const double Etot = pool.take(node++);
        MapCell cell{i, j, 0, 0, 0, 0, kBlankValue};
        if (nodes.cell(i, j, Etot, Efondo, cell)) report.cell(cell);
        out.value(cell.level);
        report.nodeDone(node, total);
        if (stop) break;
      }
      report.rowDone();
      out.endRow();
      if (stop) break;
    }
    out.close(!stop);
    energies.finished(!stop);
  } catch (const FileError& e) {
    outcome.result = MapPassResult::Failed;
    outcome.problem = MapPassProblem::WriteFailed;
    outcome.detail = e.message();
    return outcome;
  } catch (const std::exception& e) {
    outcome.result = MapPassResult::Failed;
    outcome.problem = MapPassProblem::Interrupted;
    outcome.detail = e.what();
    return outcome;
  }
  outcome.result = stop ? MapPassResult::Stopped : MapPassResult::Completed;
  return outcome;
}

}  // namespace sonvale
