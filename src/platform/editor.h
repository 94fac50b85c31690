// The user's text editor for the configuration file: $VISUAL, else $EDITOR
// (either may carry its own arguments, "code --wait"), else the desktop's
// opener, xdg-open.
#pragma once

#include <string>

#include "platform/process.h"

namespace sonvale {

// The command that opens path in the editor chosen from these values of
// $VISUAL and $EDITOR (nullptr or blank when unset).
ProcessCommand EditorCommand(const std::string& path, const char* visual, const char* editor);
// The same from the environment.
ProcessCommand EditorCommand(const std::string& path);

}  // namespace sonvale
