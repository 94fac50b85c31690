#include "exchange/dxf_reader.h"

#include <cmath>
#include <type_traits>
#include <vector>

#include "exchange/dxf_pairs.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// Ends closer than this are one point: the outline is closed.
constexpr double kSamePoint = 1e-6;

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// A polyline as it is read, before it becomes a row. Vertex 0 holds the widths
// given before the first vertex (the constant width); real vertices are 1..n.
struct Candidate {
  std::vector<LineVertex> v{LineVertex{}};
  bool lw = false;
  bool closed = false;
  bool constantWidth = false;

  long n() const { return static_cast<long>(v.size()) - 1; }
  const LineVertex& first() const { return v[1]; }
  const LineVertex& last() const { return v.back(); }
};

void StoreGeometry(Strada& row, const Candidate& c) {
  row.vertices.assign(c.v.begin() + 1, c.v.end());
}
void StoreGeometry(Binario& row, const Candidate& c) {
  row.vertices.assign(c.v.begin() + 1, c.v.end());
}
void StoreGeometry(Polyline3& row, const Candidate& c) {
  row.vertices.clear();
  row.vertices.reserve(c.v.size() - 1);
  for (size_t k = 1; k < c.v.size(); ++k) row.vertices.push_back({c.v[k].X, c.v[k].Y, c.v[k].Z});
}

void ClearName(Strada& row) { row.Nome.clear(); }
void ClearName(Binario& row) { row.Nome.clear(); }
void ClearName(Polyline3&) {}

template <class V>
bool EndsMeet(const V& a, const V& b) {
  return Distance2D(a.X, a.Y, b.X, b.Y) < kSamePoint;
}

// Only open lines take part in the end-point matching: every closed outline has
// equal ends, so two buildings starting at the same corner would look alike.
template <class T>
bool IsOpenRow(const T& row) {
  return row.Npunti() >= 2 && !EndsMeet(row.vertex(1), row.vertex(row.Npunti()));
}

template <class T>
class PolylineReading {
 public:
  PolylineReading(DxfPairReader& reader, EntityTable<T>& work, Project& project,
                  const EntityTable<Plan>& plans, bool plansTarget, std::string layer,
                  double minDist, size_t vertexCapacity, const char* what,
                  const DxfImportModes& modes, WorkReport& report)
      : r_(reader),
        work_(work),
        project_(project),
        plans_(plans),
        plansTarget_(plansTarget),
        layer_(std::move(layer)),
        minDist_(minDist),
        vertexCapacity_(vertexCapacity),
        what_(what),
        modes_(modes),
        report_(report) {}

  void run() {
    if (!r_.findEntities(p_)) return;
    bool have = r_.read(p_);
    while (have) {
      if (p_.code == 0) {
        std::string_view kw = DxfKeyword(p_.value);
        if (kw == "ENDSEC") break;
        if (kw == "LWPOLYLINE" || kw == "POLYLINE") {
          have = kw == "POLYLINE" ? readPolyline() : readLwPolyline();
          report_.tick();
          continue;  // the pair that ended the entity may start the next one
        }
      }
      have = r_.read(p_);
    }
  }

 private:
  bool layerMatches() const { return Upper(p_.value).find(layer_) != std::string::npos; }

  bool keeps(const Candidate& c, double x, double y) const {
    return c.n() == 0 || Distance2D(c.last().X, c.last().Y, x, y) > minDist_;
  }

  void addVertex(Candidate& c, const LineVertex& v, bool widen) {
    if (static_cast<size_t>(c.n()) >= vertexCapacity_) {
      throw CapacityError("line " + PlainInteger(r_.line()) + ": too many vertices in one " +
                          what_ + " (at most " +
                          PlainInteger(static_cast<long long>(vertexCapacity_)) + ")");
    }
    c.v.push_back(v);
    if (widen) project_.ExtendExtent(v.X, v.Y);
  }

