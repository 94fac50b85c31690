// Subcommand import-csv: one CSV import into a new or an existing project, the
// answers of the options dialog given as options.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/csv_commands.h"
#include "commands/file_commands.h"
#include "exchange/csv_nodes_arcs.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

const char* const kHelp =
    "usage: sonvale-cli import-csv nodes|arcs|streets|traffic|punti CSV --out OUT.svp\n"
    "           [--into PROJECT.svp] [--nodes NODES.csv]\n"
    "           [--fractions-day V1,V2,V3,V4,V5] [--fractions-night V1,V2,V3,V4,V5]\n"
    "           [--limit-plans] [--recognise] [--merge-directions] [--dist-max D]\n"
    "           [--year Y] [--yes] [--quiet] [--program-dir DIR]\n"
    "Reads CSV into the project (--into, else an empty one) and writes OUT.svp.\n"
    "  nodes     node table of a traffic model (kept for arcs only; OUT.svp unchanged)\n"
    "  arcs      arcs between the nodes of --nodes become roads; without --recognise\n"
    "            they replace every road. A summary file CSV-name.TXT is written\n"
    "            beside the CSV file.\n"
    "  streets   roads appended from a street table\n"
    "  traffic   traffic rows appended from a traffic table\n"
    "  punti     the receiver points are replaced\n"
    "Arc options: --fractions-day gives the shares in percent of the five vehicle\n"
    "classes by day: V1 cars and V5 motorcycles of the light flow (V1 + V5 = 100),\n"
    "V2, V3, V4 lorries of the heavy flow (V2 + V3 + V4 = 100), for example\n"
    "95,40,30,30,5; --fractions-night the same by night (default: the day's).\n"
    "--limit-plans keeps only arcs with a node within the largest distance\n"
    "(--dist-max, else the project's) of a plan, --recognise adds each arc to the\n"
    "nearest road present, --merge-directions joins the two directions of an arc.\n"
    "Without --yes, roads without emission data stop the save with status 3.\n";

CsvImportKind KindOf(const std::string& word) {
  if (word == "nodes") return CsvImportKind::Nodes;
  if (word == "arcs") return CsvImportKind::Arcs;
  if (word == "streets") return CsvImportKind::Streets;
  if (word == "traffic") return CsvImportKind::Traffic;
  if (word == "punti") return CsvImportKind::Punti;
  throw UsageError("unknown kind \"" + word + "\": nodes, arcs, streets, traffic or punti");
}

// The shares as the options dialog would store them; refused as the dialog's OK
// refuses them.
void SetFractions(CliContext& ctx, const Args& args) {
  std::vector<double> day = args.numbers("fractions-day", 5);
  if (day.empty()) throw UsageError("arcs need --fractions-day V1,V2,V3,V4,V5 (percent)");
  std::vector<double> night = args.numbers("fractions-night", 5);
  if (night.empty()) night = day;
  CsvOptionsEntry entry = CurrentCsvOptions(ctx.app);
  for (size_t v = 1; v <= 5; ++v) {
    entry.percentDay[v] = day[v - 1];
    entry.percentNight[v] = night[v - 1];
  }
  entry.LimitaPlans = args.has("limit-plans");
  entry.Riconosci = args.has("recognise");
  entry.Accorpa = args.has("merge-directions");
  if (std::string problem = ValidateCsvOptions(entry); !problem.empty()) throw UsageError(problem);
  AcceptCsvOptions(ctx.app, ctx.ui, entry);
}

// The records a full table kept out, after the project has been written.
void ReportLeftOut(CsvImportKind kind, const std::string& csv, const CsvLeftOut& leftOut) {
  if (leftOut.records == 0) return;
  const char* table = kind == CsvImportKind::Nodes   ? "node"
                      : kind == CsvImportKind::Punti ? "point"
                                                     : "road";
  std::cerr << csv << ":" << PlainInteger(leftOut.line) << ": the " << table << " table is full ("
            << PlainInteger(leftOut.capacity) << "): " << PlainInteger(leftOut.records)
            << " records from this line on were left out\n";
}

}  // namespace

int CmdImportCsv(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args =
      ParseCommandArgs(argv, {"limit-plans", "recognise", "merge-directions"},
                       {"out", "into", "nodes", "fractions-day", "fractions-night", "dist-max"});
  if (args.has("help")) {
    std::cout << kHelp;
    return kExitOk;
  }
  const CsvImportKind kind =
      KindOf(args.positional(0, "kind (nodes, arcs, streets, traffic, punti)"));
  const std::string csv = args.positional(1, "CSV file");
  const std::optional<std::string> out = args.value("out");
  if (!out) throw UsageError("missing --out OUT.svp");
  if (kind == CsvImportKind::Arcs && !args.value("nodes")) {
    throw UsageError("arcs need --nodes NODES.csv, the node table they refer to");
  }
  if (kind == CsvImportKind::Arcs) args.numbers("fractions-day", 5);  // usage errors first

  StartCli(ctx, args);
  if (std::optional<std::string> into = args.value("into")) {
    ReadCliProject(ctx, args, *into, true);
  } else if (args.value("year")) {
    ctx.app.project.Anno = static_cast<long>(args.number("year", 2008));
  }
  if (args.value("dist-max")) ctx.app.project.DistMax = args.number("dist-max", 0);

  CsvLeftOut nodesLeftOut;
  if (kind == CsvImportKind::Arcs) {
    SetFractions(ctx, args);
    nodesLeftOut =
        ImportCsvInto(ctx.app, ctx.ui, CsvImportKind::Nodes, *args.value("nodes")).leftOut;
  }
  const CsvImportOutcome outcome = ImportCsvInto(ctx.app, ctx.ui, kind, csv);

  if (!SaveProject(ctx.app, ctx.ui, *out)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + *out};
  }
  if (kind == CsvImportKind::Arcs)
    ReportLeftOut(CsvImportKind::Nodes, *args.value("nodes"), nodesLeftOut);
  ReportLeftOut(kind, csv, outcome.leftOut);
  if (outcome.skippedArcs > 0) {
    std::cerr << csv << ": " << PlainInteger(outcome.skippedArcs)
              << " arcs skipped, their nodes are not in " << *args.value("nodes") << "\n";
  }
  if (!ctx.ui.quiet) {
    const char* what = kind == CsvImportKind::Nodes   ? " nodes read"
                       : kind == CsvImportKind::Arcs  ? " roads from the arcs"
                       : kind == CsvImportKind::Punti ? " points read"
                                                      : " roads added";
    std::cout << "written " << *out << ": " << PlainInteger(outcome.read) << what << "\n";
  }
  return kExitOk;
}

}  // namespace sonvale
