// The builder behind GenerateTown, shared by the files that make the parts of the
// town: streets, railway, barriers and crossings; buildings; points, section,
// plan, room acoustics, sources and settings.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/project.h"
#include "tools/town_generator.h"

namespace sonvale::town {

// splitmix64: a tiny generator whose output is fixed by its definition, unlike the
// standard distributions, so a seed gives the same town on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double range(double a, double b) { return a + (b - a) * uniform(); }
  // Whole number in [a, b].
  long between(long a, long b) {
    if (b <= a) return a;
    return a + static_cast<long>(next() % static_cast<uint64_t>(b - a + 1));
  }
  bool chance(double p) { return uniform() < p; }

 private:
  uint64_t state_;
};

// Coordinates and heights are kept to the centimetre: the files stay readable and
// the values do not depend on the last bits of the trigonometric functions.
inline double cm(double v) { return std::round(v * 100.0) / 100.0; }
inline double dm(double v) { return std::round(v * 10.0) / 10.0; }

enum class Category { Through = 4, Arterial = 3, District = 2, Local = 1 };

struct StreetProfile {
  double width;             // carriageway width drawn as SW / EW
  double corridor;          // half-width of the street space, axis to kerb
  std::array<long, 6> day;  // vehicles per 16 h day, classes V1..V5
  std::array<long, 6> dayFlow, nightFlow;
};

// The street profile of a category: widths and traffic.
const StreetProfile& profileOf(Category c);

constexpr double kThroughOffset = 6;  // carriageway axes either side of the line
constexpr double kSetback = 3;        // pavement between kerb and façade
constexpr double kRailHalfWidth = 6;
constexpr double kBarrierOffset = 7.5;
constexpr double kRailClearance = 14;  // track axis to the nearest façade

struct StreetLine {
  bool vertical = false;
  double pos = 0;  // x of a vertical line, y of a horizontal one (local coordinates)
  Category cat = Category::Local;
  std::string name;
  long pieces = 0;
};

struct Rect {
  double x0, y0, x1, y1;
  double w() const { return x1 - x0; }
  double h() const { return y1 - y0; }
};

// What the later steps need to know about a placed building.
struct BuildingInfo {
  double cx, cy;  // centre of its bounding box, local coordinates
  Rect box;
  double height;  // roof above ground
  bool rectangular;
};

class TownBuilder {
 public:
  explicit TownBuilder(const TownParams& p)
      : p_(p), rnd_(0x5A0F1E5ull ^ (uint64_t{p.seed} << 17)) {}
  Project build();

 private:
  // Local coordinates run from (0, 0) at the south-west corner of the town.
  double X(double x) const { return cm(p_.originX + x); }
  double Y(double y) const { return cm(p_.originY + y); }
  double ground(double x, double y) const { return TownGroundHeight(p_, X(x), Y(y)); }
  Point3 at(double x, double y, double z) const { return {X(x), Y(y), cm(z)}; }

  // Streets, railway, barriers and crossings (town_streets.cpp).
  void layoutLines();
  std::vector<double> boundariesAlong(const StreetLine& l) const;
  void subdivide(double a, double b, std::vector<double>& out) const;
  void setTraffic(Strada& s, Category cat, double factor);
  void addRoad(const std::string& name, Category cat,
               const std::vector<std::pair<double, double>>& pts);
  void makeRoads();
  void variations();
  double railY(double x) const;
  void makeRailway();
  double clearanceOf(const StreetLine& l) const;
  void makeBarriers();
  void makeCrossings();
  // Buildings, and the heights they give the lines (town_buildings.cpp).
  void makeBuildings();
  void fillBlock(const Rect& q, long b);
  void addBuilding(const Rect& f, double height, bool lShape);
  template <class Line>
  void sideHeights(Line& line, double reach);
  void buildingHeightsAlongLines();
  // Points, section, plan, room acoustics, sources, settings (town_places.cpp).
  void makePoints();
  static void facadePoint(const BuildingInfo& b, int side, double out, double& x, double& y);
  int facingSide(const BuildingInfo& b) const;
  double centralStretchMid() const;
  void makeSection();
  void makePlan();
  void makeRoomAcoustics();
  void makeSources();
  void makeSettings();

  const TownParams& p_;
  Random rnd_;
  Project pr_;
  std::vector<StreetLine> horizontal_, vertical_;
  long nH_ = 0, nV_ = 0, throughIndex_ = 0, throughCarriageways_ = 0;
  std::vector<Category> roadCategory_;
  long railRow_ = 0;
  double railMid_ = 0, railAmp_ = 0, railPhase_ = 0;
  std::vector<BuildingInfo> buildings_;
  std::vector<std::pair<double, double>> freeLots_;
  Rect park_{0, 0, 0, 0};
  bool hasPark_ = false;
  long schoolBuilding_ = 0;
  int schoolSide_ = 0;
};

}  // namespace sonvale::town