  // Reads up to the next group code 0; false at the end of the file.
  bool skipEntity() {
    for (;;) {
      if (!r_.read(p_)) return false;
      if (p_.code == 0) return true;
    }
  }

  bool readLwPolyline() {
    p_.closed = false;
    p_.width1 = p_.width2 = 0;
    p_.z = 0;
    for (;;) {
      if (!r_.read(p_)) return false;
      if (p_.code == 0) return true;  // no layer: not ours
      if (p_.code == 8) break;
    }
    if (!layerMatches()) return skipEntity();

    Candidate c;
    c.lw = true;
    // Vertices take the elevation (38); the thickness (39) is not a height.
    double elevation = 0;
    bool more = true;
    for (;;) {
      if (!r_.read(p_)) {
        more = false;
        break;
      }
      if (p_.code == 0) break;
      switch (p_.code) {
        case 38:
          elevation = p_.z;
          break;
        case 10:
          if (keeps(c, p_.x, p_.y)) addVertex(c, {p_.x, p_.y, elevation, 0, 0}, true);
          break;
        case 40:
          c.v.back().SW = static_cast<float>(p_.width1);
          break;
        case 41:
          c.v.back().EW = static_cast<float>(p_.width2);
          break;
        case 43:
          c.v.back().SW = c.v.back().EW = static_cast<float>(p_.width1);
          c.constantWidth = true;
          break;
        default:
          break;
      }
    }
    c.closed = p_.closed;
    finish(c);
    return more;
  }

  // Skips the rest of a POLYLINE, its vertices and its SEQEND.
  bool skipPolyline() {
    for (;;) {
      if (p_.code == 0 && DxfKeyword(p_.value) != "VERTEX") {
        if (DxfKeyword(p_.value) == "SEQEND") return r_.read(p_);
        return true;
      }
      if (!r_.read(p_)) return false;
    }
  }

  bool readPolyline() {
    p_.closed = false;
    // The layer is that of the first vertex.
    for (;;) {
      if (!r_.read(p_)) return false;
      if (p_.code != 0) continue;
      if (DxfKeyword(p_.value) == "VERTEX") break;
      return skipPolyline();  // no vertices at all
    }
    for (;;) {
      if (!r_.read(p_)) return false;
      if (p_.code == 0) return skipPolyline();  // a vertex without a layer
      if (p_.code == 8) break;
    }
    if (!layerMatches()) return skipPolyline();

    Candidate c;
    bool lastDropped = false;
    bool more = true;
    bool seqend = false;
    for (;;) {
      p_.width1 = p_.width2 = 0;
      if (!r_.read(p_)) {
        more = false;
        break;
      }
      if (p_.code == 0) {
        std::string_view kw = DxfKeyword(p_.value);
        if (kw == "VERTEX") continue;
        seqend = kw == "SEQEND";
        break;  // SEQEND, or a missing SEQEND: the entity ends here either way
      }
      if (p_.code != 10) continue;
      if (!keeps(c, p_.x, p_.y)) {
        lastDropped = true;
        continue;
      }
      lastDropped = false;
      double x = p_.x, y = p_.y;
      if (!r_.read(p_) || p_.code != 30) {
        report_.alert();
        r_.fail("POLYLINE vertex without its Z: group code 30 expected after the Y");
      }
      addVertex(c, {x, y, p_.z, 0, 0}, true);
    }
    // The line always ends at its true end point, even when that was too close
    // to the vertex before it.
    if (lastDropped) {
      addVertex(c, {p_.x, p_.y, p_.z, static_cast<float>(p_.width1), static_cast<float>(p_.width2)},
                true);
    }
    c.closed = p_.closed;
    finish(c);
    if (seqend) return r_.read(p_);
    return more;
  }

