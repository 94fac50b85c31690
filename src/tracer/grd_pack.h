// Packing of six text grids of one geometry, numbered "01" to "06" in their file
// names, into one class grid: each node takes the class 35 + 5k of the
// highest-numbered input k that is blank there (40 up to 65), or stays blank.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/project.h"
#include "text/translatable.h"

namespace sonvale {

struct GrdPackNames {
  std::array<std::string, 6> inputs;  // prefix + "01" .. "06" + suffix
  std::string output;                 // prefix + "SUM" + suffix
};

// The names packed with the chosen one: the first "01" of its file name (never of
// its folders) splits it into prefix and suffix. nullopt when the file name holds
// no "01".
std::optional<GrdPackNames> PackGrdNames(const std::string& name);

// Packs the six grids named after name into the output grid, replacing a file of
// that name, and sets NdivX, NdivY, the extent and GrdName (the output) from the
// last input. The output's first line is the first word of the last input ("DSAA",
// or "dsaa" as some programs write it), its z range line is 40, 70; its nodes are
// laid out as a map pass writes them.
//
// Throws FileError when the name holds no "01" or names a folder, an input cannot
// be read or the output cannot be written, and FormatError when an input is not a
// text grid or does not have the node counts of the last one (its nodes would be
// paired with nodes elsewhere in the map). Nothing is written and the Project is
// unchanged when an input fails.
std::string PackGrd(const std::string& name, Project& project);

inline const char* const kPackNeeds01 = SV_TR(
    "sonvale", "il nome del file non contiene \"01\": scegli il primo dei 6 file GRD (nome01...)");

}  // namespace sonvale
