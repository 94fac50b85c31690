#include "propagation/fast_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "propagation/piece_energy.h"

namespace sonvale {
namespace {

// Consecutive segments of one line skipped as one when beyond DistMax.
constexpr uint32_t kChunkSegments = 16;

double MaxAbs(const Vec3& v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

}  // namespace

FastEngine::FastEngine(const Project& p, const Configuration& c, const PropagationSetup& setup,
                       double entityTerm, double edgeCellSize)
    : setup_(setup),
      entityTerm_(entityTerm),
      law_(MakePieceLaw(p, c)),
      diffraction_(p.DiffrBarriere || p.DiffrCase),
      diffrCase_(p.DiffrCase),
      crossings_(p.incroci) {
  addLines(setup.roads, roads_);
  if (setup.includeTracksAndSources) addLines(setup.tracks, tracks_);
  if (p.DiffrBarriere) edges_.add(p.barriere);
  if (diffrCase_) buildingLines_ = edges_.add(p.case_);
  edges_.build(edgeCellSize);
}

void FastEngine::addLines(const std::vector<LineSource>& lines, std::vector<Line>& out) {
  out.reserve(lines.size());
  for (const LineSource& line : lines) {
    Line l;
    l.begin = static_cast<uint32_t>(chunks_.size());
    for (const Segment& s : line.segments) {
      if (chunks_.size() == l.begin || chunks_.back().end - chunks_.back().begin == kChunkSegments)
        chunks_.push_back({static_cast<uint32_t>(segments_.size()),
                           static_cast<uint32_t>(segments_.size()), s.M, s.M, 0, true});
      Chunk& ch = chunks_.back();
      for (const Vec3& v : {s.P1, s.P2, s.M}) {
        ch.lo = {std::min(ch.lo.x, v.x), std::min(ch.lo.y, v.y), std::min(ch.lo.z, v.z)};
        ch.hi = {std::max(ch.hi.x, v.x), std::max(ch.hi.y, v.y), std::max(ch.hi.z, v.z)};
        // The box leaves out what is not finite: such a chunk is never skipped.
        if (!(MaxAbs(v) <= std::numeric_limits<double>::max())) ch.finite = false;
      }
      ch.scale = ch.finite ? std::max(MaxAbs(ch.lo), MaxAbs(ch.hi)) : NAN;
      ++ch.end;
      PreparedSegment ps;
      ps.s = s;
      ps.crossBegin = static_cast<uint32_t>(crossingLists_.size());
      crossings_.near(s.P1, s.P2, crossingLists_);
      ps.crossEnd = static_cast<uint32_t>(crossingLists_.size());
      segments_.push_back(ps);
    }
    l.end = static_cast<uint32_t>(chunks_.size());
    out.push_back(l);
  }
}

// Every leaf piece of a chunk has its midpoint in the chunk's box (a rounded
// mean of two coordinates lies between them), so its distance r is at least
// the box's distance from R, less the roundings of the two computations. When
// that reaches DistMax, every leaf returns exactly 0.
bool FastEngine::chunkBeyond(const Vec3& R, const Chunk& ch) const {
  const double dx = std::max({ch.lo.x - R.x, 0.0, R.x - ch.hi.x});
  const double dy = std::max({ch.lo.y - R.y, 0.0, R.y - ch.hi.y});
  const double dz = std::max({ch.lo.z - R.z, 0.0, R.z - ch.hi.z});
  const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  const double margin = 1e-9 * (MaxAbs(R) + ch.scale + d) + 1e-9;
  return d - margin >= law_.distMax;  // false for NaN
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
  if (r < law_.distMin) r = law_.distMin;
  return r >= law_.distMax;
}

// What the fast engine gives the shared piece formulas: the crossings near the
// segment, and the edges across a path as the receiver's bins see them.
struct FastEngine::Context {
  const FastEngine& engine;
  const Vec3& R;
  const PreparedSegment* segment;
  EdgeQuery& query;

  bool whollyBeyond(const Vec3& P1, const Vec3& P2, double W) const {
    return engine.whollyBeyond(R, P1, P2, W);
  }
  double crossingCorrection(const Vec3& M) const {
    const uint32_t* lists = engine.crossingLists_.data();
    return engine.crossings_.correction(M, lists + segment->crossBegin, lists + segment->crossEnd);
  }
  void attenuation(const Vec3& S, double& Att) const {
    if (engine.diffraction_) engine.edges_.attenuationTo(S, query, Att);
  }
};

EnergyParts FastEngine::energyParts(const Vec3& r, Wall ownWall) const {
  // One set of marks and one receiver view of the edges per thread, reused from
  // node to node.
  thread_local EdgeVisitMarks marks;
  thread_local ReceiverEdges from;
  EdgeQuery query{from, marks, kNoEdge};
  if (diffraction_) {
    edges_.prepareReceiver(r, from, law_.distMax);
    if (ownWall.building > 0 && diffrCase_)
      query.skip =
          edges_.find(buildingLines_ + static_cast<uint64_t>(ownWall.building), ownWall.wall);
  }
  EnergyParts e;
  auto add = [&e](double& part, double x) {
    e.total += x;
    part += x;
  };
  Context ctx{*this, r, nullptr, query};
  // A chunk wholly beyond DistMax adds only zeros, which change no sum.
  auto addLines = [&](const std::vector<Line>& lines, double& part) {
    for (const Line& line : lines) {
      add(part, entityTerm_);
      for (uint32_t c = line.begin; c < line.end; ++c) {
        const Chunk& ch = chunks_[c];
        if (chunkBeyond(r, ch)) continue;
        for (uint32_t k = ch.begin; k < ch.end; ++k) {
          const PreparedSegment& ps = segments_[k];
          const Segment& s = ps.s;
          ctx.segment = &ps;
          add(part, PieceEnergy(law_, r, s.P1, s.P2, s.M, s.Len, s.W, s.E, s.HSX, s.HDX, ctx));
        }
      }
    }
  };
  addLines(roads_, e.roads);
  if (!setup_.includeTracksAndSources) return e;
  addLines(tracks_, e.tracks);
  for (const PropagationSetup::PointSource& s : setup_.sources)
    add(e.sources, std::pow(10.0, PointLevel(law_, r, s.pos, s.Lw, ctx) / 10));
  return e;
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
