// The GIS commands on GDAL live in a module of their own (libsonvale_gis.so,
// beside the programs or in their library folder), loaded the first time a GIS
// command runs: a program that never runs one never loads GDAL and its many
// libraries. The window and the command line reach them only through this.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "gis/feature_layer.h"
#include "gis/gis_types.h"
#include "gis/point_levels.h"
#include "model/project.h"
#include "propagation/grid_file.h"

namespace sonvale {

// The version the loaded module must answer to; bump it whenever
// this interface or a type it passes changes.
inline constexpr int kGisModuleVersion = 3;
inline constexpr const char* kGisModuleFile = "libsonvale_gis.so";

// The GIS commands. Each throws FileError or FormatError naming the file at
// fault (std::invalid_argument for a choice that does not fit, as noted), and
// leaves the project as it was when it throws. Safe to call from one thread at a
// time.
class GisModule {
 public:
  virtual ~GisModule() = default;
  // The WKT of EPSG:code; std::invalid_argument when PROJ does not know it.
  virtual std::string crsWkt(int code) const = 0;
  // The names of the vector layers of a source, in the source's order.
  virtual std::vector<std::string> layerNames(const std::string& source) const = 0;
  // The attribute fields of a layer, in the layer's order.
  virtual std::vector<std::string> fieldNames(const std::string& source,
                                              const std::string& layer) const = 0;
  // The layer into the project (std::invalid_argument for an unknown entity field
  // or a row outside the table).
  virtual GisImportReport importLayer(Project& project, const std::string& source,
                                      const GisImportOptions& options) const = 0;
  // The model as GIS layers in the format of path's extension.
  virtual GisExportSummary exportModel(const Project& project, const std::string& path,
                                       const std::string& crsWkt,
                                       const std::map<long, PointLevels>& levels) const = 0;
  virtual void writeGeoTiff(const GridData& grid, const std::string& path,
                            const std::string& crsWkt) const = 0;
  // The isophone bands (and lines) as a GeoPackage; returns the bands written.
  virtual std::vector<Band> writeIsophones(const GridData& grid, const std::string& gridName,
                                           const IsophoneOptions& options,
                                           const std::string& path) const = 0;
  virtual std::vector<Polyline> traceIsolines(const GridData& grid,
                                              const std::vector<double>& levels) const = 0;
  // The places and figures of a layer of people (see PopulationLayerOptions).
  virtual std::vector<PopulationPlace> readPopulationLayer(
      const std::string& source, const PopulationLayerOptions& options) const = 0;
  // The layer as a GeoPackage of its own at path, replacing it.
  virtual void writeFeatureLayer(const FeatureLayer& layer, const std::string& path,
                                 const std::string& crsWkt) const = 0;
};

// The module cannot be found or loaded; what() says where it was looked for and why.
class GisModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The GIS commands, loading the module on the first call (later calls return
// the same object). Throws GisModuleError when it cannot be loaded.
const GisModule& Gis();

// The places the module is looked for, in order: the executable's folder, then
// the library folder of an installation beside it.
std::vector<std::string> GisModuleCandidates();

}  // namespace sonvale
