// Subcommand grid-convert: a Surfer grid as GeoTIFF; and the GeoTIFF files that
// map --geotiff writes beside its grids.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/gis_module.h"
#include "commands/map_gis_outputs.h"
#include "gis/crs.h"

namespace sonvale {

std::string CrsOption(const Args& args) {
  auto text = args.value("crs");
  if (!text) return "";
  std::optional<int> code = ParseEpsg(*text);
  if (!code) throw UsageError("option --crs takes EPSG:n, not \"" + *text + "\"");
  try {
    return Gis().crsWkt(*code);
  } catch (const std::invalid_argument& e) {
    throw UsageError(std::string("option --crs: ") + e.what());
  }
}

int CmdGridConvert(CliContext& ctx, const std::vector<std::string>& argv) {
  (void)ctx;
  Args args = ParseCommandArgs(argv, {}, {"crs"});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli grid-convert IN.grd OUT.tif [--crs EPSG:n]\n"
                 "Writes a text (DSAA) or binary (DSBB) grid as GeoTIFF: one Float32 band,\n"
                 "blank nodes as nodata, each node at the centre of its pixel. --crs names\n"
                 "the coordinate reference system of the grid's coordinates.\n";
    return kExitOk;
  }
  const std::string in = args.positional(0, "input grid");
  const std::string out = args.positional(1, "output GeoTIFF");
  if (args.positional().size() > 2) throw UsageError("too many arguments");
  std::string crs = CrsOption(args);
  Gis().writeGeoTiff(ReadLevelGrid(in), out, crs);
  if (!args.has("quiet")) std::cout << "written " << out << "\n";
  return kExitOk;
}

}  // namespace sonvale
