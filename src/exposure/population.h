// The people of the buildings: the population file (one line per building:
// building,people[,dwellings][,use][,method] after a header line), the estimate
// from the footprint for buildings without a figure, and the side file beside a
// project that keeps the population between runs (the project file holds none).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exposure/assignment.h"
#include "exposure/ground_height.h"
#include "model/project.h"

namespace sonvale {

enum class BuildingUse { Residential, School, Hospital, Other };
std::optional<BuildingUse> ParseBuildingUse(std::string_view text);
const char* BuildingUseName(BuildingUse u);  // "residential", ...
// What is wrong with a use or method word a population source gives.
std::string BadUseText(const std::string& word);
std::string BadMethodText(const std::string& word);

struct PopulationRecord {
  long building = 0;                // 1-based building number
  double people = 0;                // >= 0
  std::optional<double> dwellings;  // >= 0 when given
  BuildingUse use = BuildingUse::Residential;
  std::optional<AssignMethod> method;  // overrides the run's method
  long line = 0;                       // where it was read (0 when not from a file)
};

// Reads a population file for a project of `buildings` buildings. The first
// line is the header and must start with "building"; when a semicolon follows
// it, semicolons separate the fields and numbers may have a decimal comma (as
// spreadsheets of comma-decimal locales save them). Blank lines are skipped;
// a building may appear once. Throws FileError when the file cannot be read and
// FormatError naming the file and line for a bad number, a building out of
// range or repeated, negative people or dwellings, a missing people column, an
// unknown use or method.
std::vector<PopulationRecord> ReadPopulationFile(const std::string& path, long buildings);
// The same over a text in memory; name is used in error messages.
std::vector<PopulationRecord> ParsePopulationText(const std::string& name,
                                                  const std::string& content, long buildings);
// The file text of records, header first, in the reader's layout.
std::string PopulationText(const std::vector<PopulationRecord>& records);

// "town.svp" keeps its population in "town.population.csv".
std::string PopulationSideFile(const std::string& projectPath);

struct EstimateOptions {
  double squareMetresPerPerson = 0;  // 0: no estimate
  double storeyHeight = 3.0;
};
struct BuildingPopulation {
  double people = 0;
  double dwellings = 0;
  BuildingUse use = BuildingUse::Residential;
  std::optional<AssignMethod> method;
  bool listed = false;     // from the file
  bool estimated = false;  // from the footprint
};
// One entry per building (index b-1): the file's figures, else the estimate
// (footprint area x storeys / m² per person, storeys the height above ground over
// the storey height, at least 1), else nobody. Dwellings not given are people /
// personsPerDwelling.
std::vector<BuildingPopulation> BuildingPopulations(const Project& p,
                                                    const std::vector<PopulationRecord>& records,
                                                    const EstimateOptions& estimate,
                                                    double personsPerDwelling,
                                                    const GroundHeight& ground);

}  // namespace sonvale
