// The entry point of the GIS module: the GisModule of src/commands/gis_module.h
// on the GDAL functions of this folder.
#include "commands/gis_module.h"
#include "gis_commands/crs_wkt.h"
#include "gis_commands/feature_layer_writer.h"
#include "gis_commands/geotiff.h"
#include "gis_commands/gis_export.h"
#include "gis_commands/gis_import.h"
#include "gis_commands/gis_layers.h"
#include "gis_commands/isophones.h"
#include "gis_commands/population_layer.h"

namespace sonvale {
namespace {

class GdalGisModule final : public GisModule {
 public:
  std::string crsWkt(int code) const override { return CrsWkt(code); }
  std::vector<std::string> layerNames(const std::string& source) const override {
    return LayerNames(source);
  }
  std::vector<std::string> fieldNames(const std::string& source,
                                      const std::string& layer) const override {
    return LayerFieldNames(source, layer);
  }
  GisImportReport importLayer(Project& project, const std::string& source,
                              const GisImportOptions& options) const override {
    return ImportGisLayer(project, source, options);
  }
  GisExportSummary exportModel(const Project& project, const std::string& path,
                               const std::string& crsWkt,
                               const std::map<long, PointLevels>& levels) const override {
    return ExportGis(project, path, crsWkt, levels);
  }
  void writeGeoTiff(const GridData& grid, const std::string& path,
                    const std::string& crsWkt) const override {
    WriteGeoTiff(grid, path, crsWkt);
  }
  std::vector<Band> writeIsophones(const GridData& grid, const std::string& gridName,
                                   const IsophoneOptions& options,
                                   const std::string& path) const override {
    return WriteIsophones(grid, gridName, options, path);
  }
  std::vector<Polyline> traceIsolines(const GridData& grid,
                                      const std::vector<double>& levels) const override {
    return TraceIsolines(grid, levels);
  }
  std::vector<PopulationPlace> readPopulationLayer(
      const std::string& source, const PopulationLayerOptions& options) const override {
    return ReadPopulationLayer(source, options);
  }
  void writeFeatureLayer(const FeatureLayer& layer, const std::string& path,
                         const std::string& crsWkt) const override {
    WriteFeatureLayer(layer, path, crsWkt);
  }
};

}  // namespace
}  // namespace sonvale

extern "C" __attribute__((visibility("default"))) const sonvale::GisModule* sonvale_gis_module(
    int version) {
  static const sonvale::GdalGisModule module;
  return version == sonvale::kGisModuleVersion ? &module : nullptr;
}
