#include "commands/exposure_gpkg.h"

#include <vector>

#include "commands/gis_module.h"
#include "exposure/exposure_report.h"
#include "exposure/exposure_tables.h"
#include "exposure/site_index.h"
#include "gis/feature_layer.h"
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

// A level as written in the tables (0.1 dB), or an empty field.
FieldValue Level(const std::optional<double>& v) {
  if (!v) return {};
  return Tenths(*v) / 10.0;
}

}  // namespace

void WriteExposureGpkg(const std::string& dir, const Project& p, const FacadeLayout& layout,
                       const ExposureAssessment& a, const std::string& crsWkt) {
  const size_t all = static_cast<size_t>(SourceKind::All);
  FeatureLayer points{"facade_points",
                      true,
                      {{"building", FieldKind::Integer},
                       {"facade", FieldKind::Integer},
                       {"point", FieldKind::Integer},
                       {"length", FieldKind::Real},
                       {"day", FieldKind::Real},
                       {"night", FieldKind::Real},
                       {"lden", FieldKind::Real},
                       {"people", FieldKind::Real},
                       {"lden_band", FieldKind::Text}},
                      {},
                      BandStyle(true)};
  for (size_t i = 0; i < layout.points.size(); ++i) {
    const FacadePoint& fp = layout.points[i];
    const KindLevels& l = a.points[i].levels[all];
    points.features.push_back(
        {{{fp.x, fp.y, fp.z}},
         {static_cast<long long>(fp.building), static_cast<long long>(fp.facade),
          static_cast<long long>(fp.point), fp.length, Level(l.day), Level(l.night), Level(l.lden),
          a.points[i].people[all][0], BandOf(l.lden)}});
  }
  FeatureLayer buildings{"buildings",
                         false,
                         {{"building", FieldKind::Integer},
                          {"people", FieldKind::Real},
                          {"dwellings", FieldKind::Real},
                          {"use", FieldKind::Text},
                          {"loudest_lden", FieldKind::Real},
                          {"quietest_lden", FieldKind::Real},
                          {"loudest_lnight", FieldKind::Real},
                          {"quietest_lnight", FieldKind::Real},
                          {"quiet_facade", FieldKind::Text},
                          {"lden_band", FieldKind::Text}},
                         {},
                         BandStyle(false)};
  for (size_t b = 0; b < a.buildings.size(); ++b) {
    std::vector<Point3> ring = BuildingRing(p.case_[static_cast<long>(b + 1)]);
    if (ring.size() < 3) continue;
    const BuildingAssessment& ba = a.buildings[b];
    buildings.features.push_back(
        {std::move(ring),
         {static_cast<long long>(b + 1), ba.population.people, ba.population.dwellings,
          std::string(BuildingUseName(ba.population.use)), Level(ba.loudestLden),
          Level(ba.quietestLden), Level(ba.loudestLnight), Level(ba.quietestLnight),
          std::string(ba.quietFacade ? "yes" : "no"), BandOf(ba.loudestLden)}});
  }
  Gis().writeFeatureLayer(points, dir + "/facade_points.gpkg", crsWkt);
  Gis().writeFeatureLayer(buildings, dir + "/buildings.gpkg", crsWkt);
}

}  // namespace sonvale
