#include "project/project_file.h"

#include <string_view>
#include <utility>

#include "platform/atomic_file.h"
#include "text/field_reader.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr const char* kBanner = "Sonvale noise model";
constexpr const char* kRoadLeqDay = "Livello equivalente di emissione (a 7.5m dall'asse) day =";
constexpr const char* kRoadLeqNight = "Livello equivalente di emissione (a 7.5m dall'asse) night =";
constexpr const char* kRailLeqDay = "Livello equivalente di emissione (a 7m dall'asse) day =";
constexpr const char* kRailLeqNight = "Livello equivalente di emissione (a 7m dall'asse) night =";
constexpr const char* kVelocita = "Velocità =";

// ---------------------------------------------------------------------------
// Writer

// A vertex line: print items joined by a literal comma, ending with CR LF.
class VertexLine {
 public:
  VertexLine& item(std::string_view s) {
    if (!line_.empty()) line_ += ',';
    line_ += s;
    return *this;
  }
  VertexLine& integer(long long v) { return item(PrintInteger(v)); }
  VertexLine& number(double v) { return item(PrintNumber(v)); }
  VertexLine& single(float v) { return item(PrintSingle(v)); }
  // A text between double quotes, cleaned as record texts are.
  VertexLine& quoted(std::string_view s) {
    std::string q = RecordWriter().text(s).line();
    q.resize(q.size() - 2);  // without its CR LF
    return item(q);
  }
  std::string line() { return std::move(line_) + "\r\n"; }

 private:
  std::string line_;
};

std::string ClassLabel(int n, const char* tail) { return "tipo V " + PlainInteger(n) + tail; }

class ProjectWriter {
 public:
  explicit ProjectWriter(const Project& p) : p_(p) {}

  std::string text() {
    out_ += RecordWriter().text(kBanner).text("Vers.#").text(kProjectFileVersion).line();
    writeRoads();
    writeTracks();
    writeSections();
    writePolylines("Nbarr", "Barriera n.", p_.barriere);
    writePolylines("Ncase", "Casa n.", p_.case_);
    writeCrossings();
    writePoints();
    writeSettings();
    writePlans();
    writeEntityList();
    out_ += RecordWriter().text("EndFile").line();
    return std::move(out_);
  }

 private:
  void writeRoads() {
    out_ += RecordWriter().text("Nstrade").integer(p_.strade.count()).line();
    for (long i = 1; i <= p_.strade.count(); ++i) {
      const Strada& s = p_.strade[i];
      out_ += RecordWriter()
                  .text("Strada n.")
                  .integer(i)
                  .text("Nome")
                  .text(s.Nome)
                  .text("Npunti=")
                  .integer(s.Npunti())
                  .line();
      out_ += RecordWriter()
                  .text("Pendenza")
                  .integer(s.Pendenza)
                  .text("Pavimentaz.")
                  .integer(s.Pavimentaz)
                  .line();
      writeHeights(s.HmedSX, s.HmedDX);
      // A fixed-level road keeps the levels typed in, even while a setting has
      // zeroed the levels the calculations use.
      const bool fixed = s.Pavimentaz == -1;
      out_ += RecordWriter()
                  .text(kRoadLeqDay)
                  .number(fixed ? s.FixLeqDay : s.LeqDay)
                  .text(kRoadLeqNight)
                  .number(fixed ? s.FixLeqNight : s.LeqNight)
                  .line();
      for (int v = 1; v <= 5; ++v) {
        out_ += RecordWriter()
                    .text(ClassLabel(v, " - Nveic/day ="))
                    .integer(s.NveicDay[v])
                    .text(kVelocita)
                    .integer(s.VelDay[v])
                    .line();
      }
      for (int v = 1; v <= 5; ++v) {
        out_ += RecordWriter()
                    .text(ClassLabel(v, " - Nveic/night ="))
                    .integer(s.NveicNight[v])
                    .text(kVelocita)
                    .integer(s.VelNight[v])
                    .line();
      }
      writeLineVertices(s.vertices);
    }
  }

