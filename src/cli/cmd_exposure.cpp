// Subcommands of the façade exposure of a strategic map: exposure (façade
// points, levels, people, tables, health, report) and exposure-merge (the parts
// of a run split with --part joined into the files of one run).
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/cli_context.h"
#include "cli/exposure_gpkg.h"
#include "commands/emission_commands.h"
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
#include "render/bar_chart.h"
#include "render/map_picture.h"
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
    "  --save-population              keep POP.csv as the project's side file\n"
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

struct RunOptions {
  FacadeOptions facade;
  ExposureSettings settings;
  EstimateOptions estimate;
  double personsPerDwelling = 2.3;
  std::optional<double> ihdIncidence;
  std::optional<std::string> population;
  std::optional<std::string> map;
  std::string crs;
  std::optional<TileSpec> part;
};

RunOptions ReadRunOptions(const Args& args) {
  RunOptions o;
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
    const double r = args.number("ihd-incidence", 0);
    if (!(r >= 0 && r <= 1)) throw UsageError("--ihd-incidence takes a rate from 0 to 1");
    o.ihdIncidence = r;
  }
  o.population = args.value("population");
  o.map = args.value("map");
  if (args.has("crs")) o.crs = CrsOption(args);
  if (auto t = args.value("part")) {
    o.part = ParseTile(*t);
    if (!o.part) throw UsageError("--part takes K/N with 1 <= K <= N");
  }
  return o;
}

Args ExposureArgs(const std::vector<std::string>& argv) {
  return ParseCommandArgs(
      argv, {"floors", "save-population"},
      {"out", "population", "estimate", "persons-per-dwelling", "assign", "periods", "distance",
       "height", "ihd-incidence", "map", "crs", "diffr-barriers", "diffr-buildings", "dist-max",
       "engine", "threads", "part", "algorithm"});
}

// What both subcommands prepare before the energies: the project ready for the
// engine, the ground, the points and the people.
struct Prepared {
  std::string projectPath;
  GroundHeight ground{0};
  FacadeLayout layout;
  std::vector<PopulationRecord> records;
  std::string populationFile;  // "" when nobody is listed
  std::vector<BuildingPopulation> people;
};

Prepared Prepare(CliContext& ctx, const Args& args, const RunOptions& o) {
  Prepared pr;
  pr.projectPath = args.positional(0, "project file");
  StartCli(ctx, args);
  ReadCliProject(ctx, args, pr.projectPath, true);
  ApplyCalculationOptions(ctx, args);
  Project& p = ctx.app.project;
  // The people first: a bad population file ends the run before any work.
  pr.populationFile = o.population.value_or(PopulationSideFile(pr.projectPath));
  if (o.population || FileExists(pr.populationFile)) {
    pr.records = ReadPopulationFile(pr.populationFile, p.case_.count());
  } else {
    pr.populationFile.clear();
  }
  if (!p.FileAltimetria.empty()) {
    const std::string terrain = ResolveBesideProject(p.FileAltimetria, pr.projectPath);
    pr.ground = GroundHeight(ReadTerrainHeights(terrain), p.QuotaZ);
  } else {
    pr.ground = GroundHeight(p.QuotaZ);
  }
  if (!ConfirmMissingEmissions(ctx.app, ctx.ui)) {
    throw CliExit{kExitDeclined, ctx.ui.declined.empty() ? "declined" : ctx.ui.declined.back()};
  }
  if (!p.AzzeraStandard) {
    SetupReport report;
    FillSourcePowers(p, report);
    for (const std::string& m : report.messages) std::cerr << m << "\n";
  }
  pr.layout = PlaceFacadePoints(p, o.facade, pr.ground);
  pr.people = BuildingPopulations(p, pr.records, o.estimate, o.personsPerDwelling, pr.ground);
  return pr;
}

std::vector<FacadeReceiver> Receivers(const FacadeLayout& layout, PointRange range) {
  std::vector<FacadeReceiver> at;
  for (size_t i = range.first; i < range.last; ++i) {
    const FacadePoint& f = layout.points[i];
    at.push_back({{f.x, f.y, f.z}, {f.building, f.facade}});
  }
  return at;
}

