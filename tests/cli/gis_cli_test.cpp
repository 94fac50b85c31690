// The GIS subcommands of sonvale-cli, with what they write read back by GDAL's
// own programs (gdalinfo, gdallocationinfo, ogrinfo from Debian's gdal-bin).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cli_run.h"
#include "support/file_contents.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

const std::string kTown = std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp";

// The value GDAL reads at pixel (column, row) of a raster.
std::string ValueAt(const std::string& path, int column, int row) {
  CliRun r = RunCommand("gdallocationinfo -valonly " + Quote(path) + " " + std::to_string(column) +
                        " " + std::to_string(row));
  return r.status == 0 ? r.out : "failed: " + r.out;
}

class GisCliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(std::system("command -v gdalinfo ogrinfo gdallocationinfo >/dev/null 2>&1"), 0)
        << "gdal-bin is not installed (tools/install-deps.sh)";
    dir_ = new ScratchFolder;
    CliRun r = Cli("map " + Quote(kTown) + " --out " + Quote(dir_->file("town.grd")) +
                   " --ndiv 24,18 --quiet --geotiff --crs EPSG:32632");
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_NE(r.out.find(dir_->file("town_D.tif")), std::string::npos) << r.out;
    ASSERT_NE(r.out.find(dir_->file("town_N.tif")), std::string::npos) << r.out;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static std::string file(const std::string& name) { return dir_->file(name); }
  static ScratchFolder* dir_;
};

ScratchFolder* GisCliTest::dir_ = nullptr;

TEST_F(GisCliTest, MapGeoTiffHoldsTheValuesOfTheSurferGridAndItsCrs) {
  for (const char* period : {"D", "N"}) {
    std::string grd = file(std::string("town_") + period + ".grd");
    std::string tif = file(std::string("town_") + period + ".tif");
    CliRun info = RunCommand("gdalinfo " + Quote(tif));
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_NE(info.out.find("Size is 25, 19"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Type=Float32"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("ID[\"EPSG\",32632]"), std::string::npos) << info.out;
    for (auto [column, row] : {std::pair{0, 0}, {24, 18}, {7, 11}, {12, 3}, {20, 15}}) {
      // Float32 holds the Surfer grid's level to its seventh digit.
      std::string fromGrd = ValueAt(grd, column, row);
      std::string fromTif = ValueAt(tif, column, row);
      ASSERT_NE(fromGrd.rfind("failed", 0), 0u) << fromGrd;
      ASSERT_NE(fromTif.rfind("failed", 0), 0u) << fromTif;
      EXPECT_FLOAT_EQ(static_cast<float>(std::stod(fromTif)),
                      static_cast<float>(std::stod(fromGrd)))
          << period << " " << column << "," << row;
    }
  }
  // grid-convert writes the same file as the map did.
  CliRun r = Cli("grid-convert " + Quote(file("town_D.grd")) + " " + Quote(file("again.tif")) +
                 " --crs EPSG:32632 --quiet");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ValueAt(file("again.tif"), 9, 9), ValueAt(file("town_D.tif"), 9, 9));
  EXPECT_EQ(Cli("grid-convert " + Quote(file("town_D.grd")) + " x.tif --crs 32632").status, 2);
  EXPECT_EQ(Cli("map " + Quote(kTown) + " --out x.grd --crs EPSG:32632").status, 2);
}

TEST_F(GisCliTest, DifferenceOfAMapWithItselfIsZeroAndSumsAddEnergy) {
  CliRun r = Cli("grid-calc diff " + Quote(file("town_D.grd")) + " " + Quote(file("town_D.grd")) +
                 " --out " + Quote(file("zero.grd")));
  ASSERT_EQ(r.status, 0) << r.out;
  CliRun stats = RunCommand("gdalinfo -stats " + Quote(file("zero.grd")));
  EXPECT_NE(stats.out.find("STATISTICS_MINIMUM=0\n"), std::string::npos) << stats.out;
  EXPECT_NE(stats.out.find("STATISTICS_MAXIMUM=0\n"), std::string::npos) << stats.out;
  EXPECT_NE(stats.out.find("STATISTICS_VALID_PERCENT=100"), std::string::npos) << stats.out;

  // A map added to itself is 3.0103 dB louder everywhere.
  r = Cli("grid-calc sum " + Quote(file("town_N.grd")) + " " + Quote(file("town_N.grd")) +
          " --out " + Quote(file("twice.grd")));
  ASSERT_EQ(r.status, 0) << r.out;
  r = Cli("grid-calc diff " + Quote(file("twice.grd")) + " " + Quote(file("town_N.grd")) +
          " --out " + Quote(file("gain.grd")));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NEAR(std::stod(ValueAt(file("gain.grd"), 5, 5)), 3.0103, 1e-4);

  r = Cli("grid-calc excess " + Quote(file("town_D.grd")) + " --limit 200 --out " +
          Quote(file("none.grd")));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ValueAt(file("none.grd"), 3, 3), "0\n");
}

