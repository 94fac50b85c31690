// The propagation kernel: the energy that the roads, tracks and concentrated
// sources of the model bring to one receiver for one period. This is the
// straightforward reference computation; faster engines must give the same
// doubles.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"

namespace sonvale {

enum class Period { Day = 0, Night = 1 };

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

// One road or track segment prepared for a period.
struct Segment {
  double E = 0;             // emission energy 10^((Leq + K)/10)
  double Len = 0;           // horizontal length
  Vec3 P1, P2, M;           // ends and midpoint, z including Hsorg
  double W = 0;             // lateral distance (tracks: (W/2)^2)
  double HSX = 0, HDX = 0;  // mean building heights of the line
};

// The segments of one road or track, in vertex order.
struct LineSource {
  std::vector<Segment> segments;
};

// Everything a pass prepares once before its receivers.
struct PropagationSetup {
  Period period = Period::Day;
  bool includeTracksAndSources = true;  // false with AzzeraStandard
  std::vector<LineSource> roads;        // roads 1..Nstrade in order
  std::vector<LineSource> tracks;
  struct PointSource {
    Vec3 pos;
    double Lw = 0;  // power of the period
  };
  std::vector<PointSource> sources;
};

// Problems met while preparing a pass (a spectrum file that could not be read is
// reported once per pass).
struct SetupReport {
  std::vector<std::string> messages;
};

// Fills the power of every source whose Lw is exactly 0 from its spectrum file.
void FillSourcePowers(Project& p, SetupReport& report);

// Builds the segment tables and the source list of a period; with AzzeraStandard
// only the roads (no tracks, no sources).
PropagationSetup PrepareSetup(const Project& p, const Configuration& c, Period period);

// One wall of a building: the edge from vertex `wall` to vertex `wall + 1` of
// building number `building` (both from 1); building 0 names no wall.
struct Wall {
  long building = 0;
  long wall = 0;
};

// The energy at a receiver, and what the roads, the tracks and the sources
// bring of it: each part is summed from 0 in the order of the total, so it is
// the total a project holding only that kind of source would give.
struct EnergyParts {
  double total = 0, roads = 0, tracks = 0, sources = 0;
};

// Energy at receiver r: all roads (each adding entityTerm first, then its
// segments in vertex order), then all tracks likewise, then the sources.
// entityTerm is 10^2.6 for maps and 0 for point calculations. ownWall is left
// out of the building diffraction (a receiver on a facade is not screened by
// the wall it stands on).
EnergyParts ReceiverEnergyParts(const Project& p, const Configuration& c,
                                const PropagationSetup& setup, const Vec3& r, double entityTerm,
                                Wall ownWall = {});
inline double ReceiverEnergy(const Project& p, const Configuration& c,
                             const PropagationSetup& setup, const Vec3& r, double entityTerm) {
  return ReceiverEnergyParts(p, c, setup, r, entityTerm).total;
}

double SegmentContribution(const Project& p, const Configuration& c, const Vec3& R, const Vec3& P1,
                           const Vec3& P2, const Vec3& M, double Len, double W, double E,
                           double HSX, double HDX, Wall ownWall = {});
double PointSourceLevel(const Project& p, const Configuration& c, const Vec3& R, const Vec3& S,
                        double Lw, Wall ownWall = {});
// Single-edge diffraction over the edges of one table of outlines (barrier tops or
// roof edges) cutting the path S-R: raises Att to the strongest edge found and
// never lowers it. An outline is closed only when its last vertex repeats the first.
// The edge `skip.wall` of entity `skip.building` is left out.
void EdgeAttenuation(const EntityTable<Polyline3>& entities, const Vec3& S, const Vec3& R,
                     double& Att, Wall skip = {});
void BarrierAttenuation(const Project& p, const Vec3& S, const Vec3& R, double& Att);
void BuildingAttenuation(const Project& p, const Vec3& S, const Vec3& R, double& Att,
                         Wall ownWall = {});
// A-weighted power level described by a spectrum (SPK) file; throws FileError or
// FormatError when the file is missing or malformed.
double SourceSpectrumLevel(const std::string& fileName);

}  // namespace sonvale
