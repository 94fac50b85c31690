#include "commands/map_gis_outputs.h"

#include "gis/grid_calc.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

std::string WithoutExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return hasExtension ? path.substr(0, dot) : path;
}

}  // namespace

const char* BandSchemeCaption(BandScheme scheme) {
  switch (scheme) {
    case BandScheme::Din18005:
      return SV_TR("sonvale", "DIN 18005");
    case BandScheme::NfS31130:
      return SV_TR("sonvale", "NF S 31-130");
    case BandScheme::End:
      break;
  }
  return SV_TR("sonvale", "END (direttiva 2002/49/CE)");
}

std::string GeoTiffBeside(const std::string& gridPath) {
  return WithoutExtension(gridPath) + ".tif";
}

std::string IsophonesBeside(const std::string& gridPath) {
  return WithoutExtension(gridPath) + "_iso.gpkg";
}

std::vector<std::string> WriteMapGisOutputs(const MapGisOutputs& outputs,
                                            const std::vector<std::string>& grids,
                                            const std::string& crsWkt, Ui& ui,
                                            const GisModule& gis) {
  std::vector<std::string> written;
  if (!outputs.geotiff && !outputs.isophones) return written;
  ui.setBusy(true);
  try {
    for (const std::string& path : grids) {
      const GridData grid = ReadLevelGrid(path);
      if (outputs.geotiff) {
        gis.writeGeoTiff(grid, GeoTiffBeside(path), crsWkt);
        written.push_back(GeoTiffBeside(path));
      }
      if (outputs.isophones) {
        IsophoneOptions options;
        options.levels = StandardLevels();
        options.scheme = outputs.scheme;
        options.crsWkt = crsWkt;
        gis.writeIsophones(grid, path, options, IsophonesBeside(path));
        written.push_back(IsophonesBeside(path));
      }
    }
  } catch (const std::exception& e) {
    ui.setBusy(false);
    ui.message(Message{ProgramTitle(),
                       SV_TR("sonvale", "Uscite GIS non scritte: ") + std::string(e.what()),
                       Buttons::Ok, Icon::Critical, Answer::Ok});
    return written;
  }
  ui.setBusy(false);
  return written;
}

}  // namespace sonvale
