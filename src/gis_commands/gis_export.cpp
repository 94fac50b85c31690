#include "gis_commands/gis_export.h"

#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "gis_commands/gdal_session.h"
#include "gis_commands/grid_raster.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// One layer being written, its fields created up front.
class LayerWriter {
 public:
  LayerWriter(GdalSession& session, GDALDatasetH ds, const std::string& path, const char* name,
              OGRwkbGeometryType type, OGRSpatialReferenceH srs,
              const std::vector<std::pair<std::string, OGRFieldType>>& fields)
      : session_(session), path_(path), name_(name) {
    layer_ = GDALDatasetCreateLayer(ds, name, srs, type, nullptr);
    if (!layer_) session.fail(path, std::string("cannot create the layer ") + name);
    for (const auto& [field, fieldType] : fields) {
      OGRFieldDefnH defn = OGR_Fld_Create(field.c_str(), fieldType);
      bool ok = OGR_L_CreateField(layer_, defn, TRUE) == OGRERR_NONE;
      OGR_Fld_Destroy(defn);
      if (!ok) session.fail(path, "cannot create the field " + field + " of layer " + name);
    }
  }

  void begin() { feature_ = OGR_F_Create(OGR_L_GetLayerDefn(layer_)); }
  void set(const std::string& field, double v) { OGR_F_SetFieldDouble(feature_, index(field), v); }
  void set(const std::string& field, long v) { OGR_F_SetFieldInteger64(feature_, index(field), v); }
  void set(const std::string& field, const std::string& v) {
    OGR_F_SetFieldString(feature_, index(field), v.c_str());
  }
  // Writes the feature with the geometry, which it takes over.
  void end(OGRGeometryH geometry) {
    OGR_F_SetGeometryDirectly(feature_, geometry);
    bool ok = OGR_L_CreateFeature(layer_, feature_) == OGRERR_NONE;
    OGR_F_Destroy(feature_);
    feature_ = nullptr;
    if (!ok) session_.fail(path_, "cannot write a feature of layer " + name_);
    ++count_;
  }
  long count() const { return count_; }

 private:
  int index(const std::string& field) const { return OGR_F_GetFieldIndex(feature_, field.c_str()); }
  GdalSession& session_;
  std::string path_, name_;
  OGRLayerH layer_ = nullptr;
  OGRFeatureH feature_ = nullptr;
  long count_ = 0;
};

using Fields = std::vector<std::pair<std::string, OGRFieldType>>;

void AddIndexed(Fields& fields, const char* name, int n, OGRFieldType type) {
  for (int k = 1; k <= n; ++k) fields.emplace_back(name + PlainInteger(k), type);
}

template <class V>
OGRGeometryH LineOf(const std::vector<V>& vertices) {
  OGRGeometryH g = OGR_G_CreateGeometry(wkbLineString25D);
  for (const V& v : vertices) OGR_G_AddPoint(g, v.X, v.Y, v.Z);
  return g;
}

OGRGeometryH PointOf(double x, double y, double z) {
  OGRGeometryH g = OGR_G_CreateGeometry(wkbPoint25D);
  OGR_G_SetPoint(g, 0, x, y, z);
  return g;
}

double TopHeight(const Polyline3& outline) {
  double top = outline.vertices.empty() ? 0 : outline.vertices.front().Z;
  for (const Point3& v : outline.vertices) top = std::max(top, v.Z);
  return top;
}

void WriteRoads(LayerWriter& w, const Project& p) {
  for (long n = 1; n <= p.strade.count(); ++n) {
    const Strada& s = p.strade[n];
    if (s.Npunti() < 2) continue;
    w.begin();
    w.set("n", n);
    w.set("Nome", s.Nome);
    w.set("Pendenza", s.Pendenza);
    w.set("Pavimentaz", s.Pavimentaz);
    w.set("HmedSX", s.HmedSX);
    w.set("HmedDX", s.HmedDX);
    for (int c = 1; c <= 5; ++c) {
      auto k = static_cast<size_t>(c);
      w.set("NveicDay" + PlainInteger(c), s.NveicDay[k]);
      w.set("NveicNight" + PlainInteger(c), s.NveicNight[k]);
      w.set("VelDay" + PlainInteger(c), s.VelDay[k]);
      w.set("VelNight" + PlainInteger(c), s.VelNight[k]);
    }
    w.set("LeqDay", s.LeqDay);
    w.set("LeqNight", s.LeqNight);
    w.end(LineOf(s.vertices));
  }
}

