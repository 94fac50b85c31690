// The drawing exports of the "&Importa-Esporta" menu: the complete model as DXF
// and the emission-level drawing.
#pragma once

#include <functional>
#include <string>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "view/canvas.h"

namespace sonvale {

// "S&alva DXF completo...": asks for the file and writes the model drawing.
// True when the file was written; a failed write is reported in a message box.
bool CmdSalvaDxfCompleto(AppState& app, Ui& ui);

// What the DoEmiss dialog edits.
struct DoEmissChoices {
  std::string EmisDxfName;
  bool EmisAt75 = true;  // true: 7.5 m (emission level); false: facade
  bool Diurno = true;
};
// Shows DoEmiss over the current choices; false when it was cancelled.
using DoEmissDialog = std::function<bool(DoEmissChoices&)>;

// The save dialog of DoEmiss's "..." button for the current output name.
FileDialog EmissionDxfFileDialog(const std::string& emisDxfName);

// "&Livelli di Emissione (.DXF)": emission update and its question, DoEmiss,
// then the drawing, painted on canvas as well when there is one. The choices go
// back to the session (name, distance mode) and the project (period) only when
// the dialog was confirmed. True when the file was written.
bool CmdLivelliEmissione(AppState& app, Ui& ui, const DoEmissDialog& doEmiss,
                         Canvas* canvas = nullptr);

}  // namespace sonvale
