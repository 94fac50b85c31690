// From the levels at the façade points and the people of each building to the
// figures of a strategic map: the level indicators of every point, the people
// each point represents, the loudest and quietest façade of every building, and
// the people, dwellings, schools and hospitals in every band.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "exposure/assignment.h"
#include "exposure/exposure_bands.h"
#include "exposure/facade_levels.h"
#include "exposure/facade_points.h"
#include "exposure/noise_indicators.h"
#include "exposure/population.h"

namespace sonvale {

struct ExposureSettings {
  AssignMethod method = AssignMethod::Median;  // a building's own method overrides it
  PeriodScheme periods;
  double quietMargin = 20;  // a quiet façade lies at least this much below the loudest
};

// Levels of one point for one source kind (nullopt: no source of that kind reaches it).
struct KindLevels {
  std::optional<double> day, night, lden;
  std::optional<double> of(Indicator i) const { return i == Indicator::Lden ? lden : night; }
};

struct PointAssessment {
  std::array<KindLevels, 3> levels;  // by SourceKind
  // People at the point, by source kind and indicator (each ranking places the
  // building's people by the levels of that source and indicator).
  std::array<std::array<double, 2>, 3> people{};
};

struct BuildingAssessment {
  BuildingPopulation population;
  AssignMethod method = AssignMethod::Median;
  size_t first = 0, last = 0;  // its points
  // All sources: loudest and quietest façade point.
  std::optional<double> loudestLden, quietestLden, loudestLnight, quietestLnight;
  bool quietFacade = false;
};

struct BandFigures {
  double people = 0, dwellings = 0;
  long schools = 0, hospitals = 0;
};
// table[kind][indicator][band]
using ExposureTable = std::array<std::array<std::array<BandFigures, kBandCount>, 2>, 3>;

struct ExposureAssessment {
  std::vector<PointAssessment> points;
  std::vector<BuildingAssessment> buildings;
  ExposureTable table{};
  double residents = 0;  // people of residential buildings
  double dwellings = 0;
};

// Levels of a point from its energies.
KindLevels LevelsOf(const PointEnergies& e, SourceKind k, const PeriodScheme& periods);

// People and dwellings count for residential buildings; schools and hospitals
// are counted as buildings in the band of their loudest point.
ExposureAssessment AssessExposure(const FacadeLayout& layout,
                                  const std::vector<PointEnergies>& energies,
                                  const std::vector<BuildingPopulation>& people,
                                  const ExposureSettings& settings);

}  // namespace sonvale
