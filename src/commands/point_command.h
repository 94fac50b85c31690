// The commands of the point calculation window "Calcolo per Punti": "Calcola",
// "Copia su Appunti" and "Salva  ...".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "propagation/point_calc.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kPointEmissionQuestion =
    SV_TR("sonvale",
          "Alcune entità Strade, Binari o Concentrate non sono state dotate di dati di "
          "emissione acustica - Proseguo comunque ?");

// What the point window follows of a calculation.
struct PointCalcHooks {
  std::function<void(const std::string&)> onLine;    // each list line as it is added
  std::function<void()> onTracerStart;               // the external tracer is about to run
  std::function<void(double seconds)> onTracerWait;  // it has run that long
};

// "Calcola": clamps the year, refreshes the emission and asks the window's
// question when some emission is missing, then runs the point loop or the
// external tracer. Returns the list lines, or nullopt when nothing was computed
// (declined, or the tracer did not complete).
std::optional<std::vector<std::string>> PointCalcCommand(AppState& app, Ui& ui, ReceiverSet set,
                                                         PointResults& results, bool& stopRequested,
                                                         const PointCalcHooks& hooks = {});

// "Copia su Appunti".
void CopyPointResults(AppState& app, Ui& ui, ReceiverSet set, const PointResults& results);

// "Salva  ...": a data file when the name ends in DAT, otherwise a drawing script
// coloured by a limit file. True when a file was written.
bool SavePointResults(AppState& app, Ui& ui, ReceiverSet set, const PointResults& results);

}  // namespace sonvale
