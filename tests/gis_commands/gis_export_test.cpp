// The model written as GeoPackage layers, read back through OGR and through
// the GIS import, and the point data files whose levels it carries.
#include "gis_commands/gis_export.h"

#include <gtest/gtest.h>

#include "gdal_reading.h"
#include "gis/crs.h"
#include "gis_commands/crs_wkt.h"
#include "gis_commands/gis_import.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

Project SmallModel() {
  Project p;
  Strada& s = p.strade.addEntity();
  s.Nome = "Via Roma";
  s.Pavimentaz = 2;
  s.NveicDay[1] = 1200;
  s.NveicNight[4] = 12;
  s.VelDay[1] = 4;
  s.LeqDay = 68.25;
  s.LeqNight = 60.5;
  s.vertices = {LineVertex{0, 0, 1, 10, 10}, LineVertex{100, 0, 2, 10, 10}};
  Casa& c = p.case_.addEntity();  // an outline drawn open: the polygon closes it
  c.vertices = {{10, 10, 9}, {20, 10, 9}, {20, 20, 12}, {10, 20, 9}};
  p.case_.addEntity().vertices = {{0, 0, 3}, {1, 1, 3}};  // encloses nothing
  p.barriere.addEntity().vertices = {{0, -5, 4}, {50, -5, 4.5}};
  Punto& pt = p.punti.addEntity();
  pt = Punto{30, 40, 4, "R1"};
  p.punti.addEntity() = Punto{35, 40, 4, "R2"};
  Source& src = p.sources.addEntity();
  src.X = 5;
  src.Nome = "Pompa";
  src.Lw = 95;
  return p;
}

TEST(GisExportTest, LayersCarryTheModelAndReadBackThroughTheImport) {
  ScratchFolder dir;
  const std::string path = dir.file("model.gpkg");
  std::map<long, PointLevels> levels = {{1, PointLevels{61.5, std::nullopt}}};
  GisExportSummary summary = ExportGis(SmallModel(), path, CrsWkt(32632), levels);
  EXPECT_EQ(summary.features["strade"], 1);
  EXPECT_EQ(summary.features["case"], 1);
  EXPECT_EQ(summary.features["binari"], 0);
  EXPECT_EQ(summary.skipped, 1);

  GdalHandle ds = OpenWithGdal(path, GDAL_OF_VECTOR);
  ASSERT_TRUE(ds);
  auto* d = static_cast<GDALDatasetH>(ds.get());
  EXPECT_EQ(GDALDatasetGetLayerCount(d), 6);
  OGRLayerH buildings = GDALDatasetGetLayerByName(d, "case");
  OGRFeatureH f = OGR_L_GetNextFeature(buildings);
  ASSERT_NE(f, nullptr);
  EXPECT_DOUBLE_EQ(OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "Altezza")), 12);
  EXPECT_DOUBLE_EQ(OGR_G_Area(OGR_F_GetGeometryRef(f)), 100);
  OGR_F_Destroy(f);
  OGRLayerH points = GDALDatasetGetLayerByName(d, "punti");
  f = OGR_L_GetNextFeature(points);
  EXPECT_DOUBLE_EQ(OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "LeqDay")), 61.5);
  EXPECT_FALSE(OGR_F_IsFieldSetAndNotNull(f, OGR_F_GetFieldIndex(f, "LeqNight")));
  OGR_F_Destroy(f);
  f = OGR_L_GetNextFeature(points);
  EXPECT_FALSE(OGR_F_IsFieldSetAndNotNull(f, OGR_F_GetFieldIndex(f, "LeqDay")));  // no level
  OGR_F_Destroy(f);
  OGRLayerH roads = GDALDatasetGetLayerByName(d, "strade");
  f = OGR_L_GetNextFeature(roads);
  EXPECT_DOUBLE_EQ(OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "LeqNight")), 60.5);
  OGR_F_Destroy(f);
  ds.reset();

  // The roads come back with every field that the import maps.
  GisImportOptions o;
  o.layer = "strade";
  for (const std::string& field : MappableFields(GisKind::Strade)) {
    if (field != "Larghezza") o.fields[field] = field;
  }
  Project back;
  ImportGisLayer(back, path, o);
  ASSERT_EQ(back.strade.count(), 1);
  const Strada& s = back.strade[1];
  EXPECT_EQ(s.Nome, "Via Roma");
  EXPECT_EQ(s.Pavimentaz, 2);
  EXPECT_EQ(s.NveicDay[1], 1200);
  EXPECT_EQ(s.NveicNight[4], 12);
  EXPECT_EQ(s.VelDay[1], 4);
  ASSERT_EQ(s.Npunti(), 2);
  EXPECT_EQ(s.vertex(2).X, 100);
  EXPECT_EQ(s.vertex(2).Z, 2);
}

TEST(GisExportTest, PointDataFilesAreReadByNumberAndRefusedWhenMalformed) {
  ScratchFolder dir;
  WriteTextFile(dir.file("p.dat"),
                "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n"
                "1\t500155.87\t4500117.1\t31.31\t61.1\t57.4\r\n"
                "3\t1\t2\t3\t\t44.0\r\n");
  std::map<long, PointLevels> levels = ReadPointDataFile(dir.file("p.dat"));
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_EQ(levels[1].day, 61.1);
  EXPECT_EQ(levels[1].night, 57.4);
  EXPECT_FALSE(levels[3].day);
  EXPECT_EQ(levels[3].night, 44);

  WriteTextFile(dir.file("bad.dat"), "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n1\t2\t3\r\n");
  try {
    ReadPointDataFile(dir.file("bad.dat"));
    FAIL() << "a short line was read";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 2);
  }
  WriteTextFile(dir.file("level.dat"), "N.\tX\tY\tZ\tLeq Day\tLeq Night\r\n1\t2\t3\t4\tx\t5\r\n");
  EXPECT_THROW(ReadPointDataFile(dir.file("level.dat")), FormatError);
  WriteTextFile(dir.file("other.txt"), "DSAA\r\n");
  EXPECT_THROW(ReadPointDataFile(dir.file("other.txt")), FormatError);
  EXPECT_THROW(ReadPointDataFile(dir.file("missing.dat")), FileError);
}

}  // namespace
}  // namespace sonvale
