// "Importa layer GIS..." without its window: the source file, its layer from
// the list GDAL gives, the entity kind, a source field for every entity field
// of the kind (from the layer's own field names), the height of buildings and
// barriers, the CRS to reproject into and the way the entities join those
// present (overwrite, append, insert or replace from a row, as in the drawing
// imports). The window shows a GisImportForm and passes every choice here.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/gis_module.h"
#include "gis/gis_types.h"
#include "model/project.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kGisImportTitle = SV_TR("sonvale", "Importa layer GIS");
inline const char* const kGisSourceFilter =
    SV_TR("sonvale", "File GIS|*.gpkg;*.shp;*.geojson;*.json;*.csv;*.kml;*.gml|Tutti i file|*.*");

// The captions of the dialog's controls.
inline const char* const kGisFileCaption = SV_TR("sonvale", "&File:");
inline const char* const kGisLayerCaption = SV_TR("sonvale", "&Layer:");
inline const char* const kGisKindCaption = SV_TR("sonvale", "&Tipo di entità:");
inline const char* const kGisFieldsCaption =
    SV_TR("sonvale", "Campi (campo dell'entità: campo del layer)");
inline const char* const kGisHeightCaption = SV_TR("sonvale", "&Altezza (m):");
inline const char* const kGisCrsCaption = SV_TR("sonvale", "&Sistema di riferimento (EPSG):");
inline const char* const kGisModeCaption = SV_TR("sonvale", "&Modo:");
inline const char* const kGisRowCaption = SV_TR("sonvale", "Dalla &riga:");
inline const char* const kGisImportOkCaption = SV_TR("sonvale", "OK - Importa");
// The captions of the kinds in the kind list, in the order of kGisKinds.
const char* GisKindCaption(GisKind kind);
// The captions of the four ways of joining, in the order of GisMergeMode.
const char* GisModeCaption(GisMergeMode mode);
// The entry of a field list that maps no source field.
inline const char* const kNoSourceField = SV_TR("sonvale", "(nessuno)");

struct GisImportForm {
  std::string source;
  std::vector<std::string> layers;  // of the source, in its order
  int layer = -1;                   // index into layers
  GisKind kind = GisKind::Strade;
  std::vector<std::string> sourceFields;  // of the chosen layer
  // One row per entity field of the kind: the field and the source field that
  // fills it ("" for none).
  std::vector<std::pair<std::string, std::string>> mapping;
  std::string height;  // buildings and barriers; empty: none
  std::string crs;     // "EPSG:n" or a bare code to reproject into; empty: none
  GisMergeMode mode = GisMergeMode::Overwrite;
  std::string row = "1";  // first row of insert and replace

  // Whether the height box and the row box take input for the kind and mode.
  bool heightUsed() const { return kind == GisKind::Case || kind == GisKind::Barriere; }
  bool rowUsed() const { return mode == GisMergeMode::Insert || mode == GisMergeMode::Replace; }
};

// A form for a project whose CRS (its side file) is crsCode, when it has one.
GisImportForm NewGisImportForm(std::optional<int> crsCode);

// The source chosen: its layers (the first one chosen, with its fields). Throws
// FileError when GDAL cannot read it; the form is then unchanged.
void ChooseGisSource(GisImportForm& form, const GisModule& gis, const std::string& path);
// A layer chosen: its fields, and the mapping proposed anew.
void ChooseGisLayer(GisImportForm& form, const GisModule& gis, int index);
// A kind chosen: one mapping row per entity field of the kind, each proposed
// with the source field of the same name (case aside) when the layer has one.
void ChooseGisKind(GisImportForm& form, GisKind kind);
// The source field of a mapping row (kNoSourceField or "" for none).
void MapGisField(GisImportForm& form, const std::string& entityField,
                 const std::string& sourceField);

// The options of the form, or the text of the message that says what is wrong
// with it (no source, a height or CRS that is not one, a row outside the table
// of the kind in the project).
struct GisImportChoice {
  std::optional<GisImportOptions> options;
  std::string problem;  // when options is empty
  std::string title;    // of the message box
};
GisImportChoice GisImportFormOptions(const GisImportForm& form, const Project& project,
                                     const GisModule& gis);

// The parts left out by an import, one Italian line each (none: empty).
std::vector<std::string> GisImportNotes(const GisImportReport& report, GisKind kind);

// The import into the project, as a drawing import lands: the status line, the
// work on a copy that becomes the project only when the whole layer was read,
// the extent and the view on it, the emission flagged for an update. A failure
// is shown in a message box and leaves the project as it was; the parts left out
// are shown in one box. Returns the report, or nothing when it failed.
std::optional<GisImportReport> ImportGisIntoProject(Project& project, Ui& ui, const GisModule& gis,
                                                    const std::string& source,
                                                    const GisImportOptions& options);

}  // namespace sonvale
