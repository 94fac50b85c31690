// Subcommands of the façade exposure of a strategic map: exposure (façade
// points, levels, people, tables, health, report) and exposure-merge (the parts
// of a run split with --part joined into the files of one run).
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/cli_context.h"
#include "commands/exposure_command.h"
#include "commands/exposure_gpkg.h"
#include "exposure/exposure_parts.h"
#include "exposure/exposure_report.h"
#include "exposure/exposure_tables.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "propagation/grid_tiles.h"
#include "propagation/node_pool.h"
#include "text/file_error.h"
#include "text/number_text.h"
#ifdef SONVALE_WITH_RENDER
#include "render/exposure_pictures.h"
#endif

namespace sonvale {
namespace {

namespace fs = std::filesystem;

const char* const kExposureUsage =
    "usage: sonvale-cli exposure PROJECT.svp --out DIR [options]\n"
    "Façade receivers of every building, their day, night and Lden levels (all sources,\n"
    "roads, tracks), the people per level band, the harmful effects and a report:\n"
    "DIR/facade_points.csv, buildings.csv, exposure.csv, health.csv, report.html (and\n"
    "areas.csv with --map, the .gpkg layers with --crs).\n"
    "  --population POP.csv           building,people[,dwellings][,use][,method] (default:\n"
    "                                 the project's side file PROJECT.population.csv)\n"
    "  --population-gis SOURCE        instead: a GIS layer of people (address points,\n"
    "                                 census blocks, footprints), each feature given to\n"
    "                                 the building it lies in, reprojected into --crs or\n"
    "                                 the project's CRS\n"
    "  --population-layer L           the layer of SOURCE (needed when it holds several)\n"
    "  --population-fields people=F[,dwellings=F][,use=F][,method=F]  its source fields\n"
    "                                 (default: found by their usual names, as POP,\n"
    "                                 ABITANTI, RESIDENTI; ALLOGGI; USO; METODO)\n"
    "  --save-population              keep the population read as the project's side file\n"
    "  --estimate M2                  people of unlisted buildings: footprint x storeys / M2\n"
    "  --persons-per-dwelling N       dwellings not given = people / N (default 2.3)\n"
    "  --assign median|facade-length|loudest  people over the points (default median)\n"
    "  --periods D,E,N                hours of day, evening, night (default 12,4,8)\n"
    "  --distance D                   receivers D m in front of the walls (default 0.1)\n"
    "  --height H                     receivers H m above the ground (default 4)\n"
    "  --floors                       one row of receivers per floor (1.5 m above it)\n"
    "  --ihd-incidence R              new cases of ischaemic heart disease per person a year\n"
    "  --map NAME.grd                 day and night grids NAME_D.grd, NAME_N.grd: areas.csv\n"
    "  --crs EPSG:n                   also facade_points.gpkg and buildings.gpkg\n"
    "  --year Y, --dist-max D, --diffr-barriers on|off, --diffr-buildings on|off\n"
    "  --engine reference|fast, --threads N\n"
    "  --part K/N                     only part K of N of the points, as DIR/exposure.partKofN;\n"
    "                                 join the parts with exposure-merge\n"
    "  --yes                          go on when some emission data are missing\n"
    "  --quiet                        no progress bar\n";

const char* const kMergeUsage =
    "usage: sonvale-cli exposure-merge PROJECT.svp --out DIR [options] PART...\n"
    "Joins the parts of an exposure run (exposure --part K/N) into the files of one run;\n"
    "takes the options of exposure, which must be those the parts were computed with.\n";

double PositiveOption(const Args& args, const std::string& name, double fallback, bool allowZero) {
  if (!args.value(name)) return fallback;
  const double v = args.number(name, fallback);
  if (!(v > 0 || (allowZero && v == 0)) || v > 1e6)
    throw UsageError("--" + name + " takes a positive number");
  return v;
}

// The choices of the command line, and what only it does: parts and GIS layers.
struct RunOptions {
  ExposureChoices choices;
  std::string crs;
  std::optional<TileSpec> part;
};

RunOptions ReadRunOptions(const Args& args) {
  RunOptions r;
  ExposureChoices& o = r.choices;
  o.facade.distance = PositiveOption(args, "distance", 0.1, false);
  o.facade.height = PositiveOption(args, "height", 4.0, true);
  o.facade.perFloor = args.has("floors");
  if (auto m = args.value("assign")) {
    auto method = ParseAssignMethod(*m);
    if (!method) throw UsageError("--assign takes median, facade-length or loudest");
    o.settings.method = *method;
  }
  if (auto s = args.value("periods")) {
    auto scheme = ParsePeriodScheme(*s);
    if (!scheme) throw UsageError("--periods takes D,E,N whole hours summing to 24 (12,4,8)");
    o.settings.periods = *scheme;
  }
  o.estimate.squareMetresPerPerson = PositiveOption(args, "estimate", 0, false);
  o.personsPerDwelling = PositiveOption(args, "persons-per-dwelling", 2.3, false);
  if (args.value("ihd-incidence")) {
    const double v = args.number("ihd-incidence", 0);
    if (!(v >= 0 && v <= 1)) throw UsageError("--ihd-incidence takes a rate from 0 to 1");
    o.ihdIncidence = v;
  }
  o.populationFile = args.value("population").value_or("");
  if (auto source = args.value("population-gis")) {
    if (!o.populationFile.empty())
      throw UsageError("--population and --population-gis do not go together");
    o.populationLayerSource = *source;
    o.populationLayer.layer = args.value("population-layer").value_or("");
    o.populationLayer.fields = FieldMapping(args, "population-fields");
    if (args.has("population-fields") && !o.populationLayer.fields.count("people"))
      throw UsageError("--population-fields needs people=FIELD");
  } else if (args.has("population-layer") || args.has("population-fields")) {
    throw UsageError("--population-layer and --population-fields go with --population-gis");
  }
  o.mapGrid = args.value("map").value_or("");
  if (args.has("crs")) r.crs = o.populationLayer.targetCrsWkt = CrsOption(args);
  if (auto t = args.value("part")) {
    r.part = ParseTile(*t);
    if (!r.part) throw UsageError("--part takes K/N with 1 <= K <= N");
  }
  return r;
}

Args ExposureArgs(const std::vector<std::string>& argv) {
  return ParseCommandArgs(argv, {"floors", "save-population"},
                          {"out",
                           "population",
                           "population-gis",
                           "population-layer",
                           "population-fields",
                           "estimate",
                           "persons-per-dwelling",
                           "assign",
                           "periods",
                           "distance",
                           "height",
                           "ihd-incidence",
                           "map",
                           "crs",
                           "diffr-barriers",
                           "diffr-buildings",
                           "dist-max",
                           "engine",
                           "threads",
                           "part",
                           "algorithm"});
}

ExposurePrepared Prepare(CliContext& ctx, const Args& args, const RunOptions& o) {
  const std::string path = args.positional(0, "project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  ApplyCalculationOptions(ctx, args);
  std::optional<ExposurePrepared> prep = PrepareExposure(ctx.app, ctx.ui, o.choices, path);
  if (!prep) {
    throw CliExit{kExitDeclined, ctx.ui.declined.empty() ? "declined" : ctx.ui.declined.back()};
  }
  return std::move(*prep);
}

// Energies of the points in range, the others left 0.
std::vector<PointEnergies> Compute(CliContext& ctx, const FacadeLayout& layout, PointRange range) {
  FacadeLevelOptions lo;
  lo.engine = ctx.app.engine.kind;
  lo.threads = ctx.app.engine.threads;
  long shown = 0;
  lo.progress = [&](long done) {
    for (; shown < done; ++shown) ctx.ui.processEvents();
    return true;
  };
  ctx.ui.beginProgress("exposure", static_cast<long>(range.last - range.first));
  std::vector<PointEnergies> part;
  ComputeFacadeEnergies(ctx.app.project, ctx.app.config, ExposureReceivers(layout, range), lo,
                        part);
  ctx.ui.endProgress();
  std::vector<PointEnergies> all(layout.points.size());
  std::copy(part.begin(), part.end(), all.begin() + static_cast<long>(range.first));
  return all;
}

void WriteOutputs(CliContext& ctx, const std::string& dir, const RunOptions& o,
                  const ExposurePrepared& prep, const std::vector<PointEnergies>& energies) {
  ExposureResults results = AssessRun(prep, energies, o.choices);
  Project& p = ctx.app.project;
#ifdef SONVALE_WITH_RENDER
  const bool pictures = true;
#else
  const bool pictures = false;
#endif
  WriteExposureFolder(dir, p, o.choices, prep, results, pictures, [&](const std::string& t) {
#ifdef SONVALE_WITH_RENDER
    WriteExposurePictures(p, t, prep.layout, results.assessment);
#endif
    if (!o.crs.empty()) WriteExposureGpkg(t, p, prep.layout, results.assessment, o.crs);
  });
}

// What the energies of every point of the run depend on, the same in each part.
uint64_t RunInputs(const CliContext& ctx, const FacadeLayout& layout) {
  return FacadeInputs(ctx.app.project, ctx.app.config,
                      ExposureReceivers(layout, {0, layout.points.size()}));
}

void PrintSummary(const ExposurePrepared& pr, const std::string& dir) {
  if (!pr.populationNote.empty())
    std::cout << "people of " << pr.populationFile << ": " << pr.populationNote << "\n";
  std::cout << PlainInteger(static_cast<long long>(pr.layout.points.size())) << " façade points ("
            << PlainInteger(pr.layout.droppedInside) << " inside a building, "
            << PlainInteger(pr.layout.droppedNearAxis) << " near an axis dropped)\n"
            << "written " << dir << "\n";
}

}  // namespace

int CmdExposure(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ExposureArgs(argv);
  if (args.has("help")) {
    std::cout << kExposureUsage;
    return kExitOk;
  }
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out DIR");
  RunOptions o = ReadRunOptions(args);
  ExposurePrepared pr = Prepare(ctx, args, o);
  if (args.has("save-population") && !pr.records.empty()) {
    WriteFileAtomically(PopulationSideFile(pr.projectPath), PopulationText(pr.records));
  }
  const size_t total = pr.layout.points.size();
  if (o.part) {
    const PointRange range = PartRange(total, o.part->k, o.part->n);
    std::vector<PointEnergies> e = Compute(ctx, pr.layout, range);
    std::error_code ec;
    fs::create_directories(*out, ec);
    const std::string name = *out + "/" + ExposurePartName(o.part->k, o.part->n);
    WriteFileAtomically(
        name, ExposurePartText(o.part->k, o.part->n, total, range, e, RunInputs(ctx, pr.layout)));
    std::cout << "written " << name << "\n";
    return kExitOk;
  }
  std::vector<PointEnergies> e = Compute(ctx, pr.layout, {0, total});
  WriteOutputs(ctx, *out, o, pr, e);
  PrintSummary(pr, *out);
  return kExitOk;
}

int CmdExposureMerge(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ExposureArgs(argv);
  if (args.has("help")) {
    std::cout << kMergeUsage;
    return kExitOk;
  }
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out DIR");
  if (args.positional().size() < 2) throw UsageError("missing the parts to merge");
  RunOptions o = ReadRunOptions(args);
  if (o.part) throw UsageError("--part does not go with exposure-merge");
  ExposurePrepared pr = Prepare(ctx, args, o);
  std::vector<std::string> parts(args.positional().begin() + 1, args.positional().end());
  std::vector<PointEnergies> e =
      MergeExposureParts(parts, pr.layout.points.size(), RunInputs(ctx, pr.layout));
  WriteOutputs(ctx, *out, o, pr, e);
  PrintSummary(pr, *out);
  return kExitOk;
}

}  // namespace sonvale
