#include <string_view>
#include <utility>

#include "project/project_file.h"
#include "project/project_file_labels.h"
#include "text/field_reader.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

using namespace project_file;

class ProjectReader {
 public:
  ProjectReader(FieldReader& r, Project& p) : r_(r), p_(p) {}

  ReadResult read() {
    p_.Anno = 0;
    readHeader();
    readRoads();
    readTracks();
    readSections();
    if (result_.version >= 1.3) {
      readPolylines(p_.barriere, kMaxBarrierVertices, "barriers", "vertices in one barrier");
      if (result_.version > 2.5) {
        readPolylines(p_.case_, kMaxBuildingVertices, "buildings", "vertices in one building");
      }
      readCrossings();
      readPoints();
      readSettings();
    }
    std::string keyword = readKeywordTail();
    readEntityList(std::move(keyword));
    if (p_.Anno == 0) {
      result_.yearMissing = true;
      p_.Anno = 2008;
    }
    return result_;
  }

 private:
  void readHeader() {
    r_.readText();  // banner
    r_.readText();  // "Vers.#"
    result_.version = LeadingNumber(r_.readText());
  }

  // A count of entities or vertices; the table is never asked to grow past its
  // capacity, whatever the file claims.
  long readCount(long capacity, const char* what) {
    long n = r_.readLong();
    if (n < 0) r_.fail(std::string("negative number of ") + what + ": " + PlainInteger(n));
    if (n > capacity) {
      r_.fail(std::string("too many ") + what + ": " + PlainInteger(n) + " (at most " +
              PlainInteger(capacity) + ")");
    }
    return n;
  }

  // The number in front of an entity or a vertex only tells the position the
  // writer had in mind; entities are numbered in file order.
  void skipNumber() { r_.readNumber(); }

  void readLineVertices(std::vector<LineVertex>& vertices, long n) {
    r_.skipLine();  // "P.num.", "X", "Y", "Z", "SW", "EW"
    vertices.clear();
    vertices.reserve(static_cast<size_t>(n));
    for (long k = 1; k <= n; ++k) {
      skipNumber();
      LineVertex v;
      v.X = r_.readNumber();
      v.Y = r_.readNumber();
      v.Z = r_.readNumber();
      v.SW = r_.readSingle();
      v.EW = r_.readSingle();
      vertices.push_back(v);
      p_.ExtendExtent(v.X, v.Y);
    }
  }

  void readPointVertices(std::vector<Point3>& vertices, long n) {
    r_.skipLine();  // "P.num.", "X", "Y", "Z"
    vertices.clear();
    vertices.reserve(static_cast<size_t>(n));
    for (long k = 1; k <= n; ++k) {
      skipNumber();
      Point3 v;
      v.X = r_.readNumber();
      v.Y = r_.readNumber();
      v.Z = r_.readNumber();
      vertices.push_back(v);
      p_.ExtendExtent(v.X, v.Y);
    }
  }

  void readRoads() {
    r_.readText();  // "Nstrade"
    const long n = readCount(p_.strade.capacity(), "roads");
    for (long i = 1; i <= n; ++i) {
      Strada& s = p_.strade.addEntity();
      r_.readText();  // "Strada n."
      skipNumber();
      r_.readText();  // "Nome"
      s.Nome = r_.readText();
      r_.readText();  // "Npunti="
      const long nv = readCount(static_cast<long>(kMaxRoadVertices), "vertices in one road");
      r_.readText();  // "Pendenza"
      s.Pendenza = r_.readLong();
      r_.readText();  // "Pavimentaz."
      s.Pavimentaz = r_.readLong();
      r_.readText();
      s.HmedSX = r_.readNumber();
      r_.readText();
      s.HmedDX = r_.readNumber();
      r_.readText();
      s.LeqDay = r_.readNumber();
      r_.readText();
      s.LeqNight = r_.readNumber();
      if (s.Pavimentaz == -1) {
        s.FixLeqDay = s.LeqDay;
        s.FixLeqNight = s.LeqNight;
      }
      for (int v = 1; v <= 5; ++v) {
        r_.readText();
        s.NveicDay[v] = r_.readLong();
        r_.readText();  // "Velocità ="
        s.VelDay[v] = r_.readLong();
      }
      for (int v = 1; v <= 5; ++v) {
        r_.readText();
        s.NveicNight[v] = r_.readLong();
        r_.readText();
        s.VelNight[v] = r_.readLong();
      }
      readLineVertices(s.vertices, nv);
    }
  }

