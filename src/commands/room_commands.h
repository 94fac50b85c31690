// The room-acoustics commands of the "&Importa-Esporta" menu: "Importa DXF
// &Echoray..." (faces, openings, sources and receivers of a room drawing) and
// "Pack 6 GRD files" (six level grids into one class grid).
#pragma once

#include <string>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "tracer/room_dxf_import.h"

namespace sonvale {

// The menu item that gets a check mark once a room drawing has been imported.
inline const char* const kRoomDxfMenuItem = "openDXFconetrak";

// "Importa DXF &Echoray...": file dialog, then ImportRoomDxfInto.
void CmdImportaDxfEchoray(AppState& app, Ui& ui);

// Everything the command does once the drawing is chosen: LastDxfFile, the
// project name when none is open, the Append question for "3DFACES", "Sources"
// and "Receivers" (each may clear its table), the import, out-of-date emissions,
// the view fitted to the extent, the redraw and the check mark, then the warning
// of WarnPointsWithoutY. A failure is shown in a message box and leaves the tables
// and counts as they were; false then.
bool ImportRoomDxfInto(AppState& app, Ui& ui, const std::string& path);

// Warns, naming the drawing and the line of the first of them, about the points
// a room-acoustics import did not use because their Y code was missing; nothing
// when there were none.
void WarnPointsWithoutY(Ui& ui, const std::string& path, const RoomImportCounts& counts);

// "Pack 6 GRD files": file dialog, GrdName, status line, PackGrd. A name without
// "01" and a failed packing are shown in a message box; false then (also on Cancel).
bool CmdPackGrd(AppState& app, Ui& ui);

}  // namespace sonvale
