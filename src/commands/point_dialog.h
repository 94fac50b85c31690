// The point calculation window "Calcolo per Punti" without its widgets: the
// captions, what the boxes show and store, which controls are enabled and what
// the close button reads in each state, and "Calcola", "Copia su Appunti" and
// "Salva  ..." on the receiver set chosen. The window binds its controls to a
// PointDialog and shows its view.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/app_state.h"
#include "platform/ui.h"
#include "text/translatable.h"

namespace sonvale {

// The controls of the window, named as the window names them.
enum class PointControl {
  Frame1,
  Punti,
  Rec,
  Check1,
  Check2,
  Check3,
  Check4,
  Check5,
  Check6,
  DistMax,
  Anno,
  Opt_SVP_interno,
  Opt_SVP_trace,
  Opt_Interim,
  Opt_Imagine,
  Command4,
  Command1,
  Command2,
  Command3,
  List1,
  Status,
};

inline const char* const kPointWindowTitle = SV_TR("sonvale", "Calcolo per Punti");
inline const char* const kStopCaption = SV_TR("sonvale", "Stop");
inline const char* const kCloseCaption = SV_TR("sonvale", "OK - Close");
inline const char* const kWaitCaption = SV_TR("sonvale", "Wait...");

// The object name of a control ("Check1").
std::string_view PointControlName(PointControl c);
// The caption of a button, option, check box or frame, or the label of a box,
// exactly as shown; empty for the list and the status label. Command1 has the
// caption of the window's state (PointDialogView::command1Caption).
std::string_view PointCaption(PointControl c);

// DistMax as the box shows it ("########").
std::string DistMaxText(double distMax);
// The year typed in the box: its number rounded to the nearest integer, halves
// to the even neighbour; 0 when the box holds no number.
long YearFromBox(const std::string& text);

// What the window shows beside the project settings.
struct PointDialogView {
  std::string distMax, anno;       // the two boxes
  std::vector<std::string> lines;  // List1
  int listRun = 0;                 // counts the times the list was emptied
  std::string status;              // the window's own status label
  // Points done while "Calcola" runs, with the time left ("37% - 00:01:12");
  // while the external tracer runs, how long it has run ("00:00:12") and no
  // share done (waiting).
  int percent = 0;
  std::string progress;
  bool waiting = false;
  std::string command1Caption = kStopCaption;
  bool controlsEnabled = true;  // every control but Command1
  bool command1Enabled = true;
  bool algorithmsShown = true;
  bool running = false;
};

// The window on the application state. The settings are edited in the project
// at once; the receiver set and the results are the session's (AppState), so
// they outlive the window.
class PointDialog {
 public:
  PointDialog(AppState& app, Ui& ui);

  const PointDialogView& view() const { return view_; }
  // Called whenever the view changes during a calculation (status, list, captions).
  void onChange(std::function<void()> f) { changed_ = std::move(f); }

  // Punti, Rec, Check1..Check6 and the algorithm options as the state holds them.
  bool isChecked(PointControl c) const;
  // Punti, Rec and the algorithm options when clicked; Check1..Check6 set or cleared.
  void setChecked(PointControl c, bool on = true);
  // DistMax or Anno now holds text after a user edit.
  void edited(PointControl box, const std::string& text);

  // "Calcola". Returns when the calculation has ended, stopped or been declined;
  // the controls are enabled again in every case.
  void calculate();
  // Command1: during a run it asks the point loop to stop after the current
  // point; otherwise "Stop" (before the first run) only raises the stop flag and
  // "OK - Close" closes. True when the window closes.
  bool command1();
  // The window's close box: refused while a calculation runs, which is asked to
  // stop instead. True when the window may close.
  bool closeRequested();
  bool stopRequested() const { return stopPunti_; }

  void copyToClipboard();  // "Copia su Appunti"
  void save();             // "Salva  ..."

 private:
  void notify();
  void finish();

  AppState& app_;
  Ui& ui_;
  PointDialogView view_;
  bool stopPunti_ = false;
  std::function<void()> changed_;
};

}  // namespace sonvale
