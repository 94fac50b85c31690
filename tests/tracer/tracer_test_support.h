// Helpers shared by the tracer tests: temporary folders, whole-file reads, and
// running the command-line tools used as independent checks.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/map_geometry.h"
#include "model/project.h"
#include "project/configuration.h"
#include "support/file_contents.h"
#include "tracer/tracer_job.h"

namespace sonvale::testing_tracer {

namespace fs = std::filesystem;

// What a tracer job reads, held together as the application keeps it.
struct TracerSession {
  Project project;
  Configuration config;
  GridBounds Grid;
  SectionLine Section;
  std::string ProgramDir;
  TracerContext context() { return {project, config, Grid, Section, ProgramDir}; }
};

inline fs::path FreshDir(const std::string& name) {
  fs::path d =
      fs::temp_directory_path() / ("sonvale_tracer_" + name + "_" + std::to_string(getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

inline void Spit(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

inline bool HaveTool(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a command line; its standard output and error in out.
inline int RunTool(const std::string& command, std::string* out = nullptr) {
  fs::path capture = fs::temp_directory_path() / ("sonvale_tracer_cmd_" + std::to_string(getpid()));
  int rc = std::system((command + " >" + capture.string() + " 2>&1").c_str());
  if (out) *out = FileContents(capture);
  fs::remove(capture);
  return rc;
}

inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace sonvale::testing_tracer