// Energies of the points in range, the others left 0.
std::vector<PointEnergies> Compute(CliContext& ctx, const FacadeLayout& layout, PointRange range) {
  std::vector<FacadeReceiver> at = Receivers(layout, range);
  FacadeLevelOptions lo;
  lo.engine = ctx.app.engine.kind;
  lo.threads = ctx.app.engine.threads;
  long shown = 0;
  lo.progress = [&](long done) {
    for (; shown < done; ++shown) ctx.ui.processEvents();
    return true;
  };
  ctx.ui.beginProgress("exposure", static_cast<long>(at.size()));
  std::vector<PointEnergies> part;
  ComputeFacadeEnergies(ctx.app.project, ctx.app.config, at, lo, part);
  ctx.ui.endProgress();
  std::vector<PointEnergies> all(layout.points.size());
  std::copy(part.begin(), part.end(), all.begin() + static_cast<long>(range.first));
  return all;
}

std::string OnOffText(bool v) { return v ? "on" : "off"; }

std::vector<std::pair<std::string, std::string>> Choices(const CliContext& ctx, const RunOptions& o,
                                                         const Prepared& pr) {
  const Project& p = ctx.app.project;
  const PeriodScheme& s = o.settings.periods;
  std::vector<std::pair<std::string, std::string>> c;
  c.push_back({"Periods (hours day, evening, night)", PeriodSchemeText(s)});
  c.push_back({"Evening level",
               "taken equal to the day level (the project has day and night "
               "levels only); Lnight = the night level"});
  c.push_back({"Façade receivers",
               "split per CNOSSOS-EU 2.8 as amended by Directive (EU) 2021/1226: walls in "
               "equal pieces of at most 5 m, a receiver in front of the middle of each; walls "
               "under 2.5 m joined with their short neighbours; " +
                   FormatPattern(o.facade.distance, "0.0#") + " m in front of the wall"});
  c.push_back({"Receiver height",
               o.facade.perFloor ? "one row per floor, 1.5 m above each floor (3 m storeys)"
                                 : FormatPattern(o.facade.height, "0.0#") + " m above the " +
                                       (pr.ground.onTerrain() ? "terrain grid" : "plane QuotaZ")});
  c.push_back({"Points dropped", "inside a building, or within 1 m of a road or track axis"});
  c.push_back({"Population", pr.populationFile.empty() ? "no file" : pr.populationFile});
  c.push_back({"Estimate of unlisted buildings",
               o.estimate.squareMetresPerPerson > 0
                   ? "footprint x storeys (height / 3 m) / " +
                         PlainNumber(o.estimate.squareMetresPerPerson) + " m² per person"
                   : "none (unlisted buildings have nobody)"});
  c.push_back({"Persons per dwelling", PlainNumber(o.personsPerDwelling)});
  c.push_back({"Assignment of people (buildings without their own method)",
               AssignMethodName(o.settings.method)});
  c.push_back({"Counted",
               "people and dwellings of residential buildings; schools and "
               "hospitals in the band of their loudest façade"});
  c.push_back({"Bands", "of the level as written (0.1 dB): 55.0 <= L < 60.0 is 55-59"});
  c.push_back({"Rounding", "people and dwellings to the nearest hundred, a half up (Annex VI)"});
  c.push_back({"Quiet façade", "at least " + PlainNumber(o.settings.quietMargin) +
                                   " dB below the loudest façade (Lden, all sources)"});
  c.push_back({"Levels",
               "propagation engine of the maps, without the per-line term of the "
               "grid and without background; sources of each kind alone for the "
               "road and rail columns"});
  c.push_back({"Diffraction (barriers, buildings)",
               OnOffText(p.DiffrBarriere) + ", " + OnOffText(p.DiffrCase)});
  c.push_back({"DistMax (m)", PlainNumber(p.DistMax)});
  c.push_back({"Year", PlainInteger(p.Anno)});
  c.push_back({"Health", "Directive (EU) 2020/367 Annex III; IHD incidence " +
                             (o.ihdIncidence ? PlainNumber(*o.ihdIncidence) + " per person a year"
                                             : std::string("not given: fraction only"))});
  return c;
}

