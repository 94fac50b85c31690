#include "commands/launcher_dialog.h"

#include <array>

namespace sonvale {

std::string_view LaunchOptionName(int mode) {
  static constexpr std::array<std::string_view, kLaunchModeCount> kNames = {"Option1", "Option2",
                                                                            "Option3", "Option4"};
  return mode >= 0 && mode < kLaunchModeCount ? kNames[static_cast<size_t>(mode)] : "";
}

int LauncherDialog::selected() const {
  return mode_ >= 0 && mode_ < kLaunchModeCount ? static_cast<int>(mode_) : -1;
}

void LauncherDialog::choose(int mode) {
  if (mode >= 0 && mode < kLaunchModeCount) mode_ = mode;
}

}  // namespace sonvale
