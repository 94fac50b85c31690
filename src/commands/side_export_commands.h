// The side exports of the "&Importa-Esporta" and "&Visualizza" menus: "Salva File
// .&BLN...", "Salva &lista...", "Esporta Punti .SCR...", "Converti DXF in TXT
// (X,Y,Z)..." and "Lunghezza Barriere".
#pragma once

#include <functional>
#include <string>

#include "commands/app_state.h"
#include "exchange/side_exports.h"
#include "platform/ui.h"

namespace sonvale {

// "Salva File .&BLN...": save dialog, then SaveBln with the kinds chosen by the
// five questions. False when nothing was written (Cancel in the dialog, a failure).
bool CmdSalvaBln(AppState& app, Ui& ui);
// The five questions, plans first; Cancel leaves out that kind and all that follow.
BlnKinds AskBlnKinds(Ui& ui);
// The steps after the dialog: status lines and the file; a failure is reported in
// a message box and gives false. The kinds are asked after "Saving ..." shows.
bool SaveBln(Ui& ui, const Project& p, const std::string& file,
             const std::function<BlnKinds()>& kinds);

// "Salva &lista...": save dialog, then SaveList.
bool CmdSalvaLista(AppState& app, Ui& ui);
// The emission update and its question (No writes nothing), then the file.
bool SaveList(AppState& app, Ui& ui, const std::string& file);

// "Esporta Punti .SCR...": save dialog, then SavePointScript.
bool CmdEsportaPunti(AppState& app, Ui& ui);
bool SavePointScript(Ui& ui, const Project& p, const std::string& file);

// "Converti DXF in TXT (X,Y,Z)...": open dialog, then ConvertDxfToXyz into the
// name XyzOutputName gives.
bool CmdConvertiDxfXyz(AppState& app, Ui& ui);
// The map picture is held while converting; a failure is reported in a message box.
bool ConvertDxfToXyz(AppState& app, Ui& ui, const std::string& input, const std::string& output);

// "Lunghezza Barriere": the count and total plan length of the barriers in a box.
void CmdLunghezzaBarriere(AppState& app, Ui& ui);

}  // namespace sonvale