  void writeTracks() {
    out_ += RecordWriter().text("Nbinari").integer(p_.binari.count()).line();
    for (long i = 1; i <= p_.binari.count(); ++i) {
      const Binario& b = p_.binari[i];
      out_ += RecordWriter()
                  .text("Binario n.")
                  .integer(i)
                  .text("Nome")
                  .text(b.Nome)
                  .text("Npunti=")
                  .integer(b.Npunti())
                  .line();
      out_ += RecordWriter().text("Tipo di Armamento").integer(b.TipoArmamento).line();
      writeHeights(b.HmedSX, b.HmedDX);
      out_ += RecordWriter()
                  .text(kRailLeqDay)
                  .number(b.LeqDay)
                  .text(kRailLeqNight)
                  .number(b.LeqNight)
                  .line();
      for (int c = 1; c <= 3; ++c) {
        out_ += RecordWriter()
                    .text(ClassLabel(c, " - Ntreni/day ="))
                    .integer(b.NtreniDay[c])
                    .text("Lunghezza")
                    .integer(b.LungDay[c])
                    .text(kVelocita)
                    .integer(b.VelDay[c])
                    .line();
      }
      for (int c = 1; c <= 3; ++c) {
        out_ += RecordWriter()
                    .text(ClassLabel(c, " - Ntreni/night ="))
                    .integer(b.NtreniNight[c])
                    .text("Lunghezza")
                    .integer(b.LungNight[c])
                    .text(kVelocita)
                    .integer(b.VelNight[c])
                    .line();
      }
      writeLineVertices(b.vertices);
    }
  }

  void writeHeights(double sx, double dx) {
    out_ += RecordWriter()
                .text("hmedia edifici lato SX")
                .number(sx)
                .text("hmedia edifici lato DX")
                .number(dx)
                .line();
  }

  void writeLineVertices(const std::vector<LineVertex>& vertices) {
    out_ +=
        RecordWriter().text("P.num.").text("X").text("Y").text("Z").text("SW").text("EW").line();
    long k = 0;
    for (const LineVertex& v : vertices) {
      out_ += VertexLine()
                  .integer(++k)
                  .number(v.X)
                  .number(v.Y)
                  .number(v.Z)
                  .single(v.SW)
                  .single(v.EW)
                  .line();
    }
  }

  void writeSections() {
    out_ += RecordWriter().text("Nsezioni").integer(p_.sezioni.count()).line();
    for (long i = 1; i <= p_.sezioni.count(); ++i) {
      const Sezione& s = p_.sezioni[i];
      out_ += RecordWriter().text("Sezione n.").integer(i).line();
      out_ += VertexLine()
                  .item("Xl=")
                  .number(s.XL)
                  .item("YL=")
                  .number(s.YL)
                  .item("ZL=")
                  .number(s.ZL)
                  .line();
      out_ += VertexLine()
                  .item("XR=")
                  .number(s.XR)
                  .item("YR=")
                  .number(s.YR)
                  .item("ZR=")
                  .number(s.ZR)
                  .line();
    }
  }

  void writePointVertices(const std::vector<Point3>& vertices) {
    out_ += RecordWriter().text("P.num.").text("X").text("Y").text("Z").line();
    long k = 0;
    for (const Point3& v : vertices) {
      out_ += VertexLine().integer(++k).number(v.X).number(v.Y).number(v.Z).line();
    }
  }

  void writePolylines(const char* countKey, const char* label, const EntityTable<Polyline3>& t) {
    out_ += RecordWriter().text(countKey).integer(t.count()).line();
    for (long i = 1; i <= t.count(); ++i) {
      out_ += RecordWriter().text(label).integer(i).text("Npunti=").integer(t[i].Npunti()).line();
      writePointVertices(t[i].vertices);
    }
  }

  void writeCrossings() {
    out_ += RecordWriter().text("Nincr").integer(p_.incroci.count()).line();
    for (long i = 1; i <= p_.incroci.count(); ++i) {
      out_ += RecordWriter().text("Incrocio n.").integer(i).line();
      out_ += RecordWriter().text("X").text("Y").line();
      out_ += VertexLine().number(p_.incroci[i].X).number(p_.incroci[i].Y).line();
    }
  }

  void writePoints() {
    out_ += RecordWriter().text("Npunti").integer(p_.punti.count()).line();
    out_ += RecordWriter().text("Punto n.").text("X").text("Y").text("Z").line();
    for (long i = 1; i <= p_.punti.count(); ++i) {
      const Punto& pt = p_.punti[i];
      out_ += VertexLine().integer(i).number(pt.X).number(pt.Y).number(pt.Z).quoted(pt.Nome).line();
    }
  }

