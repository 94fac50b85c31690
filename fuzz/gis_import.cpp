// The GIS layer import: GeoJSON text read by GDAL into the project. The first
// byte picks the entity kind (its value modulo 6), the way the entities join
// those present (the next factor of 4) and whether the layer is reprojected
// (the top bit); every field of the kind is mapped from the property of its
// own name, so that hostile geometries, rings, coordinates and values all reach
// the import.
#include "gis_commands/gis_import.h"

#include <cpl_vsi.h>

#include <array>
#include <memory>

#include "fuzz_input.h"
#include "gis_commands/crs_wkt.h"
#include "model/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace sonvale;
  if (size == 0) return 0;
  static const std::string webMercator = CrsWkt(3857);
  const char* const path = "/vsimem/layer.geojson";
  VSIFCloseL(VSIFileFromMemBuffer(path, const_cast<GByte*>(data + 1),
                                  static_cast<vsi_l_offset>(size - 1), FALSE));
  GisImportOptions options;
  options.kind = kGisKinds[data[0] % 6];
  options.mode = static_cast<GisMergeMode>((data[0] / 6) % 4);
  options.row = 1;
  if (data[0] & 0x80) options.targetCrsWkt = webMercator;
  if (data[0] & 0x40) options.height = 7.5;
  for (const std::string& field : MappableFields(options.kind)) options.fields[field] = field;

  auto project = std::make_unique<Project>();
  project->punti.add();  // one row present, so that insert and replace have a place
  project->strade.add();
  project->binari.add();
  project->case_.add();
  project->barriere.add();
  project->sources.add();
  auto counts = [&project] {
    const Project& p = *project;
    return std::array<long, 6>{p.strade.count(),   p.binari.count(), p.case_.count(),
                               p.barriere.count(), p.punti.count(),  p.sources.count()};
  };
  const std::array<long, 6> before = counts();
  bool refused = true;
  fuzz::Refusable([&] {
    try {
      ImportGisLayer(*project, path, options);
      refused = false;
    } catch (const std::invalid_argument&) {
    }
  });
  // A refused layer leaves the project exactly as it was.
  if (refused && counts() != before) __builtin_trap();
  VSIUnlink(path);
  return 0;
}
