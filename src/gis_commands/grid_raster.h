// A grid of levels as a GDAL raster: one Float32 band, the blank value as
// nodata, and the nodes at the pixel centres, as GDAL itself places the nodes of
// a Surfer grid; rows run from the north as rasters do.
#pragma once

#include <memory>
#include <string>

#include "propagation/grid_file.h"

namespace sonvale {

struct DatasetCloser {
  void operator()(void* dataset) const;
};
// An open GDALDatasetH, closed (and so flushed) when released.
using DatasetPtr = std::unique_ptr<void, DatasetCloser>;

// The blank value as a Float32 raster stores it.
inline constexpr double kRasterNodata = static_cast<double>(static_cast<float>(kBlankValue));

// Creates the raster with the driver ("GTiff", "MEM") at path and fills it;
// crsWkt may be empty. Throws FileError naming path with GDAL's reason.
DatasetPtr GridRaster(const GridData& grid, const char* driver, const std::string& path,
                      const std::string& crsWkt, const char* const* options = nullptr);

}  // namespace sonvale
