#include "beamrun/tracer_run.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/acoustics.h"
#include "platform/atomic_file.h"
#include "propagation/kernel.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

template <class T>
void Put(std::string& out, T v) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, &v, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) {
    for (size_t k = sizeof(T); k-- > 0;) out += static_cast<char>(b[k]);
  } else {
    for (size_t k = 0; k < sizeof(T); ++k) out += static_cast<char>(b[k]);
  }
}

// The level of a period at one receiver: no per-line term (the tracer models the
// lines themselves) and no background, which Sonvale adds when it loads the grid.
float Level(const TracerModel& m, const PropagationSetup& setup, const Vec3& r) {
  double E = ReceiverEnergy(m.project, m.config, setup, r, 0.0);
  if (!(E > 0)) return kNoLevel;
  double L = 10 * std::log(E) / kLogTen;
  return L <= kNoLevel ? kNoLevel : static_cast<float>(L);
}

double Step(double lo, double hi, long nodes) { return nodes > 1 ? (hi - lo) / (nodes - 1) : 0; }

struct Receivers {
  GridHeader header;
  std::vector<Vec3> points;
  std::vector<bool> computed;
};

Receivers PlaneReceivers(const TracerJob& job) {
  Receivers r;
  r.header = {static_cast<int>(job.nodesX),
              static_cast<int>(job.nodesY),
              job.minX,
              job.maxX,
              job.minY,
              job.maxY,
              0,
              0};
  auto it = job.params.find("RecGap");
  double z = it != job.params.end() ? LeadingNumber(it->second) : kBeamrunTerrainReceiverHeight;
  const double dx = Step(job.minX, job.maxX, job.nodesX);
  const double dy = Step(job.minY, job.maxY, job.nodesY);
  for (long j = 0; j < job.nodesY; ++j) {
    for (long i = 0; i < job.nodesX; ++i) {
      double x = job.minX + i * dx;
      double y = job.minY + j * dy;
      r.points.push_back({x, y, z});
      r.computed.push_back(job.area.size() < 3 || InsideArea(job.area, x, y));
    }
  }
  return r;
}

Receivers TerrainReceivers(const TracerJob& job) {
  GridData t = ReadTerrainHeights(job.terrainFile);
  if (t.nx() > 32767 || t.ny() > 32767)
    throw FormatError(job.terrainFile, 0, "the grid is too large");
  Receivers r;
  r.header = t.header;
  const double dx = Step(t.header.xlo, t.header.xhi, t.nx());
  const double dy = Step(t.header.ylo, t.header.yhi, t.ny());
  for (int j = 0; j < t.ny(); ++j) {
    for (int i = 0; i < t.nx(); ++i) {
      double h = t.value(i, j);
      r.points.push_back(
          {t.header.xlo + i * dx, t.header.ylo + j * dy, h + kBeamrunTerrainReceiverHeight});
      r.computed.push_back(h != kBlankValue);
    }
  }
  return r;
}

Receivers SectionReceivers(const TracerJob& job) {
  Receivers r;
  const double length = std::sqrt((job.maxX - job.minX) * (job.maxX - job.minX) +
                                  (job.maxY - job.minY) * (job.maxY - job.minY));
  r.header = {static_cast<int>(job.nodesX),
              static_cast<int>(job.nodesY),
              0,
              length,
              job.minZ,
              job.maxZ,
              0,
              0};
  const long nO = job.nodesX - 1;
  const long nZ = job.nodesY - 1;
  for (long k = 0; k <= nZ; ++k) {
    double z = nZ > 0 ? job.minZ + k * (job.maxZ - job.minZ) / nZ : job.minZ;
    for (long m = 0; m <= nO; ++m) {
      double t = nO > 0 ? static_cast<double>(m) / nO : 0;
      r.points.push_back(
          {job.minX + t * (job.maxX - job.minX), job.minY + t * (job.maxY - job.minY), z});
      r.computed.push_back(true);
    }
  }
  return r;
}

}  // namespace

