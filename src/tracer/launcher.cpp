#include "tracer/launcher.h"

#include <cmath>

#include "platform/paths.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char ch : s) {
    if (ch == '\'') {
      out += "'\\''";
    } else {
      out += ch;
    }
  }
  return out + "'";
}

}  // namespace

std::string TracerProgramOrDefault(const std::string& programDir) {
  std::string p = TracerProgram(programDir);
  return p.empty() ? JoinPath(programDir, "beamrun") : p;
}

ProcessCommand TracerCommand(const TracerContext& tc, const TracerJobFiles& files) {
  return ProcessCommand{TracerProgramOrDefault(tc.programDir), {files.job}, tc.programDir};
}

std::string TracerProgram(const std::string& programDir) {
  for (const char* name : {"beamrun", "beamrun.exe"}) {
    std::string path = JoinPath(programDir, name);
    if (FileExists(path)) return path;
  }
  return {};
}

std::string LaunchScriptVbs(const std::string& programDir, const std::string& jobFile) {
  const std::string q = "\"";
  const std::string program = programDir + "\\BEAMRUN.exe";
  std::string run;
  if (program.find(' ') == std::string::npos) {
    run = "oShell.run " + q + program + " " + q + "+Chr(34) +" + q + FileNameOnly(jobFile) + q +
          " + Chr(34), 1, True";
  } else {
    // A folder such as "C:\Program Files" would split the command at its blank.
    run = "oShell.run Chr(34) +" + q + program + q + "+Chr(34) +" + q + " " + q + "+Chr(34) +" + q +
          FileNameOnly(jobFile) + q + " + Chr(34), 1, True";
  }
  return "'VB Script che lancia Beamrun con il file job\r\n"
         "Dim oShell\r\n"
         "Set oShell = WScript.CreateObject (" +
         q + "WSCript.shell" + q + ")\r\n" + run + "\r\n";
}

std::string LaunchScriptSh(const std::string& programPath, const std::string& jobFile) {
  return "#!/bin/sh\n"
         "# Lancia Beamrun con il file job\n"
         "cd \"$(dirname \"$0\")\" || exit 1\n"
         "exec " +
         ShellQuote(programPath) + " " + ShellQuote(FileNameOnly(jobFile)) + "\n";
}

}  // namespace sonvale
