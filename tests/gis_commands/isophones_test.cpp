// Isophones of a grid written from a formula whose isophones are circles of
// known radius: L = 100 - 20 log10(r) around a point, so the level L lies at
// r = 10^((100 - L) / 20). The bands, their bounds, the isolines and the QGIS
// style are read back through GDAL.
#include "gis_commands/isophones.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

#include "gdal_reading.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

constexpr double kCx = 0.3, kCy = -0.2;  // off the nodes, so that no node sits at r = 0

GridData PointSourceGrid() {
  GridData g;
  g.header = GridHeader{801, 801, -400, 400, -400, 400, 0, 0};
  g.values.resize(801 * 801);
  for (int j = 0; j < 801; ++j) {
    for (int i = 0; i < 801; ++i) {
      double r = std::hypot(-400 + i - kCx, -400 + j - kCy);
      g.value(i, j) = 100 - 20 * std::log10(r);
    }
  }
  return g;
}

double Radius(double level) { return std::pow(10.0, (100 - level) / 20); }

struct Feature {
  double lo, hi, area, length;
  std::string label;
};

std::vector<Feature> ReadLayer(void* ds, const char* name) {
  std::vector<Feature> out;
  OGRLayerH layer = GDALDatasetGetLayerByName(static_cast<GDALDatasetH>(ds), name);
  if (!layer) return out;
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
  bool bands = OGR_FD_GetFieldIndex(defn, "lo") >= 0;
  OGR_L_ResetReading(layer);
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    OGRGeometryH g = OGR_F_GetGeometryRef(f);
    Feature x{};
    if (bands) {
      x.lo = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "lo"));
      x.hi = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "hi"));
      x.label = OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "label"));
      x.area = OGR_G_Area(g);
    } else {
      x.lo = x.hi = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "level"));
      x.length = OGR_G_Length(g);
    }
    out.push_back(x);
    OGR_F_Destroy(f);
  }
  return out;
}

TEST(IsophonesTest, BandAreasAndLineLengthsAreThoseOfTheCircles) {
  ScratchFolder dir;
  GridData grid = PointSourceGrid();
  IsophoneOptions options;
  options.levels = {50, 55, 60, 65, 70, 75, 80};
  options.lines = true;
  const std::string path = dir.file("iso.gpkg");
  std::vector<Band> bands = WriteIsophones(grid, "point.grd", options, path);

  // The corners (r = 565.7) are the quietest nodes, the nodes next to the source
  // the loudest; the open bands end there, rounded outwards to 0.1 dB.
  double min = 100 - 20 * std::log10(std::hypot(400 + kCx, 400 - kCy));
  double max = 100 - 20 * std::log10(std::hypot(kCx, kCy));
  ASSERT_EQ(bands.size(), 8u);
  EXPECT_DOUBLE_EQ(bands.front().lo, std::floor(min * 10) / 10);
  EXPECT_DOUBLE_EQ(bands.back().hi, std::ceil(max * 10) / 10);

  GdalHandle ds = OpenWithGdal(path, GDAL_OF_VECTOR);
  ASSERT_TRUE(ds);
  std::vector<Feature> features = ReadLayer(ds.get(), kBandLayer);
  ASSERT_EQ(features.size(), 8u);
  int checked = 0;
  double total = 0;
  for (const Feature& f : features) {
    total += f.area;
    EXPECT_NE(f.lo, 0);
    EXPECT_NE(f.hi, 2147483647);
    if (f.lo < 50) {
      EXPECT_DOUBLE_EQ(f.lo, bands.front().lo);
      EXPECT_EQ(f.label, "< 50");
      continue;
    }
    double outer = Radius(f.lo);
    double inner = f.lo >= 80 ? 0 : Radius(f.hi);
    double expected = std::numbers::pi * (outer * outer - inner * inner);
    EXPECT_NEAR(f.area, expected, 0.01 * expected) << f.label;
    if (f.lo >= 80) {
      EXPECT_DOUBLE_EQ(f.hi, bands.back().hi);
      EXPECT_EQ(f.label, ">= 80");
    } else {
      EXPECT_EQ(f.hi, f.lo + 5);
    }
    ++checked;
  }
  EXPECT_EQ(checked, 7);
  // The bands tile the cells of the nodes: 801 x 801 squares of 1 m.
  EXPECT_NEAR(total, 801.0 * 801.0, 1.0);

  std::vector<Feature> lines = ReadLayer(ds.get(), kLineLayer);
  ASSERT_FALSE(lines.empty());
  for (double level : options.levels) {
    double length = 0;
    for (const Feature& l : lines) length += l.lo == level ? l.length : 0;
    EXPECT_NEAR(length, 2 * std::numbers::pi * Radius(level), 0.01 * Radius(level) * 6.3) << level;
  }
}

