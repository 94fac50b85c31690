#include "commands/exposure_population_source.h"

#include <algorithm>
#include <string_view>

#include "text/file_text.h"

namespace sonvale {
namespace {

// The names a field holding each figure usually has, in order of preference.
std::vector<std::string_view> UsualNames(std::string_view figure) {
  if (figure == "people")
    return {"people",   "pop",       "population",  "popolazione",
            "abitanti", "residenti", "inhabitants", "residents"};
  if (figure == "dwellings") return {"dwellings", "alloggi", "abitazioni", "households"};
  if (figure == "use") return {"use", "uso", "destinazione"};
  if (figure == "method") return {"method", "metodo"};
  return {};
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

std::string UsualPopulationField(const std::string& figure,
                                 const std::vector<std::string>& fields) {
  for (std::string_view name : UsualNames(figure))
    for (const std::string& field : fields)
      if (AsciiLower(field) == name) return field;
  return "";
}

std::string ProposePopulationFields(const GisModule& gis, const std::string& source,
                                    PopulationLayerOptions& options) {
  if (options.fields.empty()) {
    const PopulationLists lists = ReadPopulationLists(gis, source, options.layer);
    if (options.layer.empty() && lists.layers.size() == 1) options.layer = lists.layer;
    if (!options.layer.empty()) {
      for (const char* figure : kPopulationLayerFields)
        if (std::string field = UsualPopulationField(figure, lists.fields); !field.empty())
          options.fields[figure] = field;
    }
  }
  std::string taken;
  for (const char* figure : kPopulationLayerFields) {
    if (auto it = options.fields.find(figure); it != options.fields.end())
      taken += (taken.empty() ? "" : ", ") + std::string(figure) + "=" + it->second;
  }
  return taken;
}

}  // namespace sonvale