  void readTracks() {
    r_.readText();  // "Nbinari"
    const long n = readCount(p_.binari.capacity(), "railway tracks");
    for (long i = 1; i <= n; ++i) {
      Binario& b = p_.binari.addEntity();
      r_.readText();  // "Binario n."
      skipNumber();
      r_.readText();  // "Nome"
      b.Nome = r_.readText();
      r_.readText();  // "Npunti="
      const long nv = readCount(static_cast<long>(kMaxRailVertices), "vertices in one track");
      r_.readText();  // "Tipo di Armamento"
      b.TipoArmamento = r_.readLong();
      r_.readText();
      b.HmedSX = r_.readNumber();
      r_.readText();
      b.HmedDX = r_.readNumber();
      r_.readText();
      b.LeqDay = r_.readNumber();
      r_.readText();
      b.LeqNight = r_.readNumber();
      for (int c = 1; c <= 3; ++c) {
        r_.readText();
        b.NtreniDay[c] = r_.readLong();
        r_.readText();  // "Lunghezza"
        b.LungDay[c] = r_.readLong();
        r_.readText();  // "Velocità ="
        b.VelDay[c] = r_.readLong();
      }
      for (int c = 1; c <= 3; ++c) {
        r_.readText();
        b.NtreniNight[c] = r_.readLong();
        r_.readText();
        b.LungNight[c] = r_.readLong();
        r_.readText();
        b.VelNight[c] = r_.readLong();
      }
      readLineVertices(b.vertices, nv);
    }
  }

  void readSections() {
    r_.readText();  // "Nsezioni"
    const long n = readCount(p_.sezioni.capacity(), "sections");
    for (long i = 1; i <= n; ++i) {
      Sezione& s = p_.sezioni.addEntity();
      r_.readText();  // "Sezione n."
      skipNumber();
      r_.readText();  // Xl=
      s.XL = r_.readNumber();
      r_.readText();  // YL=
      s.YL = r_.readNumber();
      r_.readText();  // ZL=
      s.ZL = r_.readNumber();
      r_.readText();  // XR=
      s.XR = r_.readNumber();
      r_.readText();  // YR=
      s.YR = r_.readNumber();
      r_.readText();  // ZR=
      s.ZR = r_.readNumber();
    }
  }

  // Barriers and buildings share one layout.
  void readPolylines(EntityTable<Polyline3>& table, size_t vertexCapacity, const char* entities,
                     const char* vertices) {
    r_.readText();  // "Nbarr" or "Ncase"
    const long n = readCount(table.capacity(), entities);
    for (long i = 1; i <= n; ++i) {
      Polyline3& pl = table.addEntity();
      r_.readText();  // "Barriera n." or "Casa n."
      skipNumber();
      r_.readText();  // "Npunti="
      const long nv = readCount(static_cast<long>(vertexCapacity), vertices);
      readPointVertices(pl.vertices, nv);
    }
  }

  void readCrossings() {
    r_.readText();  // "Nincr"
    const long n = readCount(p_.incroci.capacity(), "crossings");
    for (long i = 1; i <= n; ++i) {
      Incrocio& c = p_.incroci.addEntity();
      r_.skipLine();  // "Incrocio n.", i
      r_.skipLine();  // "X", "Y"
      c.X = r_.readNumber();
      c.Y = r_.readNumber();
    }
  }

  void readPoints() {
    r_.readText();  // "Npunti"
    const long n = readCount(p_.punti.capacity(), "receiver points");
    r_.skipLine();  // "Punto n.", "X", "Y", "Z"
    const bool named = result_.version >= 3.05;
    for (long i = 1; i <= n; ++i) {
      Punto& pt = p_.punti.addEntity();
      skipNumber();
      pt.X = r_.readNumber();
      pt.Y = r_.readNumber();
      pt.Z = r_.readNumber();
      if (named) pt.Nome = r_.readText();
      p_.ExtendExtent(pt.X, pt.Y);
    }
  }

