#include "gis_commands/qgis_style.h"

#include <gdal.h>
#include <ogr_api.h>

#include "text/number_text.h"
#include "tracer/xml_text.h"

namespace sonvale {
namespace {

// A number as QGIS prints an attribute value, so that a category matches it: the
// plain number with its leading zero.
std::string QgisNumber(double v) {
  std::string t = PlainNumber(v);
  if (t.rfind(".", 0) == 0) return "0" + t;
  if (t.rfind("-.", 0) == 0) return "-0" + t.substr(1);
  return t;
}

std::string ColourText(Rgb c) {
  return PlainInteger(c.r) + "," + PlainInteger(c.g) + "," + PlainInteger(c.b) + ",255";
}

std::string Prop(int indent, const char* key, const std::string& value) {
  return XmlLine(indent, "prop").attr("k", key).attr("v", value).empty();
}

std::string QmlHead() {
  return std::string("<!DOCTYPE qgis PUBLIC 'http://mrcc.com/qgis.dtd' 'SYSTEM'>\r\n") +
         XmlLine(0, "qgis").attr("version", "3.28").attr("styleCategories", "Symbology").open();
}

std::string QmlTail() {
  return XmlClose(2, "symbols") + XmlClose(1, "renderer-v2") + XmlClose(0, "qgis");
}

}  // namespace

std::string BandStyleQml(const std::vector<Band>& bands, const std::vector<double>& levels,
                         BandScheme scheme) {
  std::string qml = QmlHead();
  qml += XmlLine(1, "renderer-v2")
             .attr("type", "categorizedSymbol")
             .attr("attr", "lo")
             .attr("symbollevels", "0")
             .attr("forceraster", "0")
             .attr("enableorderby", "0")
             .open();
  qml += XmlLine(2, "categories").open();
  for (size_t k = 0; k < bands.size(); ++k) {
    qml += XmlLine(3, "category")
               .attr("value", QgisNumber(bands[k].lo))
               .attr("label", BandLabel(bands[k], levels))
               .attr("symbol", PlainInteger(static_cast<long long>(k)))
               .attr("render", "true")
               .empty();
  }
  qml += XmlClose(2, "categories");
  qml += XmlLine(2, "symbols").open();
  for (size_t k = 0; k < bands.size(); ++k) {
    qml += XmlLine(3, "symbol")
               .attr("type", "fill")
               .attr("name", PlainInteger(static_cast<long long>(k)))
               .attr("alpha", "1")
               .attr("clip_to_extent", "1")
               .open();
    qml += XmlLine(4, "layer")
               .attr("class", "SimpleFill")
               .attr("pass", "0")
               .attr("locked", "0")
               .open();
    qml += Prop(5, "color", ColourText(BandColour(scheme, bands[k].lo)));
    qml += Prop(5, "style", "solid");
    qml += Prop(5, "outline_style", "no");
    qml += XmlClose(4, "layer") + XmlClose(3, "symbol");
  }
  return qml + QmlTail();
}

std::string LineStyleQml() {
  std::string qml = QmlHead();
  qml += XmlLine(1, "renderer-v2").attr("type", "singleSymbol").attr("forceraster", "0").open();
  qml += XmlLine(2, "symbols").open();
  qml += XmlLine(3, "symbol").attr("type", "line").attr("name", "0").attr("alpha", "1").open();
  qml +=
      XmlLine(4, "layer").attr("class", "SimpleLine").attr("pass", "0").attr("locked", "0").open();
  qml += Prop(5, "line_color", "40,40,40,255");
  qml += Prop(5, "line_width", "0.3");
  qml += Prop(5, "line_width_unit", "MM");
  qml += XmlClose(4, "layer") + XmlClose(3, "symbol");
  return qml + QmlTail();
}

bool AddLayerStyle(void* dataset, const std::string& table, const std::string& geometryColumn,
                   const std::string& qml) {
  auto* ds = static_cast<GDALDatasetH>(dataset);
  OGRLayerH styles = GDALDatasetGetLayerByName(ds, "layer_styles");
  if (!styles) {
    styles = GDALDatasetCreateLayer(ds, "layer_styles", nullptr, wkbNone, nullptr);
    if (!styles) return false;
    for (const char* name : {"f_table_catalog", "f_table_schema", "f_table_name",
                             "f_geometry_column", "styleName", "styleQML", "styleSLD"}) {
      OGRFieldDefnH field = OGR_Fld_Create(name, OFTString);
      OGR_L_CreateField(styles, field, TRUE);
      OGR_Fld_Destroy(field);
    }
    OGRFieldDefnH useAsDefault = OGR_Fld_Create("useAsDefault", OFTInteger);
    OGR_Fld_SetSubType(useAsDefault, OFSTBoolean);
    OGR_L_CreateField(styles, useAsDefault, TRUE);
    OGR_Fld_Destroy(useAsDefault);
    for (const char* name : {"description", "owner", "ui"}) {
      OGRFieldDefnH field = OGR_Fld_Create(name, OFTString);
      OGR_L_CreateField(styles, field, TRUE);
      OGR_Fld_Destroy(field);
    }
    OGRFieldDefnH updated = OGR_Fld_Create("update_time", OFTDateTime);
    OGR_L_CreateField(styles, updated, TRUE);
    OGR_Fld_Destroy(updated);
  }
  OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(styles));
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "f_table_catalog"), "");
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "f_table_schema"), "");
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "f_table_name"), table.c_str());
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "f_geometry_column"), geometryColumn.c_str());
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "styleName"), table.c_str());
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "styleQML"), qml.c_str());
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "styleSLD"), "");
  OGR_F_SetFieldInteger(f, OGR_F_GetFieldIndex(f, "useAsDefault"), 1);
  OGR_F_SetFieldString(f, OGR_F_GetFieldIndex(f, "description"), "sonvale");
  bool ok = OGR_L_CreateFeature(styles, f) == OGRERR_NONE;
  OGR_F_Destroy(f);
  return ok;
}

}  // namespace sonvale
