#include "commands/exposure_command.h"

#include <unistd.h>

#include <filesystem>

#include "commands/emission_commands.h"
#include "commands/exposure_population_layer.h"
#include "commands/exposure_population_source.h"
#include "commands/facade_points_view.h"
#include "commands/gis_module.h"
#include "commands/project_crs.h"
#include "exposure/exposure_report.h"
#include "exposure/exposure_tables.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "propagation/grid_file.h"
#include "propagation/node_pool.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

// A relative terrain name stands beside the project when it is not found as given.
std::string TerrainBeside(const std::string& name, const std::string& projectPath) {
  if (name.empty() || FileExists(name) || name.front() == '/') return name;
  const std::string dir =
      projectPath.substr(0, projectPath.size() - FileNameOnly(projectPath).size());
  return FileExists(dir + name) ? dir + name : name;
}

std::string OnOffText(bool v) { return v ? "on" : "off"; }

}  // namespace

bool ConfirmLongWalls(const FacadeLayout& layout, Ui& ui) {
  if (layout.longWalls.empty()) return true;
  std::string list;
  for (size_t k = 0; k < layout.longWalls.size() && k < 5; ++k) {
    const FacadeLayout::LongWall& w = layout.longWalls[k];
    list += (k ? ", " : "") + PlainInteger(w.building) + "/" + PlainInteger(w.wall) + " " +
            FormatPattern(w.length / 1000, "0.0") + " km";
  }
  if (layout.longWalls.size() > 5) list += ", ...";
  Message m;
  m.title = SV_TR("sonvale", "Attenzione!");
  m.text = SV_TR("sonvale",
                 "Pareti più lunghe di 2 km, forse per un vertice sbagliato (edificio/parete): ") +
           list + SV_TR("sonvale", ". Continuare?");
  m.buttons = Buttons::YesNo;
  m.icon = Icon::Warning;
  m.defaultButton = Answer::No;
  return ui.message(m) == Answer::Yes;
}

std::optional<ExposurePrepared> PrepareExposure(AppState& app, Ui& ui,
                                                const ExposureChoices& choices,
                                                const std::string& projectPath) {
  ExposurePrepared prep;
  prep.projectPath = projectPath;
  Project& p = app.project;
  // The people first: a bad population file ends the run before any work.
  if (!choices.populationLayerSource.empty()) {
    const GisModule& gis = Gis();
    const std::string& source = choices.populationLayerSource;
    PopulationLayerOptions layer = choices.populationLayer;
    const std::string fields = ProposePopulationFields(gis, source, layer);
    if (layer.targetCrsWkt.empty()) layer.targetCrsWkt = ProjectCrsWkt(projectPath, gis);
    PopulationLayerReport report;
    prep.records = PopulationFromPlaces(p, gis.readPopulationLayer(source, layer), source, report);
    prep.populationFile =
        source + (layer.layer.empty() ? std::string() : " (layer " + layer.layer + ")");
    prep.populationNote = PopulationLayerText(report) + "; fields " + fields;
  } else {
    prep.populationFile =
        choices.populationFile.empty() ? PopulationSideFile(projectPath) : choices.populationFile;
    if (!choices.populationFile.empty() || FileExists(prep.populationFile)) {
      prep.records = ReadPopulationFile(prep.populationFile, p.case_.count());
    } else {
      prep.populationFile.clear();
    }
  }
  if (!p.FileAltimetria.empty()) {
    prep.ground =
        GroundHeight(ReadTerrainHeights(TerrainBeside(p.FileAltimetria, projectPath)), p.QuotaZ);
  } else {
    prep.ground = GroundHeight(p.QuotaZ);
  }
  if (!ConfirmMissingEmissions(app, ui)) return std::nullopt;
  if (!p.AzzeraStandard) {
    SetupReport report;
    FillSourcePowers(p, report);
    for (const std::string& m : report.messages) ui.showStatus(m);
  }
  prep.layout = PlaceFacadePoints(p, choices.facade, prep.ground);
  if (!ConfirmLongWalls(prep.layout, ui)) return std::nullopt;
  prep.people = BuildingPopulations(p, prep.records, choices.estimate, choices.personsPerDwelling,
                                    prep.ground);
  return prep;
}

std::vector<FacadeReceiver> ExposureReceivers(const FacadeLayout& layout, PointRange range) {
  std::vector<FacadeReceiver> at;
  for (size_t i = range.first; i < range.last; ++i) {
    const FacadePoint& f = layout.points[i];
    at.push_back({{f.x, f.y, f.z}, {f.building, f.facade}});
  }
  return at;
}

