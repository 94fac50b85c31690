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
//
// Layout. The file is a sequence of fields (FieldReader rules: a comma or a line
// end ends a field, quotes delimit texts); the labels are free and ignored. Write
// every item on a line of its own: its label, then its value(s), for example
//   "Altezza ricettori (m)", 4
//   "Assorbimento case", .1, "Sigma case", 20000
// A skipped line is a physical line: the reader discards the line that follows
// the line on which the previous value ended, whatever it holds (commas, quotes
// and numbers included, and an empty line counts as the skipped line too). That
// is why items must not share a line: a second item written after item 14 would
// be discarded as the skipped line, and a line after it would be read as data.
// The skipped lines come:
//   - one after item 14 (LayerSezioni), a free caption line;
//   - one at the start of each of the six preset blocks, a caption of the
//     category; then four lines, each a label and five whole numbers for vehicle
//     classes 1..5: hourly flow by day, by night, flow class by day, by night.
// So after item 14 two free lines follow before the first "flow by day" line.
// Item 36 may be left out: the file then ends after item 35 and RidBassoEm is 3.
// A non-number where a number is due, a file ending before item 35 is complete,
// and NdivX or NdivY below 1 (a grid needs at least one division) are
// FormatErrors. FondoDiurno and FondoNotturno are 30 whatever the file holds.
Configuration ReadConfiguration(const std::string& path);

}  // namespace sonvale
