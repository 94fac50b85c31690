// The small commands of the main window's menu: the import-mode toggles, the
// help and about boxes, and the reload of the configuration after editing it.
#pragma once

#include <functional>
#include <string>

#include "commands/app_state.h"
#include "platform/ui.h"

namespace sonvale {

// Menu items of the import modes and their captions.
inline const char* const kModeItems[] = {"Append", "Inserisci", "Rimpiazza",
                                         "Limit",  "Ricon",     "Accorp"};
std::string ModeCaption(const std::string& item);

// A click on one of the six mode items: beep, invert its mark; the three
// exclusive ones clear the other two, the other three copy their mark into
// LimitaPlans, Riconosci and Accorpa.
void CmdToggleMode(AppState& app, Ui& ui, const std::string& item);

// The exclusive merge mode currently marked, if any ("Append", "Inserisci",
// "Rimpiazza" or empty).
std::string ExclusiveMode(const Session& session);

void CmdAbout(Ui& ui);
void CmdContenuti(Ui& ui);

// "&Editazione Sonvale.ini": lets the user edit the configuration file with
// editAndWait (which returns when the editor is closed), then reads it again.
// A configuration that cannot be read is reported and the previous one kept.
void CmdEditSonvaleIni(AppState& app, Ui& ui,
                       const std::function<void(const std::string& path)>& editAndWait);

}  // namespace sonvale
