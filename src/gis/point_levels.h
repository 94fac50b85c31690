// The levels at the receiver points as the point calculation writes them to its
// data file: a header line, then per point its number, X, Y, Z and the day and
// night levels, separated by tabs; a level may be empty.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace sonvale {

struct PointLevels {
  std::optional<double> day, night;
};

// Point number -> levels. Throws FileError when the file cannot be read and
// FormatError (file and line) when a line is not of that layout.
std::map<long, PointLevels> ReadPointDataFile(const std::string& path);

}  // namespace sonvale
