// The settings of the arc import that the "Opzioni CSV" dialog edits and the
// session keeps until the program ends: how the light and heavy flows of an arc
// are shared among the five vehicle classes, and the traffic ratios shown beside.
#pragma once

#include <array>

namespace sonvale {

struct CsvOptions {
  // Share of each vehicle class v = 1..5 (index 0 unused) as a fraction: V1 and
  // V5 of the light flow, V2, V3 and V4 of the heavy flow. All start at 0, so
  // the dialog has to be filled in before the first arc import.
  std::array<double, 6> fractionDay{}, fractionNight{};
  // Day/night and 24 h/peak-hour traffic ratios, light and heavy. Kept and shown
  // only: the arc import uses its own fixed factors.
  double TG_TN = 0, TG_TN_P = 0, T24_T1 = 0, T24_T1_P = 0;
  bool AnteOperam = false;
};

}  // namespace sonvale
