// The façade points of an exposure run on the map: in the colours of their
// Lden band, each naming itself and its levels under the pointer. A run of the
// window shows its own; "Mostra punti di facciata..." shows those of a
// facade_points.csv written elsewhere (the command line, merged parts).
#pragma once

#include <vector>

#include "commands/app_state.h"
#include "exposure/facade_points_file.h"
#include "platform/ui.h"
#include "text/translatable.h"
#include "view/map_marks.h"

namespace sonvale {

inline const char* const kShowFacadePointsCaption = SV_TR("sonvale", "Mostra punti di facciata...");

std::vector<MapMark> FacadePointMarks(const std::vector<FacadePointRow>& points);

// Asks for a facade_points.csv and shows its points; false when none was
// chosen or it cannot be read (a message names the file and line).
bool CmdShowFacadePoints(AppState& app, Ui& ui);

}  // namespace sonvale
