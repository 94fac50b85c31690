#include <string_view>
#include <utility>

#include "platform/atomic_file.h"
#include "project/project_file.h"
#include "project/project_file_labels.h"
#include "text/field_reader.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

using namespace project_file;

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
    out_ += RecordWriter()
                .text("Calcolo su piano orizzontale")
                .integer(static_cast<short>(p_.ModoMappatura))
                .line();
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

}  // namespace

std::string ProjectFileText(const Project& p) { return ProjectWriter(p).text(); }

void WriteProjectFile(const Project& p, const std::string& path) {
  WriteFileAtomically(path, ProjectFileText(p));
}
}  // namespace sonvale
