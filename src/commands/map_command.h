// The map command "&Mappa (.GRD)" after its dialog: the emission question, the
// output name, the day and night passes and the elapsed-time message.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "propagation/map_pass.h"

namespace sonvale {

enum class MapPeriods { Day, Night, Both };

// What the window adds to a map run: each computed cell painted, the model
// redrawn (clear: blank first), and the launcher dialog that edits the launch
// mode of the external tracer (unset, the mode stands as it is).
struct MapHooks {
  std::function<void(const MapCell&)> onCell;
  std::function<void(bool clear)> drawMap;
  std::function<void(long& launchMode)> chooseLaunchMode;
};

struct MapCommandResult {
  bool completed = false;          // "OK - Completed !" was shown
  std::vector<std::string> files;  // grids written, complete or stopped
  double elapsedSeconds = 0;
};

// The message of a failed pass of the given period.
std::string MapPassErrorText(const Project& p, const MapPassOutcome& o, bool day);

// Runs one pass on the application state for the period in project.Diurno and
// shows what it reports; the passes of one run share nightCarry.
MapPassOutcome RunMapPass(AppState& app, Ui& ui, const MapHooks& hooks = {},
                          NightCarry* nightCarry = nullptr);

// The command flow; periods lets the command line run a single period.
MapCommandResult MapCommand(AppState& app, Ui& ui, MapPeriods periods = MapPeriods::Both,
                            const MapHooks& hooks = {});

// "&Mappa (.GRD)" from the menu: marks the project changed, lets the mapping
// dialog edit the settings, and maps unless the dialog was cancelled
// (StopRequested set).
using MapOptionsDialog = std::function<void(AppState& app, Ui& ui)>;
MapCommandResult CmdMappa(AppState& app, Ui& ui, const MapOptionsDialog& dialog,
                          const MapHooks& hooks = {});

// Elapsed time as hours, minutes and seconds ("00:01:23"), rounded to the second.
std::string ElapsedTimeText(double seconds);

}  // namespace sonvale
