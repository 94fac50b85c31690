#include "propagation/fast_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "propagation/piece_energy.h"

namespace sonvale {
namespace {

// Consecutive segments of one line skipped as one when beyond DistMax.
constexpr uint32_t kChunkSegments = 16;

double MaxAbs(const Vec3& v) { return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}); }

}  // namespace

FastEngine::FastEngine(const Project& p, const Configuration& c, const PropagationSetup& setup,
                       double entityTerm, double edgeCellSize)
    : FastEngine(p, c, std::vector<const PropagationSetup*>{&setup}, entityTerm, edgeCellSize) {}

FastEngine::FastEngine(const Project& p, const Configuration& c, const PropagationSetup& day,
                       const PropagationSetup& night, double entityTerm, double edgeCellSize)
    : FastEngine(p, c, std::vector<const PropagationSetup*>{&day, &night}, entityTerm,
                 edgeCellSize) {}

FastEngine::FastEngine(const Project& p, const Configuration& c,
                       const std::vector<const PropagationSetup*>& periods, double entityTerm,
                       double edgeCellSize)
    : periods_(periods.size()),
      includeTracksAndSources_(periods.front()->includeTracksAndSources),
      entityTerm_(entityTerm),
      law_(MakePieceLaw(p, c)),
      diffraction_(p.DiffrBarriere || p.DiffrCase),
      diffrCase_(p.DiffrCase),
      crossings_(p.incroci) {
  const PropagationSetup& first = *periods.front();
  for (const PropagationSetup* setup : periods)
    if (setup->includeTracksAndSources != includeTracksAndSources_ ||
        setup->sources.size() != first.sources.size())
      throw std::invalid_argument("the periods of an engine are not setups of one project");
  addLines(periods, &PropagationSetup::roads, roads_);
  if (includeTracksAndSources_) {
    addLines(periods, &PropagationSetup::tracks, tracks_);
    for (size_t i = 0; i < first.sources.size(); ++i) {
      PointSource ps;
      ps.pos = first.sources[i].pos;
      for (size_t k = 0; k < periods_; ++k) ps.Lw[k] = periods[k]->sources[i].Lw;
      sources_.push_back(ps);
    }
  }
  if (p.DiffrBarriere) edges_.add(p.barriere);
  if (diffrCase_) buildingLines_ = edges_.add(p.case_);
  edges_.build(edgeCellSize);
}

