// The question asked before a command uses emission levels that some road or
// track lacks.
#pragma once

#include "commands/app_state.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

inline const char* const kMissingEmissionsQuestion =
    SV_TR("sonvale",
          "Alcune entità Strade o Binari non sono state dotate di dati di emissione acustica - "
          "Proseguo comunque ?");

// Runs the emission update and, when some road or track has no emission, asks
// whether to go on (Yes/No, No by default). False when the user declines.
bool ConfirmMissingEmissions(Document& doc, Ui& ui);

}  // namespace sonvale
