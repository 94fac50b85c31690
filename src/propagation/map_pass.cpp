#include "propagation/map_pass.h"

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

void ShowError(Ui& ui, const std::string& text) {
  ui.message({"Error!", text, Buttons::Ok, Icon::Critical, Answer::Ok});
}

// Keeps the busy pointer for the life of the pass, whatever way it ends.
class BusyScope {
 public:
  explicit BusyScope(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
  ~BusyScope() { ui_.setBusy(false); }

 private:
  Ui& ui_;
};

// The node layout of a pass: how many nodes, where each lies and how high.
struct NodeLayout {
  int mode = 0;
  int nx = 0, ny = 0;               // nodes per row and rows
  GridHeader header;                // what the file announces
  std::optional<GridData> heights;  // plane and terrain passes
};

std::string LevelStatus(int row, int column, double level) {
  return "Lev(" + ShowNumber(row) + "," + ShowNumber(column) +
         ")=" + FormatPattern(level, "####.#");
}

// Checks the division counts and builds the node heights. Returns nullopt after
// telling the user why the pass cannot run.
std::optional<NodeLayout> BuildLayout(const MapPassInputs& in, Ui& ui) {
  const Project& p = in.project;
  NodeLayout layout;
  layout.mode = p.ModoMappatura;
  GridHeader& h = layout.header;
  h.zlo = 30;
  h.zhi = 100;
  switch (p.ModoMappatura) {
    case 0: {
      if (p.NdivX < 1 || p.NdivY < 1) {
        ShowError(ui, "Numero di divisioni della griglia non valido (NdivX =" +
                          ShowNumber(p.NdivX) + ", NdivY =" + ShowNumber(p.NdivY) +
                          "): servono almeno 1 divisione in X e 1 in Y");
        return std::nullopt;
      }
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
    case 1: {
      try {
        layout.heights = ReadTerrainHeights(p.FileAltimetria);
      } catch (const std::exception& e) {
        ShowError(ui, std::string("Impossibile leggere il file altimetrico: ") + e.what());
        return std::nullopt;
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
    case 2: {
      if (p.NdivO < 1 || p.NdivZ < 1) {
        ShowError(ui, "Numero di divisioni della sezione non valido (NdivO =" +
                          ShowNumber(p.NdivO) + ", NdivZ =" + ShowNumber(p.NdivZ) +
                          "): servono almeno 1 divisione lungo la sezione e 1 in altezza");
        return std::nullopt;
      }
      layout.nx = p.NdivO + 1;
      layout.ny = p.NdivZ + 1;
      const SectionLine& s = in.section;
      h.xlo = 0;
      h.xhi = std::sqrt((s.X2 - s.X1) * (s.X2 - s.X1) + (s.Y2 - s.Y1) * (s.Y2 - s.Y1));
      h.ylo = s.Z1;
      h.yhi = s.Z2;
      break;
    }
    default:
      ShowError(ui, "Modo di mappatura sconosciuto:" + ShowNumber(p.ModoMappatura));
      return std::nullopt;
  }
  h.nx = layout.nx;
  h.ny = layout.ny;
  return layout;
}

// The file a pass writes: the whole grid, or the partial grid of one tile.
class PassOutput {
 public:
  PassOutput(const std::string& fileName, const GridHeader& header,
             const std::optional<TileSpec>& tile, RowRange rows) {
    if (tile)
      part_.emplace(TilePartName(fileName, *tile), header, *tile, rows);
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

}  // namespace

MapPassOutcome MapPass(const MapPassInputs& in, bool day, Ui& ui, const MapHooks& hooks) {
  Project& p = in.project;
  const Configuration& c = in.config;
  MapPassOutcome outcome;

  if (!p.EmissioniOK) UpdateEmissions(p, c, in.tables);
  std::string fileName = PassFileName(p.GrdName, day);

  // Refusals come before anything is shown as started or written.
  std::optional<NodeLayout> layout = BuildLayout(in, ui);
  if (!layout) return outcome;

  SetStatus(ui, "Sto mappando sul file " + fileName + "...");
  BusyScope busy(ui);
  in.stopRequested = false;

  if (!p.AzzeraStandard) {
    SetupReport report;
    FillSourcePowers(p, report);
    if (!report.messages.empty()) {
      std::string text;
      for (const std::string& m : report.messages) text += (text.empty() ? "" : "\n") + m;
      ui.message({"Attenzione!", text, Buttons::Ok, Icon::Warning, Answer::Ok});
    }
  }
  PropagationSetup setup = PrepareSetup(p, c, day ? Period::Day : Period::Night);
  double Efondo = 0;
  if (p.AzzeraStandard) {
    // Roads alone, whatever the preparation left in the other lists.
    setup.includeTracksAndSources = false;
    setup.tracks.clear();
    setup.sources.clear();
  } else {
    Efondo = std::pow(10.0, (day ? c.FondoDiurno : c.FondoNotturno) / 10);
  }
  // Engines are safe to share between the workers of the pool.
  const std::unique_ptr<EnergyEngine> engine =
      in.engine ? in.engine(p, c, setup)
                : MakeEnergyEngine(in.engineKind, p, c, setup, kMapEntityTerm);

  bool& stop = in.stopRequested;
  try {
    const int nx = layout->nx, ny = layout->ny;
    const RowRange rows = in.tile ? TileRows(ny, *in.tile) : RowRange{0, ny};
    PassOutput out(fileName, layout->header, in.tile, rows);
    outcome.fileName = in.tile ? TilePartName(fileName, *in.tile) : fileName;
    // The receiver of node k of the band (rows first, columns inner), with
    // exactly the doubles of the loops below; false for a blank terrain node.
    auto receiver = [&](long k, Vec3& r) {
      const int row = rows.first + static_cast<int>(k / nx), col = static_cast<int>(k % nx);
      if (layout->mode == 2) {
        const SectionLine& s = in.section;
        const int ndivO = nx - 1, ndivZ = ny - 1;
        r = {s.X1 + col * (s.X2 - s.X1) / ndivO, s.Y1 + col * (s.Y2 - s.Y1) / ndivO,
             s.Z1 + row * (s.Z2 - s.Z1) / ndivZ};
        return true;
      }
      const GridBounds& g = in.grid;
      const int ndX = nx - 1, ndY = ny - 1;
      const double dx = g.Xmax - g.Xmin, dy = g.Ymax - g.Ymin;
      const double z = layout->heights->value(col, row);
      if (z == kBlankValue) return false;
      r = {g.Xmin + col * dx / ndX, g.Ymin + row * dy / ndY, z + c.Hrec};
      return true;
    };
    const long nodes = static_cast<long>(rows.last - rows.first) * nx;
    NodePool pool(nodes, in.threads, [&](long k) {
      Vec3 r;
      if (!receiver(k, r)) return 0.0;
      return engine->energy(r);
    });
    // The cell of node (i, j) with its level; false for a node left blank (no
    // terrain under it, or no energy), which is neither painted nor shown.
    auto levelOf = [&](int i, int j, double Etot, MapCell& cell) {
      if (layout->mode == 2) {
        const SectionLine& s = in.section;
        const int ndivO = nx - 1;
        double x = s.X1 + i * (s.X2 - s.X1) / ndivO;
        double y = s.Y1 + i * (s.Y2 - s.Y1) / ndivO;
        if (!(Etot > 0)) return false;
        cell = {i, j, x - 1, y - 1, x + 1, y + 1, 10 * std::log(Etot + Efondo) / kLogTen};
        return true;
      }
      const GridBounds& g = in.grid;
      const int ndX = nx - 1, ndY = ny - 1;
      const double dx = g.Xmax - g.Xmin, dy = g.Ymax - g.Ymin;
      double y1 = g.Ymin + j * dy / (ndY + 1);
      double y2 = g.Ymin + (j + 1) * dy / (ndY + 1);
      double x1 = g.Xmin + i * dx / (ndX + 1);
      double x2 = g.Xmin + (i + 1) * dx / (ndX + 1);
      if (layout->heights->value(i, j) == kBlankValue || !(Etot > 0)) return false;
      cell = {i, j, x1, y1, x2, y2, 10 * std::log(Etot) / kLogTen};
      return true;
    };
    long node = 0;
    for (int j = rows.first; j < rows.last; ++j) {
      for (int i = 0; i < nx; ++i) {
        const double Etot = pool.take(node++);
        MapCell cell{i, j, 0, 0, 0, 0, kBlankValue};
        if (levelOf(i, j, Etot, cell)) {
          if (hooks.onCell) hooks.onCell(cell);
          ui.showStatus(LevelStatus(j, i, cell.level));
        }
        out.value(cell.level);
        ui.processEvents();
        if (stop) {
          ui.beep();
          break;
        }
      }
      ui.processEvents();
      out.endRow();
      if (stop) break;
    }
    out.close(!stop);
  } catch (const FileError& e) {
    ShowError(ui,
              "Mappa interrotta, impossibile scrivere il file " + fileName + ": " + e.message());
    if (hooks.drawMap) hooks.drawMap(false);
    return outcome;
  } catch (const std::exception& e) {
    ShowError(ui, "Mappa interrotta (" + fileName + "): " + e.what());
    if (hooks.drawMap) hooks.drawMap(false);
    return outcome;
  }
  outcome.result = stop ? MapPassResult::Stopped : MapPassResult::Completed;
  if (hooks.drawMap) hooks.drawMap(false);
  return outcome;
}

}  // namespace sonvale