  // Older files lack "Calcolo Diffrazione Case" and newer ones lack "Calcolo
  // Emissione Diurna": a label that is not the optional one is the label of the
  // value that follows it.
  void readSettings() {
    r_.readText();  // "Quota Z mappatura"
    p_.QuotaZ = r_.readNumber();
    r_.readText();  // "Sovralzo Z sul terreno"
    p_.SovralzoZ = r_.readNumber();
    r_.readText();  // "Calcolo Diffrazione Barriere"
    p_.DiffrBarriere = r_.readFlag();
    if (r_.readText() == "Calcolo Diffrazione Case") {
      p_.DiffrCase = r_.readFlag();
      r_.readText();  // "Calcolo su piano orizzontale"
    }
    // Caught here, the file and line are still known; the map command would only
    // find it later.
    const short mode = r_.readShort();
    if (mode < 0 || mode > 2) r_.fail("Modo di mappatura sconosciuto:" + PlainInteger(mode));
    p_.ModoMappatura = static_cast<MappingMode>(mode);
    r_.readText();  // "Calcolo nel periodo diurno"
    p_.Diurno = r_.readFlag();
    if (r_.readText() == "Calcolo Emissione Diurna") {
      p_.EmissioneDiurna = r_.readFlag();
      r_.readText();  // "Flag di Calcolo"
    }
    UnpackCalcFlags(r_.readShort(), p_);
    r_.readText();  // "Distanza Massima di Calcolo"
    p_.DistMax = r_.readNumber();
    r_.readText();  // "Nome File Altimetria"
    p_.FileAltimetria = r_.readText();
  }

  // Each key of the tail is optional; returns the first label that is none of
  // them, which opens the entity list.
  std::string readKeywordTail() {
    std::string label = r_.readText();
    if (label == "Algorithm") {
      p_.Algorithm = r_.readLong();
      label = r_.readText();
    }
    if (label == "Anno") {
      p_.Anno = r_.readLong();
      label = r_.readText();
    }
    short* const divisions[] = {&p_.NdivX, &p_.NdivY, &p_.NdivO, &p_.NdivZ};
    const char* const divisionKeys[] = {"NdivX", "NdivY", "NdivO", "NdivZ"};
    for (int d = 0; d < 4; ++d) {
      if (label == divisionKeys[d]) {
        *divisions[d] = r_.readShort();
        label = r_.readText();
      }
    }
    if (label == "Current plan") {
      p_.CurrentPlan = r_.readLong();
      label = r_.readText();
    }
    if (label == "Plans") {
      readPlans();
      label = r_.readText();
    }
    return label;
  }

  void readPlans() {
    r_.readText();  // "Nplans"
    const long n = readCount(p_.plans.capacity(), "plans");
    for (long i = 1; i <= n; ++i) {
      Plan& pl = p_.plans.addEntity();
      r_.readText();  // "Plan n."
      skipNumber();
      r_.readText();  // "NpPlan="
      const long nv = readCount(static_cast<long>(kMaxPlanVertices), "vertices in one plan");
      readPointVertices(pl.vertices, nv);
    }
  }

  // keyword is the first keyword, already read by the keyword tail.
  void readEntityList(std::string keyword) {
    for (;; keyword = r_.readText()) {
      if (keyword == "EndFile") return;
      if (keyword == "EntityList" || keyword == "EndWall") continue;
      if (keyword == "Wall") {
        markWall();
      } else if (keyword == "Face") {
        readFace();
      } else if (keyword == "Hole") {
        readOpening(p_.holes, "hole");
      } else if (keyword == "Door") {
        readOpening(p_.doors, "door");
      } else if (keyword == "Source") {
        readSource();
      } else if (keyword == "Receiver") {
        readReceiver();
      } else {
        ++result_.unknownKeywords;
      }
    }
  }

  void markWall() {
    const long next = p_.faces.count() + 1;
    if (next > p_.faces.capacity()) r_.fail("too many faces in the entity list");
    p_.faces[next].IsWall = true;
  }

  short readVertexCount(size_t capacity, const char* what) {
    const short nv = r_.readShort();
    if (nv < 0 || static_cast<size_t>(nv) > capacity) {
      r_.fail(std::string("a ") + what + " cannot have " + PlainInteger(nv) +
              " vertices (at most " + PlainInteger(static_cast<long long>(capacity)) + ")");
    }
    return nv;
  }

  template <size_t N>
  void readCoordinates(std::array<Point3, N>& v, short nv, bool widensExtent) {
    for (short k = 1; k <= nv; ++k) {
      r_.readText();  // "Coords" label
      Point3& pt = v[static_cast<size_t>(k - 1)];
      pt.X = r_.readNumber();
      pt.Y = r_.readNumber();
      pt.Z = r_.readNumber();
      if (widensExtent) p_.ExtendExtent(pt.X, pt.Y);
    }
  }

