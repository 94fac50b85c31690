#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {

EnergyParts ReceiverEnergyParts(const Project& p, const Configuration& c,
                                const PropagationSetup& setup, const Vec3& r, double entityTerm,
                                Wall ownWall) {
  // Running sums in a fixed order: faster engines reproduce these doubles
  // only if they add the same terms in the same sequence.
  EnergyParts e;
  auto add = [&e](double& part, double x) {
    e.total += x;
    part += x;
  };
  for (const LineSource& road : setup.roads) {
    add(e.roads, entityTerm);
    for (const Segment& s : road.segments)
      add(e.roads,
          SegmentContribution(p, c, r, s.P1, s.P2, s.M, s.Len, s.W, s.E, s.HSX, s.HDX, ownWall));
  }
  if (!setup.includeTracksAndSources) return e;
  for (const LineSource& track : setup.tracks) {
    add(e.tracks, entityTerm);
    for (const Segment& s : track.segments)
      add(e.tracks,
          SegmentContribution(p, c, r, s.P1, s.P2, s.M, s.Len, s.W, s.E, s.HSX, s.HDX, ownWall));
  }
  for (const PropagationSetup::PointSource& s : setup.sources)
    add(e.sources, std::pow(10.0, PointSourceLevel(p, c, r, s.pos, s.Lw, ownWall) / 10));
  return e;
}

}  // namespace sonvale
