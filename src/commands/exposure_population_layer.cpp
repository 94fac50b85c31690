#include "commands/exposure_population_layer.h"

#include <algorithm>
#include <map>

#include "exposure/site_index.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// The higher, the more a building's use weighs when its places disagree.
int Sensitivity(BuildingUse u) {
  switch (u) {
    case BuildingUse::Hospital:
      return 3;
    case BuildingUse::School:
      return 2;
    case BuildingUse::Residential:
      return 1;
    case BuildingUse::Other:
      break;
  }
  return 0;
}

}  // namespace

std::vector<PopulationRecord> PopulationFromPlaces(const Project& p,
                                                   const std::vector<PopulationPlace>& places,
                                                   const std::string& source,
                                                   PopulationLayerReport& report) {
  report = {};
  SiteIndex site(p, 0);
  std::map<long, PopulationRecord> byBuilding;
  for (const PopulationPlace& place : places) {
    ++report.places;
    BuildingUse use = BuildingUse::Residential;
    if (!place.use.empty()) {
      auto parsed = ParseBuildingUse(AsciiLower(place.use));
      if (!parsed) {
        throw FileError(source, place.where + ": " + BadUseText(place.use));
      }
      use = *parsed;
    }
    std::optional<AssignMethod> method;
    if (!place.method.empty()) {
      method = ParseAssignMethod(AsciiLower(place.method));
      if (!method) {
        throw FileError(source, place.where + ": " + BadMethodText(place.method));
      }
    }
    const long b = site.buildingAt(place.x, place.y);
    if (b == 0) {
      report.peopleOutside += place.people;
      continue;
    }
    ++report.placed;
    auto [it, fresh] = byBuilding.try_emplace(b);
    PopulationRecord& r = it->second;
    if (fresh) {
      r.building = b;
      r.use = use;
    } else if (Sensitivity(use) > Sensitivity(r.use)) {
      r.use = use;
    }
    r.people += place.people;
    if (place.dwellings) r.dwellings = r.dwellings.value_or(0) + *place.dwellings;
    if (!r.method) r.method = method;
  }
  std::vector<PopulationRecord> records;
  for (auto& [b, r] : byBuilding) records.push_back(std::move(r));
  report.buildings = static_cast<long>(records.size());
  return records;
}

std::string PopulationLayerText(const PopulationLayerReport& r) {
  auto count = [](long n, const char* one, const char* many) {
    return PlainInteger(n) + " " + (n == 1 ? one : many);
  };
  return count(r.places, "feature", "features") + ", " + PlainInteger(r.placed) +
         " inside a building (" + count(r.buildings, "building", "buildings") + "), " +
         PlainInteger(r.places - r.placed) + " outside (" + PlainNumber(r.peopleOutside) +
         " people left out)";
}

}  // namespace sonvale
