#include "gis_commands/feature_layer_writer.h"

#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cstdio>

#include "gis_commands/gdal_session.h"
#include "gis_commands/qgis_style.h"

namespace sonvale {
namespace {

OGRFieldType OgrType(FieldKind kind) {
  switch (kind) {
    case FieldKind::Integer:
      return OFTInteger64;
    case FieldKind::Real:
      return OFTReal;
    case FieldKind::Text:
      break;
  }
  return OFTString;
}

void SetValue(OGRFeatureH f, int index, const FieldValue& v) {
  if (const long long* i = std::get_if<long long>(&v)) OGR_F_SetFieldInteger64(f, index, *i);
  if (const double* d = std::get_if<double>(&v)) OGR_F_SetFieldDouble(f, index, *d);
  if (const std::string* s = std::get_if<std::string>(&v))
    OGR_F_SetFieldString(f, index, s->c_str());
}

OGRGeometryH Geometry(const FeatureLayer& layer, const Feature& feature) {
  if (layer.points) {
    OGRGeometryH g = OGR_G_CreateGeometry(wkbPoint25D);
    const Point3& p = feature.geometry.front();
    OGR_G_SetPoint(g, 0, p.X, p.Y, p.Z);
    return g;
  }
  OGRGeometryH ring = OGR_G_CreateGeometry(wkbLinearRing);
  for (const Point3& v : feature.geometry) OGR_G_AddPoint_2D(ring, v.X, v.Y);
  OGR_G_AddPoint_2D(ring, feature.geometry.front().X, feature.geometry.front().Y);
  OGRGeometryH poly = OGR_G_CreateGeometry(wkbPolygon);
  OGR_G_AddGeometryDirectly(poly, ring);
  return poly;
}

bool WriteFeatures(OGRLayerH out, const FeatureLayer& layer) {
  for (const Feature& feature : layer.features) {
    if (feature.geometry.empty() || (!layer.points && feature.geometry.size() < 3)) continue;
    OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(out));
    const size_t n = std::min(feature.values.size(), layer.fields.size());
    for (size_t k = 0; k < n; ++k) SetValue(f, static_cast<int>(k), feature.values[k]);
    OGR_F_SetGeometryDirectly(f, Geometry(layer, feature));
    const bool ok = OGR_L_CreateFeature(out, f) == OGRERR_NONE;
    OGR_F_Destroy(f);
    if (!ok) return false;
  }
  return true;
}

}  // namespace

void WriteFeatureLayer(const FeatureLayer& layer, const std::string& path,
                       const std::string& crsWkt) {
  GdalSession session;
  GDALDriverH driver = GDALGetDriverByName("GPKG");
  if (!driver) session.fail(path, "GDAL has no GeoPackage driver");
  std::remove(path.c_str());
  OGRSpatialReferenceH srs = crsWkt.empty() ? nullptr : OSRNewSpatialReference(crsWkt.c_str());
  GDALDatasetH ds = GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
  if (!ds) {
    if (srs) OSRRelease(srs);
    session.fail(path, "cannot create the GeoPackage");
  }
  OGRLayerH out = GDALDatasetCreateLayer(ds, layer.name.c_str(), srs,
                                         layer.points ? wkbPoint25D : wkbPolygon, nullptr);
  if (srs) OSRRelease(srs);
  bool ok = out != nullptr;
  for (const FeatureField& field : layer.fields) {
    if (!ok) break;
    OGRFieldDefnH defn = OGR_Fld_Create(field.name.c_str(), OgrType(field.kind));
    ok = OGR_L_CreateField(out, defn, TRUE) == OGRERR_NONE;
    OGR_Fld_Destroy(defn);
  }
  if (ok) {
    GDALDatasetStartTransaction(ds, FALSE);
    ok = WriteFeatures(out, layer);
    ok = GDALDatasetCommitTransaction(ds) == OGRERR_NONE && ok;
  }
  if (ok && !layer.styleQml.empty()) ok = AddLayerStyle(ds, layer.name, "geom", layer.styleQml);
  GDALClose(ds);
  if (!ok) session.fail(path, "cannot write the layer " + layer.name);
}

}  // namespace sonvale
