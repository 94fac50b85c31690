// Subcommands that write drawings: export-dxf (the whole model) and
// emission-dxf (the emission-level bands).
#include <iostream>

#include "cli/cli_context.h"
#include "commands/export_commands.h"
#include "exchange/model_dxf_writer.h"

namespace sonvale {
namespace {}  // namespace

int CmdExportDxf(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli export-dxf PROJECT.svp OUT.dxf [--program-dir DIR]\n"
                 "Writes the model as a DXF drawing (release 12): room-acoustics faces,\n"
                 "holes, doors, receivers and point sources, roads, barriers and buildings\n"
                 "with their labels.\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::string out = args.positional(1, "output DXF file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  WriteModelDxf(ctx.app.project, out);
  ctx.app.project.LastDxfFile = out;
  if (!ctx.ui.quiet) std::cout << "written " << out << "\n";
  return kExitOk;
}

int CmdEmissionDxf(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"facade", "night", "day"}, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli emission-dxf PROJECT.svp OUT.dxf [--facade] [--night|--day]\n"
                 "                  [--year Y] [--yes] [--program-dir DIR]\n"
                 "Writes every road and track segment as a band coloured by its emission level,\n"
                 "with the level beside it.\n"
                 "  --facade   levels at half the road width instead of at 7.5 m\n"
                 "  --night    night levels; --day day levels (default: the project's period)\n"
                 "  --yes      go on when some emission data are missing\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::string out = args.positional(1, "output DXF file");
  if (args.has("night") && args.has("day"))
    throw UsageError("--night and --day exclude each other");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  auto choose = [&](DoEmissChoices& c) {
    c.EmisDxfName = out;
    c.EmisAt75 = !args.has("facade");
    if (args.has("night")) c.Diurno = false;
    if (args.has("day")) c.Diurno = true;
    return true;
  };
  if (!CmdLivelliEmissione(ctx.app, ctx.ui, choose)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + out};
  }
  if (!ctx.ui.quiet) std::cout << "written " << out << "\n";
  return kExitOk;
}

}  // namespace sonvale
