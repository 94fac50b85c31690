#include <cmath>

#include "propagation/kernel.h"

namespace sonvale {
namespace {

// The street-canyon thresholds differ between roads and tracks: a track's
// carriageway is narrower, so it counts as narrow below 9 m and as a canyon only
// when the buildings are higher than twice its half width.
struct StreetRules {
  double narrowBelow;
  double canyonFactor;
  bool squareHalfWidth;
};

constexpr StreetRules kRoadRules{18.0, 1.0, false};
constexpr StreetRules kTrackRules{9.0, 2.0, true};

template <class Line>
LineSource PrepareLine(const Line& line, const Configuration& c, Period period,
                       const StreetRules& rules) {
  LineSource out;
  const double Leq = period == Period::Day ? line.LeqDay : line.LeqNight;
  const double HSX = line.HmedSX;
  const double HDX = line.HmedDX;
  const long n = line.Npunti();
  if (n >= 2) out.segments.reserve(static_cast<size_t>(n - 1));
  for (long j = 1; j <= n - 1; ++j) {
    const LineVertex& v1 = line.vertex(j);
    const LineVertex& v2 = line.vertex(j + 1);
    double K = 0;
    double W = (static_cast<double>(v1.SW) + static_cast<double>(v1.EW)) * 0.25;
    if (W < 5) W = 5;
    if (HSX > 0 || HDX > 0) K = c.CorrLatoEdificato;
    if (HSX > 3 && HDX > 3 && W < rules.narrowBelow) K = c.CorrStradaStretta;
    if (HSX > rules.canyonFactor * W && HDX > rules.canyonFactor * W) K = c.CorrCanyon;

    Segment s;
    s.E = std::pow(10.0, (Leq + K) / 10.0);
    const double dx = v2.X - v1.X;
    const double dy = v2.Y - v1.Y;
    s.Len = std::sqrt(dx * dx + dy * dy);
    s.P1 = {v1.X, v1.Y, c.Hsorg + v1.Z};
    s.P2 = {v2.X, v2.Y, c.Hsorg + v2.Z};
    s.M = {(v1.X + v2.X) / 2, (v1.Y + v2.Y) / 2, c.Hsorg + (v1.Z + v2.Z) / 2};
    s.W = rules.squareHalfWidth ? (W / 2) * (W / 2) : W;
    s.HSX = HSX;
    s.HDX = HDX;
    out.segments.push_back(s);
  }
  return out;
}

}  // namespace

PropagationSetup PrepareSetup(const Project& p, const Configuration& c, Period period) {
  PropagationSetup setup;
  setup.period = period;
  setup.includeTracksAndSources = !p.AzzeraStandard;

  setup.roads.reserve(static_cast<size_t>(p.strade.count()));
  for (long i = 1; i <= p.strade.count(); ++i)
    setup.roads.push_back(PrepareLine(p.strade[i], c, period, kRoadRules));

  if (!setup.includeTracksAndSources) return setup;

  setup.tracks.reserve(static_cast<size_t>(p.binari.count()));
  for (long i = 1; i <= p.binari.count(); ++i)
    setup.tracks.push_back(PrepareLine(p.binari[i], c, period, kTrackRules));

  setup.sources.reserve(static_cast<size_t>(p.sources.count()));
  for (long i = 1; i <= p.sources.count(); ++i) {
    const Source& s = p.sources[i];
    PropagationSetup::PointSource ps;
    ps.pos = {s.X, s.Y, s.Z};
    ps.Lw = period == Period::Day ? s.Lw : s.Lwnight;
    setup.sources.push_back(ps);
  }
  return setup;
}

}  // namespace sonvale
