// The DXF readers: the entities of one layer of an ASCII DXF drawing become rows
// of the Project's tables. Polylines (POLYLINE and LWPOLYLINE) go to roads,
// tracks, barriers, buildings or plans; 3DFACEs to vertical sections; CIRCLE
// centres to receiver points, crossings or point sources. Only the ENTITIES
// section is read; block references are not expanded.
//
// Every reader is all or nothing: on a FormatError (bad pair, a POLYLINE vertex
// without its Z), a FileError or a CapacityError (a table or a vertex list that
// would overflow) the Project is left exactly as it was, extent included; the
// caller reports the error. Rows an import adds start from cleared fields.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/project.h"
#include "platform/work_report.h"
#include "project/configuration.h"

namespace sonvale {

// The polyline tables. Roads and tracks keep both widths of every vertex;
// barriers, buildings and plans keep X, Y, Z only.
enum class PolylineTable { Strade, Binari, Barriere, Case, Plans };
// The point tables a CIRCLE centre can go to.
enum class PointTable { Punti, Incroci, Sorgenti };

// The merge switches that act inside the polyline reader.
struct DxfImportModes {
  // Keep only polylines whose first or last vertex lies within the project's
  // DistMax of a plan vertex.
  bool LimitaPlans = false;
  // Drop an open polyline that is an earlier row drawn the other way.
  bool Accorpa = false;
  // An open polyline matching an earlier row end to end replaces that row's
  // geometry instead of adding a row.
  bool Riconosci = false;
  // Rows past the count are overwritten in place and keep what the reader does
  // not write (traffic, emission, and for POLYLINE entities the name); used when
  // an import replaces existing rows. Otherwise each new row starts cleared.
  bool keepRowData = false;
};

// The name the reader gives to the roads layer: closed road outlines are not
// closed with a repeated vertex, and a road ending where it began loses its last
// vertex.
inline constexpr const char* kRoadLayerName = "STRADE";

// The five configured polyline layers ask for their data reduction: the minimum
// distance between kept vertices; other layers keep vertices 0.1 m apart.
bool AsksMinimumDistance(const std::string& layer, const Configuration& config);
// Asks the minimum distance for a layer: the text typed, nullopt when cancelled
// (0 m). Without a question the distance is 1 m.
using MinimumDistanceQuestion = std::function<std::optional<std::string>(const std::string& layer)>;

// Reads the POLYLINE and LWPOLYLINE entities whose layer contains the requested
// layer (both upper-cased) and appends them to the chosen table. Returns the
// table's new count, which the status also gives; buildings and barriers left
// at zero height are reported as notices.
long ReadPolylines(const std::string& fileName, const std::string& layer, PolylineTable table,
                   Project& project, const Configuration& config, const DxfImportModes& modes,
                   WorkReport& report, const MinimumDistanceQuestion& ask = {});

// Reads the 3DFACE entities of exactly the requested layer into the section
// table: corner 10 is the left point, corner 12 the right one. Returns the count.
long ReadFaces(const std::string& fileName, const std::string& layer, Project& project,
               WorkReport& report);

// Reads the centres of the CIRCLE entities of exactly the requested layer. A
// circle is taken only with a complete centre (X, Y, Z) and radius. Crossings do
// not keep the Z; a point source takes the radius as its sound power level.
// Returns the count.
long ReadCircles(const std::string& fileName, const std::string& layer, PointTable table,
                 Project& project, WorkReport& report);

// Euclidean distance in the XY plane.
double Distance2D(double x1, double y1, double x2, double y2);

}  // namespace sonvale
