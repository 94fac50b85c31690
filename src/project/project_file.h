// The project file (.SVP): one whole Project as comma-separated record lines and
// print-form vertex lines. The writer always produces the current format; the
// reader also accepts the files of the earlier versions (1.2 to 3.05).
#pragma once

#include <string>

#include "model/project.h"

namespace sonvale {

// The format version written in line 1.
inline constexpr const char* kProjectFileVersion = "3.6";

// What a successful read reports beside the project itself.
struct ReadResult {
  // The file held no year (or a year of 0): Anno was set to 2008 and the caller
  // asks the user for the year of the scenario.
  bool yearMissing = false;
  // Keywords of the entity list that the reader did not know and passed over
  // (the caller sounds the bell three times for each).
  int unknownKeywords = 0;
  // Version V taken from line 1.
  double version = 0;
};

// The whole content of the project file for p.
std::string ProjectFileText(const Project& p);

// Writes the project file; the old file at path is replaced only once the new
// one is complete. Throws FileError when it cannot be written.
void WriteProjectFile(const Project& p, const std::string& path);

// Reads a project file. The tables and the extent are built afresh; settings the
// file does not hold keep the values they have in out. out is replaced only when
// the whole file was read: on FileError or FormatError it stays as it was.
ReadResult ReadProjectFile(const std::string& path, Project& out);

// The same for a file content already in memory; name is used in error messages.
ReadResult ReadProjectText(const std::string& name, std::string content, Project& out);

}  // namespace sonvale
