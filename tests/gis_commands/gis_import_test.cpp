// Imports of GIS layers written by GDAL's own ogr2ogr from GeoJSON texts: field
// mapping, multi-part geometries, Z, reprojection, capacities, merge modes and
// the errors of sources that do not fit.
#include "gis_commands/gis_import.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "gis/crs.h"
#include "gis_commands/crs_wkt.h"
#include "gis_commands/geojson_sources.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// Roads in UTM 32 N: a line with Z and full traffic, a two-part line whose day
// count of cars is null.
const char* const kRoads = R"({"type": "FeatureCollection",
 "crs": {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::32632"}},
 "features": [
  {"type": "Feature", "properties": {"NAME": "Via Roma", "CARS_D": 1200, "CARS_N": 150,
   "TIR_D": 40, "CLS": 4, "PAV": 2, "SLOPE": 1},
   "geometry": {"type": "LineString",
                "coordinates": [[500010.5, 4500020.25, 10], [500110.5, 4500020.25, 12]]}},
  {"type": "Feature", "properties": {"NAME": "Via Po", "CARS_D": null, "CARS_N": 30,
   "TIR_D": 0, "CLS": 2, "PAV": 0, "SLOPE": 0},
   "geometry": {"type": "MultiLineString", "coordinates": [
     [[500000, 4500100], [500050, 4500150]],
     [[500200, 4500100], [500250, 4500150], [500300, 4500150]]]}}
 ]})";

// Buildings: a polygon with a height field and a two-part building without.
const char* const kBuildings = R"({"type": "FeatureCollection",
 "crs": {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::32632"}},
 "features": [
  {"type": "Feature", "properties": {"H": 9.5},
   "geometry": {"type": "Polygon", "coordinates": [
     [[500000, 4500000], [500020, 4500000], [500020, 4500010], [500000, 4500000]]]}},
  {"type": "Feature", "properties": {"H": null},
   "geometry": {"type": "MultiPolygon", "coordinates": [
     [[[500100, 4500000], [500110, 4500000], [500110, 4500010], [500100, 4500000]]],
     [[[500200, 4500000], [500210, 4500000], [500210, 4500010], [500200, 4500000]]]]}}
 ]})";

using GisImportTest = GeoJsonSources;

TEST_F(GisImportTest, ShapefileRoadsWithMappedFieldsOneEntityPerPart) {
  std::string shp = Convert(kRoads, "roads.shp", "-f 'ESRI Shapefile'");
  Project p;
  GisImportOptions o;
  o.fields = {{"Nome", "NAME"},       {"NveicDay1", "CARS_D"}, {"NveicNight1", "CARS_N"},
              {"NveicDay4", "TIR_D"}, {"VelDay1", "CLS"},      {"Pavimentaz", "PAV"},
              {"Pendenza", "SLOPE"}};
  GisImportReport report = ImportGisLayer(p, shp, o);
  EXPECT_EQ(report.features, 2);
  EXPECT_EQ(report.imported, 3);
  ASSERT_EQ(p.strade.count(), 3);
  const Strada& roma = p.strade[1];
  EXPECT_EQ(roma.Nome, "Via Roma");
  EXPECT_EQ(roma.NveicDay[1], 1200);
  EXPECT_EQ(roma.NveicNight[1], 150);
  EXPECT_EQ(roma.NveicDay[4], 40);
  EXPECT_EQ(roma.VelDay[1], 4);
  EXPECT_EQ(roma.VelNight[1], 0);  // not mapped: left empty
  EXPECT_EQ(roma.Pavimentaz, 2);
  EXPECT_EQ(roma.Pendenza, 1);
  ASSERT_EQ(roma.Npunti(), 2);
  EXPECT_EQ(roma.vertex(1).X, 500010.5);
  EXPECT_EQ(roma.vertex(1).Y, 4500020.25);
  EXPECT_EQ(roma.vertex(2).Z, 12);
  // Both parts of Via Po carry its fields; its null day count stays empty.
  EXPECT_EQ(p.strade[2].Nome, "Via Po");
  EXPECT_EQ(p.strade[3].Nome, "Via Po");
  EXPECT_EQ(p.strade[3].Npunti(), 3);
  EXPECT_EQ(p.strade[3].NveicDay[1], 0);
  EXPECT_EQ(p.strade[3].NveicNight[1], 30);
  EXPECT_EQ(p.extent.Xmin, 500000);
  EXPECT_EQ(p.extent.Xmax, 500300);
  EXPECT_FALSE(p.EmissioniOK);
}

