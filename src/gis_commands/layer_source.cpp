#include "gis_commands/layer_source.h"

#include <ogr_srs_api.h>

#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

struct SrsDeleter {
  void operator()(void* s) const {
    if (s) OSRRelease(static_cast<OGRSpatialReferenceH>(s));
  }
};

}  // namespace

void TransformDeleter::operator()(void* t) const {
  if (t) OCTDestroyCoordinateTransformation(static_cast<OGRCoordinateTransformationH>(t));
}

std::string FeatureWhere(const std::string& layer, GIntBig fid) {
  return "layer " + layer + ", feature " + PlainInteger(static_cast<long long>(fid));
}

std::string FieldList(OGRFeatureDefnH defn) {
  std::string list;
  for (int k = 0; k < OGR_FD_GetFieldCount(defn); ++k) {
    list += (k ? ", " : "") + std::string(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, k)));
  }
  return list.empty() ? "none" : list;
}

OGRLayerH ChosenLayer(GDALDatasetH dataset, const std::string& source, const std::string& name,
                      const std::string& option) {
  if (!name.empty()) {
    OGRLayerH layer = GDALDatasetGetLayerByName(dataset, name.c_str());
    if (!layer) throw FileError(source, "no layer named " + name);
    return layer;
  }
  if (GDALDatasetGetLayerCount(dataset) != 1) {
    std::string names;
    for (int k = 0; k < GDALDatasetGetLayerCount(dataset); ++k) {
      names += (k ? ", " : "") + std::string(OGR_L_GetName(GDALDatasetGetLayer(dataset, k)));
    }
    throw FileError(source, "the source holds " + PlainInteger(GDALDatasetGetLayerCount(dataset)) +
                                " layers (" + names + "): name one with " + option);
  }
  return GDALDatasetGetLayer(dataset, 0);
}

TransformPtr Reprojection(OGRLayerH layer, const std::string& source, const std::string& layerName,
                          const std::string& targetCrsWkt, const GdalSession& session) {
  TransformPtr transform;
  if (targetCrsWkt.empty()) return transform;
  OGRSpatialReferenceH from = OGR_L_GetSpatialRef(layer);
  if (!from) {
    throw FileError(
        source, "layer " + layerName + " names no coordinate reference system to reproject from");
  }
  std::unique_ptr<void, SrsDeleter> sourceSrs(OSRClone(from));
  std::unique_ptr<void, SrsDeleter> target(OSRNewSpatialReference(targetCrsWkt.c_str()));
  OSRSetAxisMappingStrategy(static_cast<OGRSpatialReferenceH>(sourceSrs.get()),
                            OAMS_TRADITIONAL_GIS_ORDER);
  OSRSetAxisMappingStrategy(static_cast<OGRSpatialReferenceH>(target.get()),
                            OAMS_TRADITIONAL_GIS_ORDER);
  transform.reset(OCTNewCoordinateTransformation(static_cast<OGRSpatialReferenceH>(sourceSrs.get()),
                                                 static_cast<OGRSpatialReferenceH>(target.get())));
  if (!transform) session.fail(source, "cannot reproject layer " + layerName);
  return transform;
}

}  // namespace sonvale
