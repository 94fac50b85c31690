#include "tracer/room_dxf_import.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "exchange/dxf_pairs.h"
#include "platform/paths.h"
#include "propagation/kernel.h"
#include "text/file_error.h"
#include "text/file_text.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Ifstream opens a folder without complaint on some systems and then reads
// nothing, which would pass for an empty file.
void RefuseFolder(const std::string& path) {
  if (DirExists(path)) throw FileError(path, "this is a folder, not a file");
}

std::string MaterialName(std::string_view line) {
  size_t b = 0;
  while (b < line.size() && IsBlankOrTab(line[b])) ++b;
  line.remove_prefix(b);
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos || comma < 1) return "";
  const size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos || comma < blank) return "";
  return Upper(TrimBlanks(line.substr(blank + 1, comma - blank - 1)));
}

// The tables the import writes, worked on as copies so that a failure leaves the
// Project untouched.
struct RoomTables {
  EntityTable<Face> faces;
  EntityTable<Hole> holes;
  EntityTable<Door> doors;
  EntityTable<Source> sources;
  EntityTable<Receiver> receivers;
};

class RoomReader {
 public:
  RoomReader(const std::string& fileName, RoomTables& t, const std::vector<std::string>& materials,
             const Configuration& config, WorkReport& report, RoomImportCounts& counts)
      : fileName_(fileName),
        r_(fileName, DxfVariant::Polyline),
        t_(t),
        materials_(materials),
        config_(config),
        report_(report),
        counts_(counts) {
    r_.carryOnPastBadPoints([this](int codeFound, long line) {
      report_.status("Invalid Y coord code " + PlainInteger(codeFound));
      if (counts_.pointsWithoutY++ == 0) counts_.firstPointWithoutY = line;
    });
  }

  void run() {
    report_.status("searching for ENTITIES...");
    bool found = false;
    while (r_.read(p_)) {
      if (isText() && DxfKeyword(p_.value) == "ENTITIES") {
        found = true;
        break;
      }
    }
    if (!found) r_.fail("the drawing has no ENTITIES section");
    report_.status("searching for POLYLINES, 3DFACES, SOURCES and RECEIVERS");

    bool have = next();
    for (;;) {
      if (!have) r_.fail("the drawing ends before the ENDSEC of its ENTITIES section");
      if (p_.code != 0) {
        have = next();
        continue;
      }
      const std::string type = Upper(DxfKeyword(p_.value));
      if (type == "ENDSEC") break;
      have = entity(type);
      report_.tick();
    }
  }

 private:
  bool isText() const { return p_.code >= 0 && (p_.code < 10 || p_.code >= 90); }
  bool next() { return r_.read(p_); }

  // Reads past the entity's pairs up to its layer; false (p_ left at the next
  // code 0 or the end) when the entity ends first.
  bool toLayer(bool& have) {
    for (;;) {
      have = next();
      if (!have || p_.code == 0) return false;
      if (p_.code == 8) return true;
    }
  }

  // One entity whose code 0 has just been read; returns with p_ at the code 0
  // that follows it (false at the end of the file).
  bool entity(const std::string& type) {
    bool have = true;
    if (!toLayer(have)) return have;
    const std::string layer = Upper(DxfKeyword(p_.value));
    if (type == "3DFACE") return face(layer);
    if (type == "POLYLINE" && layer == "HOLES") return opening(t_.holes, kMaxHoleVertices, "HOLE");
    if (type == "POLYLINE" && layer == "DOORS") return opening(t_.doors, kMaxDoorVertices, "DOOR");
    if (type == "CIRCLE" && layer == "SOURCES") return circleSource();
    if (type == "ATTDEF" && layer == "SOURCES") return attdefSource();
    if (type == "LINE" && layer == "RECEIVERS") return receiver();
    return skipEntity();
  }

  bool skipEntity() {
    bool have = next();
    while (have && p_.code != 0) have = next();
    return have;
  }

  // Material and flag of a face from its layer: a number, 1000 above the material
  // for the flagged faces, or a name of the materials file.
  void material(const std::string& layer, Face& f) {
    double number = LeadingNumber(layer);
    if (layer.size() > 4) {
      for (size_t m = materials_.size(); m-- > 1;) {
        if (materials_[m] == layer) {
          number = static_cast<double>(m);
          break;
        }
      }
    }
    // The layer is read into the 16-bit material first, so "1000.5" is 1000.
    number = RoundHalfEven(number);
    if (number > 1000) {
      f.Flag = 1;
      number -= 1000;
    }
    if (!(number >= -32768 && number <= 32767)) {
      r_.fail("the layer " + QuotedExcerpt(layer) + " gives a material number beyond 16 bits");
    }
    f.Material = static_cast<short>(number);
  }

