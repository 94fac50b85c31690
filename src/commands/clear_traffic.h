// The "C&ancella Dati" commands: clearing road traffic by vehicle class, moving
// V4 traffic into V2, and removing the roads that have no emission.
#pragma once

#include "commands/app_state.h"
#include "platform/ui.h"

namespace sonvale {

// "&Cancella Tutto": after the question, the day and night counts of every
// vehicle class of every road become 0. False when the user cancelled.
bool CmdCancellaTutto(AppState& app, Ui& ui);
// "Cancella V&1" .. "Cancella V&5": the same for vehicle class v (1..5) only.
bool CmdCancellaV(AppState& app, Ui& ui, int v);
// "Copia da V4 a V2": adds the V4 counts of every road to V2 and clears V4.
void CmdCopiaV4V2(AppState& app, Ui& ui);
// "Cancella strade senza traffico": removes every road whose computed levels
// are both 0 and reports how many were removed; returns that number.
long CmdCancellaStradeSenzaTraffico(AppState& app, Ui& ui);

// The question of each clearing command; index 0 for all classes, 1..5 for one.
extern const char* const kClearTrafficQuestions[6];

}  // namespace sonvale
