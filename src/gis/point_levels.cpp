#include "gis/point_levels.h"

#include <fstream>
#include <vector>

#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

std::vector<std::string> TabFields(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::map<long, PointLevels> ReadPointDataFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the point data file");
  std::string line;
  if (!std::getline(in, line) || line.rfind("N.\t", 0) != 0) {
    throw FormatError(path, 1, "not a point data file: the first line should be its header");
  }
  std::map<long, PointLevels> levels;
  long lineNo = 1;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line == "\r") continue;
    std::vector<std::string> f = TabFields(line);
    auto level = [&](size_t k) -> std::optional<double> {
      if (f[k].empty()) return std::nullopt;
      if (!IsNumber(f[k])) throw FormatError(path, lineNo, "\"" + f[k] + "\" is not a level");
      return LeadingNumber(f[k]);
    };
    if (f.size() != 6 || !IsNumber(f[0]) || LeadingNumber(f[0]) < 1 ||
        LeadingNumber(f[0]) != static_cast<double>(static_cast<long>(LeadingNumber(f[0])))) {
      throw FormatError(path, lineNo, "expected a point number and five tab-separated values");
    }
    levels[static_cast<long>(LeadingNumber(f[0]))] = PointLevels{level(4), level(5)};
  }
  return levels;
}

}  // namespace sonvale