  bool face(const std::string& layer) {
    Face f;
    material(layer, f);
    f.Nv = 4;
    bool have = next();
    for (; have && p_.code != 0; have = next()) {
      if (p_.code >= 10 && p_.code <= 13) {
        Point3& v = f.v[static_cast<size_t>(p_.code - 10)];
        v.X = p_.x;
        v.Y = p_.y;
      } else if (p_.code >= 30 && p_.code <= 33) {
        f.v[static_cast<size_t>(p_.code - 30)].Z = p_.z;
      }
    }
    if (f.Material == 0) {
      ++counts_.droppedFaces;
      return have;
    }
    if (t_.faces.count() >= t_.faces.capacity()) {
      r_.fail("too many 3DFACE entities: a model holds at most " +
              PlainInteger(t_.faces.capacity()) + " faces");
    }
    t_.faces.addEntity() = f;
    ++counts_.faces;
    return have;
  }

  // A POLYLINE on HOLES or DOORS and its VERTEX entities up to the SEQEND.
  template <size_t N>
  bool opening(EntityTable<Opening<N>>& table, size_t capacity, const char* what) {
    const long headerLine = r_.line();
    bool have = skipEntity();
    std::vector<Point3> vertices;
    while (have && p_.code == 0 && Upper(DxfKeyword(p_.value)) == "VERTEX") {
      Point3 v;
      bool placed = false;
      for (have = next(); have && p_.code != 0; have = next()) {
        if (p_.code == 10) {
          v.X = p_.x;
          v.Y = p_.y;
          placed = true;
        } else if (p_.code == 30) {
          v.Z = p_.z;
        }
      }
      if (!placed) continue;
      if (vertices.size() >= capacity) {
        r_.fail(std::string("a ") + what + " has more than " + PlainInteger(capacity) +
                " vertices");
      }
      vertices.push_back(v);
    }
    if (have && p_.code == 0 && Upper(DxfKeyword(p_.value)) == "SEQEND") have = skipEntity();

    // An opening without a vertex would fit any face and make it a wall.
    if (vertices.empty()) return have;
    if (table.count() >= table.capacity()) {
      throw FormatError(fileName_, headerLine,
                        std::string("too many ") + what + "S: a model holds at most " +
                            PlainInteger(table.capacity()));
    }
    Opening<N>& o = table.addEntity();
    o.Nv = static_cast<short>(vertices.size());
    std::copy(vertices.begin(), vertices.end(), o.v.begin());
    return have;
  }

  Source& newSource() {
    if (t_.sources.count() >= t_.sources.capacity()) {
      r_.fail("too many sources: a model holds at most " + PlainInteger(t_.sources.capacity()));
    }
    ++counts_.sources;
    return t_.sources.addEntity();
  }

  bool circleSource() {
    Source& s = newSource();
    const long n = t_.sources.count();
    bool have = next();
    for (; have && p_.code != 0; have = next()) {
      if (p_.code == 10) {
        s.X = p_.x;
        s.Y = p_.y;
      } else if (p_.code == 30) {
        s.Z = p_.z;
      }
    }
    s.TgtX = s.X;
    s.TgtY = s.Y;
    s.TgtZ = s.Z - config_.Hsorg;
    s.Nome = "Source" + PlainInteger(n) + ".spk";
    return have;
  }

  bool attdefSource() {
    Source& s = newSource();
    bool have = next();
    for (; have && p_.code != 0; have = next()) {
      switch (p_.code) {
        case 2:
          s.Nome = std::string(DxfKeyword(p_.value));
          break;
        case 10:
          s.X = p_.x;
          s.Y = p_.y;
          break;
        case 11:
          s.TgtX = p_.x;
          s.TgtY = p_.y;
          break;
        case 30:
          s.Z = p_.z;
          break;
        case 31:
          s.TgtZ = p_.z;
          break;
        case 51:
          s.Tgt4 = p_.scratch;
          break;
        default:
          break;
      }
    }
    try {
      s.Lw = SourceSpectrumLevel(s.Nome);
    } catch (const FileError& e) {
      report_.status(e.what());
    } catch (const FormatError& e) {
      report_.status(e.what());
    }
    return have;
  }

  bool receiver() {
    if (t_.receivers.count() >= t_.receivers.capacity()) {
      r_.fail("too many receivers: a model holds at most " + PlainInteger(t_.receivers.capacity()));
    }
    Receiver& q = t_.receivers.addEntity();
    ++counts_.receivers;
    bool have = next();
    for (; have && p_.code != 0; have = next()) {
      if (p_.code == 10) {
        q.X = p_.x;
        q.Y = p_.y;
      } else if (p_.code == 11) {
        q.TgtX = p_.x;
        q.TgtY = p_.y;
      } else if (p_.code == 30) {
        q.Z = p_.z;
      } else if (p_.code == 31) {
        q.TgtZ = p_.z;
      }
    }
    return have;
  }

  const std::string& fileName_;
  DxfPairReader r_;
  DxfPair p_;
  RoomTables& t_;
  const std::vector<std::string>& materials_;
  const Configuration& config_;
  WorkReport& report_;
  RoomImportCounts& counts_;
};

