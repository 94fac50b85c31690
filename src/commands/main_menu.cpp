#include "commands/main_menu.h"

#include "platform/paths.h"
#include "project/configuration.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

bool IsExclusive(const std::string& item) {
  return item == "Append" || item == "Inserisci" || item == "Rimpiazza";
}

}  // namespace

std::string ModeCaption(const std::string& item) {
  static const std::pair<const char*, const char*> kCaptions[] = {
      {"Append", SV_TR("sonvale", "Modalita' \"Appendi\"")},
      {"Inserisci", SV_TR("sonvale", "Modalita' \"Inserisci\"")},
      {"Rimpiazza", SV_TR("sonvale", "Modalita' \"Rimpiazza\"")},
      {"Limit", SV_TR("sonvale", "Modalita' \"Limita ai Plans\"")},
      {"Ricon", SV_TR("sonvale", "Modalita' \"Riconosci ent. presenti\"")},
      {"Accorp", SV_TR("sonvale", "Modalita' \"Accorpa le 2 direzioni\"")}};
  for (const auto& [key, caption] : kCaptions) {
    if (item == key) return caption;
  }
  return {};
}

void CmdToggleMode(AppState& app, Ui& ui, const std::string& item) {
  ui.beep();
  bool checked = !app.isChecked(item);
  app.setChecked(ui, item, checked);
  if (IsExclusive(item)) {
    for (const char* other : {"Append", "Inserisci", "Rimpiazza"}) {
      if (item != other) app.setChecked(ui, other, false);
    }
  } else if (item == "Limit") {
    app.LimitaPlans = checked;
  } else if (item == "Ricon") {
    app.Riconosci = checked;
  } else if (item == "Accorp") {
    app.Accorpa = checked;
  }
}

std::string ExclusiveMode(const Session& session) {
  for (const char* item : {"Append", "Inserisci", "Rimpiazza"}) {
    if (session.isChecked(item)) return item;
  }
  return {};
}

void CmdAbout(Ui& ui) {
  ui.message(Message{"About Sonvale",
                     ProgramTitle() + "\n" +
                         SV_TR("sonvale", "Simulazione del rumore ambientale in ambito urbano."),
                     Buttons::Ok, Icon::Information, Answer::Ok});
}

void CmdContenuti(Ui& ui) {
  ui.message(Message{SV_TR("sonvale", "Sonvale Help"),
                     SV_TR("sonvale", "Il file di HELP non è ancora disponibile..."), Buttons::Ok,
                     Icon::Warning, Answer::Ok});
}

void CmdEditSonvaleIni(AppState& app, Ui& ui,
                       const std::function<void(const std::string& path)>& editAndWait) {
  const std::string path = JoinPath(app.ProgramDir, "sonvale.ini");
  editAndWait(path);
  try {
    app.config = ReadConfiguration(path);
  } catch (const std::exception& e) {
    ui.message(
        Message{ProgramTitle(),
                std::string(SV_TR("sonvale", "La configurazione non è stata riletta: ")) + e.what(),
                Buttons::Ok, Icon::Critical, Answer::Ok});
  }
}

}  // namespace sonvale