void WriteTracks(LayerWriter& w, const Project& p) {
  for (long n = 1; n <= p.binari.count(); ++n) {
    const Binario& b = p.binari[n];
    if (b.Npunti() < 2) continue;
    w.begin();
    w.set("n", n);
    w.set("Nome", b.Nome);
    w.set("TipoArmamento", b.TipoArmamento);
    w.set("HmedSX", b.HmedSX);
    w.set("HmedDX", b.HmedDX);
    for (int c = 1; c <= 3; ++c) {
      auto k = static_cast<size_t>(c);
      w.set("NtreniDay" + PlainInteger(c), b.NtreniDay[k]);
      w.set("NtreniNight" + PlainInteger(c), b.NtreniNight[k]);
      w.set("LungDay" + PlainInteger(c), b.LungDay[k]);
      w.set("LungNight" + PlainInteger(c), b.LungNight[k]);
      w.set("VelDay" + PlainInteger(c), b.VelDay[k]);
      w.set("VelNight" + PlainInteger(c), b.VelNight[k]);
    }
    w.set("LeqDay", b.LeqDay);
    w.set("LeqNight", b.LeqNight);
    w.end(LineOf(b.vertices));
  }
}

// Buildings as polygons, their rings closed; an outline of fewer than three
// vertices encloses nothing and is counted instead.
long WriteBuildings(LayerWriter& w, const Project& p) {
  long skipped = 0;
  for (long n = 1; n <= p.case_.count(); ++n) {
    const Casa& c = p.case_[n];
    if (c.Npunti() < 3) {
      ++skipped;
      continue;
    }
    OGRGeometryH ring = OGR_G_CreateGeometry(wkbLinearRing);
    for (const Point3& v : c.vertices) OGR_G_AddPoint(ring, v.X, v.Y, v.Z);
    OGRGeometryH polygon = OGR_G_CreateGeometry(wkbPolygon25D);
    OGR_G_AddGeometryDirectly(polygon, ring);
    OGR_G_CloseRings(polygon);
    w.begin();
    w.set("n", n);
    w.set("Altezza", TopHeight(c));
    w.end(polygon);
  }
  return skipped;
}

void WriteBarriers(LayerWriter& w, const Project& p) {
  for (long n = 1; n <= p.barriere.count(); ++n) {
    const Barriera& b = p.barriere[n];
    if (b.Npunti() < 2) continue;
    w.begin();
    w.set("n", n);
    w.set("Altezza", TopHeight(b));
    w.end(LineOf(b.vertices));
  }
}

void WritePoints(LayerWriter& w, const Project& p, const std::map<long, PointLevels>& levels) {
  for (long n = 1; n <= p.punti.count(); ++n) {
    const Punto& pt = p.punti[n];
    w.begin();
    w.set("n", n);
    w.set("Nome", pt.Nome);
    if (auto it = levels.find(n); it != levels.end()) {
      if (it->second.day) w.set("LeqDay", *it->second.day);
      if (it->second.night) w.set("LeqNight", *it->second.night);
    }
    w.end(PointOf(pt.X, pt.Y, pt.Z));
  }
}

void WriteSources(LayerWriter& w, const Project& p) {
  for (long n = 1; n <= p.sources.count(); ++n) {
    const Source& s = p.sources[n];
    w.begin();
    w.set("n", n);
    w.set("Nome", s.Nome);
    w.set("Lw", s.Lw);
    w.set("Lwnight", s.Lwnight);
    w.end(PointOf(s.X, s.Y, s.Z));
  }
}

// The datasets an export writes, in a folder of its own beside the target until
// every one is complete: one GeoPackage for all layers, or one file per layer.
class LayerDatasets {
 public:
  LayerDatasets(GdalSession& session, const std::string& path, GisFormat format)
      : session_(session), path_(path), format_(format), folder_(path + ".part") {
    const char* name = format == GisFormat::GeoPackage  ? "GPKG"
                       : format == GisFormat::Shapefile ? "ESRI Shapefile"
                                                        : "GeoJSON";
    driver_ = GDALGetDriverByName(name);
    if (!driver_) session.fail(path, std::string("GDAL has no ") + name + " driver");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    std::filesystem::create_directories(folder_, ec);
    if (ec) throw FileError(path, "cannot create the folder " + folder_ + ": " + ec.message());
  }
  ~LayerDatasets() {
    datasets_.clear();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // The dataset that takes the layer.
  GDALDatasetH forLayer(const char* layer) {
    if (format_ == GisFormat::GeoPackage && !datasets_.empty()) {
      return static_cast<GDALDatasetH>(datasets_.front().get());
    }
    const std::string file = format_ == GisFormat::GeoPackage ? path_ : GisLayerFile(path_, layer);
    const std::string at = folder_ + "/" + std::filesystem::path(file).filename().string();
    DatasetPtr ds(GDALCreate(driver_, at.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) session_.fail(file, "cannot create the file");
    auto* d = static_cast<GDALDatasetH>(ds.get());
    if (format_ == GisFormat::GeoPackage) GDALDatasetStartTransaction(d, FALSE);
    datasets_.push_back(std::move(ds));
    return d;
  }

  // Closes the datasets and moves their files beside the target.
  void finish() {
    if (format_ == GisFormat::GeoPackage && GDALDatasetCommitTransaction(static_cast<GDALDatasetH>(
                                                datasets_.front().get())) != OGRERR_NONE) {
      session_.fail(path_, "cannot write");
    }
    datasets_.clear();
    const std::filesystem::path target = std::filesystem::path(path_).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      std::error_code ec;
      std::filesystem::rename(entry.path(), target / entry.path().filename(), ec);
      if (ec)
        throw FileError((target / entry.path().filename()).string(),
                        "cannot replace the file: " + ec.message());
    }
  }

 private:
  GdalSession& session_;
  std::string path_;
  GisFormat format_;
  std::string folder_;
  GDALDriverH driver_ = nullptr;
  std::vector<DatasetPtr> datasets_;
};

}  // namespace