  void readFace() {
    const long n = p_.faces.count() + 1;
    if (n > p_.faces.capacity()) r_.fail("too many faces in the entity list");
    // A "Wall" line may already have marked this slot, so it is not cleared.
    p_.faces.setCount(n);
    Face& f = p_.faces[n];
    f.Flag = r_.readShort();
    f.Material = r_.readShort();
    f.Nv = readVertexCount(kMaxFaceVertices, "face");
    readCoordinates(f.v, f.Nv, true);
  }

  template <size_t N>
  void readOpening(EntityTable<Opening<N>>& table, const char* what) {
    const long face = p_.faces.count();
    if (face < 1) r_.fail(std::string("a ") + what + " comes before any face");
    // The owning face is stored as a short.
    if (face > 32767) r_.fail(std::string("a ") + what + " belongs to a face beyond number 32767");
    if (table.count() >= table.capacity()) {
      r_.fail(std::string("too many ") + table.name() + " (at most " +
              PlainInteger(table.capacity()) + ")");
    }
    p_.faces[face].HasOpenings = true;
    Opening<N>& o = table.addEntity();
    o.Face = static_cast<short>(face);
    o.Flag = r_.readShort();
    o.Material = r_.readShort();
    o.Nv = readVertexCount(N, what);
    readCoordinates(o.v, o.Nv, false);
  }

  void readSource() {
    if (p_.sources.count() >= p_.sources.capacity()) r_.fail("too many sources");
    Source& s = p_.sources.addEntity();
    s.X = r_.readNumber();
    s.Y = r_.readNumber();
    s.Z = r_.readNumber();
    s.Lw = r_.readNumber();
    std::string label = r_.readText();
    double value = r_.readNumber();
    // Files written before night levels existed go straight on to "SrcTgt".
    if (label == "Lwnight") {
      s.Lwnight = value;
      r_.readText();  // "SrcTgt"
      value = r_.readNumber();
    }
    s.TgtX = value;
    s.TgtY = r_.readNumber();
    s.TgtZ = r_.readNumber();
    s.Tgt4 = r_.readNumber();
    r_.readText();  // "Sourcename"
    s.Nome = r_.readText();
    p_.ExtendExtent(s.X, s.Y);
  }

  void readReceiver() {
    if (p_.receivers.count() >= p_.receivers.capacity()) r_.fail("too many receivers");
    Receiver& rc = p_.receivers.addEntity();
    rc.X = r_.readNumber();
    rc.Y = r_.readNumber();
    rc.Z = r_.readNumber();
    r_.readText();  // "RecTgt"
    rc.TgtX = r_.readNumber();
    rc.TgtY = r_.readNumber();
    rc.TgtZ = r_.readNumber();
    p_.ExtendExtent(rc.X, rc.Y);
  }

  FieldReader& r_;
  Project& p_;
  ReadResult result_;
};

// The project the file is read into: the settings and run-time state of out
// (for what the file does not hold), with every table and the extent blank, so
// that nothing of the previous project's slots survives the load.
Project FreshProject(const Project& out) {
  Project fresh = out;
  Project blank;
  fresh.strade = std::move(blank.strade);
  fresh.binari = std::move(blank.binari);
  fresh.sezioni = std::move(blank.sezioni);
  fresh.barriere = std::move(blank.barriere);
  fresh.case_ = std::move(blank.case_);
  fresh.incroci = std::move(blank.incroci);
  fresh.punti = std::move(blank.punti);
  fresh.plans = std::move(blank.plans);
  fresh.faces = std::move(blank.faces);
  fresh.holes = std::move(blank.holes);
  fresh.doors = std::move(blank.doors);
  fresh.sources = std::move(blank.sources);
  fresh.receivers = std::move(blank.receivers);
  fresh.extent = Extent{};
  return fresh;
}

ReadResult ReadWith(FieldReader& reader, Project& out) {
  Project fresh = FreshProject(out);
  ReadResult result;
  try {
    result = ProjectReader(reader, fresh).read();
  } catch (const CapacityError& e) {
    // The checks above keep every table within bounds; this only turns a
    // model refusal into an error that names the place in the file.
    reader.fail(e.what());
  }
  out = std::move(fresh);
  return result;
}

}  // namespace

ReadResult ReadProjectFile(const std::string& path, Project& out) {
  FieldReader reader(path);
  return ReadWith(reader, out);
}

ReadResult ReadProjectText(const std::string& name, std::string content, Project& out) {
  FieldReader reader(name, std::move(content));
  return ReadWith(reader, out);
}

}  // namespace sonvale
