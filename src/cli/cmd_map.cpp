// Subcommands that compute levels: map (grid files) and points (receiver levels).
#include <iostream>

#include "cli/cli_context.h"
#include "commands/gis_module.h"
#include "commands/map_command.h"
#include "commands/map_dialog.h"
#include "commands/map_gis_outputs.h"
#include "commands/point_command.h"
#include "commands/project_crs.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "propagation/grid_file.h"
#include "propagation/node_pool.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool OnOff(const Args& args, const std::string& name, bool fallback) {
  auto v = args.value(name);
  if (!v) return fallback;
  if (*v == "on") return true;
  if (*v == "off") return false;
  throw UsageError("option --" + name + " takes on or off, not \"" + *v + "\"");
}

const char* const kMapUsage =
    "usage: sonvale-cli map PROJECT.svp --out NAME.grd [options]\n"
    "Computes the noise map of the day and night periods (NAME_D.grd, NAME_N.grd).\n"
    "  --mode plane|terrain|section   mapping surface (default: the project's)\n"
    "  --bounds XMIN,XMAX,YMIN,YMAX   plane grid bounds (default: current plan, else extent)\n"
    "  --ndiv NX,NY                   divisions (section: along, in height)\n"
    "  --z QUOTAZ                     height of the plane\n"
    "  --terrain FILE                 terrain grid (DSAA) for --mode terrain\n"
    "  --section N                    section number for --mode section (default 1)\n"
    "  --diffr-barriers on|off        barrier diffraction\n"
    "  --diffr-buildings on|off       building diffraction\n"
    "  --year Y                       scenario year\n"
    "  --dist-max D                   largest source-receiver distance (m)\n"
    "  --period day|night|both        periods to compute (default both)\n"
    "  --yes                          go on when some emission data are missing\n"
    "  --png FILE.png [--size WxH]    also a picture of the (day) map with its legend\n"
    "  --scheme din18005|nfs31130|end the picture in isophone bands of that colour scheme\n"
    "  [--bands 35,40,...,80] [--lines]  at these levels (default), with isolines\n"
    "  --geotiff [--crs EPSG:n]       also each grid as GeoTIFF (NAME_D.tif, NAME_N.tif), in\n"
    "                                 the CRS of --crs, else of the project's side file\n"
    "  --algorithm 0|1|2|3            0 our engine (default), else the external tracer\n"
    "  --launch-mode 0|1|2|3          tracer: 0 wait, 1 background, 2 script only,\n"
    "                                 3 wait and load the grids (default 0)\n"
    "  --engine reference|fast        propagation engine (default fast; same numbers)\n"
    "  --threads N                    worker threads (default: all cores)\n"
    "  --tile K/N                     only the rows of tile K of N, as NAME_D.grd.partKofN;\n"
    "                                 join the parts with grid-merge\n"
    "  --quiet                        no progress bar\n"
    "Options override the project's settings for this run; the project file is not changed.\n";

const char* const kPointsUsage =
    "usage: sonvale-cli points PROJECT.svp --out FILE.dat [options]\n"
    "Computes the day and night levels at the receiver points and writes them as a\n"
    "tab-separated data file; prints the result list.\n"
    "  --set punti|receivers          the receiver points or the room-acoustics receivers\n"
    "  --limits LIMITS.txt --script FILE.scr\n"
    "                                 also writes a drawing script coloured by the limits\n"
    "  --year Y, --dist-max D, --diffr-barriers on|off, --diffr-buildings on|off\n"
    "  --algorithm 0|1|2|3            0 our engine (default), else the external tracer\n"
    "  --engine reference|fast, --threads N\n"
    "  --yes                          go on when some emission data are missing\n";

}  // namespace

// A relative terrain name stands beside the project when it is not found as given.
std::string ResolveBesideProject(const std::string& name, const std::string& projectPath) {
  if (name.empty() || FileExists(name) || name.front() == '/') return name;
  std::string dir = projectPath.substr(0, projectPath.size() - FileNameOnly(projectPath).size());
  std::string beside = dir + name;
  return FileExists(beside) ? beside : name;
}

