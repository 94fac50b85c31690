// sonvale-cli: the engine without a window, for the batch jobs a consultant scripts.
#include <iostream>

#include "cli/cli_context.h"
#include "text/file_error.h"

namespace {

using sonvale::CliContext;
using sonvale::Subcommand;

struct Entry {
  const char* name;
  Subcommand run;
  const char* synopsis;
};

const Entry kCommands[] = {
    {"info", sonvale::CmdInfo, "info PROJECT.svp               counts, extent and settings"},
    {"resave", sonvale::CmdResave, "resave IN.svp OUT.svp          read, update emission, write"},
    {"emission", sonvale::CmdEmission,
     "emission PROJECT.svp           emission of roads and tracks"},
    {"map", sonvale::CmdMap, "map PROJECT.svp --out N.grd    day and night noise maps"},
    {"points", sonvale::CmdPoints, "points PROJECT.svp --out F.dat levels at the receiver points"},
    {"draw", sonvale::CmdDraw, "draw PROJECT.svp --png F.png   picture of the model and a grid"},
    {"grid-merge", sonvale::CmdGridMerge, "grid-merge N.grd PARTS...      join the tiles of a map"},
    {"exposure", sonvale::CmdExposure,
     "exposure PROJECT.svp --out DIR  façade levels, people per band, health, report"},
    {"exposure-merge", sonvale::CmdExposureMerge,
     "exposure-merge PROJECT.svp --out DIR PARTS...  join the parts of an exposure run"},
    {"import-dxf", sonvale::CmdImportDxf,
     "import-dxf DXF --out OUT.svp   drawing layers into a project"},
    {"import-csv", sonvale::CmdImportCsv,
     "import-csv KIND CSV --out OUT  nodes, arcs, streets, traffic, punti"},
    {"import-room-dxf", sonvale::CmdImportRoomDxf,
     "import-room-dxf P.svp D.dxf --out O.svp  room-acoustics drawing"},
    {"export-dxf", sonvale::CmdExportDxf,
     "export-dxf PROJECT.svp OUT.dxf the whole model as a drawing"},
    {"emission-dxf", sonvale::CmdEmissionDxf,
     "emission-dxf PROJECT.svp OUT.dxf  emission levels as a drawing"},
    {"bln", sonvale::CmdBln, "bln PROJECT.svp OUT.bln        blanking polygons"},
    {"list", sonvale::CmdList, "list PROJECT.svp OUT.txt       roads and tracks with traffic"},
    {"scr", sonvale::CmdScr, "scr PROJECT.svp OUT.scr        drawing script of the points"},
    {"xyz", sonvale::CmdXyz, "xyz DRAWING.dxf [OUT.txt]      X,Y,Z points of a drawing"},
    {"barrier-length", sonvale::CmdBarrierLength,
     "barrier-length PROJECT.svp     number and length of barriers"},
    {"ray-read", sonvale::CmdRayRead,
     "ray-read PROJECT.svp F.RAY     a RAY geometry file into a project"},
    {"ray-write", sonvale::CmdRayWrite,
     "ray-write PROJECT.svp F.RAY    RAY and SPK files for the tracers"},
    {"pack", sonvale::CmdPack, "pack NAME01.grd                six grids into one class grid"},
    {"tracer-job", sonvale::CmdTracerJob,
     "tracer-job PROJECT.svp --out N.grd  job files of the tracer"},
    {"grid-calc", sonvale::CmdGridCalc,
     "grid-calc sum|diff|excess GRIDS... --out O.grd  sum, difference, excess of maps"},
    {"grid-convert", sonvale::CmdGridConvert,
     "grid-convert IN.grd OUT.tif    a grid as GeoTIFF for GIS programs"},
    {"contours", sonvale::CmdContours,
     "contours GRID --out ISO.gpkg   coloured isophone bands for GIS programs"},
    {"import-gis", sonvale::CmdImportGis,
     "import-gis SOURCE --kind K --out O.svp  a GIS layer (GeoPackage, Shapefile...)"},
    {"export-gis", sonvale::CmdExportGis,
     "export-gis PROJECT.svp OUT.gpkg the model as GIS layers"},
};

void Usage(std::ostream& out) {
  out << "usage: sonvale-cli COMMAND [ARGS] [--program-dir DIR]\n\nCommands:\n";
  for (const Entry& e : kCommands) out << "  " << e.synopsis << "\n";
  out << "\nEvery command takes --help. --program-dir names the folder holding sonvale.ini\n"
         "and the emission tables (default: $SONVALE_HOME, else the program's folder).\n"
         "Exit status: 0 done, 1 failed, 2 bad input, 3 declined (missing emission data\n"
         "without --yes).\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sonvale;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    Usage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? kExitBadInput : kExitOk;
  }
  const Entry* entry = nullptr;
  for (const Entry& e : kCommands) {
    if (args[0] == e.name) entry = &e;
  }
  if (!entry) {
    std::cerr << "sonvale-cli: unknown command \"" << args[0] << "\" (see --help)\n";
    return kExitBadInput;
  }
  CliContext ctx;
  ctx.argv0 = argv[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    return entry->run(ctx, rest);
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