  bool nearPlan(const Candidate& c) const {
    double dmax = project_.DistMax;
    auto near = [&](double x, double y) {
      return Distance2D(c.first().X, c.first().Y, x, y) < dmax ||
             Distance2D(c.last().X, c.last().Y, x, y) < dmax;
    };
    if (plansTarget_) {
      for (long k = 1; k <= c.n(); ++k)
        if (near(c.v[static_cast<size_t>(k)].X, c.v[static_cast<size_t>(k)].Y)) return true;
    }
    for (long m = 1; m <= plans_.count(); ++m)
      for (const Point3& pv : plans_[m].vertices)
        if (near(pv.X, pv.Y)) return true;
    return false;
  }

  void finish(Candidate& c) {
    if (c.n() == 0) return;  // an entity without vertices has nothing to store
    bool roads = layer_ == kRoadLayerName;
    if (!roads && c.closed) addVertex(c, c.v[1], false);
    if (roads && c.n() >= 2) {
      double dx = c.last().X - c.first().X, dy = c.last().Y - c.first().Y;
      if (dx * dx + dy * dy < 0.2) c.v.pop_back();
    }
    if (c.lw && c.constantWidth) {
      for (size_t k = 1; k < c.v.size(); ++k) {
        c.v[k].SW = c.v[0].SW;
        c.v[k].EW = c.v[0].EW;
      }
    }

    if (modes_.LimitaPlans && !nearPlan(c)) return;
    bool open = !c.closed && c.n() >= 2 && !EndsMeet(c.first(), c.last());
    if (modes_.Accorpa && open) {
      for (long m = 1; m <= work_.count(); ++m) {
        const T& row = work_[m];
        if (!IsOpenRow(row)) continue;
        const auto& f = row.vertex(1);
        const auto& l = row.vertex(row.Npunti());
        double d1 = Distance2D(c.first().X, c.first().Y, l.X, l.Y);
        double d2 = Distance2D(c.last().X, c.last().Y, f.X, f.Y);
        if (d1 + d2 < 1) return;  // the same line drawn the other way
      }
    }
    if (modes_.Riconosci && open) {
      for (long m = 1; m <= work_.count(); ++m) {
        T& row = work_[m];
        if (!IsOpenRow(row)) continue;
        const auto& f = row.vertex(1);
        const auto& l = row.vertex(row.Npunti());
        double d = Distance2D(c.last().X, c.last().Y, l.X, l.Y) +
                   Distance2D(c.first().X, c.first().Y, f.X, f.Y);
        if (d < 1) {
          StoreGeometry(row, c);  // the row keeps its name and traffic
          return;
        }
      }
    }

    T* row = nullptr;
    if (modes_.keepRowData) {
      long n = work_.count() + 1;
      work_.setCount(n);
      row = &work_[n];
    } else {
      row = &work_.addEntity();
    }
    StoreGeometry(*row, c);
    if (c.lw) ClearName(*row);
  }

  DxfPairReader& r_;
  DxfPair p_;
  EntityTable<T>& work_;
  Project& project_;
  const EntityTable<Plan>& plans_;
  bool plansTarget_;
  std::string layer_;
  double minDist_;
  size_t vertexCapacity_;
  const char* what_;
  const DxfImportModes& modes_;
  WorkReport& report_;
};

// Runs one reading on a copy of the table and of the extent, so that a failure
// leaves the Project untouched.
template <class Fn>
void AllOrNothing(Project& project, const std::string& fileName, Fn&& reading) {
  Extent saved = project.extent;
  try {
    reading();
  } catch (const CapacityError& e) {
    project.extent = saved;
    throw CapacityError(fileName + ": " + e.what());
  } catch (...) {
    project.extent = saved;
    throw;
  }
}

template <class T>
void ReadPolylinesInto(EntityTable<T>& table, bool plansTarget, const std::string& fileName,
                       const std::string& layer, double minDist, size_t vertexCapacity,
                       const char* what, Project& project, const DxfImportModes& modes,
                       WorkReport& report) {
  EntityTable<T> work = table;
  AllOrNothing(project, fileName, [&] {
    const EntityTable<Plan>* plans = &project.plans;
    if constexpr (std::is_same_v<T, Plan>) {
      if (plansTarget) plans = &work;
    }
    DxfPairReader reader(fileName, DxfVariant::Polyline);
    PolylineReading<T> reading(reader, work, project, *plans, plansTarget, layer, minDist,
                               vertexCapacity, what, modes, report);
    reading.run();
  });
  table = std::move(work);
}

