// A GIS layer of people: GeoJSON text read by GDAL into places, then given to
// the buildings of a small project. The first byte picks which figures are
// mapped (people always, dwellings, use and method by its bits) and whether
// the layer is reprojected (the top bit), so that hostile geometries,
// coordinates and values all reach the reader and the assignment.
#include <cpl_vsi.h>

#include "commands/exposure_population_layer.h"
#include "fuzz_input.h"
#include "gis_commands/crs_wkt.h"
#include "gis_commands/population_layer.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  if (size == 0) return 0;
  static const std::string webMercator = CrsWkt(3857);
  const char* const path = "/vsimem/people.geojson";
  VSIFCloseL(VSIFileFromMemBuffer(path, const_cast<GByte*>(data + 1),
                                  static_cast<vsi_l_offset>(size - 1), FALSE));
  PopulationLayerOptions options;
  options.fields["people"] = "people";
  if (data[0] & 1) options.fields["dwellings"] = "dwellings";
  if (data[0] & 2) options.fields["use"] = "use";
  if (data[0] & 4) options.fields["method"] = "method";
  if (data[0] & 0x80) options.targetCrsWkt = webMercator;

  Project p;
  p.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
  p.case_.addEntity().vertices = {{-1e6, -1e6, 5}, {1e6, -1e6, 5}, {0, 1e6, 5}};
  p.ExtendExtent(-1e6, -1e6);
  p.ExtendExtent(1e6, 1e6);
  fuzz::Refusable([&] {
    const std::vector<PopulationPlace> places = ReadPopulationLayer(path, options);
    PopulationLayerReport report;
    const std::vector<PopulationRecord> records =
        PopulationFromPlaces(p, places, path, report);
    // Every record names a building of the project, once, with figures of 0 or more.
    long last = 0;
    for (const PopulationRecord& r : records) {
      if (r.building <= last || r.building > p.case_.count() || !(r.people >= 0))
        __builtin_trap();
      last = r.building;
    }
    if (report.placed > report.places) __builtin_trap();
  });
  VSIUnlink(path);
  return 0;
}
