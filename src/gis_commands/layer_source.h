// What the readers of vector layers share: the layer a source and a name
// choose, the field list for messages, the reprojection into the project's
// system, and how a feature is named in an error.
#pragma once

#include <gdal.h>
#include <ogr_api.h>

#include <memory>
#include <string>

#include "gis_commands/gdal_session.h"

namespace sonvale {

struct TransformDeleter {
  void operator()(void* t) const;
};
using TransformPtr = std::unique_ptr<void, TransformDeleter>;

// "layer L, feature N".
std::string FeatureWhere(const std::string& layer, GIntBig fid);

// The names of the layer's fields, comma-separated ("none" without any).
std::string FieldList(OGRFeatureDefnH defn);

// The layer named `name`, or the source's only one when name is empty. Throws
// FileError naming the source when there is no such layer, or several to
// choose from (the message points to `option`, which names the layer).
OGRLayerH ChosenLayer(GDALDatasetH dataset, const std::string& source, const std::string& name,
                      const std::string& option);

// The reprojection from the layer's system into targetCrsWkt, or none when that
// is empty. Throws FileError when the layer names no system to reproject from.
TransformPtr Reprojection(OGRLayerH layer, const std::string& source, const std::string& layerName,
                          const std::string& targetCrsWkt, const GdalSession& session);

}  // namespace sonvale
