#include "exchange/csv_traffic.h"

#include <algorithm>
#include <cmath>

#include "exchange/csv_records.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// The emission model knows the classes C1..C8 only.
long ClassIndex(const CsvReader& in, size_t column) {
  double code = RoundHalfEven(in.number(column));
  return static_cast<long>(std::clamp(code, 1.0, 8.0)) - 1;
}

}  // namespace

CsvRowsRead ImportCsvTraffic(const std::string& path, Project& project) {
  CsvReader in(path);
  EntityTable<Strada> roads = project.strade;
  CsvRowsRead read;
  while (in.next()) {
    if (roads.count() >= roads.capacity()) {
      read.leftOut = in.leaveOutRest(roads.capacity());
      break;
    }
    in.require(8);
    Strada s;
    s.Nome = in.text(2);
    s.NveicDay[1] = in.count(3);
    s.NveicDay[4] = in.count(4);
    s.NveicNight[1] = in.count(5);
    s.NveicNight[4] = in.count(6);
    s.VelDay[1] = s.VelNight[1] = ClassIndex(in, 7);
    s.VelDay[4] = s.VelNight[4] = ClassIndex(in, 8);
    roads.addEntity() = std::move(s);
    ++read.rows;
  }
  project.strade = std::move(roads);
  return read;
}

}  // namespace sonvale
