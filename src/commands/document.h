// The document a consultant works on: the project with the configuration and
// emission tables it is computed with, whether it has been saved, and the file
// names that belong to it.
#pragma once

#include <string>

#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {

struct Document {
  Project project;
  Configuration config;
  EmissionTables tables;
  std::string ProgramDir;  // ends without a separator

  bool Saved = true;
  std::string ProjectBase = "*";
  std::string RayFileName;
  std::string EmissionDxfName;
};

}  // namespace sonvale