#ifdef SONVALE_WITH_RENDER
void WritePictures(CliContext& ctx, const std::string& dir, const FacadeLayout& layout,
                   const ExposureAssessment& a) {
  BarChart chart;
  chart.title = "People per Lden band";
  for (int b = 0; b < kBandCount; ++b) chart.categories.push_back(BandLabel(Indicator::Lden, b));
  const std::array<Rgb, 3> colours = {RGB(80, 80, 200), RGB(200, 120, 40), RGB(90, 90, 90)};
  for (SourceKind k : kSourceKinds) {
    BarSeries s{SourceKindName(k), colours[static_cast<size_t>(k)], {}};
    for (int b = 0; b < kBandCount; ++b)
      s.values.push_back(a.table[static_cast<size_t>(k)][0][static_cast<size_t>(b)].people);
    chart.series.push_back(s);
  }
  SaveMapPicture(RenderBarChart(chart), dir + "/" + kChartPicture);

  Project& p = ctx.app.project;
  const Extent& e = p.extent;
  p.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  LayerVisibility layers;
  MapPictureOptions options;
  for (int b = -1; b < kBandCount; ++b) {
    const BandRgb c = ExposureBandColour(Indicator::Lden, b);
    const std::string label = b < 0 ? "< 55" : BandLabel(Indicator::Lden, b);
    const double lo = b < 0 ? -1e9 : BandLower(Indicator::Lden, b);
    options.bands.push_back({lo, lo + 5, RGB(c.r, c.g, c.b), label});
  }
  for (size_t i = 0; i < layout.points.size(); ++i) {
    const auto& lden = a.points[i].levels[static_cast<size_t>(SourceKind::All)].lden;
    const int band = lden ? BandIndex(Indicator::Lden, Tenths(*lden)) : -1;
    const BandRgb c = ExposureBandColour(Indicator::Lden, band);
    options.dots.push_back({layout.points[i].x, layout.points[i].y, RGB(c.r, c.g, c.b)});
  }
  SaveMapPicture(RenderMapPicture(p, layers, options), dir + "/" + kMapPicture);
}
#endif

// Writes every output into a fresh folder beside DIR, then puts it in DIR's place.
void WriteOutputs(CliContext& ctx, const std::string& dir, const RunOptions& o, const Prepared& pr,
                  const std::vector<PointEnergies>& energies) {
  ExposureAssessment a = AssessExposure(pr.layout, energies, pr.people, o.settings);
  std::vector<HealthFigure> health = ExposureHealth(a, o.ihdIncidence);
  std::vector<AreaFigures> areas;
  if (o.map) {
    const std::string dayName = PassFileName(*o.map, true), nightName = PassFileName(*o.map, false);
    areas = AreasAbove(ReadLevelGrid(dayName), ReadLevelGrid(nightName), dayName,
                       o.settings.periods, pr.layout, a);
  }
  const fs::path target(dir);
  const fs::path temp = target.string() + ".tmp" + std::to_string(getpid());
  std::error_code ec;
  fs::remove_all(temp, ec);
  if (!fs::create_directories(temp, ec) && ec) throw FileError(temp.string(), ec.message());
  try {
    const std::string t = temp.string();
    WriteFileAtomically(t + "/facade_points.csv", FacadePointsCsv(pr.layout, a));
    WriteFileAtomically(t + "/buildings.csv", BuildingsCsv(a));
    WriteFileAtomically(t + "/exposure.csv", ExposureCsv(a));
    WriteFileAtomically(t + "/health.csv", HealthCsv(health));
    if (o.map) WriteFileAtomically(t + "/areas.csv", AreasCsv(areas));
    ExposureReportInputs report;
    report.project = pr.projectPath;
    report.choices = Choices(ctx, o, pr);
    report.layout = &pr.layout;
    report.assessment = &a;
    report.health = health;
    report.areas = areas;
#ifdef SONVALE_WITH_RENDER
    WritePictures(ctx, t, pr.layout, a);
#else
    report.chart = report.map = false;
#endif
    WriteFileAtomically(t + "/report.html", ExposureReportHtml(report));
    if (!o.crs.empty()) {
      WriteExposureGpkg(t, ctx.app.project, pr.layout, a, o.crs);
    }
  } catch (...) {
    fs::remove_all(temp, ec);
    throw;
  }
  // Swap: an earlier result moves aside and goes only once the new one is in place.
  const fs::path old = target.string() + ".old" + std::to_string(getpid());
  const bool hadOld = fs::exists(target);
  if (hadOld) {
    fs::rename(target, old, ec);
    if (ec) {
      fs::remove_all(temp, ec);
      throw FileError(dir, "cannot replace the folder: " + ec.message());
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    if (hadOld) fs::rename(old, target, ec);
    fs::remove_all(temp, ec);
    throw FileError(dir, "cannot create the folder");
  }
  if (hadOld) fs::remove_all(old, ec);
}

void PrintSummary(const Prepared& pr, const std::string& dir) {
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
  Prepared pr = Prepare(ctx, args, o);
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
    WriteFileAtomically(name, ExposurePartText(o.part->k, o.part->n, total, range, e));
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
  Prepared pr = Prepare(ctx, args, o);
  std::vector<std::string> parts(args.positional().begin() + 1, args.positional().end());
  std::vector<PointEnergies> e = MergeExposureParts(parts, pr.layout.points.size());
  WriteOutputs(ctx, *out, o, pr, e);
  PrintSummary(pr, *out);
  return kExitOk;
}

}  // namespace sonvale
