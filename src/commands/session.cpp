#include "commands/session.h"

#include "platform/ui.h"

namespace sonvale {

bool Session::isChecked(const std::string& item) const {
  auto it = menuChecked.find(item);
  return it != menuChecked.end() && it->second;
}

void Session::setChecked(Ui& ui, const std::string& item, bool checked) {
  menuChecked[item] = checked;
  ui.setMenuChecked(item, checked);
}

void Session::setEnabled(Ui& ui, const std::string& item, bool enabled) {
  menuEnabled[item] = enabled;
  ui.setMenuEnabled(item, enabled);
}

}  // namespace sonvale