TEST_F(GisCliTest, GridCalcRefusesOtherNodesAndBadArguments) {
  ASSERT_EQ(Cli("map " + Quote(kTown) + " --out " + Quote(file("coarse.grd")) +
                " --ndiv 10,10 --quiet --period day")
                .status,
            0);
  CliRun r = Cli("grid-calc diff " + Quote(file("town_D.grd")) + " " + Quote(file("coarse_D.grd")) +
                 " --out " + Quote(file("x.grd")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("coarse_D.grd:2: the grid has 11 x 11 nodes"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(file("x.grd")));
  EXPECT_EQ(Cli("grid-calc diff " + Quote(file("town_D.grd")) + " --out x.grd").status, 2);
  EXPECT_EQ(Cli("grid-calc excess " + Quote(file("town_D.grd")) + " --out x.grd").status, 2);
  EXPECT_EQ(Cli("grid-calc product a b --out x.grd").status, 2);
  r = Cli("grid-calc sum " + Quote(file("missing.grd")) + " " + Quote(file("town_D.grd")) +
          " --out x.grd");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("missing.grd: cannot open the grid file"), std::string::npos) << r.out;
  EXPECT_EQ(Cli("grid-calc --help").status, 0);
}

TEST_F(GisCliTest, ContoursOfTheTownOpenInOgrWithBandsAndLines) {
  CliRun r = Cli("contours " + Quote(file("town_D.grd")) + " --out " + Quote(file("iso.gpkg")) +
                 " --bands 45,50,...,75 --lines --scheme end --crs EPSG:32632");
  ASSERT_EQ(r.status, 0) << r.out;
  CliRun bands = RunCommand("ogrinfo -ro -al -q " + Quote(file("iso.gpkg")) +
                            " isophone_bands -fields=YES -geom=NO");
  ASSERT_EQ(bands.status, 0) << bands.out;
  for (const char* label : {"45 - 50", "60 - 65", "70 - 75"}) {
    EXPECT_NE(bands.out.find(std::string("label (String) = ") + label), std::string::npos)
        << bands.out;
  }
  EXPECT_EQ(bands.out.find("= 0\n"), std::string::npos) << bands.out;
  EXPECT_EQ(bands.out.find("2147483647"), std::string::npos) << bands.out;
  CliRun lines = RunCommand("ogrinfo -ro -so " + Quote(file("iso.gpkg")) + " isophone_lines");
  EXPECT_NE(lines.out.find("Geometry: Line String"), std::string::npos) << lines.out;
  EXPECT_NE(lines.out.find("32632"), std::string::npos) << lines.out;
  CliRun styles = RunCommand("ogrinfo -ro -q " + Quote(file("iso.gpkg")) +
                             " -sql \"SELECT f_table_name FROM layer_styles\"");
  EXPECT_NE(styles.out.find("= isophone_bands"), std::string::npos) << styles.out;
  EXPECT_NE(styles.out.find("= isophone_lines"), std::string::npos) << styles.out;

  EXPECT_EQ(Cli("contours --help").status, 0);
  EXPECT_EQ(Cli("contours " + Quote(file("town_D.grd")) + " --out x.gpkg --scheme din").status, 2);
  EXPECT_EQ(Cli("contours " + Quote(file("town_D.grd")) + " --out x.gpkg --bands 60,55").status, 2);
  EXPECT_EQ(
      Cli("contours " + Quote(file("town_D.grd")) + " --out x.gpkg --bands 50 --step 5").status, 2);
  r = Cli("contours " + Quote(file("town_D.grd")) + " --out /nonexistent-folder/iso.gpkg");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("/nonexistent-folder/iso.gpkg: cannot create the GeoPackage"),
            std::string::npos)
      << r.out;
}

