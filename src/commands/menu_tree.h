// The main window's menu bar as data: every menu and item with its caption,
// item name, shortcut and the state it starts in. The window builds its menus
// from this table and keeps their marks in step with the application state.
#pragma once

#include <string>
#include <vector>

#include "commands/app_state.h"

namespace sonvale {

struct MenuItemSpec {
  std::string name;     // item name; "-" for a separator
  std::string caption;  // with its & mnemonic
  // A toggle always shows its mark; a mark item shows one only while it is set
  // (the imports that have loaded their kind of entity).
  enum class Mark { None, Toggle, Mark } mark = Mark::None;
  std::string shortcut;  // "Ctrl+C" or empty
};

struct MenuSpec {
  std::string name;  // the menu's own name ("Calcolo" is enabled and disabled as a whole)
  std::string caption;
  std::vector<MenuItemSpec> items;
};

const std::vector<MenuSpec>& MainMenuTree();

// The caption without its & mnemonic and surrounding blanks: the accessible name.
std::string PlainCaption(const std::string& caption);

// Whether an item carries its mark and is enabled, from the application state.
bool ItemChecked(const Session& session, const std::string& item);
bool ItemEnabled(const Session& session, const std::string& item);

}  // namespace sonvale