bool FitsBox(const Face& f, const Point3& q) {
  const long nv = std::clamp<long>(f.Nv, 1, static_cast<long>(kMaxFaceVertices));
  double lo[3] = {f.v[0].X, f.v[0].Y, f.v[0].Z};
  double hi[3] = {lo[0], lo[1], lo[2]};
  for (long k = 1; k < nv; ++k) {
    const Point3& v = f.v[static_cast<size_t>(k)];
    const double c[3] = {v.X, v.Y, v.Z};
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], c[a]);
      hi[a] = std::max(hi[a], c[a]);
    }
  }
  const double c[3] = {q.X, q.Y, q.Z};
  for (int a = 0; a < 3; ++a) {
    if (c[a] < lo[a] - kOpeningTolerance || c[a] > hi[a] + kOpeningTolerance) return false;
  }
  return true;
}

// Attaches each opening to the first new face whose widened box holds all its
// vertices; returns how many found none.
template <size_t N>
long Attach(EntityTable<Opening<N>>& openings, EntityTable<Face>& faces, long firstNew,
            const char* what, WorkReport& report) {
  long unattached = 0;
  for (long j = 1; j <= openings.count(); ++j) {
    Opening<N>& o = openings[j];
    bool attached = false;
    for (long n = firstNew; n <= faces.count() && !attached; ++n) {
      Face& f = faces[n];
      bool inside = true;
      for (long k = 0; k < o.Nv && inside; ++k) inside = FitsBox(f, o.v[static_cast<size_t>(k)]);
      if (!inside) continue;
      o.Face = static_cast<short>(n);
      f.IsWall = true;
      f.HasOpenings = true;
      attached = true;
    }
    if (!attached) {
      ++unattached;
      report.status(std::string("No FACE found for ") + what + " no. " + PlainInteger(j) + " !!!");
    }
  }
  return unattached;
}

}  // namespace

std::string MaterialsPath(const std::string& programDir) {
  return JoinPath(programDir, kMaterialsFileName);
}

std::vector<std::string> ReadMaterialNames(const std::string& path) {
  RefuseFolder(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the materials file");
  std::vector<std::string> names;
  std::string line;
  long lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (names.size() >= kMaxMaterialLines) {
      // Blank lines at the end of the file take no material.
      if (TrimBlanks(line).empty()) continue;
      throw FormatError(path, lineNo,
                        "more than " + PlainInteger(kMaxMaterialLines) + " materials (numbers 0.." +
                            PlainInteger(kMaxMaterialLines - 1) + ")");
    }
    names.push_back(MaterialName(line));
  }
  if (in.bad()) throw FileError(path, "cannot read the materials file");
  return names;
}

RoomImportCounts ImportRoomDxf(const std::string& fileName, Project& project,
                               const Configuration& config, const std::string& programDir,
                               WorkReport& report) {
  const std::vector<std::string> materials = ReadMaterialNames(MaterialsPath(programDir));
  RefuseFolder(fileName);

  RoomTables t{project.faces, project.holes, project.doors, project.sources, project.receivers};
  t.holes.setCount(0);
  t.doors.setCount(0);
  const long firstNew = t.faces.count() + 1;
  RoomImportCounts counts;
  RoomReader(fileName, t, materials, config, report, counts).run();

  Extent extent = project.extent;
  auto widen = [&extent](double x, double y) {
    extent.Xmin = std::min(extent.Xmin, x);
    extent.Xmax = std::max(extent.Xmax, x);
    extent.Ymin = std::min(extent.Ymin, y);
    extent.Ymax = std::max(extent.Ymax, y);
  };
  for (long n = 1; n <= t.faces.count(); ++n) {
    const Face& f = t.faces[n];
    const long nv = std::clamp<long>(f.Nv, 0, static_cast<long>(kMaxFaceVertices));
    for (long k = 0; k < nv; ++k)
      widen(f.v[static_cast<size_t>(k)].X, f.v[static_cast<size_t>(k)].Y);
  }
  for (long n = 1; n <= t.sources.count(); ++n) widen(t.sources[n].X, t.sources[n].Y);
  for (long n = 1; n <= t.receivers.count(); ++n) widen(t.receivers[n].X, t.receivers[n].Y);

  counts.unattachedHoles = Attach(t.holes, t.faces, firstNew, "HOLE", report);
  counts.unattachedDoors = Attach(t.doors, t.faces, firstNew, "DOOR", report);
  counts.holes = t.holes.count();
  counts.doors = t.doors.count();

  project.faces = std::move(t.faces);
  project.holes = std::move(t.holes);
  project.doors = std::move(t.doors);
  project.sources = std::move(t.sources);
  project.receivers = std::move(t.receivers);
  project.extent = extent;
  return counts;
}

}  // namespace sonvale
