// A GIS module for the tests of the dialogs' logic: layers and fields of
// made-up sources, the imports it was asked for, and no GDAL behind it.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/gis_module.h"
#include "text/file_error.h"

namespace sonvale {

// Layers and fields of made-up sources; PROJ knows every code but 999999.
class StandInGis : public GisModule {
 public:
  std::map<std::string, std::vector<std::string>> fields = {{"vie", {"nome", "NVEICDAY1", "altro"}},
                                                            {"edifici", {"ALTEZZA", "piani"}}};
  std::optional<std::string> importFailure;
  GisImportReport report;
  mutable std::vector<GisImportOptions> imports;

  std::string crsWkt(int code) const override {
    if (code == 999999) throw std::invalid_argument("unknown");
    return "WKT " + std::to_string(code);
  }
  std::vector<std::string> layers = {"vie", "edifici"};
  std::vector<std::string> layerNames(const std::string& source) const override {
    if (source == "missing.gpkg") throw FileError(source, "GDAL cannot open it");
    return layers;
  }
  std::vector<std::string> fieldNames(const std::string&, const std::string& layer) const override {
    return fields.at(layer);
  }
  GisImportReport importLayer(Project& project, const std::string& source,
                              const GisImportOptions& options) const override {
    if (importFailure) throw FileError(source, *importFailure);
    imports.push_back(options);
    project.strade.add();
    return report;
  }
  GisExportSummary exportModel(const Project&, const std::string&, const std::string&,
                               const std::map<long, PointLevels>&) const override {
    return {};
  }
  void writeGeoTiff(const GridData&, const std::string&, const std::string&) const override {}
  std::vector<Band> writeIsophones(const GridData&, const std::string&, const IsophoneOptions&,
                                   const std::string&) const override {
    return {};
  }
  std::vector<Polyline> traceIsolines(const GridData&, const std::vector<double>&) const override {
    return {};
  }
  std::vector<PopulationPlace> readPopulationLayer(const std::string&,
                                                   const PopulationLayerOptions&) const override {
    return {};
  }
  void writeFeatureLayer(const FeatureLayer&, const std::string&,
                         const std::string&) const override {}
};

}  // namespace sonvale
