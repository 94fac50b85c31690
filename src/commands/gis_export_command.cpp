#include "commands/gis_export_command.h"

#include "commands/project_crs.h"
#include "emission/emission_update.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {

std::optional<GisExportSummary> ExportModelGis(const Project& project, const Configuration& config,
                                               const EmissionTables& tables, Ui& ui,
                                               const GisModule& gis, const std::string& path) {
  ui.setBusy(true);
  try {
    if (!GisFormatOf(path)) {
      throw std::invalid_argument(
          path + SV_TR("sonvale", ": il nome deve finire in .gpkg, .shp, .geojson o .json"));
    }
    Project updated = project;
    UpdateEmissions(updated, config, tables);
    GisExportSummary summary = gis.exportModel(
        updated, path, ProjectCrsWkt(project.ProjectFileName, gis), std::map<long, PointLevels>{});
    ui.setBusy(false);
    std::string counts;
    for (const char* layer : kModelLayers) {
      counts += (counts.empty() ? "" : ", ") + std::string(layer) + " " +
                PlainInteger(summary.features[layer]);
    }
    SetStatus(ui,
              std::string(SV_TR("sonvale", "Scritto ")) + GisLayerFile(path, "*") + ": " + counts);
    return summary;
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ui.message(Message{ProgramTitle(),
                       SV_TR("sonvale", "Esportazione GIS non riuscita: ") + std::string(e.what()),
                       Buttons::Ok, Icon::Critical, Answer::Ok});
    return std::nullopt;
  }
}

std::optional<std::string> CmdEsportaGis(const Project& project, const Configuration& config,
                                         const EmissionTables& tables, Ui& ui,
                                         const GisModule& gis) {
  std::optional<std::string> path =
      ui.saveFile(FileDialog{kGisExportTitle, kGisExportFilter, "*.gpkg", false, true});
  if (!path) return std::nullopt;
  if (!ExportModelGis(project, config, tables, ui, gis, *path)) return std::nullopt;
  return path;
}

}  // namespace sonvale
