// The dialog "Esposizione facciate" without its window: its fields with their
// labels and first texts, and the reading of the texts into the choices of a
// run, with the message naming the first field that cannot be read.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "commands/app_state.h"
#include "commands/exposure_command.h"
#include "commands/exposure_population_source.h"
#include "platform/ui.h"

namespace sonvale {

inline const char* const kExposureDialogTitle = SV_TR("sonvale", "Esposizione facciate");
inline const char* const kExposureRun = SV_TR("sonvale", "Esegui");
inline const char* const kExposureCancel = SV_TR("sonvale", "Annulla");

enum class ExposureField {
  Population,
  PopulationLayer,  // the lists of a GIS source of people
  PeopleField,
  DwellingsField,
  UseField,
  MethodField,
  OutDir,
  Method,
  Periods,
  Height,
  Distance,
  Floors,
  Estimate,
  PersonsPerDwelling,
  IhdIncidence,
  MapGrid,
  GisLayers
};
inline constexpr int kExposureFieldCount = 17;

const char* ExposureFieldLabel(ExposureField f);
// Floors and GisLayers are check boxes: their text is "1" when ticked, "0" otherwise.
bool IsExposureCheck(ExposureField f);

// The file chooser of "Sfoglia..." beside the population (a population file,
// or a GIS source of people whose layer and fields the lists after it name) and
// the map; nothing for the other fields.
std::optional<FileDialog> ExposureFileDialog(ExposureField f);
// The text a file chosen for field f puts there: the day or night grid of a map
// (town_D.grd, town_N.grd) names the map (town.grd).
std::string ExposureChosenText(ExposureField f, const std::string& path);
// The items of the method box, in order.
const std::vector<std::string>& ExposureMethodItems();

// A population source other than a CSV file is a GIS source of people.
bool IsGisPopulationSource(const std::string& path);
// The figure whose source field list f chooses ("people", "dwellings", "use",
// "method"); nullptr for the other fields.
const char* PopulationFigure(ExposureField f);

// Whether field f is one of the lists of a GIS source of people.
bool IsPopulationList(ExposureField f);
// The items of list f: the layers, the fields for the people, and for the other
// figures "" (no field) followed by the fields. Nothing for another field.
std::vector<std::string> PopulationListItems(ExposureField f, const PopulationLists& lists);
// The item first chosen in list f: the chosen layer, or the figure's usual
// field; "" when the layer has none.
std::string ProposedPopulationItem(ExposureField f, const PopulationLists& lists);

// The texts of the fields; a list of a GIS source holds the name chosen, "" for
// none.
using ExposureTexts = std::array<std::string, kExposureFieldCount>;
// The first texts: the project's side file when it exists (no GIS lists), the folder
// PROJECT_esposizione beside the project, median, 12,4,8, 4 m, 0.1 m, one row of
// receivers, no estimate, 2.3 persons per dwelling, no incidence, no map, and
// the GIS layers when the project names its coordinate reference system.
ExposureTexts DefaultExposureTexts(const AppState& app);
// The texts the dialog opens with: those of its last run for the same project
// in this session, else the first texts.
ExposureTexts OpeningExposureTexts(const AppState& app);
// Keeps the texts of a run for the next opening.
void KeepExposureTexts(AppState& app, const ExposureTexts& texts);

struct ExposureDialogResult {
  ExposureChoices choices;
  std::string outDir;
  bool gisLayers = false;  // facade_points.gpkg and buildings.gpkg in the project's CRS
};
// The choices, or the message naming the field that cannot be read.
std::variant<ExposureDialogResult, std::string> ReadExposureTexts(const ExposureTexts& texts);

// The WKT of the project's coordinate reference system for the GIS layers of a
// run, or nothing after a message saying why there is none (the project names
// no CRS, its side file is at fault, or the GIS module cannot be loaded).
std::optional<std::string> ExposureLayersCrs(const AppState& app, Ui& ui);

}  // namespace sonvale
