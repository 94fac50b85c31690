// Subcommand import-dxf: the drawing imports into a new or an existing project,
// the merge mode and the answers of the import's boxes given as options.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/dxf_import_commands.h"
#include "commands/file_commands.h"
#include "exchange/row_merge.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

const char* const kHelp =
    "usage: sonvale-cli import-dxf DXF --out OUT.svp [--into PROJECT.svp]\n"
    "           [--kinds all|strade,binari,barriere,case,sezioni,punti,incroci,sorgenti]\n"
    "           [--mode overwrite|append|insert:N|replace:N] [--min-dist D]\n"
    "           [--limit-plans] [--recognise] [--merge-directions]\n"
    "           [--year Y] [--yes] [--quiet] [--program-dir DIR]\n"
    "Reads the layers of DXF configured in sonvale.ini into the project (--into,\n"
    "else an empty one) and writes OUT.svp.\n"
    "  --kinds all       every kind and the room-acoustics entities (default)\n"
    "  --kinds LIST      only the kinds named, comma-separated\n"
    "  --mode overwrite  the entities read replace those of their kinds (default)\n"
    "  --mode append     they follow the entities present\n"
    "  --mode insert:N   roads, tracks, barriers, buildings and plans are inserted\n"
    "                    at row N, the rows from N on moving up; points, crossings,\n"
    "                    sources and sections are appended\n"
    "  --mode replace:N  they overwrite the rows from N on, the traffic of those\n"
    "                    rows kept; the number of rows does not change\n"
    "  --min-dist D      smallest distance between consecutive vertices kept on the\n"
    "                    configured layers (m, default 1)\n"
    "  --limit-plans     keep only lines ending within the largest calculation\n"
    "                    distance of a plan\n"
    "  --recognise       a line matching one present end to end updates it\n"
    "  --merge-directions  a line matching one present in reverse is dropped\n"
    "Without --yes, roads or tracks without emission data stop the save with status 3.\n";

DxfKind KindOf(const std::string& word) {
  static const std::pair<const char*, DxfKind> kNames[] = {
      {"strade", DxfKind::Strade},     {"binari", DxfKind::Binari},
      {"barriere", DxfKind::Barriere}, {"case", DxfKind::Case},
      {"sezioni", DxfKind::Sezioni},   {"punti", DxfKind::Punti},
      {"incroci", DxfKind::Incroci},   {"sorgenti", DxfKind::Sorgenti}};
  for (const auto& [name, kind] : kNames)
    if (word == name) return kind;
  throw UsageError("unknown kind \"" + word +
                   "\": all, or strade, binari, barriere, case, sezioni, punti, incroci, "
                   "sorgenti");
}

DxfImportRequest ParseKinds(const std::string& text) {
  DxfImportRequest request;
  if (text == "all") {
    request.complete = true;
    return request;
  }
  std::vector<bool> wanted(std::size(kAllDxfKinds), false);
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    std::string word = text.substr(start, comma == std::string::npos ? comma : comma - start);
    wanted[static_cast<size_t>(KindOf(word))] = true;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  for (DxfKind kind : kAllDxfKinds)
    if (wanted[static_cast<size_t>(kind)]) request.kinds.push_back(kind);
  return request;
}

// The tables whose count the Append question would set to 0.
void ClearImportedTables(Project& p, const DxfImportRequest& request) {
  auto clear = [&p](DxfKind kind) {
    switch (kind) {
      case DxfKind::Strade:
        p.strade.setCount(0);
        break;
      case DxfKind::Binari:
        p.binari.setCount(0);
        break;
      case DxfKind::Barriere:
        p.barriere.setCount(0);
        break;
      case DxfKind::Case:
        p.case_.setCount(0);
        break;
      case DxfKind::Sezioni:
        p.sezioni.setCount(0);
        p.plans.setCount(0);
        break;
      case DxfKind::Punti:
        p.punti.setCount(0);
        break;
      case DxfKind::Incroci:
        p.incroci.setCount(0);
        break;
      case DxfKind::Sorgenti:
        p.sources.setCount(0);
        break;
    }
  };
  if (request.complete) {
    for (DxfKind kind : kAllDxfKinds) clear(kind);
    p.faces.setCount(0);
    p.receivers.setCount(0);
  } else {
    for (DxfKind kind : request.kinds) clear(kind);
  }
}

// Marks the merge mode and answers its row box for every kind.
void SetMode(CliContext& ctx, const std::string& mode, const DxfImportRequest& request) {
  if (mode == "overwrite") {
    ClearImportedTables(ctx.app.project, request);
    return;
  }
  if (mode == "append") {
    ctx.app.menuChecked["Append"] = true;
    return;
  }
  const size_t colon = mode.find(':');
  const std::string word = mode.substr(0, colon);
  if ((word != "insert" && word != "replace") || colon == std::string::npos ||
      !IsNumber(mode.substr(colon + 1))) {
    throw UsageError("--mode takes overwrite, append, insert:N or replace:N, not \"" + mode + "\"");
  }
  const std::string row = mode.substr(colon + 1);
  ctx.app.menuChecked[word == "insert" ? "Inserisci" : "Rimpiazza"] = true;
  const char* tail = word == "insert" ? " da Inserire: " : " da Rimpiazzare: ";
  for (DxfKind kind : kAllDxfKinds)
    ctx.ui.inputAnswers["N. " + DxfKindLabel(ctx.app.config, kind) + tail] = row;
}

}  // namespace

int CmdImportDxf(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"limit-plans", "recognise", "merge-directions"},
                               {"out", "into", "kinds", "mode", "min-dist"});
  if (args.has("help")) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::string dxf = args.positional(0, "DXF file");
  const std::optional<std::string> out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out OUT.svp");
  const DxfImportRequest request = ParseKinds(args.value("kinds").value_or("all"));
  const std::string mode = args.value("mode").value_or("overwrite");
  const std::optional<std::string> minDist = args.value("min-dist");
  if (minDist && (!IsNumber(*minDist) || LeadingNumber(*minDist) < 0)) {
    throw UsageError("--min-dist needs a distance in metres, not \"" + *minDist + "\"");
  }

  StartCli(ctx, args);
  if (std::optional<std::string> into = args.value("into")) {
    ReadCliProject(ctx, args, *into, true);
  } else if (args.value("year")) {
    ctx.app.project.Anno = static_cast<long>(args.number("year", 2008));
  }
  SetMode(ctx, mode, request);
  ctx.app.LimitaPlans = args.has("limit-plans");
  ctx.app.Riconosci = args.has("recognise");
  ctx.app.Accorpa = args.has("merge-directions");
  if (minDist) ctx.ui.inputAnswers["Minimum distance between consequential points (m):"] = *minDist;

  if (!ImportDxfFile(ctx.app, ctx.ui, dxf, request)) {
    throw CliExit{kExitBadInput, dxf + ": nothing imported"};
  }
  if (!SaveProject(ctx.app, ctx.ui, *out)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + *out};
  }
  if (!ctx.ui.quiet) {
    const Project& p = ctx.app.project;
    auto n = [](long v) { return PlainInteger(v); };
    std::cout << "written " << *out << ": " << n(p.strade.count()) << " strade, "
              << n(p.binari.count()) << " binari, " << n(p.barriere.count()) << " barriere, "
              << n(p.case_.count()) << " case, " << n(p.sezioni.count()) << " sezioni, "
              << n(p.plans.count()) << " plans, " << n(p.punti.count()) << " punti, "
              << n(p.incroci.count()) << " incroci, " << n(p.sources.count()) << " sorgenti\n";
  }
  return kExitOk;
}

}  // namespace sonvale
