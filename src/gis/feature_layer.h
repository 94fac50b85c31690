// A layer of features for a GeoPackage, without GDAL: its fields, and per feature
// a point or a polygon's outer ring with one value per field; the GIS module
// writes it. Numbers are kept as numbers, so that GIS programs can sort and
// filter on them.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "model/project.h"

namespace sonvale {

enum class FieldKind { Integer, Real, Text };

struct FeatureField {
  std::string name;
  FieldKind kind = FieldKind::Real;
};

// An unset value (std::monostate) leaves the field empty.
using FieldValue = std::variant<std::monostate, long long, double, std::string>;

struct Feature {
  std::vector<Point3> geometry;    // one point, or the ring of a polygon (not closed)
  std::vector<FieldValue> values;  // one per field, in the fields' order
};

struct FeatureLayer {
  std::string name;
  bool points = true;  // points with Z, else polygons
  std::vector<FeatureField> fields;
  std::vector<Feature> features;
  std::string styleQml;  // the default style GIS programs apply; empty for none
};

}  // namespace sonvale
