// sonvale-cli: the engine without a window, for the batch jobs a consultant scripts.
#include <iostream>
#include <map>

#include "cli/cli_context.h"
#include "text/file_error.h"

namespace {

const char* const kUsage =
    "usage: sonvale-cli COMMAND [ARGS] [--program-dir DIR]\n"
    "\n"
    "Commands:\n"
    "  info PROJECT.svp                 counts, extent and settings of a project\n"
    "  resave IN.svp OUT.svp            read, update the emission levels, write\n"
    "  emission PROJECT.svp             emission levels of every road and track\n"
    "  map PROJECT.svp --out NAME.grd   noise maps of the day and the night\n"
    "  points PROJECT.svp --out F.dat   levels at the receiver points\n"
    "  draw PROJECT.svp --png F.png     a picture of the model, over a grid's levels\n"
    "  tracer-job PROJECT.svp --out N.grd  job files for the external tracer\n"
    "  import-csv KIND CSV --out OUT.svp   nodes, arcs, streets, traffic or punti\n"
    "\n"
    "Every command takes --help. --program-dir names the folder holding sonvale.ini\n"
    "and the emission tables (default: $SONVALE_HOME, else the program's folder).\n"
    "Exit status: 0 done, 1 failed, 2 bad input, 3 declined (missing emission data\n"
    "without --yes).\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace sonvale;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kUsage;
    return args.empty() ? kExitBadInput : kExitOk;
  }
  const std::map<std::string, Subcommand> commands = {
      {"info", CmdInfo}, {"resave", CmdResave}, {"emission", CmdEmission},
      {"map", CmdMap},   {"points", CmdPoints},     {"draw", CmdDraw},
      {"tracer-job", CmdTracerJob}, {"import-csv", CmdImportCsv}};
  auto it = commands.find(args[0]);
  if (it == commands.end()) {
    std::cerr << "sonvale-cli: unknown command \"" << args[0] << "\" (see --help)\n";
    return kExitBadInput;
  }
  CliContext ctx;
  ctx.argv0 = argv[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    return it->second(ctx, rest);
  } catch (const CliExit& e) {
    if (!e.reason.empty()) std::cerr << e.reason << "\n";
    return e.status;
  } catch (const UsageError& e) {
    std::cerr << "sonvale-cli " << args[0] << ": " << e.what() << " (see --help)\n";
    return kExitBadInput;
  } catch (const FormatError& e) {
    std::cerr << e.file() << ":" << e.line() << ": " << e.message() << "\n";
    return kExitBadInput;
  } catch (const FileError& e) {
    std::cerr << e.file() << ": " << e.message() << "\n";
    return kExitBadInput;
  } catch (const std::exception& e) {
    std::cerr << "sonvale-cli: " << e.what() << "\n";
    return kExitFailure;
  }
}
