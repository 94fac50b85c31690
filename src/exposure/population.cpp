#include "exposure/population.h"

#include <algorithm>
#include <cmath>

#include "exposure/facade_points.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr double kMostPeople = 1e7;  // more in one building is a typing error

// The fields of one line: `sep` separates, blanks around a field are dropped,
// a field in double quotes may hold the separator.
std::vector<std::string> SplitFields(std::string_view line, char sep, const std::string& name,
                                     long number) {
  std::vector<std::string> fields;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlankOrTab(line[i])) ++i;
    std::string field;
    if (i < line.size() && line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) throw FormatError(name, number, "a quote is not closed");
      field = line.substr(i + 1, close - i - 1);
      i = close + 1;
      while (i < line.size() && IsBlankOrTab(line[i])) ++i;
      if (i < line.size() && line[i] != sep)
        throw FormatError(name, number, "text after a quoted field");
    } else {
      const size_t end = std::min(line.find(sep, i), line.size());
      field = TrimBlanks(line.substr(i, end - i));
      i = end;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) break;
    ++i;  // the separator
  }
  return fields;
}

// How a spreadsheet of a comma-decimal locale writes the file: semicolons
// between the fields and a decimal comma. The header line tells which.
struct Layout {
  char sep = ',';
  bool decimalComma = false;
};

// "58,5" as "58.5" when the layout has a decimal comma; other texts unchanged.
std::string DecimalPoint(std::string text, const Layout& layout) {
  if (layout.decimalComma && text.find('.') == std::string::npos &&
      std::count(text.begin(), text.end(), ',') == 1)
    text[text.find(',')] = '.';
  return text;
}

double NumberField(const std::string& field, const Layout& layout, const char* what,
                   const std::string& name, long line) {
  const std::string text = DecimalPoint(field, layout);
  if (text.empty()) throw FormatError(name, line, std::string("missing ") + what);
  if (!IsNumber(text) || IsOutOfRangeNumber(text))
    throw FormatError(name, line, std::string(what) + " is not a number: \"" + field + "\"");
  const double v = LeadingNumber(text);
  if (!std::isfinite(v)) throw FormatError(name, line, std::string(what) + " is not a number");
  if (v < 0) throw FormatError(name, line, std::string(what) + " is negative: " + field);
  if (v > kMostPeople) throw FormatError(name, line, std::string(what) + " is too large: " + field);
  return v;
}

}  // namespace

std::optional<BuildingUse> ParseBuildingUse(std::string_view text) {
  if (text == "residential") return BuildingUse::Residential;
  if (text == "school") return BuildingUse::School;
  if (text == "hospital") return BuildingUse::Hospital;
  if (text == "other") return BuildingUse::Other;
  return std::nullopt;
}

const char* BuildingUseName(BuildingUse u) {
  switch (u) {
    case BuildingUse::Residential:
      return "residential";
    case BuildingUse::School:
      return "school";
    case BuildingUse::Hospital:
      return "hospital";
    case BuildingUse::Other:
      return "other";
  }
  return "";
}

std::string BadUseText(const std::string& word) {
  return "use \"" + word + "\" is not residential, school, hospital or other";
}

std::string BadMethodText(const std::string& word) {
  return "method \"" + word + "\" is not median, facade-length or loudest";
}

std::vector<PopulationRecord> ReadPopulationFile(const std::string& path, long buildings) {
  return ParsePopulationText(path, ReadWholeFile(path), buildings);
}