TEST_F(GisImportTest, GeoPackageInWgs84IsReprojectedIntoTheProjectsCrs) {
  std::string gpkg = Convert(kRoads, "roads.gpkg", "-f GPKG -t_srs EPSG:4326 -nln strade");
  Project p;
  GisImportOptions o;
  o.fields = {{"Nome", "NAME"}};
  o.targetCrsWkt = CrsWkt(32632);
  ImportGisLayer(p, gpkg, o);
  ASSERT_EQ(p.strade.count(), 3);
  EXPECT_NEAR(p.strade[1].vertex(1).X, 500010.5, 1e-3);
  EXPECT_NEAR(p.strade[1].vertex(1).Y, 4500020.25, 1e-3);
  EXPECT_NEAR(p.strade[3].vertex(3).X, 500300, 1e-3);
  EXPECT_NEAR(p.strade[3].vertex(3).Y, 4500150, 1e-3);
  // Without --crs the coordinates stay in degrees, as the layer has them.
  Project raw;
  o.targetCrsWkt.clear();
  ImportGisLayer(raw, gpkg, o);
  EXPECT_NEAR(raw.strade[1].vertex(1).X, 9.0, 0.01);
  EXPECT_NEAR(raw.strade[1].vertex(1).Y, 40.65, 0.01);
}

