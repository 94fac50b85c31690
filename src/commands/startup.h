// Program start: program folder, number-format check, configuration, emission
// tables, tracer detection and the project named on the command line.
#pragma once

#include <string>

#include "commands/app_state.h"
#include "platform/ui.h"

namespace sonvale {

struct StartOptions {
  std::string programDir;   // overrides the folder resolution when not empty
  std::string argv0;        // the program's own path
  std::string commandLine;  // the first argument: a project path, perhaps quoted
};

// Runs the start-up steps. Returns false when the program must end: the number
// format is not usable, or the configuration or a table could not be read
// (reported through ui).
bool StartUp(AppState& app, Ui& ui, const StartOptions& options);

// Reads sonvale.ini and the emission tables of app.ProgramDir into app; throws
// FileError or FormatError naming the file.
void LoadConfigurationAndTables(Document& doc);

// The project path of the program's first argument: as given, less the double
// quotes around it when a launcher left them there.
std::string ProjectPathFromCommandLine(const std::string& commandLine);

}  // namespace sonvale