template <class T>
void WarnZeroElevation(const EntityTable<T>& table, const std::string& layer, WorkReport& report) {
  for (long m = 1; m <= table.count(); ++m) {
    bool raised = false;
    for (const auto& v : table[m].vertices)
      if (v.Z > 0) raised = true;
    if (raised) continue;
    report.notice({"Attenzione !",
                   "Entità tipo " + layer + "numero:" + ShowNumber(static_cast<double>(m)) +
                       " a quota ZERO !!!!)",
                   Severity::Critical});
  }
}

// Reads the entities named by `entity` of one layer with the face or circle
// pair variant; `take` reads one entity whose layer test passed and returns
// whether a pair is left to examine.
template <class Take>
void ReadSimpleEntities(DxfPairReader& r, DxfPair& p, std::string_view entity, WorkReport& report,
                        Take&& take) {
  if (!r.findEntities(p)) return;
  bool have = r.read(p);
  while (have) {
    if (p.code == 0) {
      std::string_view kw = DxfKeyword(p.value);
      if (kw == "ENDSEC") break;
      if (kw == entity) {
        have = take();
        report.tick();
        continue;
      }
    }
    have = r.read(p);
  }
}

bool SkipEntity(DxfPairReader& r, DxfPair& p) {
  for (;;) {
    if (!r.read(p)) return false;
    if (p.code == 0) return true;
  }
}

template <class T, class Store>
long ReadCirclesInto(EntityTable<T>& table, const std::string& fileName, const std::string& layer,
                     Project& project, WorkReport& report, Store&& store) {
  EntityTable<T> work = table;
  AllOrNothing(project, fileName, [&] {
    DxfPairReader r(fileName, DxfVariant::Circle);
    DxfPair p;
    ReadSimpleEntities(r, p, "CIRCLE", report, [&] {
      for (;;) {
        if (!r.read(p)) return false;
        if (p.code == 0) return true;
        if (p.code == 8 && Upper(p.value) != layer) return SkipEntity(r, p);
        if (p.code == 10) {
          store(work.addEntity(), p);
          project.ExtendExtent(p.x, p.y);
        }
      }
    });
  });
  table = std::move(work);
  report.status("Ho letto" + FormatPattern(static_cast<double>(table.count()), " ###0") +
                " CIRCLES - " + layer);
  return table.count();
}

}  // namespace

