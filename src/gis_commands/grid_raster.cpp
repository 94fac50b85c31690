#include "gis_commands/grid_raster.h"

#include <gdal.h>

#include <vector>

#include "gis_commands/gdal_session.h"
#include "text/file_error.h"

namespace sonvale {

void DatasetCloser::operator()(void* dataset) const {
  if (dataset) GDALClose(static_cast<GDALDatasetH>(dataset));
}

DatasetPtr GridRaster(const GridData& grid, const char* driver, const std::string& path,
                      const std::string& crsWkt, const char* const* options) {
  GdalSession session;
  const GridHeader& h = grid.header;
  if (h.nx < 2 || h.ny < 2) {
    throw FileError(path, "a grid of fewer than 2 x 2 nodes has no cell size for a raster");
  }
  GDALDriverH drv = GDALGetDriverByName(driver);
  if (!drv) session.fail(path, std::string("GDAL has no ") + driver + " driver");
  DatasetPtr ds(
      GDALCreate(drv, path.c_str(), h.nx, h.ny, 1, GDT_Float32, const_cast<char**>(options)));
  if (!ds) session.fail(path, "cannot create the raster");
  auto* dataset = static_cast<GDALDatasetH>(ds.get());

  double dx = (h.xhi - h.xlo) / (h.nx - 1);
  double dy = (h.yhi - h.ylo) / (h.ny - 1);
  double transform[6] = {h.xlo - dx / 2, dx, 0, h.yhi + dy / 2, 0, -dy};
  GDALSetGeoTransform(dataset, transform);
  if (!crsWkt.empty()) GDALSetProjection(dataset, crsWkt.c_str());
  GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
  GDALSetRasterNoDataValue(band, kRasterNodata);

  std::vector<float> row(static_cast<size_t>(h.nx));
  for (int r = 0; r < h.ny; ++r) {
    int j = h.ny - 1 - r;
    for (int i = 0; i < h.nx; ++i) {
      double v = grid.value(i, j);
      row[static_cast<size_t>(i)] = static_cast<float>(v == kBlankValue ? kBlankValue : v);
    }
    if (GDALRasterIO(band, GF_Write, 0, r, h.nx, 1, row.data(), h.nx, 1, GDT_Float32, 0, 0) !=
        CE_None) {
      session.fail(path, "cannot write the raster");
    }
  }
  return ds;
}

}  // namespace sonvale
