// Running the external tracer on a written job from a command: the grid job's
// launch modes (wait, background, script only, wait and show the map), the point
// job and its results, what the user is told and which files are kept.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "propagation/map_pass.h"
#include "propagation/point_calc.h"
#include "tracer/launcher.h"
#include "tracer/tracer_job.h"

namespace sonvale {

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
TracerRunOutcome RunTracerGridJob(const TracerContext& tc, Ui& ui, LaunchMode mode,
                                  const TracerHooks& hooks, long long timeoutMs = kTracerTimeoutMs);

// The point job: writes the job for the chosen receiver set, waits for the
// tracer, deletes the inputs and reads the ".den" results. Returns the result
// list, or nullopt when the tracer did not complete (reported to the user). The
// status line counts the receivers read. While the tracer runs, waiting is told
// the seconds it has run, a few times a second.
std::optional<std::vector<std::string>> RunTracerPointJob(
    const TracerContext& tc, Ui& ui, ReceiverSet set, PointResults& results,
    long long timeoutMs = kTracerTimeoutMs, const std::function<void(double)>& waiting = {});

}  // namespace sonvale
