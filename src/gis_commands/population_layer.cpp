#include "gis_commands/population_layer.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include "gis_commands/grid_raster.h"
#include "gis_commands/layer_source.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

struct GeometryDeleter {
  void operator()(void* g) const { OGR_G_DestroyGeometry(static_cast<OGRGeometryH>(g)); }
};
using GeometryPtr = std::unique_ptr<void, GeometryDeleter>;

// Where a feature stands: a point as it is, a point inside a polygon, else the
// centroid; false when GDAL finds none.
bool PlaceOf(OGRGeometryH g, double& x, double& y) {
  const OGRwkbGeometryType type = wkbFlatten(OGR_G_GetGeometryType(g));
  if (type == wkbPoint) {
    x = OGR_G_GetX(g, 0);
    y = OGR_G_GetY(g, 0);
    return true;
  }
  GeometryPtr point(type == wkbPolygon || type == wkbMultiPolygon ? OGR_G_PointOnSurface(g)
                                                                  : nullptr);
  if (!point) {
    point.reset(OGR_G_CreateGeometry(wkbPoint));
    if (OGR_G_Centroid(g, static_cast<OGRGeometryH>(point.get())) != OGRERR_NONE) return false;
  }
  auto* p = static_cast<OGRGeometryH>(point.get());
  if (OGR_G_IsEmpty(p)) return false;
  x = OGR_G_GetX(p, 0);
  y = OGR_G_GetY(p, 0);
  return true;
}

}  // namespace

std::vector<PopulationPlace> ReadPopulationLayer(const std::string& source,
                                                 const PopulationLayerOptions& options) {
  for (const auto& [name, field] : options.fields) {
    if (std::find(std::begin(kPopulationLayerFields), std::end(kPopulationLayerFields), name) ==
        std::end(kPopulationLayerFields))
      throw std::invalid_argument("no figure " + name + " (people, dwellings, use, method)");
  }

  GdalSession session;
  DatasetPtr ds(
      GDALOpenEx(source.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!ds) session.fail(source, "GDAL cannot open it as a vector source");
  OGRLayerH layer =
      ChosenLayer(static_cast<GDALDatasetH>(ds.get()), source, options.layer, "--population-layer");
  const std::string layerName = OGR_L_GetName(layer);
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
  if (!options.fields.count("people")) {
    throw FileError(source, "layer " + layerName + ": no field is named for the people (fields: " +
                                FieldList(defn) + ")");
  }
  std::map<std::string, int> index;
  for (const auto& [name, field] : options.fields) {
    const int k = OGR_FD_GetFieldIndex(defn, field.c_str());
    if (k < 0) {
      throw FileError(source, "layer " + layerName + " has no field " + field +
                                  " (fields: " + FieldList(defn) + ")");
    }
    index[name] = k;
  }
  const TransformPtr transform =
      Reprojection(layer, source, layerName, options.targetCrsWkt, session);

  std::vector<PopulationPlace> places;
  OGR_L_ResetReading(layer);
  while (OGRFeatureH raw = OGR_L_GetNextFeature(layer)) {
    std::unique_ptr<void, void (*)(void*)> feature(
        raw, [](void* f) { OGR_F_Destroy(static_cast<OGRFeatureH>(f)); });
    OGRGeometryH geometry = OGR_F_GetGeometryRef(raw);
    if (!geometry || OGR_G_IsEmpty(geometry)) continue;
    PopulationPlace place;
    place.where = FeatureWhere(layerName, OGR_F_GetFID(raw));
    GeometryPtr copy(OGR_G_Clone(geometry));
    auto* g = static_cast<OGRGeometryH>(copy.get());
    if (transform && OGR_G_Transform(g, static_cast<OGRCoordinateTransformationH>(
                                            transform.get())) != OGRERR_NONE) {
      session.fail(source, place.where + ": cannot reproject");
    }
    if (!PlaceOf(g, place.x, place.y) || !std::isfinite(place.x) || !std::isfinite(place.y))
      throw FileError(source, place.where + ": no point of the geometry can be found");
    auto number = [&](const char* name) -> std::optional<double> {
      auto it = index.find(name);
      if (it == index.end() || !OGR_F_IsFieldSetAndNotNull(raw, it->second)) return std::nullopt;
      const std::string text = OGR_F_GetFieldAsString(raw, it->second);
      const double v = OGR_F_GetFieldAsDouble(raw, it->second);
      if (!std::isfinite(v) || v < 0 || (v == 0 && !IsNumber(text)))
        throw FileError(
            source, place.where + ": " + name + " = \"" + text + "\" is not a number of 0 or more");
      return v;
    };
    auto text = [&](const char* name) {
      auto it = index.find(name);
      if (it == index.end() || !OGR_F_IsFieldSetAndNotNull(raw, it->second)) return std::string();
      return std::string(OGR_F_GetFieldAsString(raw, it->second));
    };
    place.people = number("people").value_or(0);
    place.dwellings = number("dwellings");
    place.use = text("use");
    place.method = text("method");
    places.push_back(std::move(place));
  }
  return places;
}

}  // namespace sonvale
