// Subcommand tracer-job: writes the external tracer's job files for a project
// without launching the tracer.
#include <filesystem>
#include <iostream>

#include "cli/cli_context.h"
#include "emission/emission_update.h"
#include "propagation/grid_file.h"
#include "text/number_text.h"
#include "tracer/tracer_job.h"

namespace sonvale {

int CmdTracerJob(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"points"}, {"out", "algorithm", "grid", "set"});
  if (args.has("help")) {
    std::cout
        << "usage: sonvale-cli tracer-job PROJECT.svp --out NAME.grd [--points] [--set punti|rec]\n"
           "                  [--algorithm 1|2|3] [--grid XMIN,YMIN,XMAX,YMAX] [--program-dir "
           "DIR]\n"
           "Writes the tracer's model file NAME.tmp and job file NAME.job (and, with --points,\n"
           "the receiver list NAME.dat) without starting the tracer. A grid job maps the\n"
           "project's mapping mode over --grid (default: the project's extent).\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::optional<std::string> out = args.value("out");
  if (!out || out->empty()) throw UsageError("option --out NAME.grd is required");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  AppState& app = ctx.app;
  Project& p = app.project;
  if (std::optional<std::string> a = args.value("algorithm")) {
    if (*a != "1" && *a != "2" && *a != "3") throw UsageError("option --algorithm takes 1, 2 or 3");
    p.Algorithm = static_cast<long>(LeadingNumber(*a));
  } else if (p.Algorithm == 0) {
    p.Algorithm = 1;
  }
  ReceiverSet set = ReceiverSet::Punti;
  if (std::optional<std::string> s = args.value("set")) {
    if (*s == "rec")
      set = ReceiverSet::Rec;
    else if (*s != "punti")
      throw UsageError("option --set takes punti or rec");
  }
  if (args.has("grid")) {
    std::vector<double> g = args.numbers("grid", 4);
    app.Grid = {g[0], g[2], g[1], g[3]};
  } else if (!p.extent.isEmpty()) {
    app.Grid = {p.extent.Xmin, p.extent.Xmax, p.extent.Ymin, p.extent.Ymax};
  }
  if (!p.EmissioniOK) UpdateEmissions(p, app.config, app.tables);
  p.GrdName = NormaliseGrdName(*out);
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  TracerJobFiles files;
  try {
    files = WriteTracerJob(app.tracerContext(), args.has("points"), set, cwd, 0);
  } catch (const TracerJobRefused& e) {
    throw CliExit{kExitBadInput, e.what()};
  } catch (const std::exception& e) {
    throw CliExit{kExitFailure, e.what()};
  }
  if (!ctx.ui.quiet) {
    std::cout << "written " << files.model << "\n";
    if (!files.receivers.empty()) std::cout << "written " << files.receivers << "\n";
    std::cout << "written " << files.job << "\n";
  }
  return kExitOk;
}

}  // namespace sonvale
