#include "commands/exposure_dialog.h"

#include <algorithm>

#include "commands/gis_menu_commands.h"
#include "commands/map_dialog.h"
#include "commands/project_crs.h"
#include "platform/paths.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

std::string Text(const ExposureTexts& t, ExposureField f) {
  return std::string(TrimBlanks(t[static_cast<size_t>(f)]));
}

// A positive number of the field (0 allowed when zeroAllowed); nullopt otherwise.
std::optional<double> Positive(const std::string& text, bool zeroAllowed) {
  if (!IsNumber(text) || IsOutOfRangeNumber(text)) return std::nullopt;
  const double v = LeadingNumber(text);
  if (v < 0 || (v == 0 && !zeroAllowed) || v > 1e6) return std::nullopt;
  return v;
}

// A check box's text: true for "1", false for "0", nothing for anything else.
std::optional<bool> Ticked(const std::string& text) {
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

std::string Bad(ExposureField f) {
  return std::string(SV_TR("sonvale", "Valore non valido: ")) + ExposureFieldLabel(f);
}

}  // namespace

bool IsGisPopulationSource(const std::string& path) {
  const std::string name = FileNameOnly(path);
  const size_t dot = name.find_last_of('.');
  return !path.empty() && AsciiLower(dot == std::string::npos ? "" : name.substr(dot)) != ".csv";
}

const char* PopulationFigure(ExposureField f) {
  switch (f) {
    case ExposureField::PeopleField:
      return "people";
    case ExposureField::DwellingsField:
      return "dwellings";
    case ExposureField::UseField:
      return "use";
    case ExposureField::MethodField:
      return "method";
    default:
      return nullptr;
  }
}

bool IsPopulationList(ExposureField f) {
  return f == ExposureField::PopulationLayer || PopulationFigure(f) != nullptr;
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
  const char* figure = PopulationFigure(f);
  return figure ? UsualPopulationField(figure, lists.fields) : "";
}

const char* ExposureFieldLabel(ExposureField f) {
  switch (f) {
    case ExposureField::Population:
      return SV_TR("sonvale", "Popolazione (file CSV o layer GIS)");
    case ExposureField::PopulationLayer:
      return SV_TR("sonvale", "Layer della popolazione");
    case ExposureField::PeopleField:
      return SV_TR("sonvale", "Campo abitanti");
    case ExposureField::DwellingsField:
      return SV_TR("sonvale", "Campo alloggi");
    case ExposureField::UseField:
      return SV_TR("sonvale", "Campo destinazione d'uso");
    case ExposureField::MethodField:
      return SV_TR("sonvale", "Campo metodo di assegnazione");
    case ExposureField::OutDir:
      return SV_TR("sonvale", "Cartella dei risultati");
    case ExposureField::Method:
      return SV_TR("sonvale", "Assegnazione abitanti");
    case ExposureField::Periods:
      return SV_TR("sonvale", "Ore giorno, sera, notte");
    case ExposureField::Height:
      return SV_TR("sonvale", "Altezza ricettori sul terreno (m)");
    case ExposureField::Distance:
      return SV_TR("sonvale", "Distanza dalla facciata (m)");
    case ExposureField::Floors:
      return SV_TR("sonvale", "Una fila di ricettori per piano");
    case ExposureField::Estimate:
      return SV_TR("sonvale", "m² per abitante (stima, vuoto = nessuna)");
    case ExposureField::PersonsPerDwelling:
      return SV_TR("sonvale", "Persone per alloggio");
    case ExposureField::IhdIncidence:
      return SV_TR("sonvale", "Incidenza cardiopatia ischemica (casi per persona all'anno)");
    case ExposureField::MapGrid:
      return SV_TR("sonvale", "Mappa per le aree (.GRD, vuoto = nessuna)");
    case ExposureField::GisLayers:
      return SV_TR("sonvale", "Layer GeoPackage nel sistema di riferimento del progetto");
  }
  return "";
}

bool IsExposureCheck(ExposureField f) {
  return f == ExposureField::Floors || f == ExposureField::GisLayers;
}

std::optional<FileDialog> ExposureFileDialog(ExposureField f) {
  if (f == ExposureField::Population) {
    return FileDialog{ExposureFieldLabel(f),
                      SV_TR("sonvale",
                            "Popolazione (CSV o GIS)|*.csv;*.gpkg;*.shp;*.geojson;*.json|Tutti i "
                            "file|*.*"),
                      "*.csv", true, false};
  }
  if (f == ExposureField::MapGrid)
    return FileDialog{ExposureFieldLabel(f), kGrdFilter, "*.GRD", true, false};
  return std::nullopt;
}

std::string ExposureChosenText(ExposureField f, const std::string& path) {
  if (f != ExposureField::MapGrid) return path;
  // NAME_D.grd or NAME_N.grd: the map NAME.grd.
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < 2 || dot + FileNameOnly(path).size() < path.size() + 2)
    return path;
  const char period = path[dot - 1];
  if (path[dot - 2] != '_' || (period != 'D' && period != 'N' && period != 'd' && period != 'n'))
    return path;
  return path.substr(0, dot - 2) + path.substr(dot);
}

const std::vector<std::string>& ExposureMethodItems() {
  static const std::vector<std::string> items = {"median", "facade-length", "loudest"};
  return items;
}