double Distance2D(double x1, double y1, double x2, double y2) {
  double dx = x2 - x1, dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

bool AsksMinimumDistance(const std::string& layer, const Configuration& config) {
  return layer == config.LayerStrade || layer == config.LayerBinari ||
         layer == config.LayerSezioni || layer == config.LayerBarriere || layer == config.LayerCase;
}

long ReadPolylines(const std::string& fileName, const std::string& layer, PolylineTable table,
                   Project& project, const Configuration& config, const DxfImportModes& modes,
                   WorkReport& report, const MinimumDistanceQuestion& ask) {
  double minDist = 0.1;
  if (AsksMinimumDistance(layer, config)) {
    std::optional<std::string> answer = ask ? ask(layer) : std::optional<std::string>("1");
    minDist = answer ? LeadingNumber(*answer) : 0;
  }
  std::string up = Upper(layer);

  long count = 0;
  switch (table) {
    case PolylineTable::Strade:
      ReadPolylinesInto(project.strade, false, fileName, up, minDist, kMaxRoadVertices, "road",
                        project, modes, report);
      count = project.strade.count();
      break;
    case PolylineTable::Binari:
      ReadPolylinesInto(project.binari, false, fileName, up, minDist, kMaxRailVertices, "track",
                        project, modes, report);
      count = project.binari.count();
      break;
    case PolylineTable::Barriere:
      ReadPolylinesInto(project.barriere, false, fileName, up, minDist, kMaxBarrierVertices,
                        "barrier", project, modes, report);
      count = project.barriere.count();
      break;
    case PolylineTable::Case:
      ReadPolylinesInto(project.case_, false, fileName, up, minDist, kMaxBuildingVertices,
                        "building", project, modes, report);
      count = project.case_.count();
      break;
    case PolylineTable::Plans:
      ReadPolylinesInto(project.plans, true, fileName, up, minDist, kMaxPlanVertices, "plan",
                        project, modes, report);
      count = project.plans.count();
      break;
  }

  if (up == config.LayerCase || up == config.LayerBarriere) {
    switch (table) {
      case PolylineTable::Strade:
        WarnZeroElevation(project.strade, up, report);
        break;
      case PolylineTable::Binari:
        WarnZeroElevation(project.binari, up, report);
        break;
      case PolylineTable::Barriere:
        WarnZeroElevation(project.barriere, up, report);
        break;
      case PolylineTable::Case:
        WarnZeroElevation(project.case_, up, report);
        break;
      case PolylineTable::Plans:
        WarnZeroElevation(project.plans, up, report);
        break;
    }
  }
  report.status("Ho letto" + FormatPattern(static_cast<double>(count), " ###0") + " POLYLINES - " +
                up);
  return count;
}

long ReadFaces(const std::string& fileName, const std::string& layer, Project& project,
               WorkReport& report) {
  std::string up = Upper(layer);
  EntityTable<Sezione> work = project.sezioni;
  AllOrNothing(project, fileName, [&] {
    DxfPairReader r(fileName, DxfVariant::Face);
    DxfPair p;
    ReadSimpleEntities(r, p, "3DFACE", report, [&] {
      for (;;) {
        if (!r.read(p)) return false;
        if (p.code == 0) return true;  // a face without a layer is not ours
        if (p.code == 8) break;
      }
      if (Upper(p.value) != up) return SkipEntity(r, p);
      long row = work.add();
      for (;;) {
        if (!r.read(p)) return false;
        if (p.code == 0) return true;
        if (p.code < 10 || p.code > 13) continue;
        Sezione& s = work[row];
        if (p.code == 10) {
          s.XL = p.x;
          s.YL = p.y;
          s.ZL = p.z;
        } else if (p.code == 12) {
          s.XR = p.x;
          s.YR = p.y;
          s.ZR = p.z;
        }
        project.ExtendExtent(p.x, p.y);
        if (p.code == 13) return r.read(p);  // the last corner ends the face
      }
    });
  });
  project.sezioni = std::move(work);
  long count = project.sezioni.count();
  report.status("Ho letto" + FormatPattern(static_cast<double>(count), " ###0") + " 3DFACES - " +
                up);
  return count;
}

long ReadCircles(const std::string& fileName, const std::string& layer, PointTable table,
                 Project& project, WorkReport& report) {
  std::string up = Upper(layer);
  switch (table) {
    case PointTable::Punti:
      return ReadCirclesInto(project.punti, fileName, up, project, report,
                             [](Punto& q, const DxfPair& p) {
                               q.X = p.x;
                               q.Y = p.y;
                               q.Z = p.z;
                             });
    case PointTable::Incroci:
      return ReadCirclesInto(project.incroci, fileName, up, project, report,
                             [](Incrocio& q, const DxfPair& p) {
                               q.X = p.x;
                               q.Y = p.y;
                             });
    case PointTable::Sorgenti:
      // The drawing encodes each source's sound power level as its circle radius.
      return ReadCirclesInto(project.sources, fileName, up, project, report,
                             [](Source& q, const DxfPair& p) {
                               q.X = p.x;
                               q.Y = p.y;
                               q.Z = p.z;
                               q.Lw = p.radius;
                             });
  }
  return 0;
}

}  // namespace sonvale