std::vector<PopulationRecord> ParsePopulationText(const std::string& name,
                                                  const std::string& content, long buildings) {
  std::vector<PopulationRecord> records;
  std::vector<long> seen(static_cast<size_t>(std::max(0L, buildings)) + 1, 0);
  TextCursor in(content);
  bool header = true;
  Layout layout;
  while (in.peek() != -1) {
    const long number = in.line();
    std::string line;
    for (int ch = in.get(); ch != -1 && ch != '\n'; ch = in.get()) line += static_cast<char>(ch);
    if (TrimBlanks(line).empty()) continue;
    if (header) {
      header = false;
      // The first column is "building"; what follows it separates the fields.
      const size_t cut = line.find_first_of(",;");
      std::string first(TrimBlanks(std::string_view(line).substr(0, cut)));
      if (first.size() >= 2 && first.front() == '"' && first.back() == '"')
        first = first.substr(1, first.size() - 2);
      if (AsciiLower(first) != "building")
        throw FormatError(name, number,
                          "the first line must be the header building,people[,dwellings]"
                          "[,use][,method]");
      if (cut != std::string::npos && line[cut] == ';') layout = {';', true};
      continue;
    }
    std::vector<std::string> f = SplitFields(line, layout.sep, name, number);
    if (f.size() > 5) throw FormatError(name, number, "more than 5 columns");
    PopulationRecord r;
    r.line = number;
    const std::string& b = f[0];
    if (b.empty()) throw FormatError(name, number, "missing building number");
    if (!IsNumber(b) || IsOutOfRangeNumber(b))
      throw FormatError(name, number, "building is not a number: \"" + b + "\"");
    const double bv = LeadingNumber(b);
    if (bv != std::floor(bv) || bv < 1 || bv > static_cast<double>(buildings)) {
      throw FormatError(name, number,
                        "building " + b + " is not a building of the project (1 to " +
                            PlainInteger(buildings) + ")");
    }
    r.building = static_cast<long>(bv);
    if (seen[static_cast<size_t>(r.building)] != 0) {
      throw FormatError(name, number,
                        "building " + PlainInteger(r.building) + " already given on line " +
                            PlainInteger(seen[static_cast<size_t>(r.building)]));
    }
    seen[static_cast<size_t>(r.building)] = number;
    if (f.size() < 2) throw FormatError(name, number, "missing people");
    r.people = NumberField(f[1], layout, "people", name, number);
    if (f.size() > 2 && !f[2].empty())
      r.dwellings = NumberField(f[2], layout, "dwellings", name, number);
    if (f.size() > 3 && !f[3].empty()) {
      auto use = ParseBuildingUse(AsciiLower(f[3]));
      if (!use) throw FormatError(name, number, BadUseText(f[3]));
      r.use = *use;
    }
    if (f.size() > 4 && !f[4].empty()) {
      auto method = ParseAssignMethod(AsciiLower(f[4]));
      if (!method) throw FormatError(name, number, BadMethodText(f[4]));
      r.method = *method;
    }
    records.push_back(std::move(r));
  }
  if (header) throw FormatError(name, 1, "the file is empty: the header line is missing");
  return records;
}

std::string PopulationText(const std::vector<PopulationRecord>& records) {
  std::string text = "building,people,dwellings,use,method\r\n";
  for (const PopulationRecord& r : records) {
    text += PlainInteger(r.building) + "," + PlainNumber(r.people) + "," +
            (r.dwellings ? PlainNumber(*r.dwellings) : std::string()) + "," +
            BuildingUseName(r.use) + "," + (r.method ? AssignMethodName(*r.method) : "") + "\r\n";
  }
  return text;
}

std::string PopulationSideFile(const std::string& projectPath) {
  const size_t slash = projectPath.find_last_of("/\\");
  const size_t dot = projectPath.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? projectPath.substr(0, dot) : projectPath) + ".population.csv";
}

std::vector<BuildingPopulation> BuildingPopulations(const Project& p,
                                                    const std::vector<PopulationRecord>& records,
                                                    const EstimateOptions& estimate,
                                                    double personsPerDwelling,
                                                    const GroundHeight& ground) {
  std::vector<BuildingPopulation> out(static_cast<size_t>(p.case_.count()));
  for (const PopulationRecord& r : records) {
    if (r.building < 1 || r.building > p.case_.count()) continue;
    BuildingPopulation& b = out[static_cast<size_t>(r.building - 1)];
    b.people = r.people;
    b.use = r.use;
    b.method = r.method;
    b.listed = true;
    b.dwellings =
        r.dwellings ? *r.dwellings : (personsPerDwelling > 0 ? r.people / personsPerDwelling : 0);
  }
  if (estimate.squareMetresPerPerson > 0) {
    for (long k = 1; k <= p.case_.count(); ++k) {
      BuildingPopulation& b = out[static_cast<size_t>(k - 1)];
      if (b.listed) continue;
      const Casa& c = p.case_[k];
      const double storeys =
          std::max(1.0, std::floor(BuildingHeightAboveGround(c, ground) / estimate.storeyHeight));
      b.people = FootprintArea(c) * storeys / estimate.squareMetresPerPerson;
      b.dwellings = personsPerDwelling > 0 ? b.people / personsPerDwelling : 0;
      b.estimated = true;
    }
  }
  return out;
}

}  // namespace sonvale
