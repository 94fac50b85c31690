// File dialog filters: "SVP file|*.SVP" pairs of caption and patterns, as the
// commands give them, in the form of a desktop file dialog, where extensions
// match in any case ("SVP file (*.SVP *.svp)").
#pragma once

#include <string>

namespace sonvale {

// Pairs are separated by "|", patterns within a pair by ";"; the desktop form
// separates filters by ";;" and patterns by blanks, each pattern followed by its
// other-case spelling when that differs.
std::string DesktopFileFilter(const std::string& filter);

}  // namespace sonvale
