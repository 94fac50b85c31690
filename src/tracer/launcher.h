// Running the external tracer on a written job: the four launch modes of a grid
// job (wait, background, script only, wait and show the map), the point job and
// its results, the files kept and deleted, and the lookup of the program.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/ui.h"
#include "propagation/map_pass.h"
#include "propagation/point_calc.h"
#include "text/translatable.h"
#include "tracer/tracer_job.h"

namespace sonvale {

enum class LaunchMode : long { Wait = 0, Background = 1, Script = 2, WaitAndShow = 3 };

inline const char* const kLauncherTitle = SV_TR("sonvale", "Elaborazione con Beamrun");
inline const char* const kLaunchModeCaptions[4] = {
    SV_TR("sonvale", "Lancia Beamrun ed attendi che finisca"),
    SV_TR("sonvale", "Lancia Beamrun in background e prosegui"),
    SV_TR("sonvale", "Prepara lo script per esecuzione futura"),
    SV_TR("sonvale", "Lancia Beamrun, attendi che finisca e visuallizza mappa")};

// The tracer waits this long before a run is given up.
inline constexpr long long kTracerTimeoutMs = 2000000000LL;

// The tracer in the program folder: "beamrun", else "beamrun.exe"; empty when
// neither exists.
std::string TracerProgram(const std::string& programDir);

// The launch script for later runs, four CR LF lines to be run from the job's
// folder. The program path is quoted when it holds a blank.
std::string LaunchScriptVbs(const std::string& programDir, const std::string& jobFile);
// The same command for a POSIX shell (LF lines): changes to the script's folder
// and runs the program on the job file's name, both quoted for the shell.
std::string LaunchScriptSh(const std::string& programPath, const std::string& jobFile);

struct TracerHooks {
  std::function<void(const MapCell&)> onCell;          // paints a loaded grid cell
  std::function<void(bool clear)> drawMap;             // redraws the model
  std::function<void(bool suspended)> suspendPicture;  // map picture off while loading
  std::function<void(bool visible)> showMainWindow;    // hidden while a grid job runs
};

struct TracerRunOutcome {
  bool written = false;    // the job files were written
  bool started = false;    // the tracer was started
  bool completed = false;  // it ended with status 0 ("OK - Completed !" shown)
  TracerJobFiles files;
  std::vector<std::string> grids;    // tracer grids loaded (launch mode 3)
  std::vector<std::string> scripts;  // scripts written (launch mode 2)
};

// The grid job after the map command's checks: writes the job, then acts on the
// launch mode. A run that cannot be watched, times out or ends with a non-zero
// status is reported; its input files are kept and no grid is loaded.
TracerRunOutcome RunTracerGridJob(const TracerContext& tc, Ui& ui, LaunchMode mode, const TracerHooks& hooks,
                                  long long timeoutMs = kTracerTimeoutMs);

// The point job: writes the job for the chosen receiver set, waits for the
// tracer, deletes the inputs and reads the ".den" results. Returns the result
// list, or nullopt when the tracer did not complete (reported to the user).
std::optional<std::vector<std::string>> RunTracerPointJob(
    const TracerContext& tc, Ui& ui, ReceiverSet set, PointResults& results,
    const std::function<void(const std::string&)>& onStatus = {},
    long long timeoutMs = kTracerTimeoutMs);

// Hours, minutes and seconds of an elapsed time ("00:01:23").
std::string TracerElapsedText(double seconds);

}  // namespace sonvale