GisExportSummary ExportGis(const Project& p, const std::string& path, const std::string& crsWkt,
                           const std::map<long, PointLevels>& levels) {
  GdalSession session;
  std::optional<GisFormat> format = GisFormatOf(path);
  if (!format) throw FileError(path, "the name must end in .gpkg, .shp, .geojson or .json");
  OGRSpatialReferenceH srs = crsWkt.empty() ? nullptr : OSRNewSpatialReference(crsWkt.c_str());
  struct SrsRelease {
    OGRSpatialReferenceH srs;
    ~SrsRelease() {
      if (srs) OSRRelease(srs);
    }
  } release{srs};

  GisExportSummary summary;
  LayerDatasets out(session, path, *format);
  auto layer = [&](const char* name, OGRwkbGeometryType type, const Fields& fields) {
    return LayerWriter(session, out.forLayer(name), path, name, type, srs, fields);
  };

  Fields roads = {{"n", OFTInteger64},          {"Nome", OFTString}, {"Pendenza", OFTInteger64},
                  {"Pavimentaz", OFTInteger64}, {"HmedSX", OFTReal}, {"HmedDX", OFTReal}};
  AddIndexed(roads, "NveicDay", 5, OFTInteger64);
  AddIndexed(roads, "NveicNight", 5, OFTInteger64);
  AddIndexed(roads, "VelDay", 5, OFTInteger64);
  AddIndexed(roads, "VelNight", 5, OFTInteger64);
  roads.insert(roads.end(), {{"LeqDay", OFTReal}, {"LeqNight", OFTReal}});
  LayerWriter strade = layer("strade", wkbLineString25D, roads);
  WriteRoads(strade, p);

  Fields tracks = {{"n", OFTInteger64},
                   {"Nome", OFTString},
                   {"TipoArmamento", OFTInteger64},
                   {"HmedSX", OFTReal},
                   {"HmedDX", OFTReal}};
  for (const char* name :
       {"NtreniDay", "NtreniNight", "LungDay", "LungNight", "VelDay", "VelNight"}) {
    AddIndexed(tracks, name, 3, OFTInteger64);
  }
  tracks.insert(tracks.end(), {{"LeqDay", OFTReal}, {"LeqNight", OFTReal}});
  LayerWriter binari = layer("binari", wkbLineString25D, tracks);
  WriteTracks(binari, p);

  const Fields outline = {{"n", OFTInteger64}, {"Altezza", OFTReal}};
  LayerWriter case_ = layer("case", wkbPolygon25D, outline);
  summary.skipped = WriteBuildings(case_, p);
  LayerWriter barriere = layer("barriere", wkbLineString25D, outline);
  WriteBarriers(barriere, p);

  LayerWriter punti =
      layer("punti", wkbPoint25D,
            {{"n", OFTInteger64}, {"Nome", OFTString}, {"LeqDay", OFTReal}, {"LeqNight", OFTReal}});
  WritePoints(punti, p, levels);
  LayerWriter sorgenti =
      layer("sorgenti", wkbPoint25D,
            {{"n", OFTInteger64}, {"Nome", OFTString}, {"Lw", OFTReal}, {"Lwnight", OFTReal}});
  WriteSources(sorgenti, p);

  out.finish();
  summary.features = {{"strade", strade.count()}, {"binari", binari.count()},
                      {"case", case_.count()},    {"barriere", barriere.count()},
                      {"punti", punti.count()},   {"sorgenti", sorgenti.count()}};
  return summary;
}

}  // namespace sonvale
