// The in-memory model of one noise scenario: every entity table, the calculation
// settings and the run-time state. Field names follow the system's own names.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/entity_table.h"

namespace sonvale {

// Capacities of the tables and of the vertex lists.
inline constexpr long kMaxStrade = 9000;
inline constexpr long kMaxBinari = 9000;
inline constexpr long kMaxSezioni = 2000;
inline constexpr long kMaxBarriere = 3000;
inline constexpr long kMaxCase = 9000;
inline constexpr long kMaxIncroci = 9000;
inline constexpr long kMaxPunti = 40000;
inline constexpr long kMaxPlans = 20;
inline constexpr long kMaxFaces = 60000;
inline constexpr long kMaxHoles = 50;
inline constexpr long kMaxDoors = 50;
inline constexpr long kMaxSources = 10000;
inline constexpr long kMaxReceivers = 20000;

inline constexpr size_t kMaxRoadVertices = 2000;
inline constexpr size_t kMaxRailVertices = 2000;
inline constexpr size_t kMaxBarrierVertices = 500;
inline constexpr size_t kMaxBuildingVertices = 500;
inline constexpr size_t kMaxPlanVertices = 10000;
inline constexpr size_t kMaxHoleVertices = 50;
inline constexpr size_t kMaxDoorVertices = 5;
inline constexpr size_t kMaxFaceVertices = 4;

struct Point3 {
  double X = 0, Y = 0, Z = 0;
  bool operator==(const Point3&) const = default;
};

// A vertex of a road or track: position and the start and end widths of the
// stretch that begins here (single precision, as stored in drawings).
struct LineVertex {
  double X = 0, Y = 0, Z = 0;
  float SW = 0, EW = 0;
  bool operator==(const LineVertex&) const = default;
};

// Road segment with its traffic. Arrays indexed by vehicle class v = 1..5
// (index 0 unused): V1 cars, V2 two-axle lorries, V3 three-axle lorries,
// V4 articulated lorries, V5 motorcycles.
struct Strada {
  std::string Nome;
  long Pendenza = 0;    // 0 "0-5%", 1 ">=5%, Salita", 2 ">=5%, Discesa"
  long Pavimentaz = 0;  // 0..3 pavement type; -1 fixed-level line source
  double HmedSX = 0, HmedDX = 0;
  double LeqDay = 0, LeqNight = 0;  // levels used by every calculation
  // Levels typed in for a fixed-level road; kept even while "Ignora Strade Fisse"
  // zeroes the levels used.
  double FixLeqDay = 0, FixLeqNight = 0;
  std::array<long, 6> NveicDay{}, NveicNight{};
  std::array<long, 6> VelDay{}, VelNight{};  // flow class index 0..7 (C1..C8)
  std::vector<LineVertex> vertices;          // vertex k is vertices[k - 1]
  long NDir = 0;                             // carriageway directions merged (not saved)

  long Npunti() const { return static_cast<long>(vertices.size()); }
  LineVertex& vertex(long k) { return vertices[static_cast<size_t>(k - 1)]; }
  const LineVertex& vertex(long k) const { return vertices[static_cast<size_t>(k - 1)]; }
};

// Railway track. Arrays indexed by train class c = 1..3: freight, local, long-distance.
struct Binario {
  std::string Nome;
  long TipoArmamento = 0;  // 0 welded on ballast, 1 with switches or joints; -1 fixed level
  double HmedSX = 0, HmedDX = 0;
  double LeqDay = 0, LeqNight = 0;
  std::array<long, 4> NtreniDay{}, NtreniNight{};
  std::array<long, 4> LungDay{}, LungNight{};
  std::array<long, 4> VelDay{}, VelNight{};  // speed class index 0..3
  std::vector<LineVertex> vertices;

