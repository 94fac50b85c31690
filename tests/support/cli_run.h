// Runs sonvale-cli as a consultant's script would, with the program folder of
// the build, and collects its status and output.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace sonvale {

struct CliRun {
  int status = -1;
  std::string out;  // stdout and stderr together
};

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

// Runs a shell command line and collects its output and exit status.
inline CliRun RunCommand(const std::string& cmd) {
  CliRun r;
  FILE* pipe = popen((cmd + " 2>&1").c_str(), "r");
  if (!pipe) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
  int st = pclose(pipe);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

inline CliRun Cli(const std::string& args) {
  return RunCommand(Quote(std::string(SONVALE_BIN_DIR) + "/sonvale-cli") + " " + args +
                    " --program-dir " + Quote(SONVALE_BIN_DIR));
}

}  // namespace sonvale
