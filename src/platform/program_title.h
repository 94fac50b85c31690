// The program's name and version, as the window title, the message boxes and
// the files it writes give them.
#pragma once

#include <string>

namespace sonvale {

// Program name and version as the window title and the boxes show them.
inline const std::string kProgramName = "Sonvale";
inline const std::string kVersion = "3.6";
inline std::string ProgramTitle() { return kProgramName + kVersion; }

}  // namespace sonvale