  long Npunti() const { return static_cast<long>(vertices.size()); }
  LineVertex& vertex(long k) { return vertices[static_cast<size_t>(k - 1)]; }
  const LineVertex& vertex(long k) const { return vertices[static_cast<size_t>(k - 1)]; }
};

struct Sezione {
  double XL = 0, YL = 0, ZL = 0;
  double XR = 0, YR = 0, ZR = 0;
};

// Barrier, building or plan outline; Z is the top (barrier), roof edge (building)
// or the drawn height (plan).
struct Polyline3 {
  std::vector<Point3> vertices;
  long Npunti() const { return static_cast<long>(vertices.size()); }
  Point3& vertex(long k) { return vertices[static_cast<size_t>(k - 1)]; }
  const Point3& vertex(long k) const { return vertices[static_cast<size_t>(k - 1)]; }
};
using Barriera = Polyline3;
using Casa = Polyline3;
using Plan = Polyline3;

struct Incrocio {
  double X = 0, Y = 0, Z = 0;
};

struct Punto {
  double X = 0, Y = 0, Z = 0;
  std::string Nome;
};

struct Face {
  bool IsWall = false;
  bool HasOpenings = false;
  short Flag = 0;
  short Material = 0;
  short Nv = 0;
  std::array<Point3, kMaxFaceVertices> v{};  // vertex k is v[k - 1]
};

// An opening (hole or door) of a wall face.
template <size_t N>
struct Opening {
  short Face = 0;
  short Flag = 0;
  short Material = 0;
  short Nv = 0;
  std::array<Point3, N> v{};
};
using Hole = Opening<kMaxHoleVertices>;
using Door = Opening<kMaxDoorVertices>;

struct Source {
  double X = 0, Y = 0, Z = 0;
  double Lw = 0, Lwnight = 0;
  double TgtX = 0, TgtY = 0, TgtZ = 0, Tgt4 = 0;
  std::string Nome;
};

struct Receiver {
  double X = 0, Y = 0, Z = 0;
  double TgtX = 0, TgtY = 0, TgtZ = 0;
};

struct Extent {
  double Xmin = 1e9, Xmax = -1e9, Ymin = 1e9, Ymax = -1e9;
  bool isEmpty() const { return Xmin > Xmax || Ymin > Ymax; }
};

struct ViewWindow {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// What a map covers: a horizontal plane, the terrain grid, or a vertical section.
// The project file stores it as the number of each.
enum class MappingMode : short { Plane = 0, Terrain = 1, Section = 2 };

struct Project {
  EntityTable<Strada> strade{"Strade", kMaxStrade};
  EntityTable<Binario> binari{"Binari", kMaxBinari};
  EntityTable<Sezione> sezioni{"Sezioni", kMaxSezioni};
  EntityTable<Barriera> barriere{"Barriere", kMaxBarriere};
  EntityTable<Casa> case_{"Case", kMaxCase};
  EntityTable<Incrocio> incroci{"Incroci", kMaxIncroci};
  EntityTable<Punto> punti{"Punti", kMaxPunti};
  EntityTable<Plan> plans{"Plans", kMaxPlans};
  EntityTable<Face> faces{"Faces", kMaxFaces};
  EntityTable<Hole> holes{"Holes", kMaxHoles};
  EntityTable<Door> doors{"Doors", kMaxDoors};
  EntityTable<Source> sources{"Sources", kMaxSources};
  EntityTable<Receiver> receivers{"Receivers", kMaxReceivers};

  // Calculation settings (saved).
  double QuotaZ = 0;
  double SovralzoZ = 0;
  bool DiffrBarriere = false;
  bool DiffrCase = false;
  MappingMode ModoMappatura = MappingMode::Plane;
  bool Diurno = true;
  bool EmissioneDiurna = false;  // read from older files only
  bool AzzeraStandard = false;
  bool IgnoraRidFonoass = false;
  bool AzzeraFonoass = false;
  bool IgnoraFisse = false;
  double DistMax = 2500;
  std::string FileAltimetria;
  long Algorithm = 1;
  long Anno = 2008;
  short NdivX = 0, NdivY = 0, NdivO = 0, NdivZ = 0;
  long CurrentPlan = 0;

  // Run-time state (never saved).
  Extent extent;
  ViewWindow View;
  bool EmissioniOK = true;
  std::string ProjectFileName;
  std::string GrdName;
  std::string LastDxfFile;

  // Widens the extent with one stored vertex.
  void ExtendExtent(double x, double y);
  // Every count to 0, pavement and directions of the roads to 0, the extent
  // emptied, Algorithm 1.
  void Reset();
  // All entity counts to 0 (slots keep their contents).
  void clearCounts();
};

// Packs the four "Flag di Calcolo" settings as stored in the project file, and back.
short PackCalcFlags(const Project& p);
void UnpackCalcFlags(short f, Project& p);

}  // namespace sonvale