TEST_F(GisCliTest, PicturesInIsophoneBands) {
  CliRun r = Cli("draw " + Quote(kTown) + " --png " + Quote(file("bands.png")) + " --grid " +
                 Quote(file("town_D.grd")) + " --scheme nfs31130 --bands 50,55,...,75 --lines");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(FileContents(file("bands.png")).substr(1, 3), "PNG");
  EXPECT_EQ(Cli("draw " + Quote(kTown) + " --png x.png --lines").status, 2);
  EXPECT_EQ(Cli("map " + Quote(kTown) + " --out x.grd --scheme din18005").status, 2);
}

TEST_F(GisCliTest, ImportGisIntoTheTownReportsAndRefuses) {
  WriteTextFile(file("points.geojson"), R"({"type": "FeatureCollection", "features": [
    {"type": "Feature", "properties": {"id": "R1"},
     "geometry": {"type": "MultiPoint", "coordinates": [[500100, 4500100], [500200, 4500200]]}},
    {"type": "Feature", "properties": {"id": null},
     "geometry": {"type": "Point", "coordinates": [500300, 4500300, 7]}}]})");
  CliRun r = Cli("import-gis " + Quote(file("points.geojson")) + " --kind punti --fields Nome=id" +
                 " --into " + Quote(kTown) + " --mode append --out " + Quote(file("more.svp")));
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("2 features read, 3 punti imported"), std::string::npos) << r.out;
  r = Cli("info " + Quote(file("more.svp")));
  EXPECT_NE(r.out.find("Punti            18"), std::string::npos) << r.out;  // 15 + 3

  r = Cli("import-gis " + Quote(file("points.geojson")) + " --kind strade --out " +
          Quote(file("x.svp")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("points.geojson: layer points, feature 0: a Multi Point where strade take "
                       "lines"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(file("x.svp")));
  EXPECT_EQ(Cli("import-gis x.gpkg --kind vie --out x.svp").status, 2);
  EXPECT_EQ(Cli("import-gis x.gpkg --kind punti --out x.svp --mode replace").status, 2);
  EXPECT_EQ(Cli("import-gis x.gpkg --kind punti --out x.svp --height 3").status, 2);
  EXPECT_EQ(Cli("import-gis --help").status, 0);
}

TEST_F(GisCliTest, ExportGisOfTheTownWithPointLevels) {
  ASSERT_EQ(Cli("points " + Quote(kTown) + " --out " + Quote(file("p.dat")) + " --quiet").status,
            0);
  CliRun r = Cli("export-gis " + Quote(kTown) + " " + Quote(file("town.gpkg")) + " --dat " +
                 Quote(file("p.dat")) + " --crs EPSG:32632");
  ASSERT_EQ(r.status, 0) << r.out;
  CliRun roads = RunCommand("ogrinfo -ro -so " + Quote(file("town.gpkg")) + " strade");
  EXPECT_NE(roads.out.find("Feature Count: 30"), std::string::npos) << roads.out;
  EXPECT_NE(roads.out.find("LeqDay: Real"), std::string::npos) << roads.out;
  CliRun points = RunCommand("ogrinfo -ro -q " + Quote(file("town.gpkg")) +
                             " -sql \"SELECT COUNT(*) FROM punti WHERE LeqDay > 30\"");
  EXPECT_NE(points.out.find("= 15"), std::string::npos) << points.out;

  WriteTextFile(file("bad.dat"), "N.\tX\n1\t2\n");
  r = Cli("export-gis " + Quote(kTown) + " " + Quote(file("x.gpkg")) + " --dat " +
          Quote(file("bad.dat")));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("bad.dat:2:"), std::string::npos) << r.out;
  EXPECT_EQ(Cli("export-gis --help").status, 0);
}

}  // namespace
}  // namespace sonvale
