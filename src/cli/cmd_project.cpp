// Subcommands that read a project and report or rewrite it: info, resave, emission.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/file_commands.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

std::string Pad(const std::string& s, size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

std::string Flag(bool b) { return b ? "on" : "off"; }

}  // namespace

int CmdInfo(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli info PROJECT.svp [--program-dir DIR] [--year Y]\n"
                 "Prints the counts of every table, the extent and every setting.\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  const Project& p = ctx.app.project;

  std::cout << "Project " << path << "\n\nEntities\n";
  auto row = [](const char* name, long n) {
    std::cout << "  " << Pad(name, 12) << FormatField(static_cast<double>(n), "######0") << "\n";
  };
  row("Strade", p.strade.count());
  row("Binari", p.binari.count());
  row("Sezioni", p.sezioni.count());
  row("Barriere", p.barriere.count());
  row("Case", p.case_.count());
  row("Incroci", p.incroci.count());
  row("Punti", p.punti.count());
  row("Plans", p.plans.count());
  row("Faces", p.faces.count());
  row("Holes", p.holes.count());
  row("Doors", p.doors.count());
  row("Sources", p.sources.count());
  row("Receivers", p.receivers.count());

  std::cout << "\nExtent\n";
  if (p.extent.isEmpty()) {
    std::cout << "  empty\n";
  } else {
    std::cout << "  X " << PlainNumber(p.extent.Xmin) << " .. " << PlainNumber(p.extent.Xmax)
              << "  (" << FormatPattern(p.extent.Xmax - p.extent.Xmin, "0.0") << " m)\n"
              << "  Y " << PlainNumber(p.extent.Ymin) << " .. " << PlainNumber(p.extent.Ymax)
              << "  (" << FormatPattern(p.extent.Ymax - p.extent.Ymin, "0.0") << " m)\n";
  }

  std::cout << "\nSettings\n";
  auto set = [](const char* name, const std::string& v) {
    std::cout << "  " << Pad(name, 18) << v << "\n";
  };
  set("QuotaZ", PlainNumber(p.QuotaZ));
  set("SovralzoZ", PlainNumber(p.SovralzoZ));
  set("DiffrBarriere", Flag(p.DiffrBarriere));
  set("DiffrCase", Flag(p.DiffrCase));
  set("ModoMappatura", PlainInteger(static_cast<short>(p.ModoMappatura)) +
                           (p.ModoMappatura == MappingMode::Plane     ? " (plane)"
                            : p.ModoMappatura == MappingMode::Terrain ? " (terrain)"
                                                                      : " (vertical section)"));
  set("Diurno", Flag(p.Diurno));
  set("AzzeraStandard", Flag(p.AzzeraStandard));
  set("IgnoraRidFonoass", Flag(p.IgnoraRidFonoass));
  set("AzzeraFonoass", Flag(p.AzzeraFonoass));
  set("IgnoraFisse", Flag(p.IgnoraFisse));
  set("DistMax", PlainNumber(p.DistMax));
  set("FileAltimetria", p.FileAltimetria.empty() ? "(none)" : p.FileAltimetria);
  set("Algorithm", PlainInteger(p.Algorithm));
  set("Anno", PlainInteger(p.Anno));
  set("NdivX, NdivY", PlainInteger(p.NdivX) + ", " + PlainInteger(p.NdivY));
  set("NdivO, NdivZ", PlainInteger(p.NdivO) + ", " + PlainInteger(p.NdivZ));
  set("CurrentPlan", PlainInteger(p.CurrentPlan));
  set("EmissioniOK", Flag(p.EmissioniOK));
  return kExitOk;
}

int CmdResave(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli resave IN.svp OUT.svp [--year Y] [--yes] [--program-dir DIR]\n"
                 "Reads a project, recomputes the emission levels and writes it again.\n"
                 "--year answers the year question of a file without a year (default 2008).\n"
                 "Without --yes, missing emission data stop the command with status 3.\n";
    return kExitOk;
  }
  std::string in = args.positional(0, "input project file");
  std::string out = args.positional(1, "output project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, in, false);
  if (!SaveProject(ctx.app, ctx.ui, out)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + out};
  }
  if (!ctx.ui.quiet) std::cout << "written " << out << "\n";
  return kExitOk;
}

int CmdEmission(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli emission PROJECT.svp [--year Y] [--program-dir DIR]\n"
                 "Prints LeqDay and LeqNight of every road and track for the scenario year.\n";
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  const Project& p = ctx.app.project;
  long missing = 0;
  auto line = [&](const char* kind, long i, const std::string& name, double day, double night) {
    if (day == 0 && night == 0) ++missing;
    std::cout << kind << FormatField(static_cast<double>(i), "#####") << "  " << Pad(name, 24)
              << FormatField(day, "####0.00") << FormatField(night, "####0.00") << "\n";
  };
  std::cout << "Anno " << PlainInteger(p.Anno) << "\n"
            << "kind     n  name                      LeqDay LeqNight\n";
  for (long i = 1; i <= p.strade.count(); ++i) {
    const Strada& s = p.strade[i];
    line("road ", i, s.Nome, s.LeqDay, s.LeqNight);
  }
  for (long i = 1; i <= p.binari.count(); ++i) {
    const Binario& b = p.binari[i];
    line("track", i, b.Nome, b.LeqDay, b.LeqNight);
  }
  std::cout << "roads and tracks without emission: " << PlainInteger(missing) << "\n";
  return kExitOk;
}

}  // namespace sonvale
