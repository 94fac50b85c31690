// Subcommand grid-merge: joins the partial grids of the tiles of one map (map
// --tile K/N) into the grid a single run writes, byte for byte.
#include <iostream>

#include "cli/cli_context.h"
#include "propagation/grid_tiles.h"
#include "text/number_text.h"

namespace sonvale {

int CmdGridMerge(CliContext& ctx, const std::vector<std::string>& argv) {
  (void)ctx;
  Args args = ParseCommandArgs(argv);
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli grid-merge NAME.grd PART... [--quiet]\n"
                 "Joins the partial grids written by 'map --tile K/N' (one per tile, in any\n"
                 "order) into NAME.grd, identical to the grid of a single run. Refuses parts\n"
                 "that are unfinished, duplicated, missing or of another map.\n";
    return kExitOk;
  }
  const std::string output = args.positional(0, "output grid");
  std::vector<std::string> parts(args.positional().begin() + 1, args.positional().end());
  if (parts.empty()) throw UsageError("no partial grids given");
  MergeGridParts(output, parts);
  if (!args.has("quiet")) {
    std::cerr << output << ": " << PlainInteger(static_cast<long long>(parts.size()))
              << (parts.size() == 1 ? " part" : " parts") << " merged\n";
  }
  return kExitOk;
}

}  // namespace sonvale
