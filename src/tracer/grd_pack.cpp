#include "tracer/grd_pack.h"

#include <vector>

#include "platform/paths.h"
#include "propagation/grid_file.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr int kInputs = 6;
constexpr double kPackZlo = 40, kPackZhi = 70;

}  // namespace

std::optional<GrdPackNames> PackGrdNames(const std::string& name) {
  const size_t fileStart = name.size() - FileNameOnly(name).size();
  const size_t at = name.find("01", fileStart);
  if (at == std::string::npos) return std::nullopt;
  const std::string prefix = name.substr(0, at);
  const std::string suffix = name.substr(at + 2);
  GrdPackNames names;
  for (int k = 1; k <= kInputs; ++k)
    names.inputs[static_cast<size_t>(k - 1)] = prefix + "0" + PlainInteger(k) + suffix;
  names.output = prefix + "SUM" + suffix;
  return names;
}

std::string PackGrd(const std::string& name, Project& project) {
  const std::optional<GrdPackNames> names = PackGrdNames(name);
  if (!names) throw FileError(name, kPackNeeds01);

  std::vector<GridData> grids;
  for (const std::string& input : names->inputs) {
    if (DirExists(input)) throw FileError(input, "this is a folder, not a grid file");
    grids.push_back(ReadTerrainGrid(input));
  }
  const GridHeader& last = grids.back().header;
  for (int k = 0; k < kInputs; ++k) {
    const GridHeader& h = grids[static_cast<size_t>(k)].header;
    if (h.nx != last.nx || h.ny != last.ny) {
      throw FormatError(names->inputs[static_cast<size_t>(k)], 2,
                        "the grid has " + PlainInteger(h.nx) + " x " + PlainInteger(h.ny) +
                            " nodes, " + FileNameOnly(names->inputs.back()) + " has " +
                            PlainInteger(last.nx) + " x " + PlainInteger(last.ny));
    }
  }
  if (last.nx - 1 > 32767 || last.ny - 1 > 32767) {
    throw FormatError(names->inputs.back(), 2, "more than 32768 nodes in a row or column");
  }

  GridHeader out = last;
  out.zlo = kPackZlo;
  out.zhi = kPackZhi;
  DsaaWriter writer(names->output, out, grids.back().identifier);
  for (int j = 0; j < last.ny; ++j) {
    for (int i = 0; i < last.nx; ++i) {
      double cls = kBlankValue;
      for (int k = 1; k <= kInputs; ++k) {
        if (grids[static_cast<size_t>(k - 1)].value(i, j) == kBlankValue) cls = 35 + 5 * k;
      }
      writer.value(cls);
    }
    writer.endRow();
  }
  writer.close();

  project.NdivX = static_cast<short>(last.nx - 1);
  project.NdivY = static_cast<short>(last.ny - 1);
  project.extent.Xmin = last.xlo;
  project.extent.Xmax = last.xhi;
  project.extent.Ymin = last.ylo;
  project.extent.Ymax = last.yhi;
  project.GrdName = names->output;
  return names->output;
}

}  // namespace sonvale
