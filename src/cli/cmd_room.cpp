// Subcommands import-room-dxf and pack: a room-acoustics drawing into a project,
// and six level grids into one class grid.
#include <iostream>

#include "cli/cli_context.h"
#include "commands/file_commands.h"
#include "commands/ui_work_report.h"
#include "text/number_text.h"
#include "tracer/grd_pack.h"
#include "tracer/room_dxf_import.h"

namespace sonvale {
namespace {

void Save(CliContext& ctx, const std::string& out) {
  if (!SaveProject(ctx.app, ctx.ui, out)) {
    if (!ctx.ui.declined.empty()) throw CliExit{kExitDeclined, ctx.ui.declined.back()};
    throw CliExit{kExitFailure, "nothing written to " + out};
  }
}

}  // namespace

int CmdImportRoomDxf(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {"replace"}, {"out"});
  if (args.has("help")) {
    std::cout
        << "usage: sonvale-cli import-room-dxf PROJECT.svp DRAWING.dxf --out OUT.svp [--replace]\n"
           "           [--year Y] [--yes] [--quiet] [--program-dir DIR]\n"
           "Reads the room-acoustics entities of DRAWING.dxf into the project and writes\n"
           "OUT.svp: 3DFACEs (material from the layer: a number, 1000 + number for flagged\n"
           "faces, or a name of echoray.mat in the program folder; material 0 is dropped),\n"
           "POLYLINEs on HOLES and DOORS (they replace the openings and are attached to the\n"
           "new faces), CIRCLEs and ATTDEFs on SOURCES, LINEs on RECEIVERS. Faces, sources\n"
           "and receivers are appended; --replace empties those tables first.\n";
    return kExitOk;
  }
  const std::string project = args.positional(0, "project file");
  const std::string drawing = args.positional(1, "DXF drawing");
  const std::optional<std::string> out = args.value("out");
  if (!out) throw UsageError("missing --out OUT.svp");

  StartCli(ctx, args);
  ReadCliProject(ctx, args, project, true);
  Project& p = ctx.app.project;
  if (args.has("replace")) {
    p.faces.setCount(0);
    p.sources.setCount(0);
    p.receivers.setCount(0);
  }
  UiWorkReport report(ctx.ui);
  const RoomImportCounts n = ImportRoomDxf(drawing, p, ctx.app.config, ctx.app.ProgramDir, report);
  p.LastDxfFile = drawing;
  p.EmissioniOK = false;
  Save(ctx, *out);

  if (n.pointsWithoutY > 0) {
    std::cerr << drawing << ":" << PlainInteger(n.firstPointWithoutY) << ": "
              << PlainInteger(n.pointsWithoutY)
              << " points without their Y code were not used (the first on this line)\n";
  }
  if (n.unattachedHoles > 0 || n.unattachedDoors > 0) {
    std::cerr << drawing << ": " << PlainInteger(n.unattachedHoles) << " holes and "
              << PlainInteger(n.unattachedDoors) << " doors lie on none of the new faces\n";
  }
  if (!ctx.ui.quiet) {
    std::cout << "written " << *out << ": " << PlainInteger(n.faces) << " faces ("
              << PlainInteger(n.droppedFaces) << " on material 0 dropped), "
              << PlainInteger(n.holes) << " holes, " << PlainInteger(n.doors) << " doors, "
              << PlainInteger(n.sources) << " sources, " << PlainInteger(n.receivers)
              << " receivers\n";
  }
  return kExitOk;
}

int CmdPack(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args = ParseCommandArgs(argv, {}, {"into", "out"});
  if (args.has("help")) {
    std::cout << "usage: sonvale-cli pack NAME01.grd [--into PROJECT.svp --out OUT.svp]\n"
                 "           [--quiet] [--program-dir DIR]\n"
                 "Packs the text grids NAME01.grd .. NAME06.grd (the first \"01\" of the file\n"
                 "name is replaced by 02 .. 06) into NAMESUM.grd: a node takes the class\n"
                 "35 + 5k (40 .. 65) of the highest-numbered grid k that is blank there, and\n"
                 "stays blank when none is. With --out the project (--into, else an empty one)\n"
                 "takes the grid's divisions and extent and is written to OUT.svp.\n";
    return kExitOk;
  }
  const std::string name = args.positional(0, "first grid (NAME01.grd)");
  const std::optional<std::string> into = args.value("into");
  const std::optional<std::string> out = args.value("out");
  if (into && !out) throw UsageError("--into needs --out OUT.svp");
  if (!PackGrdNames(name)) throw UsageError(name + ": " + kPackNeeds01);

  if (out) {
    StartCli(ctx, args);
    if (into) ReadCliProject(ctx, args, *into, true);
  }
  const std::string packed = PackGrd(name, ctx.app.project);
  if (out) Save(ctx, *out);
  if (!ctx.ui.quiet) {
    std::cout << "written " << packed;
    if (out) std::cout << " and " << *out;
    std::cout << "\n";
  }
  return kExitOk;
}

}  // namespace sonvale
