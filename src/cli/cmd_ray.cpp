// Subcommands ray-read and ray-write: a room-acoustics model read from a RAY
// file into a project, and a project written as a RAY file with its SPK files.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/file_commands.h"
#include "commands/ray_commands.h"
#include "emission/emission_update.h"
#include "text/number_text.h"
#include "tracer/ray_file.h"

namespace sonvale {
namespace {}  // namespace

int CmdRayRead(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {"out"});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli ray-read PROJECT.svp MODEL.RAY [--out OUT.svp] [--year Y]\n"
                 "                [--program-dir DIR]\n"
                 "Reads the faces, openings, sources and receivers of a RAY file into the\n"
                 "project (its roads and tracks are dropped) and prints the counts; with --out\n"
                 "the resulting project is saved.\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::string ray = args.positional(1, "RAY file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  try {
    if (!ReadRayInto(ctx.app, ctx.ui, ray))
      throw CliExit{kExitBadInput, "\"" + ray + "\" is a wildcard name: nothing read"};
  } catch (const CliExit&) {
    throw;
  } catch (const std::exception& e) {
    throw CliExit{kExitBadInput, e.what()};
  }
  const Project& p = ctx.app.project;
  std::cout << "Faces " << PlainInteger(p.faces.count()) << "\nHoles "
            << PlainInteger(p.holes.count()) << "\nDoors " << PlainInteger(p.doors.count())
            << "\nSources " << PlainInteger(p.sources.count()) << "\nReceivers "
            << PlainInteger(p.receivers.count()) << "\n";
  if (std::optional<std::string> out = args.value("out")) {
    if (!SaveProject(ctx.app, ctx.ui, *out))
      throw CliExit{kExitFailure, "nothing written to " + *out};
    if (!ctx.ui.quiet) std::cout << "written " << *out << "\n";
  }
  return kExitOk;
}

int CmdRayWrite(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"night"}, {"receivers", "section", "divisions"});
  if (args.has("help")) {
    std::cout
        << "usage: sonvale-cli ray-write PROJECT.svp OUT.RAY [--receivers grid|receivers|punti]\n"
           "                 [--night] [--section X1,Y1,Z1,X2,Y2,Z2] [--divisions NX,NY]\n"
           "                 [--year Y] [--program-dir DIR]\n"
           "Writes the project as a RAY file, every road and track a chain of point sources,\n"
           "with one SPK file per road (STR-nnnn.SPK) and track (BIN-nnnn.SPK) beside it.\n"
           "The receivers come from a grid over --section (default: the model extent at\n"
           "4 m; vertical, with the project's NdivO x NdivZ, when Z1 differs from Z2) with\n"
           "--divisions (default: the project's NdivX,NdivY), from the room-acoustics\n"
           "receivers or from the receiver points. --night writes the night emission.\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::string ray = args.positional(1, "RAY file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  AppState& app = ctx.app;
  if (!CanSaveRay(app.project))
    throw CliExit{kExitBadInput, "the project has no road, track or source to write"};
  if (!app.project.EmissioniOK) UpdateEmissions(app.project, app.config, app.tables);

  app.RayFileName.clear();
  RayChoices options = ProposeRayOptions(app);
  options.RayFile = CompleteRayName(ray);
  options.Diurno = !args.has("night");
  if (std::optional<std::string> r = args.value("receivers")) {
    if (*r == "grid")
      options.RecMode = kRayGrid;
    else if (*r == "receivers")
      options.RecMode = kRayReceivers;
    else if (*r == "punti")
      options.RecMode = kRayPunti;
    else
      throw UsageError("option --receivers takes grid, receivers or punti");
  } else {
    options.RecMode = kRayGrid;
  }
  if (args.has("section")) {
    std::vector<double> s = args.numbers("section", 6);
    options.Section = SectionLine{s[0], s[1], s[2], s[3], s[4], s[5]};
  }
  if (args.has("divisions")) {
    std::vector<double> d = args.numbers("divisions", 2);
    options.NdivX = DivisionOption(d[0], "--divisions");
    options.NdivY = DivisionOption(d[1], "--divisions");
  }
  options.cancelled = false;
  try {
    WriteRayFiles(app, ctx.ui, options);
  } catch (const RayWriteRefused& e) {
    throw CliExit{kExitBadInput, e.what()};
  } catch (const std::exception& e) {
    throw CliExit{kExitFailure, e.what()};
  }
  if (!ctx.ui.quiet) {
    std::cout << "written " << PlainInteger(app.project.strade.count() + app.project.binari.count())
              << " SPK files and " << app.RayFileName << "\n";
  }
  return kExitOk;
}

}  // namespace sonvale