void FastEngine::addLines(const std::vector<const PropagationSetup*>& periods,
                          std::vector<LineSource> PropagationSetup::*lines,
                          std::vector<Line>& out) {
  const std::vector<LineSource>& first = periods.front()->*lines;
  for (const PropagationSetup* setup : periods) {
    const std::vector<LineSource>& other = setup->*lines;
    bool same = other.size() == first.size();
    for (size_t i = 0; same && i < first.size(); ++i)
      same = other[i].segments.size() == first[i].segments.size();
    if (!same)
      throw std::invalid_argument("the periods of an engine are not setups of one project");
  }
  out.reserve(first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    Line l;
    l.begin = static_cast<uint32_t>(chunks_.size());
    for (size_t j = 0; j < first[i].segments.size(); ++j) {
      const Segment& s = first[i].segments[j];
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
      for (size_t k = 0; k < periods_; ++k) ps.E[k] = (periods[k]->*lines)[i].segments[j].E;
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
  const PreparedSegment* segment;  // nullptr for a concentrated source
  EdgeQuery& query;
  uint32_t* segmentHints;  // per segment, the strongest edge of its last path

  bool whollyBeyond(const Vec3& P1, const Vec3& P2, double W) const {
    return engine.whollyBeyond(R, P1, P2, W);
  }
  double crossingCorrection(const Vec3& M) const {
    const uint32_t* lists = engine.crossingLists_.data();
    return engine.crossings_.correction(M, lists + segment->crossBegin, lists + segment->crossEnd);
  }
  void attenuation(const Vec3& S, double& Att) const {
    if (!engine.diffraction_) return;
    query.sourceHint = segment ? segmentHints + (segment - engine.segments_.data()) : nullptr;
    engine.edges_.attenuationTo(S, query, Att);
  }
};

template <size_t N>
std::array<EnergyParts, N> FastEngine::periodParts(const Vec3& r, Wall ownWall) const {
  // One set of marks, one receiver view of the edges and one strongest edge per
  // segment per thread, reused from node to node (a hint left by another engine
  // only changes the order of the tests).
  thread_local EdgeVisitMarks marks;
  thread_local ReceiverEdges from;
  thread_local std::vector<uint32_t> segmentHints;
  if (segmentHints.size() != segments_.size()) segmentHints.assign(segments_.size(), kNoEdge);
  EdgeQuery query{from, marks, kNoEdge};
  if (diffraction_) {
    edges_.prepareReceiver(r, from, law_.distMax);
    if (ownWall.building > 0 && diffrCase_)
      query.skip =
          edges_.find(buildingLines_ + static_cast<uint64_t>(ownWall.building), ownWall.wall);
  }
  std::array<EnergyParts, N> e;
  auto add = [&e](double EnergyParts::*part, const PerPeriod<N>& x) {
    for (size_t k = 0; k < N; ++k) {
      e[k].total += x[k];
      e[k].*part += x[k];
    }
  };
  PerPeriod<N> entity;
  entity.fill(entityTerm_);
  Context ctx{*this, r, nullptr, query, segmentHints.data()};
  // A chunk wholly beyond DistMax adds only zeros, which change no sum.
  auto addLines = [&](const std::vector<Line>& lines, double EnergyParts::*part) {
    for (const Line& line : lines) {
      add(part, entity);
      for (uint32_t c = line.begin; c < line.end; ++c) {
        const Chunk& ch = chunks_[c];
        if (chunkBeyond(r, ch)) continue;
        for (uint32_t k = ch.begin; k < ch.end; ++k) {
          const PreparedSegment& ps = segments_[k];
          const Segment& s = ps.s;
          ctx.segment = &ps;
          PerPeriod<N> E;
          std::copy_n(ps.E.begin(), N, E.begin());
          add(part, PieceEnergies(law_, r, s.P1, s.P2, s.M, s.Len, s.W, E, s.HSX, s.HDX, ctx));
        }
      }
    }
  };
  addLines(roads_, &EnergyParts::roads);
  if (!includeTracksAndSources_) return e;
  addLines(tracks_, &EnergyParts::tracks);
  ctx.segment = nullptr;
  for (const PointSource& s : sources_) {
    PerPeriod<N> Lw;
    std::copy_n(s.Lw.begin(), N, Lw.begin());
    PerPeriod<N> x = PointLevels(law_, r, s.pos, Lw, ctx);
    for (double& v : x) v = std::pow(10.0, v / 10);
    add(&EnergyParts::sources, x);
  }
  return e;
}

EnergyParts FastEngine::energyParts(const Vec3& r, Wall ownWall) const {
  return periodParts<1>(r, ownWall)[0];
}

std::array<EnergyParts, 2> FastEngine::dayNightParts(const Vec3& r, Wall ownWall) const {
  if (periods_ != 2) throw std::logic_error("the engine was built for one period");
  return periodParts<2>(r, ownWall);
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

namespace {

class ReferenceDayNight : public DayNightEngine {
 public:
  ReferenceDayNight(const Project& p, const Configuration& c, const PropagationSetup& day,
                    const PropagationSetup& night, double entityTerm)
      : day_(p, c, day, entityTerm), night_(p, c, night, entityTerm) {}
  std::array<EnergyParts, 2> parts(const Vec3& r, Wall ownWall) const override {
    return {day_.energyParts(r, ownWall), night_.energyParts(r, ownWall)};
  }

 private:
  ReferenceEnergyEngine day_, night_;
};

class FastDayNight : public DayNightEngine {
 public:
  FastDayNight(const Project& p, const Configuration& c, const PropagationSetup& day,
               const PropagationSetup& night, double entityTerm)
      : engine_(p, c, day, night, entityTerm) {}
  std::array<EnergyParts, 2> parts(const Vec3& r, Wall ownWall) const override {
    return engine_.dayNightParts(r, ownWall);
  }

 private:
  FastEngine engine_;
};

}  // namespace

std::unique_ptr<DayNightEngine> MakeDayNightEngine(EngineKind kind, const Project& p,
                                                   const Configuration& c,
                                                   const PropagationSetup& day,
                                                   const PropagationSetup& night,
                                                   double entityTerm) {
  if (kind == EngineKind::Reference)
    return std::make_unique<ReferenceDayNight>(p, c, day, night, entityTerm);
  return std::make_unique<FastDayNight>(p, c, day, night, entityTerm);
}

}  // namespace sonvale