TEST(IsophonesTest, TheFileCarriesAColouredQgisStyleForEachLayer) {
  ScratchFolder dir;
  GridData grid = PointSourceGrid();
  IsophoneOptions options;
  options.levels = {55, 60, 65};
  options.lines = true;
  options.scheme = BandScheme::Din18005;
  WriteIsophones(grid, "point.grd", options, dir.file("iso.gpkg"));

  GdalHandle ds = OpenWithGdal(dir.file("iso.gpkg"), GDAL_OF_VECTOR);
  ASSERT_TRUE(ds);
  OGRLayerH styles = GDALDatasetGetLayerByName(static_cast<GDALDatasetH>(ds.get()), "layer_styles");
  ASSERT_NE(styles, nullptr);
  std::map<std::string, std::string> qml;
  while (OGRFeatureH f = OGR_L_GetNextFeature(styles)) {
    EXPECT_EQ(OGR_F_GetFieldAsInteger(f, OGR_F_GetFieldIndex(f, "useAsDefault")), 1);
    EXPECT_STREQ(OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "f_geometry_column")), "geom");
    qml[OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "f_table_name"))] =
        OGR_F_GetFieldAsString(f, OGR_F_GetFieldIndex(f, "styleQML"));
    OGR_F_Destroy(f);
  }
  ASSERT_EQ(qml.size(), 2u);
  const std::string& bands = qml[kBandLayer];
  EXPECT_NE(bands.find("type=\"categorizedSymbol\" attr=\"lo\""), std::string::npos) << bands;
  // 55 - 60 is orange and 60 - 65 cinnabar red in the German scale; the labels of
  // the open bands are escaped.
  EXPECT_NE(bands.find("<category value=\"55\" label=\"55 - 60\" symbol=\"1\""), std::string::npos);
  EXPECT_NE(bands.find("v=\"250,132,43,255\""), std::string::npos);
  EXPECT_NE(bands.find("v=\"204,6,5,255\""), std::string::npos);
  EXPECT_NE(bands.find("label=\"&lt; 55\""), std::string::npos);
  EXPECT_NE(bands.find("label=\"&gt;= 65\""), std::string::npos);
  EXPECT_NE(qml[kLineLayer].find("SimpleLine"), std::string::npos);
}

TEST(IsophonesTest, BlankNodesAreLeftOutAndAnAllBlankGridIsRefused) {
  ScratchFolder dir;
  GridData grid;
  grid.header = GridHeader{11, 11, 0, 10, 0, 10, 0, 0};
  grid.values.assign(121, 62.0);
  for (int j = 0; j < 11; ++j) {
    for (int i = 6; i < 11; ++i) grid.value(i, j) = kBlankValue;  // the eastern half
  }
  IsophoneOptions options;
  options.levels = {55, 60, 65};
  std::vector<Band> bands = WriteIsophones(grid, "half.grd", options, dir.file("half.gpkg"));
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0], (Band{60, 65}));
  GdalHandle ds = OpenWithGdal(dir.file("half.gpkg"), GDAL_OF_VECTOR);
  std::vector<Feature> features = ReadLayer(ds.get(), kBandLayer);
  ASSERT_EQ(features.size(), 1u);
  EXPECT_GT(features[0].area, 40);
  EXPECT_LT(features[0].area, 70);

  grid.values.assign(121, kBlankValue);
  EXPECT_THROW(WriteIsophones(grid, "blank.grd", options, dir.file("blank.gpkg")), FormatError);
  GridData column;
  column.header = GridHeader{1, 3, 0, 0, 0, 10, 0, 0};
  column.values = {50, 60, 70};
  EXPECT_THROW(WriteIsophones(column, "column.grd", options, dir.file("column.gpkg")), FormatError);
  EXPECT_TRUE(TraceIsolines(column, options.levels).empty());
}

}  // namespace
}  // namespace sonvale