void WriteDsbb(const std::string& path, const GridHeader& h, const std::vector<float>& values) {
  if (h.nx < 1 || h.ny < 1 || h.nx > 32767 || h.ny > 32767 ||
      values.size() != static_cast<size_t>(h.nx) * static_cast<size_t>(h.ny)) {
    throw FileError(path, "the grid size does not fit a binary grid");
  }
  double zlo = 0, zhi = 0;
  bool any = false;
  for (float v : values) {
    if (v <= kNoLevel) continue;
    if (!any || v < zlo) zlo = v;
    if (!any || v > zhi) zhi = v;
    any = true;
  }
  std::string out = "DSBB";
  Put<int16_t>(out, static_cast<int16_t>(h.nx));
  Put<int16_t>(out, static_cast<int16_t>(h.ny));
  for (double d : {h.xlo, h.xhi, h.ylo, h.yhi, zlo, zhi}) Put<double>(out, d);
  for (float v : values) Put<float>(out, v);
  WriteFileAtomically(path, out);
}

bool InsideArea(const std::vector<Point3>& area, double x, double y) {
  const size_t n = area.size();
  bool inside = false;
  for (size_t a = 0, b = n - 1; a < n; b = a++) {
    const double xa = area[a].X, ya = area[a].Y, xb = area[b].X, yb = area[b].Y;
    // On the edge counts as inside, so the outline of the whole grid keeps its border nodes.
    const double cross = (xb - xa) * (y - ya) - (yb - ya) * (x - xa);
    const double scale = std::abs(xb - xa) + std::abs(yb - ya);
    if (std::abs(cross) <= 1e-9 * (scale * scale + 1) && x >= std::min(xa, xb) - 1e-9 &&
        x <= std::max(xa, xb) + 1e-9 && y >= std::min(ya, yb) - 1e-9 &&
        y <= std::max(ya, yb) + 1e-9)
      return true;
    if ((ya > y) != (yb > y) && x < (xb - xa) * (y - ya) / (yb - ya) + xa) inside = !inside;
  }
  return inside;
}

std::vector<std::string> RunTracerJob(const TracerJob& job) {
  TracerModel m = ReadTracerModel(job);
  const PropagationSetup day = PrepareSetup(m.project, m.config, Period::Day);
  const PropagationSetup night = PrepareSetup(m.project, m.config, Period::Night);
  std::vector<std::string> written;

  if (job.kind == JobKind::Points) {
    std::vector<Point3> receivers = ReadReceiverList(job.receiverFile);
    std::string text;
    for (const Point3& q : receivers) {
      Vec3 r{q.X, q.Y, q.Z};
      // The model carries no evening levels: the evening value is the no-level mark.
      text += PlainSingle(Level(m, day, r)) + "," + PlainSingle(kNoLevel) + "," +
              PlainSingle(Level(m, night, r)) + "\r\n";
    }
    WriteFileAtomically(job.denFile, text);
    written.push_back(job.denFile);
    return written;
  }

  Receivers r = job.kind == JobKind::Plane     ? PlaneReceivers(job)
                : job.kind == JobKind::Terrain ? TerrainReceivers(job)
                                               : SectionReceivers(job);
  std::vector<float> dayValues(r.points.size(), kNoLevel);
  std::vector<float> nightValues(r.points.size(), kNoLevel);
  for (size_t k = 0; k < r.points.size(); ++k) {
    if (!r.computed[k]) continue;
    dayValues[k] = Level(m, day, r.points[k]);
    nightValues[k] = Level(m, night, r.points[k]);
  }
  const std::vector<float> evening(r.points.size(), kNoLevel);
  using Output = std::pair<const char*, const std::vector<float>*>;
  for (const auto& [suffix, values] :
       {Output{"_d.grd", &dayValues}, Output{"_n.grd", &nightValues}, Output{"_e.grd", &evening}}) {
    std::string path = job.outputBase + suffix;
    WriteDsbb(path, r.header, *values);
    written.push_back(path);
  }
  return written;
}

}  // namespace sonvale
