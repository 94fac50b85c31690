// What the mapping dialog writes for GIS programs beside the day and night
// grids of a run: each grid as GeoTIFF (NAME_D.tif) and its isophone bands as a
// GeoPackage coloured in one of the noise-map schemes (NAME_D_iso.gpkg), both in
// the project's CRS.
#pragma once

#include <string>
#include <vector>

#include "commands/gis_module.h"
#include "gis/noise_bands.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

struct MapGisOutputs {
  bool geotiff = false;
  bool isophones = false;
  BandScheme scheme = BandScheme::Din18005;
};

// The captions of the mapping dialog's "Uscite GIS" box.
inline const char* const kMapGisBoxCaption = SV_TR("sonvale", "Uscite GIS");
inline const char* const kMapGisGeoTiffCaption = SV_TR("sonvale", "GeoTIFF delle mappe");
inline const char* const kMapGisIsophonesCaption = SV_TR("sonvale", "Isofone (GeoPackage)");
inline const char* const kMapGisSchemeCaption = SV_TR("sonvale", "Schema colori:");

inline constexpr BandScheme kBandSchemes[] = {BandScheme::Din18005, BandScheme::NfS31130,
                                              BandScheme::End};
// "DIN 18005", "NF S 31-130", "END (direttiva 2002/49/CE)".
const char* BandSchemeCaption(BandScheme scheme);

// The GeoTIFF and the isophones written beside a grid: its name with ".tif",
// and with "_iso.gpkg", for the extension.
std::string GeoTiffBeside(const std::string& gridPath);
std::string IsophonesBeside(const std::string& gridPath);

// Writes the outputs asked for of every grid (bands at 35, 40, ..., 80 dB(A)).
// A failure is shown in a message box and ends the writing; returns the files
// written.
std::vector<std::string> WriteMapGisOutputs(const MapGisOutputs& outputs,
                                            const std::vector<std::string>& grids,
                                            const std::string& crsWkt, Ui& ui,
                                            const GisModule& gis);

}  // namespace sonvale
