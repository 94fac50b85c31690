#include "gis_commands/geotiff.h"

#include <filesystem>
#include <system_error>

#include "gis_commands/grid_raster.h"
#include "text/file_error.h"

namespace sonvale {

void WriteGeoTiff(const GridData& grid, const std::string& path, const std::string& crsWkt) {
  const std::string partial = path + ".part";
  const char* const options[] = {"COMPRESS=DEFLATE", nullptr};
  try {
    DatasetPtr ds = GridRaster(grid, "GTiff", partial, crsWkt, options);
    ds.reset();
  } catch (const FileError& e) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    throw FileError(path, e.message());
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) throw FileError(path, "cannot replace the file: " + ec.message());
}

}  // namespace sonvale