ExposureResults AssessRun(const ExposurePrepared& prep, const std::vector<PointEnergies>& energies,
                          const ExposureChoices& choices) {
  ExposureResults r;
  r.assessment = AssessExposure(prep.layout, energies, prep.people, choices.settings);
  r.health = ExposureHealth(r.assessment, choices.ihdIncidence);
  if (!choices.mapGrid.empty()) {
    const std::string day = PassFileName(choices.mapGrid, true);
    const std::string night = PassFileName(choices.mapGrid, false);
    r.areas = AreasAbove(ReadTerrainGrid(day), ReadTerrainGrid(night), day,
                         choices.settings.periods, prep.layout, r.assessment);
  }
  return r;
}

std::vector<std::pair<std::string, std::string>> ExposureReportChoices(
    const Project& p, const ExposureChoices& o, const ExposurePrepared& prep) {
  std::vector<std::pair<std::string, std::string>> c;
  c.push_back({"Periods (hours day, evening, night)", PeriodSchemeText(o.settings.periods)});
  c.push_back({"Evening level",
               "taken equal to the day level (the project has day and night "
               "levels only); Lnight = the night level"});
  c.push_back({"Façade receivers",
               "split per CNOSSOS-EU 2.8 as amended by Directive (EU) 2021/1226: walls in "
               "equal pieces of at most 5 m, a receiver in front of the middle of each; walls "
               "under 2.5 m joined with their short neighbours; " +
                   FormatPattern(o.facade.distance, "0.0#") + " m in front of the wall"});
  c.push_back(
      {"Receiver height", o.facade.perFloor
                              ? "one row per floor, 1.5 m above each floor (3 m storeys)"
                              : FormatPattern(o.facade.height, "0.0#") + " m above the " +
                                    (prep.ground.onTerrain() ? "terrain grid" : "plane QuotaZ")});
  c.push_back({"Points dropped", "inside a building, or within 1 m of a road or track axis"});
  c.push_back({"Own wall", "left out of the building diffraction of the receiver's paths"});
  c.push_back({"Population", prep.populationFile.empty() ? "no file" : prep.populationFile});
  if (!prep.populationNote.empty()) {
    c.push_back({"People of the GIS source",
                 prep.populationNote +
                     "; each feature to the building its point (inside a polygon) lies in, "
                     "figures summed, the most sensitive use kept"});
  }
  c.push_back({"Estimate of unlisted buildings",
               o.estimate.squareMetresPerPerson > 0
                   ? "footprint x storeys (height / 3 m) / " +
                         PlainNumber(o.estimate.squareMetresPerPerson) + " m² per person"
                   : "none (unlisted buildings have nobody)"});
  c.push_back({"Persons per dwelling", PlainNumber(o.personsPerDwelling)});
  c.push_back({"Assignment of people (buildings without their own method)",
               AssignMethodName(o.settings.method)});
  c.push_back({"Counted",
               "people and dwellings of residential buildings; schools and "
               "hospitals in the band of their loudest façade"});
  c.push_back({"Bands", "of the level as written (0.1 dB): 55.0 <= L < 60.0 is 55-59"});
  c.push_back({"Rounding", "people and dwellings to the nearest hundred, a half up (Annex VI)"});
  c.push_back({"Quiet façade", "at least " + PlainNumber(o.settings.quietMargin) +
                                   " dB below the loudest façade (Lden, all sources)"});
  c.push_back({"Levels",
               "propagation engine of the maps, without the per-line term of the "
               "grid and without background; road and rail columns: the sources of "
               "each kind alone"});
  c.push_back({"Diffraction (barriers, buildings)",
               OnOffText(p.DiffrBarriere) + ", " + OnOffText(p.DiffrCase)});
  c.push_back({"DistMax (m)", PlainNumber(p.DistMax)});
  c.push_back({"Year", PlainInteger(p.Anno)});
  c.push_back({"Health", "Directive (EU) 2020/367 Annex III; IHD incidence " +
                             (o.ihdIncidence ? PlainNumber(*o.ihdIncidence) + " per person a year"
                                             : std::string("not given: fraction only"))});
  return c;
}

