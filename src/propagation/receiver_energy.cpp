#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {
double ReceiverEnergy(const Project& p, const Configuration& c, const PropagationSetup& setup,
                      const Vec3& r, double entityTerm) {
  // One running sum in a fixed order: faster engines reproduce these doubles
  // only if they add the same terms in the same sequence.
  double Etot = 0;
  for (const LineSource& road : setup.roads) {
    Etot += entityTerm;
    for (const Segment& s : road.segments)
      Etot += SegmentContribution(p, c, r, s.P1, s.P2, s.M, s.Len, s.W, s.E, s.HSX, s.HDX);
  }
  if (!setup.includeTracksAndSources) return Etot;
  for (const LineSource& track : setup.tracks) {
    Etot += entityTerm;
    for (const Segment& s : track.segments)
      Etot += SegmentContribution(p, c, r, s.P1, s.P2, s.M, s.Len, s.W, s.E, s.HSX, s.HDX);
  }
  for (const PropagationSetup::PointSource& s : setup.sources)
    Etot += std::pow(10.0, PointSourceLevel(p, c, r, s.pos, s.Lw) / 10);
  return Etot;
}

}  // namespace sonvale
