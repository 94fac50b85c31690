// sonvale-make-town: writes a synthetic town as a project file and its terrain grid,
// and if asked its drawing for the imports, for the bundled example and for
// benchmarks of any size.
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "platform/atomic_file.h"
#include "project/configuration.h"
#include "project/project_file.h"
#include "propagation/grid_file.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "tools/town_dxf.h"
#include "tools/town_generator.h"

namespace {

const char* const kUsage =
    "usage: sonvale-make-town [--out DIR] [--size X,Y] [--roads N] [--buildings N]\n"
    "                         [--barriers N] [--crossings N] [--points N] [--sources N]\n"
    "                         [--seed S] [--dxf [--config INI]]\n"
    "Writes DIR/town.svp and DIR/terrain.grd (DIR defaults to the current folder);\n"
    "with --dxf also DIR/town.dxf, the town on the layers named in INI (by default\n"
    "the data/sonvale.ini of the source tree).\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double numberArg(std::string_view option, std::string_view text) {
  if (!sonvale::IsNumber(text)) {
    throw UsageError(std::string(option) + " expects a number, not \"" + std::string(text) + "\"");
  }
  return sonvale::LeadingNumber(text);
}

int countArg(std::string_view option, std::string_view text) {
  const double v = numberArg(option, text);
  if (v < 0 || v > 1e6 || v != static_cast<double>(static_cast<long>(v))) {
    throw UsageError(std::string(option) + " expects a whole number from 0 to 1000000");
  }
  return static_cast<int>(v);
}

void writeTerrain(const sonvale::GridData& g, const std::string& path) {
  sonvale::DsaaWriter w(path, g.header);
  for (int j = 0; j < g.ny(); ++j) {
    for (int i = 0; i < g.nx(); ++i) w.value(g.value(i, j));
    w.endRow();
  }
  w.close();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sonvale;
  TownParams params;
  std::string out = ".";
  bool dxf = false;
  std::string configPath = SONVALE_DEFAULT_CONFIG;
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t k = 0; k < args.size(); ++k) {
      const std::string& a = args[k];
      if (a == "--help" || a == "-h") {
        std::cout << kUsage;
        return 0;
      }
      if (a == "--dxf") {
        dxf = true;
        continue;
      }
      if (k + 1 >= args.size()) throw UsageError("unknown option or missing value: " + a);
      const std::string& v = args[++k];
      if (a == "--out") {
        out = v;
      } else if (a == "--config") {
        configPath = v;
      } else if (a == "--size") {
        const size_t comma = v.find(',');
        if (comma == std::string::npos) throw UsageError("--size expects X,Y in metres");
        params.sizeX = numberArg(a, std::string_view(v).substr(0, comma));
        params.sizeY = numberArg(a, std::string_view(v).substr(comma + 1));
      } else if (a == "--roads") {
        params.roads = countArg(a, v);
      } else if (a == "--buildings") {
        params.buildings = countArg(a, v);
      } else if (a == "--barriers") {
        params.barriers = countArg(a, v);
      } else if (a == "--crossings") {
        params.crossings = countArg(a, v);
      } else if (a == "--points") {
        params.points = countArg(a, v);
      } else if (a == "--sources") {
        params.sources = countArg(a, v);
      } else if (a == "--seed") {
        const double s = numberArg(a, v);
        if (s < 0 || s > 4294967295.0 || s != static_cast<double>(static_cast<long long>(s)))
          throw UsageError("--seed expects a whole number from 0 to 4294967295");
        params.seed = static_cast<unsigned>(s);
      } else {
        throw UsageError("unknown option: " + a);
      }
    }
  } catch (const UsageError& e) {
    std::cerr << "sonvale-make-town: " << e.what() << "\n" << kUsage;
    return 2;
  }

  try {
    const Project town = GenerateTown(params);
    // The layer names first, so that a bad configuration leaves no files behind.
    Configuration config;
    if (dxf) config = ReadConfiguration(configPath);
    const GridData terrain = GenerateTerrain(params);
    std::filesystem::create_directories(out);
    const std::string svp = (std::filesystem::path(out) / "town.svp").string();
    const std::string grd = (std::filesystem::path(out) / "terrain.grd").string();
    WriteProjectFile(town, svp);
    writeTerrain(terrain, grd);
    std::string drawing;
    if (dxf) {
      drawing = (std::filesystem::path(out) / "town.dxf").string();
      WriteFileAtomically(drawing, TownDxfText(town, config));
    }
    std::cout << svp << ": " << PlainInteger(town.strade.count()) << " roads, "
              << PlainInteger(town.binari.count()) << " railway track, "
              << PlainInteger(town.case_.count()) << " buildings, "
              << PlainInteger(town.barriere.count()) << " barriers, "
              << PlainInteger(town.incroci.count()) << " crossings, "
              << PlainInteger(town.punti.count()) << " points, "
              << PlainInteger(town.sources.count()) << " sources\n"
              << grd << ": " << PlainInteger(terrain.nx()) << " x " << PlainInteger(terrain.ny())
              << " nodes, heights " << PlainNumber(terrain.header.zlo) << " to "
              << PlainNumber(terrain.header.zhi) << " m\n";
    if (dxf) std::cout << drawing << ": the drawing on the configured layers\n";
  } catch (const FormatError& e) {
    std::cerr << e.file() << ":" << PlainInteger(e.line()) << ": " << e.message() << "\n";
    return 2;
  } catch (const FileError& e) {
    std::cerr << e.file() << ": " << e.message() << "\n";
    return 2;
  } catch (const std::exception& e) {
    // Parameters that make no town, a table past its capacity, a folder that
    // cannot be created.
    std::cerr << "sonvale-make-town: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
