// Imports of GIS vector layers (GeoPackage, Shapefile, GeoJSON, CSV with WKT, any
// source OGR reads) into the entity tables: roads and tracks from lines,
// buildings and barriers from polygons or lines, receiver points and point
// sources from points. Source fields fill entity fields as mapped; fields not
// mapped, or empty in a feature, are left empty. Every part of a multi-part
// geometry becomes an entity; Z is taken where the geometry has it.
#pragma once

#include <string>

#include "gis/gis_types.h"
#include "model/project.h"

namespace sonvale {

// Imports the layer into the project. Throws FileError naming the source (and
// the layer and feature where one is at fault) when the source is unreadable, a
// layer or field is missing, the layer names no CRS to reproject from, a
// geometry is of a type the kind cannot take or a value lies outside its list;
// std::invalid_argument for an unknown entity field or a row outside the table.
// The project is then left exactly as it was.
GisImportReport ImportGisLayer(Project& project, const std::string& source,
                               const GisImportOptions& options);

}  // namespace sonvale
