#include "gis/grid_calc.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>

#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

std::string GeometryText(const GridHeader& h) {
  return PlainInteger(h.nx) + " x " + PlainInteger(h.ny) + " nodes over X " + PlainNumber(h.xlo) +
         " .. " + PlainNumber(h.xhi) + ", Y " + PlainNumber(h.ylo) + " .. " + PlainNumber(h.yhi);
}

bool Near(double a, double b, double spacing) {
  return std::fabs(a - b) <= 1e-6 * std::max(std::fabs(spacing), 1e-9);
}

// The result of f over the values of one node of every grid; blank when any is.
GridData NodeByNode(const std::vector<const GridData*>& grids,
                    const std::function<double(const std::vector<double>&)>& f) {
  GridData out;
  out.header = grids.front()->header;
  out.values.resize(grids.front()->values.size());
  std::vector<double> node(grids.size());
  for (size_t k = 0; k < out.values.size(); ++k) {
    bool blank = false;
    for (size_t g = 0; g < grids.size(); ++g) {
      node[g] = grids[g]->values[k];
      blank = blank || node[g] == kBlankValue;
    }
    out.values[k] = blank ? kBlankValue : f(node);
  }
  return out;
}

}  // namespace

void CheckSameGeometry(const NamedGrid& a, const NamedGrid& b) {
  const GridHeader& ha = a.grid.header;
  const GridHeader& hb = b.grid.header;
  double dx = ha.nx > 1 ? (ha.xhi - ha.xlo) / (ha.nx - 1) : 1;
  double dy = ha.ny > 1 ? (ha.yhi - ha.ylo) / (ha.ny - 1) : 1;
  if (ha.nx != hb.nx || ha.ny != hb.ny || !Near(ha.xlo, hb.xlo, dx) || !Near(ha.xhi, hb.xhi, dx) ||
      !Near(ha.ylo, hb.ylo, dy) || !Near(ha.yhi, hb.yhi, dy)) {
    throw FormatError(b.name, 2,
                      "the grid has " + GeometryText(hb) + ", " + a.name + " has " +
                          GeometryText(ha) + ": only grids of the same nodes can be combined");
  }
}

GridData EnergeticSum(const std::vector<NamedGrid>& grids) {
  std::vector<const GridData*> inputs;
  for (const NamedGrid& g : grids) {
    CheckSameGeometry(grids.front(), g);
    inputs.push_back(&g.grid);
  }
  return NodeByNode(inputs, [](const std::vector<double>& levels) {
    double energy = 0;
    for (double l : levels) energy += std::pow(10.0, l / 10);
    return 10 * std::log10(energy);
  });
}

GridData GridDifference(const NamedGrid& a, const NamedGrid& b) {
  CheckSameGeometry(a, b);
  return NodeByNode({&a.grid, &b.grid}, [](const std::vector<double>& v) { return v[0] - v[1]; });
}

GridData GridExcess(const GridData& grid, double limit) {
  return NodeByNode({&grid},
                    [limit](const std::vector<double>& v) { return std::max(v[0] - limit, 0.0); });
}

void WriteTextGrid(const std::string& path, const GridData& grid) {
  GridHeader h = grid.header;
  h.zlo = h.zhi = 0;
  bool any = false;
  for (double v : grid.values) {
    if (v == kBlankValue) continue;
    h.zlo = any ? std::min(h.zlo, v) : v;
    h.zhi = any ? std::max(h.zhi, v) : v;
    any = true;
  }
  DsaaWriter writer(path, h);
  for (int j = 0; j < h.ny; ++j) {
    for (int i = 0; i < h.nx; ++i) writer.value(grid.value(i, j));
    writer.endRow();
  }
  writer.close();
}

GridData ReadLevelGrid(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the grid file");
  char id[4] = {};
  in.read(id, 4);
  bool binary = in.gcount() == 4 && std::string(id, 4) == "DSBB";
  in.close();
  return binary ? ReadBinaryGrid(path) : ReadTerrainGrid(path);
}

}  // namespace sonvale