ExposureTexts DefaultExposureTexts(const AppState& app) {
  ExposureTexts t;
  const std::string& project = app.project.ProjectFileName;
  const std::string side = project.empty() ? std::string() : PopulationSideFile(project);
  t[static_cast<size_t>(ExposureField::Population)] = FileExists(side) ? side : "";
  std::string base = project;
  const size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot + FileNameOnly(base).size() >= base.size())
    base = base.substr(0, dot);
  t[static_cast<size_t>(ExposureField::OutDir)] =
      (base.empty() ? "sonvale" : base) + "_esposizione";
  t[static_cast<size_t>(ExposureField::Method)] = "median";
  t[static_cast<size_t>(ExposureField::Periods)] = "12,4,8";
  t[static_cast<size_t>(ExposureField::Height)] = "4";
  t[static_cast<size_t>(ExposureField::Distance)] = "0.1";
  t[static_cast<size_t>(ExposureField::Floors)] = "0";
  t[static_cast<size_t>(ExposureField::Estimate)] = "";
  t[static_cast<size_t>(ExposureField::PersonsPerDwelling)] = "2.3";
  t[static_cast<size_t>(ExposureField::IhdIncidence)] = "";
  t[static_cast<size_t>(ExposureField::MapGrid)] = "";
  bool crs = false;
  try {
    crs = !project.empty() && ReadProjectCrs(project).has_value();
  } catch (const FormatError&) {
    // A side file at fault is mended by "Sistema di riferimento"; no layers until then.
  }
  t[static_cast<size_t>(ExposureField::GisLayers)] = crs ? "1" : "0";
  return t;
}

ExposureTexts OpeningExposureTexts(const AppState& app) {
  if (app.ExposureTexts.size() != kExposureFieldCount ||
      app.ExposureProject != app.project.ProjectFileName)
    return DefaultExposureTexts(app);
  ExposureTexts t;
  std::copy(app.ExposureTexts.begin(), app.ExposureTexts.end(), t.begin());
  return t;
}

void KeepExposureTexts(AppState& app, const ExposureTexts& texts) {
  app.ExposureProject = app.project.ProjectFileName;
  app.ExposureTexts.assign(texts.begin(), texts.end());
}

std::variant<ExposureDialogResult, std::string> ReadExposureTexts(const ExposureTexts& texts) {
  ExposureDialogResult r;
  ExposureChoices& c = r.choices;
  const std::string population = Text(texts, ExposureField::Population);
  if (IsGisPopulationSource(population)) {
    c.populationLayerSource = population;
    PopulationLayerOptions& o = c.populationLayer;
    o.layer = Text(texts, ExposureField::PopulationLayer);
    for (int k = 0; k < kExposureFieldCount; ++k) {
      const auto field = static_cast<ExposureField>(k);
      const char* figure = PopulationFigure(field);
      if (std::string name = Text(texts, field); figure && !name.empty()) o.fields[figure] = name;
    }
    if (!o.fields.count("people")) return Bad(ExposureField::PeopleField);
  } else {
    c.populationFile = population;
  }
  r.outDir = Text(texts, ExposureField::OutDir);
  if (r.outDir.empty()) return Bad(ExposureField::OutDir);
  auto method = ParseAssignMethod(Text(texts, ExposureField::Method));
  if (!method) return Bad(ExposureField::Method);
  c.settings.method = *method;
  auto periods = ParsePeriodScheme(Text(texts, ExposureField::Periods));
  if (!periods) return Bad(ExposureField::Periods);
  c.settings.periods = *periods;
  auto height = Positive(Text(texts, ExposureField::Height), true);
  if (!height) return Bad(ExposureField::Height);
  c.facade.height = *height;
  auto distance = Positive(Text(texts, ExposureField::Distance), false);
  if (!distance) return Bad(ExposureField::Distance);
  c.facade.distance = *distance;
  const std::string estimate = Text(texts, ExposureField::Estimate);
  if (!estimate.empty()) {
    auto m2 = Positive(estimate, false);
    if (!m2) return Bad(ExposureField::Estimate);
    c.estimate.squareMetresPerPerson = *m2;
  }
  auto floors = Ticked(Text(texts, ExposureField::Floors));
  if (!floors) return Bad(ExposureField::Floors);
  c.facade.perFloor = *floors;
  auto perDwelling = Positive(Text(texts, ExposureField::PersonsPerDwelling), false);
  if (!perDwelling) return Bad(ExposureField::PersonsPerDwelling);
  c.personsPerDwelling = *perDwelling;
  const std::string incidence = Text(texts, ExposureField::IhdIncidence);
  if (!incidence.empty()) {
    auto rate = Positive(incidence, true);
    if (!rate || *rate > 1) return Bad(ExposureField::IhdIncidence);
    c.ihdIncidence = *rate;
  }
  c.mapGrid = Text(texts, ExposureField::MapGrid);
  auto layers = Ticked(Text(texts, ExposureField::GisLayers));
  if (!layers) return Bad(ExposureField::GisLayers);
  r.gisLayers = *layers;
  return r;
}

std::optional<std::string> ExposureLayersCrs(const AppState& app, Ui& ui) {
  auto problem = [&ui](const std::string& text) {
    ui.message({kExposureDialogTitle, text, Buttons::Ok, Icon::Warning, Answer::Ok});
    return std::nullopt;
  };
  const std::string& project = app.project.ProjectFileName;
  std::optional<int> code;
  try {
    if (!project.empty()) code = ReadProjectCrs(project);
  } catch (const FormatError& e) {
    return problem(e.what());
  }
  if (!code) {
    return problem(SV_TR("sonvale",
                         "Il progetto non ha un sistema di riferimento: sceglierlo con "
                         "\"Sistema di riferimento (EPSG)...\" per avere i layer GIS."));
  }
  const GisModule* gis = GisOrMessage(ui);
  if (!gis) return std::nullopt;
  try {
    return gis->crsWkt(*code);
  } catch (const std::exception& e) {
    return problem(e.what());
  }
}

}  // namespace sonvale
