// facade_points.csv read back, as an exposure run (or exposure-merge) writes
// it, so that the window can show the points of a run made elsewhere.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sonvale {

// What the map shows of a point: where it stands and its levels of all sources.
struct FacadePointRow {
  long building = 0, facade = 0;
  double x = 0, y = 0;
  std::optional<double> night, lden;  // empty where no source reaches it
};

// The header line, then one row per point with every column of the header.
// Throws FileError when the file cannot be read and FormatError naming the
// line of the first row that is not one of these.
std::vector<FacadePointRow> ReadFacadePointsCsv(const std::string& path);
// The same from the text of the file `name`.
std::vector<FacadePointRow> ParseFacadePointsText(const std::string& name, const std::string& text);

}  // namespace sonvale
