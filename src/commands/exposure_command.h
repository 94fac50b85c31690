// The façade exposure as a command, shared by the window ("Esposizione
// facciate..." in "Calcolo") and the command line: the choices of a run, the
// preparation (people, ground, receivers), the assessment and the writing of
// the output folder, which replaces an earlier one only once complete.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/app_state.h"
#include "exposure/exposure_areas.h"
#include "exposure/exposure_assessment.h"
#include "exposure/exposure_parts.h"
#include "exposure/health_effects.h"
#include "gis/gis_types.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kExposureMenuCaption = SV_TR("sonvale", "Esposizione facciate...");

struct ExposureChoices {
  std::string populationFile;  // "" : the project's side file when there is one
  // Instead of the file: a GIS source of people, each feature given to the
  // building it lies in (reprojected into targetCrsWkt, or into the project's
  // CRS when that is empty and the project names one).
  std::string populationLayerSource;
  PopulationLayerOptions populationLayer;
  FacadeOptions facade;
  ExposureSettings settings;
  EstimateOptions estimate;
  double personsPerDwelling = 2.3;
  std::optional<double> ihdIncidence;
  std::string mapGrid;  // a map's base name NAME.grd (day and night grids) or ""
};

struct ExposurePrepared {
  std::string projectPath;
  std::string populationFile;  // the file or GIS source read, "" when none
  std::string populationNote;  // what a GIS source gave, "" for a file
  GroundHeight ground{0};
  FacadeLayout layout;
  std::vector<PopulationRecord> records;
  std::vector<BuildingPopulation> people;
};

// Asks whether to go on when the layout has walls longer than any building has
// (most likely a stray vertex: their points would be placed all along them).
bool ConfirmLongWalls(const FacadeLayout& layout, Ui& ui);

// Reads the population (FileError, FormatError naming the file and line; a GIS
// source also GisModuleError when the GIS module cannot be loaded) and the
// terrain, runs the emission update with its question (nullopt when declined),
// fills the source powers and places the receivers, asking about walls too
// long to be true (nullopt when declined).
std::optional<ExposurePrepared> PrepareExposure(AppState& app, Ui& ui,
                                                const ExposureChoices& choices,
                                                const std::string& projectPath);

std::vector<FacadeReceiver> ExposureReceivers(const FacadeLayout& layout, PointRange range);

struct ExposureResults {
  ExposureAssessment assessment;
  std::vector<HealthFigure> health;
  std::vector<AreaFigures> areas;  // with a map only
};
ExposureResults AssessRun(const ExposurePrepared& prep, const std::vector<PointEnergies>& energies,
                          const ExposureChoices& choices);

// The choices as the report lists them.
std::vector<std::pair<std::string, std::string>> ExposureReportChoices(
    const Project& p, const ExposureChoices& choices, const ExposurePrepared& prep);

// Writes the tables and report.html into a fresh folder beside dir; extra writes
// more files into it (pictures, GIS layers; pictures says whether report.html
// shows them); the folder then takes dir's place. Throws FileError; on any
// failure dir is left as it was.
void WriteExposureFolder(const std::string& dir, const Project& p, const ExposureChoices& choices,
                         const ExposurePrepared& prep, const ExposureResults& results,
                         bool pictures, const std::function<void(const std::string&)>& extra);

// The window's command: prepares, computes on all cores with progress (done,
// total) and the stop flag, writes dir and paints the points on the map in the
// colours of their Lden band. Errors are shown in a message box. Returns the
// report's path, nullopt when declined, stopped or failed.
struct ExposureCommandHooks {
  std::function<void(long done, long total)> progress;
  std::function<void(const std::string& dir, const FacadeLayout&, const ExposureAssessment&)>
      extra;  // pictures into the new folder
};
std::optional<std::string> ExposureCommand(AppState& app, Ui& ui, const ExposureChoices& choices,
                                           const std::string& dir, bool& stopRequested,
                                           const ExposureCommandHooks& hooks = {});

}  // namespace sonvale
