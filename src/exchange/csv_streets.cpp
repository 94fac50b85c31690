#include "exchange/csv_streets.h"

#include "exchange/csv_records.h"

namespace sonvale {

long StreetSpeedClass(double s) {
  if (s < 0) return -1;
  if (s <= 70) return 4;
  if (s <= 90) return 5;
  if (s <= 110) return 6;
  return 7;
}

CsvRowsRead ImportCsvStreets(const std::string& path, Project& project) {
  CsvReader in(path);
  EntityTable<Strada> roads = project.strade;
  Extent extent;
  CsvRowsRead read;
  while (in.next()) {
    if (roads.count() >= roads.capacity()) {
      read.leftOut = in.leaveOutRest(roads.capacity());
      break;
    }
    in.require(14);
    Strada s;
    const double x1 = in.number(3), y1 = in.number(4), x2 = in.number(5), y2 = in.number(6);
    s.vertices = {LineVertex{x1, y1, 0, 0, 0}, LineVertex{x2, y2, 0, 0, 0}};
    s.Nome = in.text(8);
    const long speedClass = StreetSpeedClass(in.number(9));
    s.NveicDay[1] = in.count(11);
    s.NveicDay[3] = in.count(12);
    s.NveicNight[1] = in.count(13);
    s.NveicNight[3] = in.count(14);
    if (speedClass >= 0) {
      s.VelDay[1] = s.VelNight[1] = speedClass;
      s.VelDay[3] = s.VelNight[3] = speedClass;
    }
    roads.addEntity() = std::move(s);
    ++read.rows;
    for (double x : {x1, x2}) {
      if (x > extent.Xmax) extent.Xmax = x;
      if (x < extent.Xmin) extent.Xmin = x;
    }
    for (double y : {y1, y2}) {
      if (y > extent.Ymax) extent.Ymax = y;
      if (y < extent.Ymin) extent.Ymin = y;
    }
  }
  project.strade = std::move(roads);
  project.extent = extent;
  project.faces.setCount(0);
  project.holes.setCount(0);
  project.doors.setCount(0);
  project.sources.setCount(0);
  project.receivers.setCount(0);
  return read;
}

}  // namespace sonvale
