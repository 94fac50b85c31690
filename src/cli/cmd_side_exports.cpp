// Subcommands bln, list, scr, xyz and barrier-length: the side exports of a
// project, the DXF-to-XYZ converter and the total barrier length.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/side_export_commands.h"
#include "exchange/xyz_extract.h"

namespace sonvale {
namespace {

void Written(CliContext& ctx, bool ok, const std::string& out) {
  if (!ok) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + out};
  }
  if (!ctx.ui.quiet) std::cout << "written " << out << "\n";
}

}  // namespace

int CmdBln(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"plans", "barriers", "buildings", "roads", "tracks"});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli bln PROJECT.svp OUT.BLN [--plans] [--barriers] [--buildings]\n"
                 "           [--roads] [--tracks] [--quiet] [--program-dir DIR]\n"
                 "Writes a Surfer blanking file of the chosen kinds (all five when none is\n"
                 "named): plans and buildings closed, barriers, roads and tracks as drawn.\n";
    return kExitOk;
  }
  const std::string project = args.positional(0, "project file");
  const std::string out = args.positional(1, "output file (.BLN)");
  BlnKinds kinds{args.has("plans"), args.has("barriers"), args.has("buildings"), args.has("roads"),
                 args.has("tracks")};
  if (!kinds.plans && !kinds.barriers && !kinds.buildings && !kinds.roads && !kinds.tracks) {
    kinds = BlnKinds{};
  }
  StartCli(ctx, args);
  ReadCliProject(ctx, args, project, true);
  Written(ctx, SaveBln(ctx.ui, ctx.app.project, out, [&] { return kinds; }), out);
  return kExitOk;
}

int CmdList(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli list PROJECT.svp OUT.txt [--year Y] [--yes] [--quiet]\n"
                 "           [--program-dir DIR]\n"
                 "Writes the roads and tracks with their traffic and emission levels.\n"
                 "Without --yes, missing emission data stop the command with status 3.\n";
    return kExitOk;
  }
  const std::string project = args.positional(0, "project file");
  const std::string out = args.positional(1, "output file (.txt)");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, project, true);
  Written(ctx, SaveList(ctx.app, ctx.ui, out), out);
  return kExitOk;
}

int CmdScr(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli scr PROJECT.svp OUT.SCR [--quiet] [--program-dir DIR]\n"
                 "Writes a CAD script drawing every receiver point as a circle and its number.\n";
    return kExitOk;
  }
  const std::string project = args.positional(0, "project file");
  const std::string out = args.positional(1, "output file (.SCR)");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, project, true);
  Written(ctx, SavePointScript(ctx.ui, ctx.app.project, out), out);
  return kExitOk;
}

int CmdXyz(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli xyz DRAWING.dxf [OUT.txt] [--quiet]\n"
                 "Writes the X, Y, Z points of the drawing's entities whose Z is above 0, or\n"
                 "whose layer name is a height above 0, one point a line. OUT.txt defaults to\n"
                 "the drawing's name with .txt in place of its four last characters.\n";
    return kExitOk;
  }
  const std::string drawing = args.positional(0, "DXF drawing");
  const std::string out =
      args.positional().size() > 1 ? args.positional(1, "output file") : XyzOutputName(drawing);
  ctx.ui.quiet = args.has("quiet");
  ctx.ui.verbose = args.has("verbose");
  Written(ctx, ConvertDxfToXyz(ctx.app, ctx.ui, drawing, out), out);
  return kExitOk;
}

int CmdBarrierLength(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli barrier-length PROJECT.svp [--program-dir DIR]\n"
                 "Prints the number of barriers and their total length in plan.\n";
    return kExitOk;
  }
  const std::string project = args.positional(0, "project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, project, true);
  std::cout << BarrierLengthText(TotalBarrierLength(ctx.app.project)) << "\n";
  return kExitOk;
}

}  // namespace sonvale
