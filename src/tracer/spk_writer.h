// SPK source-description files: the octave-band sound power and directivity
// balloon shared by the point sources of one road or track in a RAY file.
//
// Band data, band v = 1..8 (63 Hz to 8 kHz, written as band numbers 2..9):
// - A road with Pavimentaz -1 or a track with TipoArmamento -1 (a fixed level):
//   Lw = L + 10*log10(23.56194 * PassoSorgenti) in every band, L the LeqDay or
//   LeqNight of the period, with a flat zero balloon. 23.56194 is 7.5*pi: the
//   level at 7.5 m turned into a power per metre, times the spacing of the
//   sources; the same spacing term as for computed lines, whatever the spacing.
// - Any other road: per vehicle class c = 1..5, flow class s = its class of the
//   period + 1 (held within 1..8), band level L[c,v] = SelStrade[v,s,c,1] less,
//   band by band, the pavement block (type 1 block 2, type 2 block 3) and the
//   slope block (class 1 block 4, class 2 block 5), subtracted as the emission
//   model subtracts them. Nothing else enters: the files describe the road's
//   vehicles as the tables give them for the tracers that read them, without the
//   configuration's class offsets, the year correction, the low-emission
//   reduction of pavement type 3 or the calculation switches of the Project.
// - Any other track: per train class c = 1..3 (freight, local, long-distance),
//   speed class s = its class of the period + 1 (held within 1..4), band level
//   L[c,v] = SelBinari[v,s,c,1], less band v of block 2 for a track with
//   switches or joints (TipoArmamento 1 or more); the energy is scaled by the
//   trains and their length per 100 m as in the railway model, and the
//   directivity comes from DirBinari[v,s,c,m]. The sound-power term is the
//   road's (7.5*pi), as for a fixed-level track.
// - Energy E[c,v] = count * 10^(L/10) / hours / 3600 (16 h day, 8 h night);
//   weights w[c] = E[c,v] / sum (1/n each when the sum is 0); D[m][v] = sum of
//   w[c] * 10^(Dir[v,s,c,m]/10) as a linear factor; A[v] the mean of D[1..10][v];
//   Lw[v] = 10*log10(10^4 + sum E) + 10*log10(23.56194 * PassoSorgenti).
//
// The file texts are written as UTF-8, like every other text of the program;
// the column titles carry the characters ê, ß and ø.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/project.h"
#include "platform/work_report.h"
#include "project/configuration.h"
#include "project/emission_tables.h"

namespace sonvale {

inline constexpr const char* kSpkRoadPrefix = "STR-";
inline constexpr const char* kSpkTrackPrefix = "BIN-";

// The RAY file's folder, up to and including its last separator ('\\' or '/');
// empty when it has none.
std::string RayFolder(std::string_view rayFileName);
// RayFolder + prefix + the number with four digits (the last four of a larger
// one) + ".SPK": "C:\\proj\\STR-0007.SPK" for road 7 beside "C:\\proj\\m.RAY".
std::string SpkFileName(std::string_view rayFileName, std::string_view prefix, long number);

// Band data of one file, band v at index v - 1, directivity row m at index m - 1.
struct SpkBands {
  std::array<double, 8> Lw{};
  std::array<double, 8> A{};
  std::array<std::array<double, 8>, 10> D{};
};

SpkBands RoadSpkBands(const Project& p, long i, const Configuration& c,
                      const EmissionTables& tables);
SpkBands TrackSpkBands(const Project& p, long i, const Configuration& c,
                       const EmissionTables& tables);

// The date ("MM-DD-YYYY") and time ("HH:MM:SS") written in every file.
struct SpkStamp {
  std::string date, time;
};
SpkStamp CurrentSpkStamp();

// The six-character field of one balloon value rounded to three decimals
// (" 2.500", "12.534", "   3.0", "   0.0" for -0.0004). A value whose whole
// part does not leave room for three decimals keeps fewer ("123.46"), so that
// no digit in front is cut off; one that cannot fit six characters at all
// throws std::out_of_range.
std::string SpkValueField(double value);

// The whole text of one SPK file named fileName.
std::string SpkText(const std::string& fileName, const SpkBands& bands, const SpkStamp& stamp);

// Writes one file per road (1..Nstrade), then one per track, beside the RAY
// file, reporting each as an item; the period is the Project's Diurno.
// Throws FileError when a file cannot be written.
void WriteSpkFiles(const std::string& rayFileName, const Project& p, const Configuration& c,
                   const EmissionTables& tables, WorkReport& report,
                   const SpkStamp& stamp = CurrentSpkStamp());

}  // namespace sonvale