  void writeSettings() {
    out_ += RecordWriter().text("Quota Z mappatura").number(p_.QuotaZ).line();
    out_ += RecordWriter().text("Sovralzo Z sul terreno").number(p_.SovralzoZ).line();
    out_ += RecordWriter().text("Calcolo Diffrazione Barriere").flag(p_.DiffrBarriere).line();
    out_ += RecordWriter().text("Calcolo Diffrazione Case").flag(p_.DiffrCase).line();
    out_ += RecordWriter().text("Calcolo su piano orizzontale").integer(p_.ModoMappatura).line();
    out_ += RecordWriter().text("Calcolo nel periodo diurno").flag(p_.Diurno).line();
    out_ += RecordWriter().text("Flag di Calcolo").integer(PackCalcFlags(p_)).line();
    out_ += RecordWriter().text("Distanza Massima di Calcolo").number(p_.DistMax).line();
    out_ += RecordWriter().text("Nome File Altimetria").text(p_.FileAltimetria).line();
    out_ += RecordWriter().text("Algorithm").integer(p_.Algorithm).line();
    out_ += RecordWriter().text("Anno").integer(p_.Anno).line();
    out_ += RecordWriter().text("NdivX").integer(p_.NdivX).line();
    out_ += RecordWriter().text("NdivY").integer(p_.NdivY).line();
    out_ += RecordWriter().text("NdivO").integer(p_.NdivO).line();
    out_ += RecordWriter().text("NdivZ").integer(p_.NdivZ).line();
    out_ += RecordWriter().text("Current plan").integer(p_.CurrentPlan).line();
  }

  void writePlans() {
    out_ += RecordWriter().text("Plans").line();
    out_ += RecordWriter().text("Nplans").integer(p_.plans.count()).line();
    for (long i = 1; i <= p_.plans.count(); ++i) {
      const Plan& pl = p_.plans[i];
      out_ += RecordWriter().text("Plan n.").integer(i).text("NpPlan=").integer(pl.Npunti()).line();
      writePointVertices(pl.vertices);
    }
  }

  template <class Shape>
  void writeShape(const char* keyword, const char* coordLabel, const Shape& s) {
    out_ += RecordWriter().text(keyword).integer(s.Flag).integer(s.Material).integer(s.Nv).line();
    for (short k = 1; k <= s.Nv && static_cast<size_t>(k) <= s.v.size(); ++k) {
      const Point3& v = s.v[static_cast<size_t>(k - 1)];
      out_ += RecordWriter().text(coordLabel).number(v.X).number(v.Y).number(v.Z).line();
    }
  }

  void writeEntityList() {
    out_ += RecordWriter().text("EntityList").line();
    for (long i = 1; i <= p_.faces.count(); ++i) {
      const Face& f = p_.faces[i];
      if (!f.IsWall) {
        writeShape("Face", "Coords", f);
        continue;
      }
      out_ += RecordWriter().text("Wall").line();
      writeShape("Face", "Coords.", f);
      if (!f.HasOpenings) continue;
      for (long h = 1; h <= p_.holes.count(); ++h) {
        if (p_.holes[h].Face == i) writeShape("Hole", "Coords. ", p_.holes[h]);
      }
      for (long d = 1; d <= p_.doors.count(); ++d) {
        if (p_.doors[d].Face == i) writeShape("Door", "Coords.", p_.doors[d]);
      }
      out_ += RecordWriter().text("EndWall").line();
    }
    for (long i = 1; i <= p_.sources.count(); ++i) {
      const Source& s = p_.sources[i];
      out_ += RecordWriter().text("Source").number(s.X).number(s.Y).number(s.Z).number(s.Lw).line();
      out_ += RecordWriter().text("Lwnight").number(s.Lwnight).line();
      out_ += RecordWriter()
                  .text("SrcTgt")
                  .number(s.TgtX)
                  .number(s.TgtY)
                  .number(s.TgtZ)
                  .number(s.Tgt4)
                  .line();
      out_ += RecordWriter().text("Sourcename").text(s.Nome).line();
    }
    for (long i = 1; i <= p_.receivers.count(); ++i) {
      const Receiver& r = p_.receivers[i];
      out_ += RecordWriter().text("Receiver").number(r.X).number(r.Y).number(r.Z).line();
      out_ += RecordWriter().text("RecTgt").number(r.TgtX).number(r.TgtY).number(r.TgtZ).line();
    }
  }

  const Project& p_;
  std::string out_;
};

// ---------------------------------------------------------------------------
// Reader

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
    p_.ModoMappatura = r_.readShort();
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

std::string ProjectFileText(const Project& p) { return ProjectWriter(p).text(); }

void WriteProjectFile(const Project& p, const std::string& path) {
  WriteFileAtomically(path, ProjectFileText(p));
}

ReadResult ReadProjectFile(const std::string& path, Project& out) {
  FieldReader reader(path);
  return ReadWith(reader, out);
}

ReadResult ReadProjectText(const std::string& name, std::string content, Project& out) {
  FieldReader reader(name, std::move(content));
  return ReadWith(reader, out);
}

}  // namespace sonvale
