// GeoTIFF output read back by GDAL: the same values, positions and blanks as
// GDAL reads from the Surfer grid, and the coordinate reference system named.
#include "gis_commands/geotiff.h"

#include <gtest/gtest.h>
#include <ogr_srs_api.h>

#include "gdal_reading.h"
#include "gis/crs.h"
#include "gis/grid_calc.h"
#include "gis_commands/crs_wkt.h"
#include "gis_commands/grid_raster.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(GeoTiffTest, GdalReadsTheSameValuesAsFromTheSurferGrid) {
  ScratchFolder dir;
  GridData g;
  g.header = GridHeader{4, 3, 1000, 1030, 2000, 2010, 0, 0};
  g.values = {55.25,  56.5,        57.75, 59,  //
              60.125, kBlankValue, 62,    63,  //
              64.5,   65,          66.75, 71.0625};
  WriteTextGrid(dir.file("g.grd"), g);
  WriteGeoTiff(g, dir.file("g.tif"), CrsWkt(3003));

  GdalHandle grd = OpenWithGdal(dir.file("g.grd"), GDAL_OF_RASTER);
  GdalHandle tif = OpenWithGdal(dir.file("g.tif"), GDAL_OF_RASTER);
  ASSERT_TRUE(grd && tif);
  auto* t = static_cast<GDALDatasetH>(tif.get());
  EXPECT_STREQ(GDALGetDriverShortName(GDALGetDatasetDriver(t)), "GTiff");
  EXPECT_EQ(GDALGetRasterDataType(GDALGetRasterBand(t, 1)), GDT_Float32);
  EXPECT_EQ(GDALGetRasterXSize(t), 4);
  EXPECT_EQ(GDALGetRasterYSize(t), 3);

  double gtGrd[6], gtTif[6];
  ASSERT_EQ(GDALGetGeoTransform(static_cast<GDALDatasetH>(grd.get()), gtGrd), CE_None);
  ASSERT_EQ(GDALGetGeoTransform(t, gtTif), CE_None);
  for (int k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(gtTif[k], gtGrd[k]) << k;
  // Node (0, 0) at (1000, 2000) is the centre of the south-western pixel.
  EXPECT_DOUBLE_EQ(gtTif[0] + 0.5 * gtTif[1], 1000);
  EXPECT_DOUBLE_EQ(gtTif[3] + 2.5 * gtTif[5], 2000);

  std::vector<double> fromGrd = RasterValues(grd.get());
  std::vector<double> fromTif = RasterValues(tif.get());
  ASSERT_EQ(fromTif.size(), 12u);
  ASSERT_EQ(fromGrd.size(), 12u);
  int hasNodata = 0;
  double nodata = GDALGetRasterNoDataValue(GDALGetRasterBand(t, 1), &hasNodata);
  EXPECT_TRUE(hasNodata);
  double grdNodata = GDALGetRasterNoDataValue(
      GDALGetRasterBand(static_cast<GDALDatasetH>(grd.get()), 1), &hasNodata);
  for (size_t k = 0; k < 12; ++k) {
    if (fromGrd[k] == grdNodata)
      EXPECT_EQ(fromTif[k], nodata) << k;
    else
      EXPECT_EQ(fromTif[k], fromGrd[k]) << k;
  }
  EXPECT_EQ(fromTif[0], 64.5);    // north-western pixel: node (0, 2)
  EXPECT_EQ(fromTif[11], 59);     // south-eastern pixel: node (3, 0)
  EXPECT_EQ(fromTif[5], nodata);  // node (1, 1) is blank
  EXPECT_NE(fromGrd[5], fromGrd[4]);

  OGRSpatialReferenceH srs = OSRNewSpatialReference(GDALGetProjectionRef(t));
  ASSERT_NE(srs, nullptr);
  EXPECT_STREQ(OSRGetAuthorityCode(srs, nullptr), "3003");
  OSRRelease(srs);
}

TEST(GeoTiffTest, CrsNamesAndUnwritableFiles) {
  EXPECT_EQ(ParseEpsg("EPSG:32632"), 32632);
  EXPECT_EQ(ParseEpsg("epsg:3003"), 3003);
  EXPECT_FALSE(ParseEpsg("EPSG:"));
  EXPECT_FALSE(ParseEpsg("EPSG:12a"));
  EXPECT_FALSE(ParseEpsg("3003"));
  EXPECT_THROW(CrsWkt(999999), std::invalid_argument);

  GridData g;
  g.header = GridHeader{2, 2, 0, 1, 0, 1, 0, 0};
  g.values = {1, 2, 3, 4};
  try {
    WriteGeoTiff(g, "/nonexistent-folder/g.tif", "");
    FAIL() << "wrote into a missing folder";
  } catch (const FileError& e) {
    EXPECT_EQ(e.file(), "/nonexistent-folder/g.tif");
    EXPECT_NE(e.message().find("cannot create the raster"), std::string::npos) << e.message();
  }
}

}  // namespace
}  // namespace sonvale
