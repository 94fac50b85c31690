// Imports of GIS vector layers (GeoPackage, Shapefile, GeoJSON, CSV with WKT, any
// source OGR reads) into the entity tables: roads and tracks from lines,
// buildings and barriers from polygons or lines, receiver points and point
// sources from points. Source fields fill entity fields as mapped; fields not
// mapped, or empty in a feature, are left empty. Every part of a multi-part
// geometry becomes an entity; Z is taken where the geometry has it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"

namespace sonvale {

enum class GisKind { Strade, Binari, Case, Barriere, Punti, Sorgenti };
std::optional<GisKind> ParseGisKind(const std::string& word);

// The entity fields a source field may fill for a kind (Nome, NveicDay1, ...).
std::vector<std::string> MappableFields(GisKind kind);

// How the new entities join those present, as for drawing imports.
enum class GisMergeMode { Overwrite, Append, Insert, Replace };

struct GisImportOptions {
  GisKind kind = GisKind::Strade;
  std::string layer;                          // empty: the source's only layer
  std::map<std::string, std::string> fields;  // entity field -> source field
  // Buildings and barriers: the height above the geometry's Z (0 without Z) of
  // every vertex, when no Altezza field is mapped.
  std::optional<double> height;
  std::string targetCrsWkt;  // reproject into it (the layer must name its own)
  GisMergeMode mode = GisMergeMode::Overwrite;
  long row = 0;  // first row of Insert and Replace
};

struct GisImportReport {
  long features = 0;               // features read
  long imported = 0;               // entities stored
  long skippedFull = 0;            // parts left out because the table was full
  long skippedVertices = 0;        // parts left out for having too many vertices
  long skippedBeyond = 0;          // Replace: parts beyond the last row, not counted
  long skippedEmpty = 0;           // features without geometry or with too few vertices
  std::vector<std::string> notes;  // one line per kind of part left out
};

// Imports the layer into the project. Throws FileError naming the source (and
// the layer and feature where one is at fault) when the source is unreadable, a
// layer or field is missing, the layer names no CRS to reproject from, a
// geometry is of a type the kind cannot take or a value lies outside its list;
// std::invalid_argument for an unknown entity field or a row outside the table.
// The project is then left exactly as it was.
GisImportReport ImportGisLayer(Project& project, const std::string& source,
                               const GisImportOptions& options);

}  // namespace sonvale
