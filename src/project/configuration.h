// The configuration read from sonvale.ini in the program folder: heights,
// coefficients, street corrections, layer names, traffic presets, offsets.
#pragma once

#include <array>
#include <string>

namespace sonvale {

struct Configuration {
  std::string TablesDir;  // inserted between ProgramDir and a table file name
  std::string RayDir;
  double Hsorg = 0;
  double Hrec = 0;
  double AttCoeff = 0;
  double CorrLatoEdificato = 0;
  double CorrStradaStretta = 0;
  double CorrCanyon = 0;
  double PassoSorgenti = 0;
  short NdivX = 0;
  short NdivY = 0;
  std::string LayerStrade, LayerBinari, LayerSezioni;
  // Traffic category presets k = 1..6, vehicle class v = 1..5 (index 0 unused):
  // hourly flows and flow classes numbered from 1.
  std::array<std::array<long, 6>, 7> PresetFlowDay{}, PresetFlowNight{};
  std::array<std::array<long, 6>, 7> PresetClassDay{}, PresetClassNight{};
  std::string LayerCase, LayerBarriere, LayerPunti, LayerIncroci, LayerSorgenti;
  double DistMax = 2500;
  double DistMin = 0;
  std::array<double, 6> DayCorr{}, NightCorr{};  // v = 1..5
  double AssCase = 0, SigmaCase = 0;
  double AssBarriere = 0, SigmaBarriere = 0;
  double RidBassoEm = 3.0;
  // Not read from the file: background levels of the period.
  double FondoDiurno = 30;
  double FondoNotturno = 30;
};

// Reads the configuration by position from path; throws FileError or
// FormatError naming the file and line when it is missing or short.
Configuration ReadConfiguration(const std::string& path);

}  // namespace sonvale
