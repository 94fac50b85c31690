// What every subcommand of sonvale-cli shares: start-up from --program-dir,
// reading a project, and the exit statuses.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/cli_ui.h"
#include "commands/app_state.h"
#include "gis/grid_calc.h"
#include "gis/noise_bands.h"
#include "propagation/grid_file.h"

namespace sonvale {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;   // the work itself failed (a file could not be written)
inline constexpr int kExitBadInput = 2;  // usage error or unreadable input
inline constexpr int kExitDeclined = 3;  // a question was answered No because --yes was not given

// Raised by a subcommand to end with a status and a one-line reason.
struct CliExit {
  int status;
  std::string reason;
};

struct CliContext {
  AppState app;
  CliUi ui;
  std::string argv0;
};

// Options every subcommand takes besides its own.
std::set<std::string> CommonFlags();
std::set<std::string> CommonValued();
// The arguments of a subcommand: its own flags and valued options plus the common ones.
Args ParseCommandArgs(const std::vector<std::string>& argv, std::set<std::string> flags = {},
                      std::set<std::string> valued = {});
// A division count given on the command line: a whole number from 1 to 32767.
short DivisionOption(double v, const char* option);

// Start-up (program folder, configuration, tables) with the common options applied.
void StartCli(CliContext& ctx, const Args& args);
// Reads the project; the year question of a file without a year is answered by
// --year or 2008. With yearOverrides, --year also replaces the project's year.
void ReadCliProject(CliContext& ctx, const Args& args, const std::string& path, bool yearOverrides);

using Subcommand = int (*)(CliContext& ctx, const std::vector<std::string>& argv);

int CmdInfo(CliContext& ctx, const std::vector<std::string>& argv);
int CmdResave(CliContext& ctx, const std::vector<std::string>& argv);
int CmdEmission(CliContext& ctx, const std::vector<std::string>& argv);
int CmdImportCsv(CliContext& ctx, const std::vector<std::string>& argv);
int CmdImportDxf(CliContext& ctx, const std::vector<std::string>& argv);
int CmdTracerJob(CliContext& ctx, const std::vector<std::string>& argv);
int CmdDraw(CliContext& ctx, const std::vector<std::string>& argv);
int CmdMap(CliContext& ctx, const std::vector<std::string>& argv);

// Isophone bands for a picture: with a scheme, the grid's levels are painted in
// the bands of the levels in its colours, and with lines the isolines drawn.
struct PictureBands {
  std::optional<BandScheme> scheme;
  std::vector<double> levels;
  bool lines = false;
};
// The bands asked for by --scheme, --bands and --lines.
PictureBands PictureBandOptions(const Args& args);

// Writes a PNG picture of the project (over the levels of gridPath when not
// empty) with the legend of the level colours or bands; size is "WIDTHxHEIGHT".
inline const char* const kDefaultPictureSize = "1200x900";
void WritePicture(CliContext& ctx, const std::string& png, const std::string& size,
                  const std::string& gridPath, bool labels, const PictureBands& bands = {});
// The WKT of the coordinate reference system named by --crs EPSG:n ("" without it).
std::string CrsOption(const Args& args);
// The FIELD=SOURCE pairs of --option, comma-separated (empty without it).
std::map<std::string, std::string> FieldMapping(const Args& args, const std::string& option);
// The isophone levels of --bands (default 35, 40, ..., 80) and the --scheme.
std::vector<double> BandLevels(const Args& args);
BandScheme SchemeOption(const Args& args);
// The calculation settings every computing subcommand may override: --diffr-barriers,
// --diffr-buildings, --dist-max, --algorithm, --engine, --threads, --launch-mode.
void ApplyCalculationOptions(CliContext& ctx, const Args& args);
// A relative terrain name stands beside the project when it is not found as given.
std::string ResolveBesideProject(const std::string& name, const std::string& projectPath);
int CmdExposure(CliContext& ctx, const std::vector<std::string>& argv);
int CmdExposureMerge(CliContext& ctx, const std::vector<std::string>& argv);
int CmdPoints(CliContext& ctx, const std::vector<std::string>& argv);
int CmdGridMerge(CliContext& ctx, const std::vector<std::string>& argv);
int CmdRayRead(CliContext& ctx, const std::vector<std::string>& argv);
int CmdRayWrite(CliContext& ctx, const std::vector<std::string>& argv);
int CmdExportDxf(CliContext& ctx, const std::vector<std::string>& argv);
int CmdEmissionDxf(CliContext& ctx, const std::vector<std::string>& argv);
int CmdImportRoomDxf(CliContext& ctx, const std::vector<std::string>& argv);
int CmdPack(CliContext& ctx, const std::vector<std::string>& argv);
int CmdBln(CliContext& ctx, const std::vector<std::string>& argv);
int CmdList(CliContext& ctx, const std::vector<std::string>& argv);
int CmdScr(CliContext& ctx, const std::vector<std::string>& argv);
int CmdXyz(CliContext& ctx, const std::vector<std::string>& argv);
int CmdBarrierLength(CliContext& ctx, const std::vector<std::string>& argv);
int CmdGridCalc(CliContext& ctx, const std::vector<std::string>& argv);
int CmdGridConvert(CliContext& ctx, const std::vector<std::string>& argv);
int CmdContours(CliContext& ctx, const std::vector<std::string>& argv);
int CmdImportGis(CliContext& ctx, const std::vector<std::string>& argv);
int CmdExportGis(CliContext& ctx, const std::vector<std::string>& argv);

}  // namespace sonvale
