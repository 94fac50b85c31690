// Subcommand import-gis: a GIS vector layer into the entities of one kind of a
// new or an existing project.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/file_commands.h"
#include "commands/gis_module.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

const char* const kImportGisUsage =
    "usage: sonvale-cli import-gis SOURCE --kind strade|binari|case|barriere|punti|sorgenti\n"
    "           --out OUT.svp [--into PROJECT.svp] [--layer L] [--fields F=SRC,...]\n"
    "           [--height H] [--crs EPSG:n] [--mode overwrite|append|insert:N|replace:N]\n"
    "           [--year Y] [--yes] [--quiet] [--program-dir DIR]\n"
    "Reads a layer of any vector source GDAL reads (GeoPackage, Shapefile, GeoJSON,\n"
    "CSV with WKT) into the project (--into, else an empty one) and writes OUT.svp.\n"
    "Roads and tracks come from lines, buildings and barriers from polygons (outer\n"
    "ring) or lines, points and sources from points; every part of a multi-part\n"
    "geometry is one entity, and Z is taken where the geometry has it.\n"
    "  --layer L        the layer (needed when the source holds several)\n"
    "  --fields F=SRC   fill entity field F from source field SRC, comma-separated.\n"
    "                   Fields not named, or empty in a feature, are left empty.\n"
    "      strade:   Nome Pendenza Pavimentaz HmedSX HmedDX Larghezza NveicDay1..5\n"
    "                NveicNight1..5 VelDay1..5 VelNight1..5 (flow classes 0..7)\n"
    "      binari:   Nome TipoArmamento HmedSX HmedDX Larghezza NtreniDay1..3\n"
    "                NtreniNight1..3 LungDay1..3 LungNight1..3 VelDay1..3 VelNight1..3\n"
    "      case, barriere: Altezza (added to the geometry's Z, 0 without Z)\n"
    "      punti:    Nome Z;   sorgenti: Nome Z Lw Lwnight\n"
    "  --height H       buildings and barriers: the height where no Altezza is mapped\n"
    "  --crs EPSG:n     the project's coordinate reference system: the layer is\n"
    "                   reprojected from its own into it\n"
    "  --mode overwrite the entities read replace those of the kind (default)\n"
    "  --mode append    they follow those present\n"
    "  --mode insert:N  they are inserted at row N, the rows from N on moving up\n"
    "  --mode replace:N they overwrite the rows from N on, keeping what the source\n"
    "                   does not give; the number of rows does not change\n"
    "Parts that do not fit (a full table, too many vertices) are left out and\n"
    "counted on stderr. Without --yes, roads or tracks without emission data stop\n"
    "the save with status 3.\n";

void MergeMode(const std::string& mode, GisImportOptions& options) {
  if (mode == "overwrite" || mode == "append") {
    options.mode = mode == "append" ? GisMergeMode::Append : GisMergeMode::Overwrite;
    return;
  }
  const size_t colon = mode.find(':');
  const std::string word = mode.substr(0, colon);
  if ((word != "insert" && word != "replace") || colon == std::string::npos ||
      !IsNumber(mode.substr(colon + 1))) {
    throw UsageError("--mode takes overwrite, append, insert:N or replace:N, not \"" + mode + "\"");
  }
  options.mode = word == "insert" ? GisMergeMode::Insert : GisMergeMode::Replace;
  options.row = static_cast<long>(LeadingNumber(mode.substr(colon + 1)));
}

}  // namespace

std::map<std::string, std::string> FieldMapping(const Args& args, const std::string& option) {
  std::map<std::string, std::string> fields;
  auto text = args.value(option);
  if (!text) return fields;
  size_t start = 0;
  for (;;) {
    size_t comma = text->find(',', start);
    std::string item = text->substr(start, comma == std::string::npos ? comma : comma - start);
    size_t eq = item.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == item.size()) {
      throw UsageError("option --" + option + " takes FIELD=SOURCE pairs, not \"" + item + "\"");
    }
    fields[item.substr(0, eq)] = item.substr(eq + 1);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return fields;
}

int CmdImportGis(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {},
                               {"kind", "layer", "into", "out", "fields", "height", "crs", "mode"});
  if (args.has("help")) {
    std::cout << kImportGisUsage;
    return kExitOk;
  }
  const std::string source = args.positional(0, "GIS source");
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out OUT.svp");
  auto kindWord = args.value("kind");
  if (!kindWord) throw UsageError("missing --kind");
  std::optional<GisKind> kind = ParseGisKind(*kindWord);
  if (!kind) throw UsageError("--kind takes strade, binari, case, barriere, punti or sorgenti");

  GisImportOptions options;
  options.kind = *kind;
  options.layer = args.value("layer").value_or("");
  options.fields = FieldMapping(args, "fields");
  if (args.has("height")) {
    if (*kind != GisKind::Case && *kind != GisKind::Barriere) {
      throw UsageError("--height is for case and barriere");
    }
    options.height = args.number("height", 0);
  }
  options.targetCrsWkt = CrsOption(args);
  MergeMode(args.value("mode").value_or("overwrite"), options);

  StartCli(ctx, args);
  if (std::optional<std::string> into = args.value("into")) {
    ReadCliProject(ctx, args, *into, true);
  } else if (args.value("year")) {
    ctx.app.project.Anno = static_cast<long>(args.number("year", 2008));
  }
  GisImportReport report;
  try {
    report = Gis().importLayer(ctx.app.project, source, options);
  } catch (const std::invalid_argument& e) {
    throw UsageError(e.what());
  }
  for (const std::string& note : report.notes) std::cerr << source << ": " << note << "\n";
  ctx.app.Saved = false;
  if (!SaveProject(ctx.app, ctx.ui, *out)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + *out};
  }
  if (!ctx.ui.quiet) {
    std::cout << "written " << *out << ": " << PlainInteger(report.features) << " features read, "
              << PlainInteger(report.imported) << " " << *kindWord << " imported\n";
  }
  return kExitOk;
}

}  // namespace sonvale
