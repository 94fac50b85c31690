#include "gis_commands/isophones.h"

#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "gis_commands/gdal_session.h"
#include "gis_commands/grid_raster.h"
#include "gis_commands/qgis_style.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

bool IsLevel(double v, const std::vector<double>& levels) {
  for (double l : levels) {
    if (std::fabs(v - l) <= 1e-9 * std::max(1.0, std::fabs(l))) return true;
  }
  return false;
}

std::string LevelList(const std::vector<double>& levels) {
  std::string text;
  for (double l : levels) text += (text.empty() ? "" : ",") + PlainNumber(l);
  return text;
}

OGRLayerH CreateLayer(GdalSession& session, GDALDatasetH ds, const std::string& path,
                      const char* name, OGRwkbGeometryType type, OGRSpatialReferenceH srs,
                      const std::vector<std::pair<const char*, OGRFieldType>>& fields) {
  OGRLayerH layer = GDALDatasetCreateLayer(ds, name, srs, type, nullptr);
  if (!layer) session.fail(path, std::string("cannot create the layer ") + name);
  for (const auto& [fieldName, fieldType] : fields) {
    OGRFieldDefnH field = OGR_Fld_Create(fieldName, fieldType);
    bool ok = OGR_L_CreateField(layer, field, TRUE) == OGRERR_NONE;
    OGR_Fld_Destroy(field);
    if (!ok) session.fail(path, std::string("cannot create the field ") + fieldName);
  }
  return layer;
}

// GDAL's open outer bands carry no usable bound: they get the grid's own.
void FixBandBounds(GdalSession& session, OGRLayerH layer, const std::string& path,
                   const std::vector<double>& levels, const LevelRange& range) {
  double outerLo = OuterLo(levels, range);
  double outerHi = OuterHi(levels, range);
  OGR_L_ResetReading(layer);
  std::vector<GIntBig> empty;
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    OGRGeometryH g = OGR_F_GetGeometryRef(f);
    if (!g || OGR_G_IsEmpty(g)) {
      empty.push_back(OGR_F_GetFID(f));
      OGR_F_Destroy(f);
      continue;
    }
    Band band{OGR_F_GetFieldAsDouble(f, 0), OGR_F_GetFieldAsDouble(f, 1)};
    if (!IsLevel(band.lo, levels)) band.lo = outerLo;
    if (!IsLevel(band.hi, levels)) band.hi = outerHi;
    OGR_F_SetFieldDouble(f, 0, band.lo);
    OGR_F_SetFieldDouble(f, 1, band.hi);
    OGR_F_SetFieldString(f, 2, BandLabel(band, levels).c_str());
    bool ok = OGR_L_SetFeature(layer, f) == OGRERR_NONE;
    OGR_F_Destroy(f);
    if (!ok) session.fail(path, "cannot write an isophone band");
  }
  for (GIntBig fid : empty) {
    if (OGR_L_DeleteFeature(layer, fid) != OGRERR_NONE) session.fail(path, "cannot write");
  }
}

void Contour(GdalSession& session, GDALRasterBandH band, OGRLayerH layer, const std::string& path,
             std::vector<std::string> options) {
  std::vector<char*> list;
  for (std::string& o : options) list.push_back(o.data());
  list.push_back(nullptr);
  if (GDALContourGenerateEx(band, layer, list.data(), nullptr, nullptr) != CE_None) {
    session.fail(path, "cannot trace the isophones");
  }
}