TEST_F(GisImportTest, BuildingHeightsCapacitiesAndTooLongOutlines) {
  std::string gpkg = Convert(kBuildings, "case.gpkg", "-f GPKG");
  Project p;
  GisImportOptions o;
  o.kind = GisKind::Case;
  o.fields = {{"Altezza", "H"}};
  o.height = 6;
  GisImportReport report = ImportGisLayer(p, gpkg, o);
  ASSERT_EQ(p.case_.count(), 3);
  EXPECT_EQ(p.case_[1].Npunti(), 4);  // the closed ring, as a closed drawing outline
  EXPECT_EQ(p.case_[1].vertex(3).Z, 9.5);
  EXPECT_EQ(p.case_[2].vertex(1).Z, 6);  // null height: the constant
  EXPECT_EQ(p.case_[3].vertex(1).X, 500200);
  EXPECT_TRUE(report.notes.empty());

  // Barriers into a table with room for one: the others are counted, not written.
  Project full;
  full.barriere.setCount(kMaxBarriere - 1);
  o.kind = GisKind::Barriere;
  o.mode = GisMergeMode::Append;
  report = ImportGisLayer(full, gpkg, o);
  EXPECT_EQ(full.barriere.count(), kMaxBarriere);
  EXPECT_EQ(report.imported, 1);
  EXPECT_EQ(report.skippedFull, 2);
  ASSERT_EQ(report.notes.size(), 1u);
  EXPECT_EQ(report.notes[0], "2 parts left out: the table is full (at most 3000 barriere)");

  // An outline of 501 vertices is more than a barrier holds.
  std::string ring;
  for (int k = 0; k < 500; ++k)
    ring += "[" + std::to_string(k) + ", " + std::to_string(k % 2) + "], ";
  std::string longLine = R"({"type": "FeatureCollection", "features": [{"type": "Feature",
    "properties": {}, "geometry": {"type": "LineString", "coordinates": [)" +
                         ring + "[0, 5]]}}]}";
  std::string shp = Convert(longLine.c_str(), "long.shp", "");
  Project q;
  o.fields.clear();
  report = ImportGisLayer(q, shp, o);
  EXPECT_EQ(q.barriere.count(), 0);
  EXPECT_EQ(report.skippedVertices, 1);
}

TEST_F(GisImportTest, AppendInsertAndReplaceAsForDrawings) {
  std::string shp = Convert(kRoads, "roads.shp", "");
  Project p;
  for (int k = 0; k < 4; ++k) {
    Strada& s = p.strade.addEntity();
    s.Nome = "old " + std::to_string(k + 1);
    s.NveicDay[1] = 100 * (k + 1);
    s.vertices = {LineVertex{0, 0, 0, 0, 0}, LineVertex{1, 1, 0, 0, 0}};
  }
  Project appended = p;
  GisImportOptions o;
  o.fields = {{"Nome", "NAME"}};
  o.mode = GisMergeMode::Append;
  ImportGisLayer(appended, shp, o);
  ASSERT_EQ(appended.strade.count(), 7);
  EXPECT_EQ(appended.strade[4].Nome, "old 4");
  EXPECT_EQ(appended.strade[5].Nome, "Via Roma");

  Project inserted = p;
  o.mode = GisMergeMode::Insert;
  o.row = 2;
  ImportGisLayer(inserted, shp, o);
  ASSERT_EQ(inserted.strade.count(), 7);
  EXPECT_EQ(inserted.strade[2].Nome, "Via Roma");
  EXPECT_EQ(inserted.strade[5].Nome, "old 2");

  // Replace from row 3: rows 3 and 4 get the new geometry and names and keep
  // their traffic; the third part falls beyond the last row.
  Project replaced = p;
  o.mode = GisMergeMode::Replace;
  o.row = 3;
  GisImportReport report = ImportGisLayer(replaced, shp, o);
  ASSERT_EQ(replaced.strade.count(), 4);
  EXPECT_EQ(replaced.strade[3].Nome, "Via Roma");
  EXPECT_EQ(replaced.strade[3].NveicDay[1], 300);
  EXPECT_EQ(replaced.strade[3].vertex(1).X, 500010.5);
  EXPECT_EQ(replaced.strade[4].Nome, "Via Po");
  EXPECT_EQ(report.skippedBeyond, 1);

  Project overwritten = p;
  o.mode = GisMergeMode::Overwrite;
  ImportGisLayer(overwritten, shp, o);
  ASSERT_EQ(overwritten.strade.count(), 3);
  EXPECT_EQ(overwritten.strade[1].NveicDay[1], 0);  // nothing of the old row 1 is kept

  o.mode = GisMergeMode::Replace;
  o.row = 5;
  EXPECT_THROW(ImportGisLayer(p, shp, o), std::invalid_argument);
}

TEST_F(GisImportTest, SourcesThatDoNotFitAreRefusedAndTheProjectKept) {
  std::string gpkg = Convert(kRoads, "roads.gpkg", "-f GPKG -nln strade");
  std::string both = Convert(kBuildings, "both.gpkg", "-f GPKG -nln case");
  RunCommand("ogr2ogr -update -nln strade " + Quote(both) + " " + Quote(dir_.file("roads.gpkg")));
  Project p;
  p.strade.addEntity().Nome = "kept";
  auto message = [&p](const std::string& source, const GisImportOptions& o) -> std::string {
    try {
      ImportGisLayer(p, source, o);
    } catch (const FileError& e) {
      EXPECT_EQ(e.file(), source);
      return e.message();
    } catch (const std::invalid_argument& e) {
      return e.what();
    }
    return "no error";
  };
  GisImportOptions o;
  o.kind = GisKind::Punti;
  EXPECT_EQ(message(gpkg, o), "layer strade, feature 1: a 3D Line String where punti take points");
  o.kind = GisKind::Strade;
  o.fields = {{"Nome", "STREET"}};
  EXPECT_EQ(message(gpkg, o),
            "layer strade has no field STREET (fields: NAME, CARS_D, CARS_N, TIR_D, CLS, PAV, "
            "SLOPE)");
  o.fields = {{"VelDay2", "CARS_N"}};
  EXPECT_EQ(message(gpkg, o),
            "layer strade, feature 1: VelDay2 = \"150\" is not a whole number from 0 to 7");
  o.fields = {{"Altezza", "NAME"}};
  EXPECT_NE(message(gpkg, o).find("have no field Altezza"), std::string::npos);
  o.fields.clear();
  EXPECT_EQ(message(both, o), "the source holds 2 layers (case, strade): name one with --layer");
  o.layer = "roads";
  EXPECT_EQ(message(both, o), "no layer named roads");
  o.layer.clear();
  EXPECT_NE(message(dir_.file("missing.gpkg"), o).find("GDAL cannot open it"), std::string::npos);
  // A CSV with WKT names no CRS: there is nothing to reproject from.
  std::string noCrs = Convert(kRoads, "nocrs.csv", "-f CSV -lco GEOMETRY=AS_WKT -nln nocrs");
  o.targetCrsWkt = CrsWkt(32632);
  EXPECT_EQ(message(noCrs, o),
            "layer nocrs names no coordinate reference system to reproject from");
  o.targetCrsWkt.clear();
  o.fields = {{"Nome", "NAME"}};
  Project fromCsv;
  ImportGisLayer(fromCsv, noCrs, o);
  ASSERT_EQ(fromCsv.strade.count(), 3);
  EXPECT_EQ(fromCsv.strade[3].Nome, "Via Po");
  EXPECT_EQ(fromCsv.strade[1].vertex(2).Z, 12);
  ASSERT_EQ(p.strade.count(), 1);
  EXPECT_EQ(p.strade[1].Nome, "kept");
}

// A GeoJSON read straight: an overflowing number, a width beyond any road and a
// height that takes a roof past the largest double are refused, never stored.
TEST_F(GisImportTest, CoordinatesAndValuesBeyondNumbersAreRefused) {
  const std::string huge = dir_.file("huge.geojson");
  WriteTextFile(huge, R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "properties": {"W": 2000, "H": 1e308},
   "geometry": {"type": "LineString", "coordinates": [[0, 0, 1e308], [1e309, 5, 0]]}}]})");
  const std::string roof = dir_.file("roof.geojson");
  WriteTextFile(roof, R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "properties": {"H": 1e308},
   "geometry": {"type": "LineString", "coordinates": [[0, 0, 1e308], [10, 5, 1e308]]}}]})");
  Project p;
  p.barriere.addEntity();
  auto message = [&p](const std::string& source, const GisImportOptions& o) -> std::string {
    try {
      ImportGisLayer(p, source, o);
    } catch (const FileError& e) {
      return e.message();
    }
    return "no error";
  };
  GisImportOptions o;
  o.kind = GisKind::Strade;
  o.fields = {{"Larghezza", "W"}};
  EXPECT_EQ(message(huge, o),
            "layer huge, feature 0: Larghezza = \"2000\" is not a number from 0 to 1000");
  o.fields.clear();
  EXPECT_EQ(message(huge, o),
            "layer huge, feature 0: a coordinate (or a height added to it) is not a finite number");
  o.kind = GisKind::Barriere;
  o.fields = {{"Altezza", "H"}};
  EXPECT_EQ(message(roof, o), "layer roof, feature 0: Altezza = \"1e+308\" is not a number");
  o.fields.clear();
  o.height = 1e308;
  EXPECT_EQ(message(roof, o),
            "layer roof, feature 0: a coordinate (or a height added to it) is not a finite number");
  o.height = std::numeric_limits<double>::infinity();
  EXPECT_THROW(ImportGisLayer(p, roof, o), std::invalid_argument);
  EXPECT_EQ(p.barriere.count(), 1);
}

}  // namespace
}  // namespace sonvale
