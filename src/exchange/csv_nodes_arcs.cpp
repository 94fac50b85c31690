#include "exchange/csv_nodes_arcs.h"

#include <cmath>

#include "exchange/csv_records.h"
#include "platform/paths.h"
#include "text/field_reader.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// Peak-hour flow to the day (16 h) and night (8 h) periods, and the light and
// heavy shares of each period, of the traffic model the arcs come from.
constexpr double kDayFactor = 11.4205;
constexpr double kNightFactor = 1.2637;
constexpr double kLightDay = 0.85, kHeavyDay = 0.15;
constexpr double kLightNight = 0.9, kHeavyNight = 0.1;

constexpr float kArcWidth = 5;            // an arc has no width of its own
constexpr long kArcClass = 4;             // "C5-(50-70 km/h)" for every class
constexpr double kRecogniseLimit = 5000;  // sum of end distances to the nearest road
constexpr double kJoinLimit = 2;          // the other direction of the same arc
constexpr double kLargestCount = 1e9;     // vehicles per period a road can hold

CsvNodeId NodeIdOf(const CsvField& f) {
  CsvNodeId id;
  id.text = f.text;
  id.quoted = f.quoted;
  if (f.text.empty() || IsNumber(f.text)) {
    id.numeric = true;
    id.value = f.text.empty() ? 0 : LeadingNumber(f.text);
  } else {
    id.numeric = false;
  }
  return id;
}

double Distance(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }
double Distance(const LineVertex& a, const LineVertex& b) { return Distance(a.X, a.Y, b.X, b.Y); }

long RoundCount(double v, const CsvReader& in) {
  double r = RoundHalfEven(v);
  if (!(std::fabs(r) <= kLargestCount)) in.fail("the flow of the arc is too large");
  return static_cast<long>(r);
}

// A road the arc can be added to: an open line with two ends. A closed outline
// has equal ends and would match any arc leaving from its corner.
bool IsOpenLine(const Strada& s) {
  if (s.Npunti() < 2) return false;
  const LineVertex& a = s.vertex(1);
  const LineVertex& b = s.vertex(s.Npunti());
  return a.X != b.X || a.Y != b.Y;
}

bool NearAPlan(const Project& p, const CsvNode& a, const CsvNode& b) {
  for (long i = 1; i <= p.plans.count(); ++i) {
    for (const Point3& v : p.plans[i].vertices) {
      if (Distance(a.X, a.Y, v.X, v.Y) < p.DistMax || Distance(b.X, b.Y, v.X, v.Y) < p.DistMax)
        return true;
    }
  }
  return false;
}

// Road type codes of the model whose roads carry no lorries of some classes.
void ApplyTypeCode(double code, Strada& s) {
  auto clear = [&s](std::initializer_list<int> classes) {
    for (int v : classes) {
      s.NveicDay[static_cast<size_t>(v)] = 0;
      s.NveicNight[static_cast<size_t>(v)] = 0;
    }
  };
  if (code == 4 || code == 52) {
    clear({4});
  } else if (code == 5 || code == 6 || code == 7 || code == 12 || code == 23 || code == 37 ||
             code == 38 || code == 53) {
    clear({2, 3, 4});
  } else if (code == 67) {
    clear({3, 4});
  }
}

void AddFlows(const Strada& from, Strada& to) {
  for (size_t v = 1; v <= 5; ++v) {
    to.NveicDay[v] += from.NveicDay[v];
    to.NveicNight[v] += from.NveicNight[v];
  }
  to.vertex(1).SW += from.vertex(1).SW;
  to.vertex(1).EW += from.vertex(1).EW;
  to.NDir += 1;
}

// The earlier road nearest to the arc end to end (either way round when the
// directions are joined), 0 when none is near enough. Every road with vertices
// is compared, a closed outline too.
long RecognisedRoad(const EntityTable<Strada>& roads, const Strada& arc, bool eitherWay) {
  const LineVertex& first = arc.vertex(1);
  const LineVertex& last = arc.vertex(arc.Npunti());
  double best = 1e6;
  long found = 0;
  for (long m = 1; m <= roads.count(); ++m) {
    const Strada& r = roads[m];
    // A row of the traffic table has no vertices, so no ends to compare.
    if (r.Npunti() < 1) continue;
    const LineVertex& rFirst = r.vertex(1);
    const LineVertex& rLast = r.vertex(r.Npunti());
    double s = Distance(rLast, last) + Distance(rFirst, first);
    if (eitherWay) s = std::min(s, Distance(rLast, first) + Distance(rFirst, last));
    if (s < best) {
      best = s;
      found = m;
    }
  }
  return best < kRecogniseLimit ? found : 0;
}

// The earlier road that is this arc drawn the other way, 0 when there is none.
// Only the first one takes the flows: giving them to a second copy as well would
// count the same vehicles twice.
long OtherDirection(const EntityTable<Strada>& roads, const Strada& arc) {
  const LineVertex& first = arc.vertex(1);
  const LineVertex& last = arc.vertex(arc.Npunti());
  for (long m = 1; m <= roads.count(); ++m) {
    const Strada& r = roads[m];
    if (!IsOpenLine(r)) continue;
    if (Distance(first, r.vertex(r.Npunti())) + Distance(last, r.vertex(1)) < kJoinLimit) return m;
  }
  return 0;
}

}  // namespace

std::string CsvNodeId::nameText() const {
  if (quoted || !numeric) return text;
  return ShowNumber(value);
}

long CsvNodeTable::FindNode(const CsvNodeId& id) const {
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].id == id) return static_cast<long>(i + 1);
  }
  return 0;
}

