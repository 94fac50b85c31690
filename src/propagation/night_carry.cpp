#include "propagation/night_carry.h"

#include <cstring>

namespace sonvale {
namespace {

// The finaliser of splitmix64: every input bit reaches every output bit.
uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

void AddOutlines(InputFingerprint& f, const EntityTable<Polyline3>& table) {
  f.add(static_cast<uint64_t>(table.count()));
  for (long i = 1; i <= table.count(); ++i) {
    f.add(static_cast<uint64_t>(table[i].Npunti()));
    for (const Point3& v : table[i].vertices) f.add(Vec3{v.X, v.Y, v.Z});
  }
}

void AddLines(InputFingerprint& f, const std::vector<LineSource>& lines) {
  f.add(static_cast<uint64_t>(lines.size()));
  for (const LineSource& line : lines) {
    f.add(static_cast<uint64_t>(line.segments.size()));
    for (const Segment& s : line.segments) {
      for (double v : {s.E, s.Len, s.W, s.HSX, s.HDX}) f.add(v);
      for (const Vec3& v : {s.P1, s.P2, s.M}) f.add(v);
    }
  }
}

}  // namespace

void InputFingerprint::add(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  add(bits);
}

void InputFingerprint::add(uint64_t v) { h_ = Mix(h_ ^ Mix(v + 0x632BE59BD9B4E019ull)); }

void InputFingerprint::addPaths(const Project& p, const Configuration& c,
                                const PropagationSetup& night) {
  for (double v : {p.DistMax, c.DistMin, c.AttCoeff, c.Hsorg, c.Hrec}) add(v);
  add(static_cast<uint64_t>(p.DiffrBarriere) | static_cast<uint64_t>(p.DiffrCase) << 1 |
      static_cast<uint64_t>(night.includeTracksAndSources) << 2);
  if (p.DiffrBarriere) AddOutlines(*this, p.barriere);
  if (p.DiffrCase) AddOutlines(*this, p.case_);
  add(static_cast<uint64_t>(p.incroci.count()));
  for (long i = 1; i <= p.incroci.count(); ++i) add(Vec3{p.incroci[i].X, p.incroci[i].Y, 0});
  AddLines(*this, night.roads);
  AddLines(*this, night.tracks);
  add(static_cast<uint64_t>(night.sources.size()));
  for (const PropagationSetup::PointSource& s : night.sources) {
    add(s.pos);
    add(s.Lw);
  }
}

}  // namespace sonvale