// Settings every calculation subcommand may override.
void ApplyCalculationOptions(CliContext& ctx, const Args& args) {
  Project& p = ctx.app.project;
  p.DiffrBarriere = OnOff(args, "diffr-barriers", p.DiffrBarriere);
  p.DiffrCase = OnOff(args, "diffr-buildings", p.DiffrCase);
  if (args.value("dist-max")) {
    double d = args.number("dist-max", p.DistMax);
    if (d < 0) throw UsageError("--dist-max must not be negative");
    p.DistMax = d;
  }
  long algorithm = static_cast<long>(args.number("algorithm", 0));
  if (algorithm < 0 || algorithm > 3 || !(args.number("algorithm", 0) == algorithm)) {
    throw UsageError("--algorithm takes 0 (internal), 1, 2 or 3 (external tracer)");
  }
  if (algorithm != 0 && ctx.app.TracerMissing) {
    throw CliExit{kExitBadInput,
                  "the external tracer beamrun is not in the program folder " + ctx.app.ProgramDir};
  }
  p.Algorithm = algorithm;

  if (auto e = args.value("engine")) {
    std::optional<EngineKind> kind = ParseEngineKind(*e);
    if (!kind) throw UsageError("--engine takes reference or fast");
    ctx.app.engine.kind = *kind;
  }
  if (args.value("threads")) {
    double n = args.number("threads", 1);
    if (n < 1 || n > 1024 || n != static_cast<int>(n)) {
      throw UsageError("--threads takes a whole number from 1 to 1024");
    }
    ctx.app.engine.threads = static_cast<int>(n);
  }
  if (args.value("launch-mode")) {
    double mode = args.number("launch-mode", 0);
    if (mode != 0 && mode != 1 && mode != 2 && mode != 3) {
      throw UsageError("--launch-mode takes 0, 1, 2 or 3");
    }
    ctx.app.LaunchMode = static_cast<long>(mode);
  }
}

namespace {

MapPeriods PeriodOption(const Args& args) {
  MapPeriods periods = MapPeriods::Both;
  if (auto v = args.value("period")) {
    if (*v == "day")
      periods = MapPeriods::Day;
    else if (*v == "night")
      periods = MapPeriods::Night;
    else if (*v != "both")
      throw UsageError("--period takes day, night or both");
  }
  return periods;
}

std::optional<MappingMode> ModeOption(const Args& args) {
  std::optional<MappingMode> mode;
  if (auto v = args.value("mode")) {
    if (*v == "plane")
      mode = MappingMode::Plane;
    else if (*v == "terrain")
      mode = MappingMode::Terrain;
    else if (*v == "section")
      mode = MappingMode::Section;
    else
      throw UsageError("--mode takes plane, terrain or section");
  }
  return mode;
}

// Sets up the surface the map covers from the options; returns the number of
// nodes of a terrain map (its terrain grid's), 0 for the others.
long SetUpSurface(CliContext& ctx, const Args& args, const std::string& path,
                  const std::vector<double>& bounds, const std::vector<double>& ndiv) {
  Project& p = ctx.app.project;
  long terrainNodes = 0;  // a terrain map computes the nodes of its terrain grid
  if (p.ModoMappatura == MappingMode::Section) {
    long n = static_cast<long>(args.number("section", 1));
    if (n < 1 || n > p.sezioni.count()) {
      throw UsageError("--section " + PlainInteger(n) + ": the project has " +
                       PlainInteger(p.sezioni.count()) + " sections");
    }
    const Sezione& s = p.sezioni[n];
    ctx.app.Section = SectionLine{s.XL, s.YL, s.ZL, s.XR, s.YR, s.ZR};
    if (!ndiv.empty()) {
      p.NdivO = DivisionOption(ndiv[0], "NX");
      p.NdivZ = DivisionOption(ndiv[1], "NY");
    }
  } else if (p.ModoMappatura == MappingMode::Terrain) {
    if (auto t = args.value("terrain")) p.FileAltimetria = *t;
    if (p.FileAltimetria.empty()) throw UsageError("--mode terrain needs --terrain FILE");
    p.FileAltimetria = ResolveBesideProject(p.FileAltimetria, path);
    GridData terrain = ReadTerrainHeights(p.FileAltimetria);
    terrainNodes = static_cast<long>(terrain.nx()) * terrain.ny();
  } else {
    if (!bounds.empty()) {
      ctx.app.Grid = GridBounds{bounds[0], bounds[1], bounds[2], bounds[3]};
    } else if (auto b = DefaultMapBounds(p)) {
      ctx.app.Grid = *b;
    } else {
      throw UsageError("the project holds no geometry: give --bounds");
    }
    if (!ndiv.empty()) {
      p.NdivX = DivisionOption(ndiv[0], "NX");
      p.NdivY = DivisionOption(ndiv[1], "NY");
    }
  }
  return terrainNodes;
}

}  // namespace