CsvNodeFile ReadCsvNodes(const std::string& path) {
  CsvReader in(path);
  CsvNodeFile file;
  CsvNodeTable& table = file.table;
  while (in.next()) {
    if (table.count() >= kMaxCsvNodes) {
      file.leftOut = in.leaveOutRest(kMaxCsvNodes);
      break;
    }
    in.require(3);
    table.nodes.push_back(CsvNode{NodeIdOf(in.field(1)), in.number(2), in.number(3)});
  }
  return file;
}

ArcFlows ArcFlowsOf(double q) {
  return ArcFlows{q * kDayFactor * kLightDay, q * kDayFactor * kHeavyDay,
                  q * kNightFactor * kLightNight, q * kNightFactor * kHeavyNight};
}

std::string ArcSummaryPath(const std::string& csvPath) {
  const std::string file = FileNameOnly(csvPath);
  std::string out;
  if (file.size() >= 4 && file[file.size() - 4] == '.') {
    out = csvPath.substr(0, csvPath.size() - 3) + "TXT";
  } else {
    out = csvPath + ".TXT";
  }
  auto upper = [](std::string s) {
    for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return s;
  };
  // "archi.txt" must not be overwritten by its own summary.
  if (upper(out) == upper(csvPath)) out = csvPath + ".TXT";
  return out;
}

ArcImportResult ImportCsvArcs(const std::string& path, const CsvNodeTable& nodes,
                              const CsvOptions& options, const ArcImportModes& modes,
                              Project& project) {
  CsvReader in(path);
  EntityTable<Strada> roads = project.strade;
  Extent extent;
  if (!modes.Riconosci) roads.setCount(0);

  ArcImportResult result;
  RecordWriter header;
  for (const char* t : {"n.", "Strada", "Leg/G", "Pes/G", "Leg/N", "Pes/N", "Vel.Leg.", "Vel.Pes."})
    header.text(t);
  result.summary = header.line();

  while (in.next()) {
    in.require(6);
    const CsvNodeId idA = NodeIdOf(in.field(2));
    const CsvNodeId idB = NodeIdOf(in.field(3));
    const double code = in.number(5);
    double q = in.number(6);
    if (q <= 1) q = 0;

    const long a = nodes.FindNode(idA);
    const long b = nodes.FindNode(idB);
    if (a == 0 || b == 0) {
      ++result.skippedArcs;
      continue;
    }
    const CsvNode& nodeA = nodes.node(a);
    const CsvNode& nodeB = nodes.node(b);
    if (q > 0 && modes.LimitaPlans && !NearAPlan(project, nodeA, nodeB)) q = 0;
    if (q <= 0) continue;

    // The arc is built apart and becomes row n only when no road takes it over.
    Strada arc;
    arc.vertices = {LineVertex{nodeA.X, nodeA.Y, 0, kArcWidth, kArcWidth},
                    LineVertex{nodeB.X, nodeB.Y, 0, 0, 0}};
    long m = 0;
    if (modes.Riconosci) {
      m = RecognisedRoad(roads, arc, modes.Accorpa);
    } else if (modes.Accorpa) {
      m = OtherDirection(roads, arc);
    }
    if (m == 0 && roads.count() >= roads.capacity()) {
      result.leftOut = in.leaveOutRest(roads.capacity());
      break;
    }
    const long n = roads.count() + 1;
    arc.NDir = 1;
    arc.Nome = "Da" + idA.nameText() + " a" + idB.nameText();

    const ArcFlows f = ArcFlowsOf(q);
    RecordWriter record;
    record.integer(n).text(arc.Nome).number(f.LG).number(f.PG).number(f.LN).number(f.PN);
    record.integer(55).integer(55);
    result.summary += record.line();

    const auto& fd = options.fractionDay;
    const auto& fn = options.fractionNight;
    arc.NveicDay[1] = RoundCount(f.LG * fd[1], in);
    arc.NveicDay[2] = RoundCount(f.PG * fd[2], in);
    arc.NveicDay[3] = RoundCount(f.PG * fd[3], in);
    arc.NveicDay[4] = RoundCount(f.PG * fd[4], in);
    arc.NveicDay[5] = RoundCount(f.LG * fd[5], in);
    arc.NveicNight[1] = RoundCount(f.LN * fn[1], in);
    arc.NveicNight[2] = RoundCount(f.PN * fn[2], in);
    arc.NveicNight[3] = RoundCount(f.PN * fn[3], in);
    arc.NveicNight[4] = RoundCount(f.PN * fn[4], in);
    arc.NveicNight[5] = RoundCount(f.LN * fn[5], in);
    ApplyTypeCode(code, arc);
    for (size_t v = 1; v <= 5; ++v) {
      arc.VelDay[v] = kArcClass;
      arc.VelNight[v] = kArcClass;
    }
    for (const LineVertex& v : arc.vertices) {
      // Grown on a local extent, so that a failed import leaves the project's as it was.
      if (v.X > extent.Xmax) extent.Xmax = v.X;
      if (v.X < extent.Xmin) extent.Xmin = v.X;
      if (v.Y > extent.Ymax) extent.Ymax = v.Y;
      if (v.Y < extent.Ymin) extent.Ymin = v.Y;
    }

    if (m == 0) {
      roads.addEntity() = std::move(arc);
      continue;
    }
    Strada& road = roads[m];
    AddFlows(arc, road);
    if (modes.Riconosci) {
      road.VelDay = arc.VelDay;
      road.VelNight = arc.VelNight;
      road.Nome = arc.Nome;
    }
  }

  result.roads = roads.count();
  project.strade = std::move(roads);
  project.extent = extent;
  return result;
}

}  // namespace sonvale