void WriteExposureFolder(const std::string& dir, const Project& p, const ExposureChoices& choices,
                         const ExposurePrepared& prep, const ExposureResults& results,
                         bool pictures, const std::function<void(const std::string&)>& extra) {
  const fs::path target(dir);
  const fs::path temp = target.string() + ".tmp" + std::to_string(getpid());
  std::error_code ec;
  fs::remove_all(temp, ec);
  if (!fs::create_directories(temp, ec) && ec) throw FileError(temp.string(), ec.message());
  try {
    const std::string t = temp.string();
    const ExposureAssessment& a = results.assessment;
    WriteFileAtomically(t + "/facade_points.csv", FacadePointsCsv(prep.layout, a));
    WriteFileAtomically(t + "/buildings.csv", BuildingsCsv(a));
    WriteFileAtomically(t + "/exposure.csv", ExposureCsv(a));
    WriteFileAtomically(t + "/health.csv", HealthCsv(results.health));
    if (!choices.mapGrid.empty()) WriteFileAtomically(t + "/areas.csv", AreasCsv(results.areas));
    if (extra) extra(t);
    ExposureReportInputs report;
    report.project = prep.projectPath;
    report.choices = ExposureReportChoices(p, choices, prep);
    report.layout = &prep.layout;
    report.assessment = &a;
    report.health = results.health;
    report.areas = results.areas;
    report.chart = report.map = pictures;
    WriteFileAtomically(t + "/report.html", ExposureReportHtml(report));
  } catch (...) {
    fs::remove_all(temp, ec);
    throw;
  }
  // An earlier result moves aside and goes only once the new one is in place.
  const fs::path old = target.string() + ".old" + std::to_string(getpid());
  const bool hadOld = fs::exists(target);
  if (hadOld) {
    fs::rename(target, old, ec);
    if (ec) {
      fs::remove_all(temp, ec);
      throw FileError(dir, "cannot replace the folder: " + ec.message());
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    if (hadOld) fs::rename(old, target, ec);
    fs::remove_all(temp, ec);
    throw FileError(dir, "cannot create the folder");
  }
  if (hadOld) fs::remove_all(old, ec);
}

std::optional<std::string> ExposureCommand(AppState& app, Ui& ui, const ExposureChoices& choices,
                                           const std::string& dir, bool& stopRequested,
                                           const ExposureCommandHooks& hooks) {
  stopRequested = false;
  try {
    std::optional<ExposurePrepared> prep =
        PrepareExposure(app, ui, choices, app.project.ProjectFileName);
    if (!prep) return std::nullopt;
    const long total = static_cast<long>(prep->layout.points.size());
    ui.showStatus(SV_TR("sonvale", "Esposizione facciate: ") + PlainInteger(total) +
                  SV_TR("sonvale", " punti..."));
    FacadeLevelOptions lo;
    lo.engine = app.engine.kind;
    lo.threads = DefaultThreadCount();
    lo.progress = [&](long done) {
      if (hooks.progress) hooks.progress(done, total);
      ui.processEvents();
      return !stopRequested;
    };
    std::vector<PointEnergies> energies;
    if (!ComputeFacadeEnergies(app.project, app.config,
                               ExposureReceivers(prep->layout, {0, prep->layout.points.size()}), lo,
                               energies)) {
      ui.showStatus(SV_TR("sonvale", "Esposizione facciate interrotta"));
      return std::nullopt;
    }
    ExposureResults results = AssessRun(*prep, energies, choices);
    std::function<void(const std::string&)> extra;
    if (hooks.extra) {
      extra = [&](const std::string& t) { hooks.extra(t, prep->layout, results.assessment); };
    }
    WriteExposureFolder(dir, app.project, choices, *prep, results, static_cast<bool>(hooks.extra),
                        extra);
    std::vector<FacadePointRow> shown;
    shown.reserve(prep->layout.points.size());
    for (size_t i = 0; i < prep->layout.points.size(); ++i) {
      const FacadePoint& f = prep->layout.points[i];
      const KindLevels& all =
          results.assessment.points[i].levels[static_cast<size_t>(SourceKind::All)];
      shown.push_back({f.building, f.facade, f.x, f.y, all.night, all.lden});
    }
    app.view().showMarks(FacadePointMarks(shown));
    ui.showStatus(SV_TR("sonvale", "Esposizione facciate: ") + dir);
    return dir + "/report.html";
  } catch (const FormatError& e) {
    ui.message({"Errore", e.file() + ":" + PlainInteger(e.line()) + ": " + e.message(), Buttons::Ok,
                Icon::Critical, Answer::Ok});
  } catch (const FileError& e) {
    ui.message({"Errore", e.file() + ": " + e.message(), Buttons::Ok, Icon::Critical, Answer::Ok});
  } catch (const std::exception& e) {
    // The GIS module missing, a figure name it does not know, a full table.
    ui.message({"Errore", e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
  }
  return std::nullopt;
}

}  // namespace sonvale
