#include "commands/clear_traffic.h"

#include <string>

#include "emission/road_emission.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {

const char* const kClearTrafficQuestions[6] = {
    SV_TR("sonvale",
          "Sei sicuro di voler cancellare i dati di traffico di tutti i veicoli stradali ?"),
    SV_TR(
        "sonvale",
        "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V1 (Autovetture) ?"),
    SV_TR("sonvale",
          "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V2 (Camion a 2 "
          "assi) ?"),
    SV_TR("sonvale",
          "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V3 (Camion a 3 "
          "assi) ?"),
    SV_TR("sonvale",
          "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V4 (TIR) ?"),
    SV_TR(
        "sonvale",
        "Sei sicuro di voler cancellare i dati di traffico dei veicoli di tipo V5 (Motocicli) ?")};

namespace {

bool ConfirmClear(Ui& ui, const char* question) {
  Message m;
  m.title = SV_TR("sonvale", "Attenzione!");
  m.text = question;
  m.buttons = Buttons::OkCancel;
  m.icon = Icon::Critical;
  m.defaultButton = Answer::Cancel;
  return ui.message(m) == Answer::Ok;
}

// Clears the day and night counts of vehicle classes first..last of every road.
// Flow classes and levels stay; the next emission update recomputes the levels.
void ClearClasses(AppState& app, Ui& ui, int first, int last) {
  ui.setBusy(true);
  for (long i = 1; i <= app.project.strade.count(); ++i) {
    Strada& road = app.project.strade[i];
    for (int v = first; v <= last; ++v) {
      road.NveicDay[static_cast<size_t>(v)] = 0;
      road.NveicNight[static_cast<size_t>(v)] = 0;
    }
  }
  app.Saved = false;
  ui.setBusy(false);
}

// A road to remove: both computed levels 0. A fixed-level road whose levels are
// zeroed only because "Ignora Strade Fisse" is ticked still has the levels its
// user typed, and those are not thrown away.
bool WithoutTraffic(const Strada& road) {
  if (road.LeqDay != 0 || road.LeqNight != 0) return false;
  if (road.Pavimentaz == -1 && (road.FixLeqDay != 0 || road.FixLeqNight != 0)) return false;
  return true;
}

}  // namespace

bool CmdCancellaTutto(AppState& app, Ui& ui) {
  if (!ConfirmClear(ui, kClearTrafficQuestions[0])) return false;
  ClearClasses(app, ui, 1, 5);
  return true;
}

bool CmdCancellaV(AppState& app, Ui& ui, int v) {
  if (v < 1 || v > 5) return false;
  if (!ConfirmClear(ui, kClearTrafficQuestions[v])) return false;
  ClearClasses(app, ui, v, v);
  return true;
}

void CmdCopiaV4V2(AppState& app, Ui& ui) {
  ui.setBusy(true);
  for (long i = 1; i <= app.project.strade.count(); ++i) {
    Strada& road = app.project.strade[i];
    road.NveicDay[2] = road.NveicDay[2] + road.NveicDay[4];
    road.NveicDay[4] = 0;
    road.NveicNight[2] = road.NveicNight[2] + road.NveicNight[4];
    road.NveicNight[4] = 0;
  }
  app.Saved = false;
  ui.setBusy(false);
}

long CmdCancellaStradeSenzaTraffico(AppState& app, Ui& ui) {
  auto& strade = app.project.strade;
  long removed = 0;
  // The count shrinks with every removal, and the road moved into a freed slot
  // is tested in its turn, so one run removes every empty road.
  long i = 1;
  while (i <= strade.count()) {
    ComputeRoadEmission(app.project, i, app.config, app.tables);
    if (!WithoutTraffic(strade[i])) {
      ++i;
      continue;
    }
    ui.showStatus("Deleting road n." + ShowNumber(static_cast<double>(i)) + "...");
    ++removed;
    strade.remove(i);
  }
  if (removed > 0) app.Saved = false;
  ui.beep();
  Message m;
  m.title = SV_TR("sonvale", "Cancellazione Strade");
  m.text = SV_TR("sonvale", "Ho cancellato") + ShowNumber(static_cast<double>(removed)) +
           SV_TR("sonvale", " strade prive di traffico.");
  m.buttons = Buttons::Ok;
  ui.message(m);
  SetStatus(ui, "Nstrade =" + ShowNumber(static_cast<double>(strade.count())));
  return removed;
}

}  // namespace sonvale
