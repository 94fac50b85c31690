// Subcommand export-gis: the model as GIS layers (GeoPackage, Shapefile, GeoJSON).
#include <iostream>

#include "cli/cli_context.h"
#include "commands/gis_module.h"
#include "commands/project_crs.h"
#include "emission/emission_update.h"
#include "text/number_text.h"

namespace sonvale {

int CmdExportGis(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {"dat", "crs"});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli export-gis PROJECT.svp OUT.gpkg|OUT.shp|OUT.geojson\n"
                 "                              [--dat POINTS.dat] [--crs EPSG:n] [--year Y]\n"
                 "Writes the model as GIS layers: strade (traffic and emission\n"
                 "levels of the year), binari, case and barriere (with their heights), punti\n"
                 "and sorgenti. --dat adds the levels of a point calculation's data file\n"
                 "(points --out) to the punti layer; --crs names the project's coordinate\n"
                 "reference system (default: the one of the project's side file, PROJECT.svx).\n"
                 "A GeoPackage holds all layers; Shapefile and GeoJSON\n"
                 "write one file per layer, OUT_strade.shp, OUT_binari.shp and so on.\n";
    return kExitOk;
  }
  const std::string path = args.positional(0, "project file");
  const std::string out = args.positional(1, "output GIS file");
  if (args.positional().size() > 2) throw UsageError("too many arguments");
  if (!GisFormatOf(out)) throw UsageError("the output must end in .gpkg, .shp, .geojson or .json");
  std::string crs = CrsOption(args);
  std::map<long, PointLevels> levels;
  if (auto dat = args.value("dat")) levels = ReadPointDataFile(*dat);

  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  if (!args.has("crs")) crs = ProjectCrsWkt(path, Gis());
  UpdateEmissions(ctx.app.project, ctx.app.config, ctx.app.tables);
  GisExportSummary summary = Gis().exportModel(ctx.app.project, out, crs, levels);
  for (const auto& [layer, count] : summary.features) {
    if (!ctx.ui.quiet) std::cout << layer << " " << PlainInteger(count) << "\n";
  }
  if (summary.skipped > 0) {
    std::cerr << path << ": " << PlainInteger(summary.skipped)
              << " buildings with fewer than three vertices were left out\n";
  }
  if (!ctx.ui.quiet) std::cout << "written " << GisLayerFile(out, "*") << "\n";
  return kExitOk;
}

}  // namespace sonvale
