#include "exposure/facade_points_file.h"

#include <cmath>
#include <string_view>

#include "exposure/exposure_tables.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// Columns of the header used here.
enum Column { kBuilding = 0, kFacade = 1, kX = 3, kY = 4, kNight = 8, kLden = 9, kColumns = 17 };

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

class RowReader {
 public:
  RowReader(const std::string& path, long line) : path_(path), line_(line) {}

  double number(std::string_view field, const char* what) const {
    double v = 0;
    bool inRange = false;
    if (!IsNumberText(field, &v, &inRange) || !inRange || !std::isfinite(v))
      throw FormatError(path_, line_,
                        std::string(what) + " is not a number: \"" + std::string(field) + "\"");
    return v;
  }
  long count(std::string_view field, const char* what) const {
    const double v = number(field, what);
    if (!(v >= 1 && v <= 1e9 && v == std::floor(v)))
      throw FormatError(path_, line_,
                        std::string(what) + " is not a number from 1: " + std::string(field));
    return static_cast<long>(v);
  }
  std::optional<double> level(std::string_view field, const char* what) const {
    if (TrimBlanks(field).empty()) return std::nullopt;
    return number(field, what);
  }

 private:
  const std::string& path_;
  long line_;
};

}  // namespace

std::vector<FacadePointRow> ReadFacadePointsCsv(const std::string& path) {
  return ParseFacadePointsText(path, ReadWholeFile(path));
}

std::vector<FacadePointRow> ParseFacadePointsText(const std::string& path,
                                                  const std::string& text) {
  std::vector<FacadePointRow> rows;
  long line = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view l(text.data() + at, end - at);
    at = end + 1;
    ++line;
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (line == 1) {
      if (l != kFacadePointsHeader)
        throw FormatError(path, line,
                          std::string("not the header of façade points: ") + kFacadePointsHeader);
      continue;
    }
    if (TrimBlanks(l).empty()) continue;
    const std::vector<std::string_view> f = Fields(l);
    if (f.size() != kColumns)
      throw FormatError(path, line,
                        PlainInteger(static_cast<long long>(f.size())) +
                            " fields where the header has " + PlainInteger(kColumns));
    const RowReader r(path, line);
    FacadePointRow p;
    p.building = r.count(f[kBuilding], "building");
    p.facade = r.count(f[kFacade], "facade");
    p.x = r.number(f[kX], "x");
    p.y = r.number(f[kY], "y");
    p.night = r.level(f[kNight], "night");
    p.lden = r.level(f[kLden], "lden");
    rows.push_back(p);
  }
  if (line == 0) throw FormatError(path, 1, "empty: no header of façade points");
  return rows;
}

}  // namespace sonvale
