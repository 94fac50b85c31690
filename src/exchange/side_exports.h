// The small exports for other tools: the Surfer blanking file of plans, barriers,
// buildings, roads and tracks, the list of roads and tracks with their traffic and
// emission levels, the CAD script that draws the receiver points, and the total
// length of the barriers. Every file ends its lines with CR LF.
#pragma once

#include <string>

#include "model/project.h"

namespace sonvale {

// The kinds of entity a blanking file holds, in the order they are written.
struct BlnKinds {
  bool plans = true, barriers = true, buildings = true, roads = true, tracks = true;
};

// Each entity is a record "n,flag" followed by n records "X,Y". Plans and
// buildings (flag 0 and 1) are closed by repeating their first vertex when the
// last one lies elsewhere; barriers (0), roads and tracks (1) are written as they
// are. Entities without vertices are left out: a record of 0 vertices is no
// polygon to a reader of the file.
std::string BlnText(const Project& p, const BlnKinds& kinds);
// Creates or replaces fileName; throws FileError when it cannot be written.
void WriteBln(const Project& p, const BlnKinds& kinds, const std::string& fileName);

// The text that follows the program name and version in the first record of a list.
inline const char* const kListNotice =
    " - Elenco delle strade e dei binari con i dati di traffico e di emissione";

// Title and year records, then the roads and the tracks, each table after an
// empty line and its header record (a table without rows is left out). The levels
// are taken as they stand: the caller brings them up to date first.
std::string ListText(const Project& p);
void WriteList(const Project& p, const std::string& fileName);

// Two lines per receiver point: a circle of radius 15 and its number as a text of
// height 25 centred below it.
std::string PointScriptText(const Project& p);
void WritePointScript(const Project& p, const std::string& fileName);

struct BarrierLength {
  long count = 0;
  double length = 0;  // sum of the plan (XY) lengths of every barrier segment
};
BarrierLength TotalBarrierLength(const Project& p);
// "N= 12 - L= 345.5 m".
std::string BarrierLengthText(const BarrierLength& b);

}  // namespace sonvale
