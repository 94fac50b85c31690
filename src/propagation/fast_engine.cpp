#include "propagation/fast_engine.h"

#include <algorithm>
#include <cmath>

#include "model/acoustics.h"
#include "propagation/piece_geometry.h"

namespace sonvale {
namespace {

double MaxAbs(const Vec3& v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

}  // namespace

FastEngine::FastEngine(const Project& p, const Configuration& c, const PropagationSetup& setup,
                       double entityTerm, double edgeCellSize)
    : p_(p),
      c_(c),
      setup_(setup),
      entityTerm_(entityTerm),
      distMin_(c.DistMin),
      distMax_(p.DistMax),
      attCoeff_(c.AttCoeff),
      hsorg_(c.Hsorg),
      diffrBarriere_(p.DiffrBarriere),
      diffrCase_(p.DiffrCase),
      crossings_(p.incroci) {
  addLines(setup.roads, roads_);
  if (setup.includeTracksAndSources) addLines(setup.tracks, tracks_);
  if (diffrBarriere_) edges_.add(p.barriere);
  if (diffrCase_) edges_.add(p.case_);
  edges_.build(edgeCellSize);
}

void FastEngine::addLines(const std::vector<LineSource>& lines, std::vector<Line>& out) {
  out.reserve(lines.size());
  for (const LineSource& line : lines) {
    Line l;
    l.begin = static_cast<uint32_t>(segments_.size());
    for (const Segment& s : line.segments) {
      PreparedSegment ps;
      ps.s = s;
      ps.crossBegin = static_cast<uint32_t>(crossingLists_.size());
      crossings_.near(s.P1, s.P2, crossingLists_);
      ps.crossEnd = static_cast<uint32_t>(crossingLists_.size());
      segments_.push_back(ps);
    }
    l.end = static_cast<uint32_t>(segments_.size());
    out.push_back(l);
  }
}

// Every leaf piece of P1-P2 has its midpoint on P1-P2 up to a few roundings of
// the coordinates, and its distance r is at least the distance from R to P1-P2
// (less those roundings), then floored by W and DistMin. When even that lower
// bound reaches DistMax, every leaf returns exactly 0, and so does their sum.
bool FastEngine::whollyBeyond(const Vec3& R, const Vec3& P1, const Vec3& P2, double W) const {
  const double dx = P2.x - P1.x, dy = P2.y - P1.y, dz = P2.z - P1.z;
  const double wx = R.x - P1.x, wy = R.y - P1.y, wz = R.z - P1.z;
  const double len2 = dx * dx + dy * dy + dz * dz;
  double t = 0;
  if (len2 > 0) t = std::clamp((wx * dx + wy * dy + wz * dz) / len2, 0.0, 1.0);
  const Vec3 C{P1.x + t * dx, P1.y + t * dy, P1.z + t * dz};
  const double d = Distance3(R, C);
  // Generous against the few ulps of error involved (about 1e-16 relative).
  const double margin = 1e-9 * (MaxAbs(R) + MaxAbs(P1) + MaxAbs(P2) + d) + 1e-9;
  double r = d - margin;
  if (!std::isfinite(r)) return false;
  if (r < W) r = W;
  if (r < distMin_) r = distMin_;
  return r >= distMax_;
}

double FastEngine::piece(const Vec3& R, const Vec3& P1, const Vec3& P2, const Vec3& M, double Len,
                         const PreparedSegment& ps, EdgeVisitMarks& marks,
                         const ReceiverEdges& from) const {
  const Segment& s = ps.s;
  double r = Distance3(R, M);
  if (r < s.W) r = s.W;
  if (r < distMin_) r = distMin_;

  if (Len > 0.5 * r) {
    if (whollyBeyond(R, P1, P2, s.W)) return 0;
    const double half = Len / 2;
    return piece(R, P1, M, Middle(P1, M), half, ps, marks, from) +
           piece(R, M, P2, Middle(M, P2), half, ps, marks, from);
  }

  if (r >= distMax_) return 0;
  if (!(Len > 0)) return 0;

  double e = 2.8 * s.E * Len * std::exp(-attCoeff_ * r) / (r * r);
  const double Kx = crossings_.correction(M, crossingLists_.data() + ps.crossBegin,
                                          crossingLists_.data() + ps.crossEnd);

  if (!diffrCase_ && (s.HSX > 1 || s.HDX > 1)) {
    const double delta = SideScreenDelta(hsorg_, R, P1, P2, M, Len, s.W, s.HSX, s.HDX, r);
    e = e / (1 + 40 * delta);
  }

  double Att = 0;
  if (diffrBarriere_ || diffrCase_) edges_.attenuationTo(M, from, Att, marks);

  // 10^0 is exactly 1, so leaving out a zero correction changes no bit.
  if (Kx != 0) e = e * std::pow(10.0, Kx / 10);
  if (Att != 0) e = e / std::pow(10.0, Att / 10);
  return e;
}

double FastEngine::sourceLevel(const Vec3& R, const Vec3& S, double Lw, EdgeVisitMarks& marks,
                               const ReceiverEdges& from) const {
  const double dx = R.x - S.x;
  const double dy = R.y - S.y;
  const double dz = R.z - S.z;
  double r = std::sqrt(dx * dx + dy * dy + dz * dz);
  double Att = 0;
  if (diffrBarriere_ || diffrCase_) edges_.attenuationTo(S, from, Att, marks);
  if (r < distMin_) r = distMin_;
  return Lw - 11 - 20 * std::log(r) / kLogTen - 10 * attCoeff_ * r / kLogTen - Att;
}

double FastEngine::energy(const Vec3& r) const {
  // One set of marks and one receiver view of the edges per thread, reused from
  // node to node.
  thread_local EdgeVisitMarks marks;
  thread_local ReceiverEdges from;
  if (diffrBarriere_ || diffrCase_) edges_.prepareReceiver(r, from);
  double Etot = 0;
  for (const Line& road : roads_) {
    Etot += entityTerm_;
    for (uint32_t k = road.begin; k < road.end; ++k) {
      const PreparedSegment& ps = segments_[k];
      Etot += piece(r, ps.s.P1, ps.s.P2, ps.s.M, ps.s.Len, ps, marks, from);
    }
  }
  if (!setup_.includeTracksAndSources) return Etot;
  for (const Line& track : tracks_) {
    Etot += entityTerm_;
    for (uint32_t k = track.begin; k < track.end; ++k) {
      const PreparedSegment& ps = segments_[k];
      Etot += piece(r, ps.s.P1, ps.s.P2, ps.s.M, ps.s.Len, ps, marks, from);
    }
  }
  for (const PropagationSetup::PointSource& s : setup_.sources)
    Etot += std::pow(10.0, sourceLevel(r, s.pos, s.Lw, marks, from) / 10);
  return Etot;
}

std::optional<EngineKind> ParseEngineKind(std::string_view name) {
  if (name == "reference") return EngineKind::Reference;
  if (name == "fast") return EngineKind::Fast;
  return std::nullopt;
}

const char* EngineKindName(EngineKind kind) {
  return kind == EngineKind::Reference ? "reference" : "fast";
}

std::unique_ptr<EnergyEngine> MakeEnergyEngine(EngineKind kind, const Project& p,
                                               const Configuration& c,
                                               const PropagationSetup& setup, double entityTerm) {
  if (kind == EngineKind::Reference)
    return std::make_unique<ReferenceEnergyEngine>(p, c, setup, entityTerm);
  return std::make_unique<FastEngine>(p, c, setup, entityTerm);
}

}  // namespace sonvale