void WriteLayers(GdalSession& session, GDALDatasetH ds, const GridData& grid,
                 const IsophoneOptions& options, const std::string& path, const LevelRange& range,
                 const std::vector<Band>& bands) {
  DatasetPtr raster = GridRaster(grid, "MEM", "", options.crsWkt);
  GDALRasterBandH rasterBand = GDALGetRasterBand(static_cast<GDALDatasetH>(raster.get()), 1);
  OGRSpatialReferenceH srs = nullptr;
  if (!options.crsWkt.empty()) {
    srs = OSRNewSpatialReference(options.crsWkt.c_str());
    OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
  }
  struct SrsRelease {
    OGRSpatialReferenceH srs;
    ~SrsRelease() {
      if (srs) OSRRelease(srs);
    }
  } release{srs};

  const std::string fixedLevels = "FIXED_LEVELS=" + LevelList(options.levels);
  const std::string nodata = "NODATA=" + PlainNumber(kRasterNodata);
  GDALDatasetStartTransaction(ds, FALSE);
  OGRLayerH bandLayer = CreateLayer(session, ds, path, kBandLayer, wkbMultiPolygon, srs,
                                    {{"lo", OFTReal}, {"hi", OFTReal}, {"label", OFTString}});
  if (!options.levels.empty()) {
    Contour(session, rasterBand, bandLayer, path,
            {fixedLevels, nodata, "POLYGONIZE=YES", "ELEV_FIELD_MIN=0", "ELEV_FIELD_MAX=1"});
  } else {
    // No level inside the range: one band, the area of every node with a value.
    Contour(session, rasterBand, bandLayer, path,
            {"FIXED_LEVELS=" + PlainNumber(range.max + 1), nodata, "POLYGONIZE=YES",
             "ELEV_FIELD_MIN=0", "ELEV_FIELD_MAX=1"});
  }
  FixBandBounds(session, bandLayer, path, options.levels, range);
  if (!AddLayerStyle(ds, kBandLayer, OGR_L_GetGeometryColumn(bandLayer),
                     BandStyleQml(bands, options.levels, options.scheme))) {
    session.fail(path, "cannot store the layer style");
  }
  if (options.lines && !options.levels.empty()) {
    OGRLayerH lineLayer =
        CreateLayer(session, ds, path, kLineLayer, wkbLineString, srs, {{"level", OFTReal}});
    Contour(session, rasterBand, lineLayer, path, {fixedLevels, nodata, "ELEV_FIELD=0"});
    if (!AddLayerStyle(ds, kLineLayer, OGR_L_GetGeometryColumn(lineLayer), LineStyleQml())) {
      session.fail(path, "cannot store the layer style");
    }
  }
  if (GDALDatasetCommitTransaction(ds) != OGRERR_NONE) session.fail(path, "cannot write");
}

}  // namespace

std::vector<Polyline> TraceIsolines(const GridData& grid, const std::vector<double>& levels) {
  std::vector<Polyline> lines;
  if (levels.empty() || grid.nx() < 2 || grid.ny() < 2) return lines;
  GdalSession session;
  DatasetPtr raster = GridRaster(grid, "MEM", "", "");
  GDALDriverH memory = GDALGetDriverByName("Memory");
  if (!memory) session.fail("isolines", "GDAL has no Memory driver");
  DatasetPtr ds(GDALCreate(memory, "", 0, 0, 0, GDT_Unknown, nullptr));
  if (!ds) session.fail("isolines", "cannot create a layer in memory");
  auto* dataset = static_cast<GDALDatasetH>(ds.get());
  OGRLayerH layer = CreateLayer(session, dataset, "isolines", kLineLayer, wkbLineString, nullptr,
                                {{"level", OFTReal}});
  Contour(session, GDALGetRasterBand(static_cast<GDALDatasetH>(raster.get()), 1), layer, "isolines",
          {"FIXED_LEVELS=" + LevelList(levels), "NODATA=" + PlainNumber(kRasterNodata),
           "ELEV_FIELD=0"});
  OGR_L_ResetReading(layer);
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    OGRGeometryH g = OGR_F_GetGeometryRef(f);
    Polyline line;
    for (int k = 0; g && k < OGR_G_GetPointCount(g); ++k) {
      line.emplace_back(OGR_G_GetX(g, k), OGR_G_GetY(g, k));
    }
    if (line.size() >= 2) lines.push_back(std::move(line));
    OGR_F_Destroy(f);
  }
  return lines;
}

std::vector<Band> WriteIsophones(const GridData& grid, const std::string& gridName,
                                 const IsophoneOptions& options, const std::string& path) {
  if (grid.nx() < 2 || grid.ny() < 2) {
    throw FormatError(gridName, 2, "a grid of fewer than 2 x 2 nodes has no isophones");
  }
  LevelRange range = RangeOf(grid);
  if (range.empty) throw FormatError(gridName, 0, "every node of the grid is blank");
  std::vector<Band> bands = BandsOver(options.levels, range);

  GdalSession session;
  GDALDriverH gpkg = GDALGetDriverByName("GPKG");
  if (!gpkg) session.fail(path, "GDAL has no GeoPackage driver");
  const std::string partial = path + ".part";
  std::error_code ignored;
  std::filesystem::remove(partial, ignored);
  try {
    DatasetPtr ds(GDALCreate(gpkg, partial.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) session.fail(path, "cannot create the GeoPackage");
    WriteLayers(session, static_cast<GDALDatasetH>(ds.get()), grid, options, path, range, bands);
    ds.reset();
    if (!session.lastError().empty()) session.fail(path, "cannot write the GeoPackage");
  } catch (...) {
    std::filesystem::remove(partial, ignored);
    throw;
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) throw FileError(path, "cannot replace the file: " + ec.message());
  return bands;
}

}  // namespace sonvale
