// The RAY commands of the "&File" menu: "&Apri Ray..." reads a room-acoustics
// model, "Salva &Ray..." writes the Project with its SPK source files. The
// RayOptions dialog hands its choices to the save command as RayChoices.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kRayOpenTitle = SV_TR("sonvale", "Load a Echoray RAY File");
inline const char* const kRaySaveTitle = SV_TR("sonvale", "Scegli il file di output (.RAY)");

// "&Apri Ray...": the open-file dialog in RayDir, then ReadRayInto. A file that
// cannot be read is reported in a message box and leaves everything as it was.
void CmdApriRay(AppState& app, Ui& ui);

// What follows the choice of the file: RayFileName, the project naming and the
// title when no project is open, status lines, reading, the redraw fitting the
// new extent, and the road and track counts set to 0. Throws FileError or
// FormatError and then leaves the application state as it was; returns false
// for a wildcard name, which reads nothing.
bool ReadRayInto(AppState& app, Ui& ui, const std::string& path);

// The choices of the RayOptions dialog.
struct RayChoices {
  bool cancelled = true;
  std::string RayFile;
  short RecMode = 0;
  SectionLine Section;
  short NdivX = 0, NdivY = 0;
  bool Diurno = true;
};

// True when "Salva &Ray..." has something to write: a road, a track or a source.
bool CanSaveRay(const Project& p);

// The dialog on opening: the file name proposed when RayFileName is empty (the
// project file name, else the last DXF name, without its last three characters
// followed by "RAY"), the current RecMode (any other value selects 0), the area
// from the model extent at Z 4, the divisions and the period of the Project. It
// starts out cancelled.
RayChoices ProposeRayOptions(const AppState& app);

// The file box's text when it loses focus: ".RAY" is appended when the file's
// name has no point after its first character ("model" gives "model.RAY",
// "/a.b/model" gives "/a.b/model.RAY"). An empty box stays empty, so that
// "OK - Esegui" refuses it.
std::string CompleteRayName(std::string_view typed);

// "Salva &Ray..." after the dialog: nothing unless CanSaveRay and the options
// are not cancelled. Stores the choices, writes the SPK files and then the RAY
// file with status lines and the busy pointer; a refusal or a write error is
// reported in a message box. True when both were written.
bool CmdSalvaRay(AppState& app, Ui& ui, const RayChoices& options);

// Shows RayOptions over the proposed choices; they come back not cancelled when
// "OK - Esegui" closed it.
using ShowRayOptions = std::function<void(RayChoices&)>;
// "Salva &Ray..." from the menu: nothing unless CanSaveRay; then the dialog and
// the save above.
bool CmdSalvaRay(AppState& app, Ui& ui, const ShowRayOptions& dialog);

// The writing itself, for callers without a dialog: stores the choices and
// writes the files; throws RayWriteRefused or FileError.
void WriteRayFiles(AppState& app, Ui& ui, const RayChoices& options);

}  // namespace sonvale
