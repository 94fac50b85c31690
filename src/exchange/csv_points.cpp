#include "exchange/csv_points.h"

#include "exchange/csv_records.h"

namespace sonvale {
namespace {

constexpr size_t kNameLength = 5;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// A byte that continues a UTF-8 character rather than starting one.
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string PointName(const std::string& text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::string out;
  size_t chars = 0;
  for (size_t i = b; i < e; ++i) {
    if (!IsContinuation(text[i])) {
      if (chars == kNameLength) break;
      ++chars;
    }
    out += text[i];
  }
  out.append(kNameLength - chars, ' ');
  return out;
}

CsvRowsRead ImportCsvPoints(const std::string& path, Project& project) {
  CsvReader in(path);
  EntityTable<Punto> points = project.punti;
  points.setCount(0);
  CsvRowsRead read;
  while (in.next()) {
    if (points.count() >= points.capacity()) {
      read.leftOut = in.leaveOutRest(points.capacity());
      break;
    }
    in.require(5);
    Punto& p = points.addEntity();
    p.X = in.number(2);
    p.Y = in.number(3);
    p.Z = in.number(4);
    p.Nome = PointName(in.text(5));
  }
  read.rows = points.count();
  project.punti = std::move(points);
  return read;
}

}  // namespace sonvale