int CmdMap(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"geotiff", "lines"},
                               {"out",
                                "mode",
                                "bounds",
                                "ndiv",
                                "z",
                                "terrain",
                                "section",
                                "crs",
                                "scheme",
                                "bands",
                                "diffr-barriers",
                                "diffr-buildings",
                                "dist-max",
                                "period",
                                "png",
                                "size",
                                "algorithm",
                                "launch-mode",
                                "engine",
                                "threads",
                                "tile"});
  if (args.has("help")) {
    std::cout << kMapUsage;
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out NAME.grd");

  const MapPeriods periods = PeriodOption(args);
  const std::optional<MappingMode> mode = ModeOption(args);
  std::vector<double> bounds = args.numbers("bounds", 4);
  std::vector<double> ndiv = args.numbers("ndiv", 2);
  std::optional<std::string> png = args.value("png");
  std::string size = args.value("size").value_or(kDefaultPictureSize);
  if (args.has("crs") && !args.has("geotiff")) throw UsageError("--crs goes with --geotiff");
  std::string crs = CrsOption(args);
  PictureBands bands = PictureBandOptions(args);
  if (bands.scheme && !png) throw UsageError("--scheme goes with --png");

  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  if (args.has("geotiff") && !args.has("crs")) crs = ProjectCrsWkt(path, Gis());
  ApplyCalculationOptions(ctx, args);
  Project& p = ctx.app.project;
  if (mode) p.ModoMappatura = *mode;
  if (args.value("z")) p.QuotaZ = args.number("z", p.QuotaZ);

  const long terrainNodes = SetUpSurface(ctx, args, path, bounds, ndiv);
  long nodes = MapNodeCount(p, terrainNodes);
  p.GrdName = *out;
  ctx.app.StopRequested = false;
  if (auto t = args.value("tile")) {
    ctx.app.engine.tile = ParseTile(*t);
    if (!ctx.app.engine.tile) throw UsageError("--tile takes K/N with 1 <= K <= N");
    if (p.ModoMappatura == MappingMode::Section)
      throw UsageError("--tile splits plane and terrain maps only");
  }

  MapHooks hooks;
  long passes = periods == MapPeriods::Both ? 2 : 1;
  ctx.ui.beginProgress("map", nodes * passes);
  MapCommandResult result = MapCommand(ctx.app, ctx.ui, periods, hooks);
  ctx.ui.endProgress();
  if (!ctx.ui.declined.empty() && result.files.empty()) {
    throw CliExit{kExitDeclined, ctx.ui.declined.back()};
  }
  if (!result.completed) throw CliExit{kExitFailure, "the map was not completed"};
  for (const std::string& f : result.files) {
    std::cout << f << "\n";
    if (args.has("geotiff")) {
      Gis().writeGeoTiff(ReadLevelGrid(f), GeoTiffBeside(f), crs);
      std::cout << GeoTiffBeside(f) << "\n";
    }
  }
  std::cout << "Elapsed Time = " << ElapsedTimeText(result.elapsedSeconds) << "\n";
  if (png && !result.files.empty()) {
    // The first grid written is the day map unless only the night was asked for.
    WritePicture(ctx, *png, size, result.files.front(), true, bands);
  }
  return kExitOk;
}

int CmdPoints(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {},
                               {"out", "set", "limits", "script", "diffr-barriers",
                                "diffr-buildings", "dist-max", "algorithm", "engine", "threads"});
  if (args.has("help")) {
    std::cout << kPointsUsage;
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  auto out = args.value("out");
  if (!out || out->empty()) throw UsageError("missing --out FILE.dat");
  ReceiverSet set = ReceiverSet::Punti;
  if (auto v = args.value("set")) {
    if (*v == "receivers")
      set = ReceiverSet::Rec;
    else if (*v != "punti")
      throw UsageError("--set takes punti or receivers");
  }
  if (args.has("limits") != args.has("script")) {
    throw UsageError("--limits and --script go together");
  }

  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  ApplyCalculationOptions(ctx, args);

  PointResults results;
  bool stop = false;
  ctx.ui.beginProgress("points", 3 * ReceiverCount(ctx.app.project, set));
  auto lines = PointCalcCommand(ctx.app, ctx.ui, set, results, stop);
  ctx.ui.endProgress();
  if (!lines) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "the points were not computed"};
  }
  for (const std::string& l : *lines) std::cout << l << "\n";

  const Project& p = ctx.app.project;
  WriteFileAtomically(*out, PointDataText(p, set, results));
  std::cout << "written " << *out << "\n";
  if (auto limits = args.value("limits")) {
    PointScript script = PointScriptText(p, set, results, ReadLimitFile(*limits));
    std::string scr = *args.value("script");
    WriteFileAtomically(scr, script.text);
    if (script.pointsWithoutLimit > 0) {
      std::cerr << *limits << ": " << PlainInteger(script.pointsWithoutLimit)
                << " points have no limit line and were compared with no limit\n";
    }
    std::cout << "written " << scr << "\n";
  }
  return kExitOk;
}

}  // namespace sonvale
