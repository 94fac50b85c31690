// Subcommand contours: the isophones of a noise map as a GeoPackage that opens
// coloured in QGIS.
#include <iostream>
#include <sstream>

#include "cli/cli_context.h"
#include "commands/gis_module.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

const char* const kContoursUsage =
    "usage: sonvale-cli contours GRID --out ISO.gpkg [--bands 35,40,...,80 | --step 5]\n"
    "                            [--lines] [--scheme din18005|nfs31130|end] [--crs EPSG:n]\n"
    "Writes the isophone bands of a text (DSAA) or binary (DSBB) grid as polygons\n"
    "(layer isophone_bands: lo, hi, label) into a GeoPackage, with a QGIS style\n"
    "coloured by the scheme. The bands below the first and above the last level\n"
    "reach the grid's lowest and highest level (to 0.1 dB).\n"
    "  --bands L1,L2,...   the levels, ascending; \"...\" repeats the last step\n"
    "                      (default 35,40,...,80)\n"
    "  --step S            a level every S dB within the grid's range\n"
    "  --lines             also the isolines (layer isophone_lines: level)\n"
    "  --scheme NAME       din18005 (default), nfs31130 or end\n"
    "  --crs EPSG:n        the coordinate reference system of the grid\n";

}  // namespace

std::vector<double> BandLevels(const Args& args) {
  auto text = args.value("bands");
  if (!text) return StandardLevels();
  std::vector<double> levels;
  std::stringstream ss(*text);
  std::string item;
  bool repeat = false;
  while (std::getline(ss, item, ',')) {
    if (item == "..." && levels.size() >= 2 && !repeat) {
      repeat = true;
      continue;
    }
    if (!IsNumber(item)) throw UsageError("option --bands: \"" + item + "\" is not a level");
    double level = LeadingNumber(item);
    if (repeat) {
      double step = levels[levels.size() - 1] - levels[levels.size() - 2];
      if (step <= 0 || (level - levels.back()) / step > 1000) {
        throw UsageError("option --bands: \"...\" needs rising levels before it");
      }
      while (levels.back() + step < level - 1e-9) levels.push_back(levels.back() + step);
      repeat = false;
    }
    if (!levels.empty() && level <= levels.back()) {
      throw UsageError("option --bands: the levels must rise, " + item + " does not");
    }
    levels.push_back(level);
  }
  if (levels.empty() || repeat) throw UsageError("option --bands needs levels such as 55,60,65");
  return levels;
}

BandScheme SchemeOption(const Args& args) {
  std::string name = args.value("scheme").value_or("din18005");
  std::optional<BandScheme> scheme = ParseBandScheme(name);
  if (!scheme) throw UsageError("option --scheme takes din18005, nfs31130 or end");
  return *scheme;
}

int CmdContours(CliContext& ctx, const std::vector<std::string>& argv) {
  (void)ctx;
  Args args = ParseCommandArgs(argv, {"lines"}, {"out", "bands", "step", "scheme", "crs"});
  if (args.has("help")) {
    std::cout << kContoursUsage;
    return kExitOk;
  }
  const std::string gridPath = args.positional(0, "grid file");
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out ISO.gpkg");
  if (args.has("bands") && args.has("step")) throw UsageError("give --bands or --step, not both");
  double step = args.number("step", 0);
  if (args.has("step") && step <= 0) throw UsageError("option --step needs a positive number");

  IsophoneOptions options;
  options.scheme = SchemeOption(args);
  options.lines = args.has("lines");
  options.crsWkt = CrsOption(args);
  GridData grid = ReadLevelGrid(gridPath);
  LevelRange range = RangeOf(grid);
  options.levels = args.has("step") ? StepLevels(step, range.min, range.max) : BandLevels(args);
  std::vector<Band> bands = Gis().writeIsophones(grid, gridPath, options, *out);
  if (!args.has("quiet")) {
    std::cout << "written " << *out << ": " << PlainInteger(static_cast<long long>(bands.size()))
              << " bands from " << PlainNumber(bands.front().lo) << " to "
              << PlainNumber(bands.back().hi) << " dB(A)\n";
  }
  return kExitOk;
}

}  // namespace sonvale
