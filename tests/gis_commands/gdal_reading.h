// Reading what the GIS writers produced through GDAL itself, the program a
// consultant's GIS uses, rather than through our own readers.
#pragma once

#include <gdal.h>
#include <ogr_api.h>

#include <memory>
#include <string>
#include <vector>

namespace sonvale {

struct GdalClose {
  void operator()(void* ds) const {
    if (ds) GDALClose(static_cast<GDALDatasetH>(ds));
  }
};
using GdalHandle = std::unique_ptr<void, GdalClose>;

inline GdalHandle OpenWithGdal(const std::string& path, unsigned flags) {
  GDALAllRegister();
  return GdalHandle(GDALOpenEx(path.c_str(), flags | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
}

// Every value of band 1, rows from the north.
inline std::vector<double> RasterValues(void* ds) {
  auto* d = static_cast<GDALDatasetH>(ds);
  int w = GDALGetRasterXSize(d), h = GDALGetRasterYSize(d);
  std::vector<double> values(static_cast<size_t>(w) * static_cast<size_t>(h));
  if (GDALRasterIO(GDALGetRasterBand(d, 1), GF_Read, 0, 0, w, h, values.data(), w, h, GDT_Float64,
                   0, 0) != CE_None) {
    values.clear();
  }
  return values;
}

}  // namespace sonvale
