#include "cli/exposure_gpkg.h"

#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <functional>
#include <vector>

#include "exposure/exposure_report.h"
#include "exposure/exposure_tables.h"
#include "exposure/site_index.h"
#include "gis/gdal_session.h"
#include "gis/qgis_style.h"
#include "text/number_text.h"
#include "tracer/xml_text.h"

namespace sonvale {
namespace {

std::string BandOf(const std::optional<double>& lden) {
  const int band = lden ? BandIndex(Indicator::Lden, Tenths(*lden)) : -1;
  return band < 0 ? "<55" : BandLabel(Indicator::Lden, band);
}

// A categorised style on the field "lden_band": markers for points, fills for
// footprints, in the colours of the report's pictures.
std::string BandStyle(bool points) {
  std::string qml =
      std::string("<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>\r\n") +
      XmlLine(0, "qgis").attr("version", "3.28").attr("styleCategories", "Symbology").open();
  qml += XmlLine(1, "renderer-v2")
             .attr("type", "categorizedSymbol")
             .attr("attr", "lden_band")
             .attr("symbollevels", "0")
             .attr("forceraster", "0")
             .attr("enableorderby", "0")
             .open();
  qml += XmlLine(2, "categories").open();
  for (int b = -1; b < kBandCount; ++b) {
    const std::string label = b < 0 ? "<55" : BandLabel(Indicator::Lden, b);
    qml += XmlLine(3, "category")
               .attr("value", label)
               .attr("label", label)
               .attr("symbol", PlainInteger(b + 1))
               .attr("render", "true")
               .empty();
  }
  qml += XmlClose(2, "categories") + XmlLine(2, "symbols").open();
  for (int b = -1; b < kBandCount; ++b) {
    const BandRgb c = ExposureBandColour(Indicator::Lden, b);
    const std::string colour =
        PlainInteger(c.r) + "," + PlainInteger(c.g) + "," + PlainInteger(c.b) + ",255";
    qml += XmlLine(3, "symbol")
               .attr("type", points ? "marker" : "fill")
               .attr("name", PlainInteger(b + 1))
               .attr("alpha", "1")
               .attr("clip_to_extent", "1")
               .open();
    qml += XmlLine(4, "layer")
               .attr("class", points ? "SimpleMarker" : "SimpleFill")
               .attr("pass", "0")
               .attr("locked", "0")
               .open();
    qml += XmlLine(5, "prop").attr("k", "color").attr("v", colour).empty();
    if (points) {
      qml += XmlLine(5, "prop").attr("k", "size").attr("v", "1.6").empty();
      qml += XmlLine(5, "prop").attr("k", "name").attr("v", "circle").empty();
    } else {
      qml += XmlLine(5, "prop").attr("k", "style").attr("v", "solid").empty();
    }
    qml += XmlClose(4, "layer") + XmlClose(3, "symbol");
  }
  return qml + XmlClose(2, "symbols") + XmlClose(1, "renderer-v2") + XmlClose(0, "qgis");
}

struct Field {
  const char* name;
  OGRFieldType type;
};

// One GeoPackage of one layer, its features written by fill.
void WriteLayer(GdalSession& session, const std::string& path, const char* layerName,
                OGRwkbGeometryType type, const std::string& crsWkt,
                const std::vector<Field>& fields, bool points,
                const std::function<void(OGRLayerH)>& fill) {
  GDALDriverH driver = GDALGetDriverByName("GPKG");
  if (!driver) session.fail(path, "GDAL has no GeoPackage driver");
  OGRSpatialReferenceH srs = crsWkt.empty() ? nullptr : OSRNewSpatialReference(crsWkt.c_str());
  GDALDatasetH ds = GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
  if (!ds) {
    if (srs) OSRRelease(srs);
    session.fail(path, "cannot create the GeoPackage");
  }
  OGRLayerH layer = GDALDatasetCreateLayer(ds, layerName, srs, type, nullptr);
  if (srs) OSRRelease(srs);
  bool ok = layer != nullptr;
  for (const Field& f : fields) {
    if (!ok) break;
    OGRFieldDefnH defn = OGR_Fld_Create(f.name, f.type);
    ok = OGR_L_CreateField(layer, defn, TRUE) == OGRERR_NONE;
    OGR_Fld_Destroy(defn);
  }
  if (ok) {
    GDALDatasetStartTransaction(ds, FALSE);
    fill(layer);
    ok = GDALDatasetCommitTransaction(ds) == OGRERR_NONE;
  }
  if (ok) ok = AddLayerStyle(ds, layerName, "geom", BandStyle(points));
  GDALClose(ds);
  if (!ok) session.fail(path, std::string("cannot write the layer ") + layerName);
}

void SetOptional(OGRFeatureH f, const char* field, const std::optional<double>& v) {
  if (v) OGR_F_SetFieldDouble(f, OGR_F_GetFieldIndex(f, field), Tenths(*v) / 10.0);
}

}  // namespace

void WriteExposureGpkg(const std::string& dir, const Project& p, const FacadeLayout& layout,
                       const ExposureAssessment& a, const std::string& crsWkt) {
  GdalSession session;
  const std::string pointsPath = dir + "/facade_points.gpkg";
  WriteLayer(session, pointsPath, "facade_points", wkbPoint25D, crsWkt,
             {{"building", OFTInteger64},
              {"facade", OFTInteger64},
              {"point", OFTInteger64},
              {"length", OFTReal},
              {"day", OFTReal},
              {"night", OFTReal},
              {"lden", OFTReal},
              {"people", OFTReal},
              {"lden_band", OFTString}},
             true, [&](OGRLayerH layer) {
               for (size_t i = 0; i < layout.points.size(); ++i) {
                 const FacadePoint& fp = layout.points[i];
                 const KindLevels& l = a.points[i].levels[static_cast<size_t>(SourceKind::All)];
                 OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(layer));
                 OGR_F_SetFieldInteger64(f, 0, fp.building);
                 OGR_F_SetFieldInteger64(f, 1, fp.facade);
                 OGR_F_SetFieldInteger64(f, 2, fp.point);
                 OGR_F_SetFieldDouble(f, 3, fp.length);
                 SetOptional(f, "day", l.day);
                 SetOptional(f, "night", l.night);
                 SetOptional(f, "lden", l.lden);
                 OGR_F_SetFieldDouble(f, 7,
                                      a.points[i].people[static_cast<size_t>(SourceKind::All)][0]);
                 OGR_F_SetFieldString(f, 8, BandOf(l.lden).c_str());
                 OGRGeometryH g = OGR_G_CreateGeometry(wkbPoint25D);
                 OGR_G_SetPoint(g, 0, fp.x, fp.y, fp.z);
                 OGR_F_SetGeometryDirectly(f, g);
                 const bool ok = OGR_L_CreateFeature(layer, f) == OGRERR_NONE;
                 OGR_F_Destroy(f);
                 if (!ok) session.fail(pointsPath, "cannot write a façade point");
               }
             });
  const std::string buildingsPath = dir + "/buildings.gpkg";
  WriteLayer(session, buildingsPath, "buildings", wkbPolygon, crsWkt,
             {{"building", OFTInteger64},
              {"people", OFTReal},
              {"dwellings", OFTReal},
              {"use", OFTString},
              {"loudest_lden", OFTReal},
              {"quietest_lden", OFTReal},
              {"loudest_lnight", OFTReal},
              {"quietest_lnight", OFTReal},
              {"quiet_facade", OFTString},
              {"lden_band", OFTString}},
             false, [&](OGRLayerH layer) {
               for (size_t b = 0; b < a.buildings.size(); ++b) {
                 const std::vector<Point3> ring = BuildingRing(p.case_[static_cast<long>(b + 1)]);
                 if (ring.size() < 3) continue;
                 const BuildingAssessment& ba = a.buildings[b];
                 OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(layer));
                 OGR_F_SetFieldInteger64(f, 0, static_cast<long long>(b + 1));
                 OGR_F_SetFieldDouble(f, 1, ba.population.people);
                 OGR_F_SetFieldDouble(f, 2, ba.population.dwellings);
                 OGR_F_SetFieldString(f, 3, BuildingUseName(ba.population.use));
                 SetOptional(f, "loudest_lden", ba.loudestLden);
                 SetOptional(f, "quietest_lden", ba.quietestLden);
                 SetOptional(f, "loudest_lnight", ba.loudestLnight);
                 SetOptional(f, "quietest_lnight", ba.quietestLnight);
                 OGR_F_SetFieldString(f, 8, ba.quietFacade ? "yes" : "no");
                 OGR_F_SetFieldString(f, 9, BandOf(ba.loudestLden).c_str());
                 OGRGeometryH ringGeom = OGR_G_CreateGeometry(wkbLinearRing);
                 for (const Point3& v : ring) OGR_G_AddPoint_2D(ringGeom, v.X, v.Y);
                 OGR_G_AddPoint_2D(ringGeom, ring.front().X, ring.front().Y);
                 OGRGeometryH poly = OGR_G_CreateGeometry(wkbPolygon);
                 OGR_G_AddGeometryDirectly(poly, ringGeom);
                 OGR_F_SetGeometryDirectly(f, poly);
                 const bool ok = OGR_L_CreateFeature(layer, f) == OGRERR_NONE;
                 OGR_F_Destroy(f);
                 if (!ok) session.fail(buildingsPath, "cannot write a building");
               }
             });
}

}  // namespace sonvale
