// The "&File" commands that create, open, save and close a project, and the
// steps they share with start-up.
#pragma once

#include <string>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

// "&Nuovo": empties the project and asks for the scenario year.
void CmdNuovo(AppState& app, Ui& ui);
// "Apri &SVP...": asks to save a changed project, then opens a project file.
void CmdApriSvp(AppState& app, Ui& ui);
// A recent project of the "&File" menu: asks to save a changed project, then
// opens path as "Apri &SVP..." opens the file chosen.
void CmdApriRecente(AppState& app, Ui& ui, const std::string& path);
// The opening steps of "Apri &SVP..." once the file is known.
void OpenProjectFile(AppState& app, Ui& ui, const std::string& path);
// "&Salva SVP...": true when the file was really written.
bool CmdSalvaSvp(AppState& app, Ui& ui);
// Closing the main window: false when the program must stay open.
bool CmdClose(AppState& app, Ui& ui);

// Reads path into the project, asks the year when the file has none and runs
// the emission update; throws FileError or FormatError and leaves the project
// as it was when the file cannot be read.
void ReadProjectInto(AppState& app, Ui& ui, const std::string& path);

// Reads path into the project (steps shared by "Apri &SVP..." and the project
// named on the command line). A file that cannot be read is reported in a
// message box and leaves the project as it was; returns false then.
bool LoadProject(AppState& app, Ui& ui, const std::string& path);
// Writes the project to path after the emission update and its question;
// false when nothing was written (declined, or the write failed and was reported).
bool SaveProject(AppState& app, Ui& ui, const std::string& path);

inline const char* const kYearPrompt =
    SV_TR("sonvale", "Introduci l'anno a cui si riferisce lo scenario simulato");

// The year question of a project without a year and of "&Nuovo".
long AskYear(Ui& ui, const std::string& defaultText);

// Text of the window title for the open project.
std::string ProjectTitle(const Document& doc);

}  // namespace sonvale
