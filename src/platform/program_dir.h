// The program folder: where sonvale.ini, the emission tables and the tracer are
// looked up.
#pragma once

#include <string>

namespace sonvale {

// The folder substitution made at start-up for the maker's own installations: a
// folder whose first five characters, upper-cased, are "F:\US" becomes
// "F:\lumes\programs", "C:\US" becomes "C:\lumes\programs"; any other is kept.
std::string SubstituteProgramDir(const std::string& dir);

// The folder of the running executable (from /proc/self/exe, else from argv0);
// empty when neither gives one.
std::string ExecutableDir(const std::string& argv0);

// The program folder: explicitDir when not empty; else $SONVALE_HOME when set;
// else the executable's folder when it holds sonvale.ini; else share/sonvale
// beside the executable's folder when it holds sonvale.ini (an installation
// under any prefix); else the installed data folder. The substitution above is applied and the
// result has no trailing separator.
std::string ResolveProgramDir(const std::string& explicitDir, const std::string& argv0);

}  // namespace sonvale
