// The launcher dialog "Elaborazione con Beamrun" without its widgets: the four
// launch modes of a grid job for the external tracer, the one preselected and
// the choice, which lands in the session's launch mode at once. There is no
// cancel: the mode selected when the dialog closes is carried out.
#pragma once

#include <string_view>

#include "text/translatable.h"

namespace sonvale {

inline constexpr int kLaunchModeCount = 4;

// The object name of the option of a mode ("Option1" for mode 0) and of the
// button closing the dialog.
std::string_view LaunchOptionName(int mode);
inline const char* const kLauncherOkName = "Command1";
inline const char* const kLauncherOkCaption = SV_TR("sonvale", "OK");

class LauncherDialog {
 public:
  // Edits the session's launch mode.
  explicit LauncherDialog(long& launchMode) : mode_(launchMode) {}

  // The mode whose option is selected; -1 when the stored mode is none of the four.
  int selected() const;
  // A click on the option of a mode.
  void choose(int mode);

 private:
  long& mode_;
};

}  // namespace sonvale
