#include "gis_commands/gis_layers.h"

#include <gdal.h>
#include <ogr_api.h>

#include "gis_commands/gdal_session.h"
#include "gis_commands/grid_raster.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

DatasetPtr OpenVector(GdalSession& session, const std::string& source) {
  DatasetPtr ds(
      GDALOpenEx(source.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!ds) session.fail(source, "GDAL cannot open it as a vector source");
  return ds;
}

}  // namespace

std::vector<std::string> LayerNames(const std::string& source) {
  GdalSession session;
  DatasetPtr ds = OpenVector(session, source);
  auto* d = static_cast<GDALDatasetH>(ds.get());
  std::vector<std::string> names;
  for (int k = 0; k < GDALDatasetGetLayerCount(d); ++k) {
    names.emplace_back(OGR_L_GetName(GDALDatasetGetLayer(d, k)));
  }
  return names;
}

std::vector<std::string> LayerFieldNames(const std::string& source, const std::string& layer) {
  GdalSession session;
  DatasetPtr ds = OpenVector(session, source);
  OGRLayerH l = GDALDatasetGetLayerByName(static_cast<GDALDatasetH>(ds.get()), layer.c_str());
  if (!l) throw FileError(source, "no layer named " + layer);
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(l);
  std::vector<std::string> names;
  for (int k = 0; k < OGR_FD_GetFieldCount(defn); ++k) {
    names.emplace_back(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, k)));
  }
  return names;
}

}  // namespace sonvale
