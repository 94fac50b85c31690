#include "commands/exposure_population_source.h"

#include <algorithm>
#include <string_view>

#include "text/file_text.h"

namespace sonvale {
namespace {

// The names a field holding each figure usually has, in order of preference.
std::vector<std::string_view> UsualNames(ExposureField f) {
  switch (f) {
    case ExposureField::PeopleField:
      return {"people",   "pop",       "population",  "popolazione",
              "abitanti", "residenti", "inhabitants", "residents"};
    case ExposureField::DwellingsField:
      return {"dwellings", "alloggi", "abitazioni", "households"};
    case ExposureField::UseField:
      return {"use", "uso", "destinazione"};
    case ExposureField::MethodField:
      return {"method", "metodo"};
    default:
      return {};
  }
}

}  // namespace

PopulationLists ReadPopulationLists(const GisModule& gis, const std::string& source,
                                    const std::string& layer) {
  PopulationLists lists;
  lists.layers = gis.layerNames(source);
  if (lists.layers.empty()) return lists;
  const bool known =
      std::find(lists.layers.begin(), lists.layers.end(), layer) != lists.layers.end();
  lists.layer = known ? layer : lists.layers.front();
  lists.fields = gis.fieldNames(source, lists.layer);
  return lists;
}

bool IsPopulationList(ExposureField f) {
  return f == ExposureField::PopulationLayer || f == ExposureField::PeopleField ||
         f == ExposureField::DwellingsField || f == ExposureField::UseField ||
         f == ExposureField::MethodField;
}

std::vector<std::string> PopulationListItems(ExposureField f, const PopulationLists& lists) {
  if (!IsPopulationList(f)) return {};
  if (f == ExposureField::PopulationLayer) return lists.layers;
  std::vector<std::string> items;
  if (f != ExposureField::PeopleField) items.emplace_back();
  items.insert(items.end(), lists.fields.begin(), lists.fields.end());
  return items;
}

std::string ProposedPopulationItem(ExposureField f, const PopulationLists& lists) {
  if (f == ExposureField::PopulationLayer) return lists.layer;
  for (std::string_view name : UsualNames(f))
    for (const std::string& field : lists.fields)
      if (AsciiLower(field) == name) return field;
  return "";
}

}  // namespace sonvale
