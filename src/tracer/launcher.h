// The external tracer's program and launch: the four launch modes of a grid job,
// the lookup of the program, the command that runs it on a job and the launch
// scripts for later runs. Running and watching it is the commands' business.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
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

// The tracer program, or where it would be when it is missing.
std::string TracerProgramOrDefault(const std::string& programDir);
// The tracer run on a job file, from the program folder.
ProcessCommand TracerCommand(const TracerContext& tc, const TracerJobFiles& files);

// The launch script for later runs, four CR LF lines to be run from the job's
// folder. The program path is quoted when it holds a blank.
std::string LaunchScriptVbs(const std::string& programDir, const std::string& jobFile);
// The same command for a POSIX shell (LF lines): changes to the script's folder
// and runs the program on the job file's name, both quoted for the shell.
std::string LaunchScriptSh(const std::string& programPath, const std::string& jobFile);

}  // namespace sonvale
