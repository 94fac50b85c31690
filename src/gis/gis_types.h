// What the GIS commands take and give, without GDAL: the entity kinds a layer
// is imported into with their fields and value rules, the import options and
// report, the export summary and the isophone options. The GDAL side
// (src/gis_commands) does the work; the window and the command line fill these.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gis/noise_bands.h"

namespace sonvale {

enum class GisKind { Strade, Binari, Case, Barriere, Punti, Sorgenti };
inline constexpr GisKind kGisKinds[] = {GisKind::Strade,   GisKind::Binari, GisKind::Case,
                                        GisKind::Barriere, GisKind::Punti,  GisKind::Sorgenti};
std::optional<GisKind> ParseGisKind(const std::string& word);
// "strade", "binari", "case", "barriere", "punti", "sorgenti".
const char* GisKindWord(GisKind kind);

// An entity field a source field may fill: its name, whether it holds text, and
// for numbers whether it is whole and the range it must lie in.
struct GisFieldRule {
  std::string name;
  bool text = false;
  bool whole = false;
  double lo = -1e300, hi = 1e300;
};
std::vector<GisFieldRule> GisFieldRules(GisKind kind);
// The names of those fields (Nome, NveicDay1, ...).
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

// A layer of people (address points, census blocks, building footprints) read
// for the façade exposure: the source fields of the figures, by the names
// people (required), dwellings, use and method, and the system to reproject into.
inline constexpr const char* kPopulationLayerFields[] = {"people", "dwellings", "use", "method"};
struct PopulationLayerOptions {
  std::string layer;                          // empty: the source's only layer
  std::map<std::string, std::string> fields;  // people, ... -> source field
  std::string targetCrsWkt;
};
// One feature of it: where it stands (the point, or a point inside the polygon
// or on the line) and its figures; use and method as written ("" when unset).
struct PopulationPlace {
  double x = 0, y = 0;
  double people = 0;
  std::optional<double> dwellings;
  std::string use, method;
  std::string where;  // "layer L, feature N", for messages
};

struct GisExportSummary {
  std::map<std::string, long> features;  // layer -> features written
  long skipped = 0;  // buildings with fewer than three vertices, written as no polygon
};

// The formats the model is exported to, told by the name's extension: .gpkg
// (all layers in one file), .shp and .geojson or .json (one file per layer).
enum class GisFormat { GeoPackage, Shapefile, GeoJson };
std::optional<GisFormat> GisFormatOf(const std::string& path);
// The layers of the model, in the order they are written.
inline constexpr const char* kModelLayers[] = {"strade",   "binari", "case",
                                               "barriere", "punti",  "sorgenti"};
// The file that holds the layer: path itself for a GeoPackage, else the name
// with "_layer" before the extension ("out_strade.shp").
std::string GisLayerFile(const std::string& path, const char* layer);

inline constexpr const char* kBandLayer = "isophone_bands";
inline constexpr const char* kLineLayer = "isophone_lines";

struct IsophoneOptions {
  std::vector<double> levels;  // ascending
  BandScheme scheme = BandScheme::Din18005;
  bool lines = false;
  std::string crsWkt;  // may be empty
};

// An isoline as a polyline of (x, y), for pictures.
using Polyline = std::vector<std::pair<double, double>>;

}  // namespace sonvale
