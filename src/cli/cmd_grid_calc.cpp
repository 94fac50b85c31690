// Subcommand grid-calc: the energetic sum of maps, the difference of two maps
// and the excess of a map over a limit, written as a text grid.
#include <iostream>

#include "cli/cli_context.h"
#include "gis/grid_calc.h"

namespace sonvale {
namespace {

const char* const kGridCalcUsage =
    "usage: sonvale-cli grid-calc sum A.grd B.grd [MORE.grd...] --out OUT.grd\n"
    "       sonvale-cli grid-calc diff A.grd B.grd --out OUT.grd\n"
    "       sonvale-cli grid-calc excess A.grd --limit L --out OUT.grd\n"
    "Combines noise maps of the same nodes (text DSAA or binary DSBB grids) into a\n"
    "text grid:\n"
    "  sum     energetic sum, 10 log10(sum of 10^(L/10)): road map + rail map = total\n"
    "  diff    A - B: the insertion loss of a barrier, the change between two scenarios\n"
    "  excess  L - limit where L is above the limit, else 0: the conflict map\n"
    "A node is blank in OUT.grd wherever it is blank in any input. Grids whose nodes\n"
    "differ are refused.\n";

NamedGrid Read(const std::string& path) { return NamedGrid{path, ReadLevelGrid(path)}; }

}  // namespace

int CmdGridCalc(CliContext& ctx, const std::vector<std::string>& argv) {
  (void)ctx;
  Args args = ParseCommandArgs(argv, {}, {"out", "limit"});
  if (args.has("help")) {
    std::cout << kGridCalcUsage;
    return kExitOk;
  }
  const std::string operation = args.positional(0, "operation (sum, diff or excess)");
  std::vector<std::string> inputs(args.positional().begin() + 1, args.positional().end());
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out OUT.grd");

  GridData result;
  if (operation == "sum") {
    if (inputs.size() < 2) throw UsageError("sum needs two grids or more");
    std::vector<NamedGrid> grids;
    for (const std::string& in : inputs) grids.push_back(Read(in));
    result = EnergeticSum(grids);
  } else if (operation == "diff") {
    if (inputs.size() != 2) throw UsageError("diff needs exactly two grids, A and B");
    result = GridDifference(Read(inputs[0]), Read(inputs[1]));
  } else if (operation == "excess") {
    if (inputs.size() != 1) throw UsageError("excess needs exactly one grid");
    if (!args.value("limit")) throw UsageError("excess needs --limit L");
    result = GridExcess(Read(inputs[0]).grid, args.number("limit", 0));
  } else {
    throw UsageError("unknown operation \"" + operation + "\": sum, diff or excess");
  }
  WriteTextGrid(*out, result);
  if (!args.has("quiet")) std::cout << "written " << *out << "\n";
  return kExitOk;
}

}  // namespace sonvale
