// "Esporta GIS...": the model as GIS layers, in the format the file name's
// extension says (GeoPackage, Shapefile, GeoJSON), in the project's CRS, with
// the emission levels of the year as the command line's export-gis writes them.
#pragma once

#include <optional>
#include <string>

#include "commands/gis_module.h"
#include "model/project.h"
#include "platform/ui.h"
#include "project/configuration.h"
#include "project/emission_tables.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kGisExportTitle = SV_TR("sonvale", "Esporta GIS");
inline const char* const kGisExportFilter = SV_TR(
    "sonvale",
    "GeoPackage|*.gpkg|Shapefile (un file per layer)|*.shp|GeoJSON (un file per layer)|*.geojson");

// Writes the layers; the project itself is not changed (the emission is
// updated on a copy). A failure is shown in a message box; returns the summary,
// or nothing then.
std::optional<GisExportSummary> ExportModelGis(const Project& project, const Configuration& config,
                                               const EmissionTables& tables, Ui& ui,
                                               const GisModule& gis, const std::string& path);

// The file dialog, then the export. Returns the path written, or nothing.
std::optional<std::string> CmdEsportaGis(const Project& project, const Configuration& config,
                                         const EmissionTables& tables, Ui& ui,
                                         const GisModule& gis);

}  // namespace sonvale
