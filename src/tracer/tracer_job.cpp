#include "tracer/tracer_job.h"

#include <cmath>
#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "tracer/xml_text.h"

namespace sonvale {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string WithoutLastFour(const std::string& s) {
  return s.size() > 4 ? s.substr(0, s.size() - 4) : std::string();
}

std::string Num(double v) { return PlainNumber(v); }
std::string Int(long long v) { return PlainInteger(v); }

template <class Vertex>
void WriteNodes(std::string& out, const std::vector<Vertex>& vertices) {
  out += XmlLine(4, "poly").open();
  for (const Vertex& v : vertices) {
    out += XmlLine(6, "node").attr("X", Num(v.X)).attr("Y", Num(v.Y)).attr("Z", Num(v.Z)).empty();
  }
  out += XmlClose(4, "poly");
}

// The leq block of a line source or point source; levelText renders its levels.
template <class Format>
void WriteLeq(std::string& out, int indent, double day, double night, Format levelText) {
  out += XmlLine(indent, "leq").attr("Day", levelText(day)).attr("Night", levelText(night)).open();
  out += XmlLine(indent + 2, "day").attr("Bands", "10").attr("db4", levelText(day)).empty();
  out += XmlLine(indent + 2, "evening").attr("Bands", "10").empty();
  out += XmlLine(indent + 2, "night").attr("Bands", "10").attr("db4", levelText(night)).empty();
  out += XmlClose(indent, "leq");
}

void WriteRoad(std::string& out, long i, const Strada& s) {
  out += XmlLine(2, "road").attr("Id", Int(i)).attr("Name", s.Nome).open();
  WriteNodes(out, s.vertices);
  out += XmlLine(4, "properties").open();
  WriteLeq(out, 6, s.LeqDay, s.LeqNight, Num);
  for (size_t v = 1; v <= 5; ++v) {
    out += XmlLine(6, "traffic")
               .attr("Class", Int(static_cast<long long>(v)))
               .attr("Time", "Day")
               .attr("Vehicles", Int(s.NveicDay[v]))
               .attr("Speed", Int(s.VelDay[v]))
               .empty();
    out += XmlLine(6, "traffic")
               .attr("Class", Int(static_cast<long long>(v)))
               .attr("Time", "Night")
               .attr("Vehicles", Int(s.NveicNight[v]))
               .attr("Speed", Int(s.VelNight[v]))
               .empty();
  }
  out += XmlClose(4, "properties");
  out += XmlClose(2, "road");
}

// Track levels carry two decimals. The mandatory units digit keeps a level of 0
// a number ("0.") where an all-optional pattern would leave a bare ".".
std::string RailLevel(double v) { return FormatPattern(v, "##0.##"); }

void WriteRail(std::string& out, long i, const Binario& b) {
  out += XmlLine(2, "rail").attr("Id", Int(i)).attr("Name", b.Nome).open();
  WriteNodes(out, b.vertices);
  out += XmlLine(4, "properties").attr("Absorbing", "0.5").open();
  WriteLeq(out, 6, b.LeqDay, b.LeqNight, RailLevel);
  for (size_t c = 1; c <= 3; ++c) {
    out += XmlLine(6, "traffic")
               .attr("Class", Int(static_cast<long long>(c)))
               .attr("Time", "Day")
               .attr("Vehicles", Int(b.NtreniDay[c]))
               .attr("Length", Int(b.LungDay[c]))
               .attr("Speed", Int(b.VelDay[c]))
               .empty();
    out += XmlLine(6, "traffic")
               .attr("Class", Int(static_cast<long long>(c)))
               .attr("Time", "Night")
               .attr("Vehicles", Int(b.NtreniNight[c]))
               .attr("Length", Int(b.LungNight[c]))
               .attr("Speed", Int(b.VelNight[c]))
               .empty();
  }
  out += XmlClose(4, "properties");
  out += XmlClose(2, "rail");
}

void WriteSource(std::string& out, long i, const Source& s) {
  out += XmlLine(2, "point").attr("Id", Int(i)).attr("Name", s.Nome).attr("Ipothesis", "0").open();
  WriteLeq(out, 4, s.Lw, s.Lwnight, Num);
  out += XmlLine(4, "position").attr("X", Num(s.X)).attr("Y", Num(s.Y)).attr("Z", Num(s.Z)).empty();
  out += XmlClose(2, "point");
}

void WriteObstacle(std::string& out, const char* element, long i, const Polyline3& o,
                   double absorbing, double sigma) {
  out += XmlLine(2, element).attr("Id", Int(i)).open();
  WriteNodes(out, o.vertices);
  out += XmlLine(4, "properties")
             .attr("Absorbing", FormatPattern(absorbing, "0.###"))
             .attr("Sigma", Num(sigma))
             .empty();
  out += XmlClose(2, element);
}

void WriteCrossing(std::string& out, long i, const Incrocio& c) {
  out += XmlLine(2, "crossing").attr("Id", Int(i)).open();
  out += XmlLine(4, "leq").open();
  out += XmlLine(6, "day").attr("Bands", "10").empty();
  out += XmlLine(6, "evening").attr("Bands", "10").empty();
  out += XmlLine(6, "night").attr("Bands", "10").empty();
  out += XmlClose(4, "leq");
  out += XmlLine(4, "position").attr("X", Num(c.X)).attr("Y", Num(c.Y)).attr("Z", Num(c.Z)).empty();
  out += XmlClose(2, "crossing");
}

std::string Param(const char* name, const std::string& value) {
  return XmlLine(2, "param").attr("name", name).attr("value", value).empty();
}

// A path is left alone when it is absolute on either family of systems: "/x",
// "C:\x", "C:/x" or a network path "\\server\x".
bool IsAbsolutePath(const std::string& path) {
  if (path.empty()) return false;
  if (path[0] == '/' || path[0] == '\\') return true;
  return path.size() >= 2 && path[1] == ':';
}

void Remove(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

}  // namespace

std::string TracerBase(Project& p, const std::string& currentDir) {
  if (p.GrdName.empty()) {
    if (!WithoutLastFour(p.ProjectFileName).empty()) {
      p.GrdName = WithoutLastFour(p.ProjectFileName) + ".grd";
    } else if (!WithoutLastFour(p.LastDxfFile).empty()) {
      p.GrdName = WithoutLastFour(p.LastDxfFile) + ".grd";
    } else {
      p.GrdName = JoinPath(currentDir, "GRIDTMP.grd");
    }
  }
  return WithoutLastFour(p.GrdName);
}

std::string AlgorithmWord(long algorithm) {
  switch (algorithm) {
    case 1:
      return "SonVale";
    case 2:
      return "Interim";
    case 3:
      return "Harmonoise";
    default:
      return "Sonvale";
  }
}

std::string TracerModelXml(const Project& p, const Configuration& c) {
  std::string out = std::string(kXmlDeclaration) + kCrLf + "<EchoSuite>" + kCrLf;
  for (long i = 1; i <= p.strade.count(); ++i) WriteRoad(out, i, p.strade[i]);
  if (!p.AzzeraStandard) {
    for (long i = 1; i <= p.binari.count(); ++i) WriteRail(out, i, p.binari[i]);
    for (long i = 1; i <= p.sources.count(); ++i) WriteSource(out, i, p.sources[i]);
  }
  if (p.DiffrCase) {
    for (long i = 1; i <= p.case_.count(); ++i)
      WriteObstacle(out, "house", i, p.case_[i], c.AssCase, c.SigmaCase);
  }
  if (p.DiffrBarriere) {
    for (long i = 1; i <= p.barriere.count(); ++i)
      WriteObstacle(out, "barrier", i, p.barriere[i], c.AssBarriere, c.SigmaBarriere);
  }
  for (long i = 1; i <= p.incroci.count(); ++i) WriteCrossing(out, i, p.incroci[i]);
  out += std::string("</EchoSuite>") + kCrLf;
  return out;
}

std::string ReceiverListText(const Project& p, ReceiverSet set) {
  std::string out;
  const long n = ReceiverCount(p, set);
  for (long i = 1; i <= n; ++i) {
    Vec3 r = ReceiverPosition(p, set, i);
    out += PrintZones().zoned(r.x).zoned(r.y).zoned(r.z).str();
    out += kCrLf;
  }
  return out;
}

std::string TracerJobXml(const Project& p, const Configuration& c, const GridBounds& grid,
                         const SectionLine& s, const std::string& base, short mode) {
  std::string out = std::string(kXmlDeclaration) + kCrLf + "<job>" + kCrLf;
  out += Param("Algorithm", AlgorithmWord(p.Algorithm));
  out += std::string("  <directory></directory>") + kCrLf;
  out += std::string("  <executable>Beamrun</executable>") + kCrLf;
  out += XmlLine(2, "input").attr("type", "model").withText(base + ".tmp");
  out += Param("Beta", FormatPattern(c.AttCoeff, "0.#####"));
  out += Param("MinDist", Num(c.DistMin));
  out += Param("MaxDist", Num(p.DistMax));
  switch (mode) {
    case 0:
      out += Param("RecGap", Num(p.QuotaZ + 4));
      out += Param("SecY", "0");
      break;
    case 1:
      out += Param("SecY", "0");
      break;
    case 2:
      out += Param("GridX", Num(std::abs(s.X2 - s.X1) / p.NdivO));
      out += Param("GridY", Num(std::abs(s.Y2 - s.Y1) / p.NdivZ));
      out += Param(
          "SecX",
          Num(std::sqrt((s.Y1 - s.Y2) * (s.Y1 - s.Y2) + (s.X1 - s.X2) * (s.X1 - s.X2)) / p.NdivO));
      out += Param("SecY", Num(std::abs(s.Z1 - s.Z2) / p.NdivZ));
      break;
    default:
      break;
  }
  out += std::string("  <locale/>") + kCrLf;
  out += Param("Day", "16");
  out += Param("Evening", "0");
  auto node2 = [&](double x, double y) {
    out += XmlLine(4, "node").attr("X", Num(x)).attr("Y", Num(y)).empty();
  };
  auto node3 = [&](double x, double y, double z) {
    out += XmlLine(4, "node").attr("X", Num(x)).attr("Y", Num(y)).attr("Z", Num(z)).empty();
  };
  switch (mode) {
    case 0: {
      out += XmlLine(2, "point")
                 .attr("name", "GridMin")
                 .attr("x", Num(grid.Xmin))
                 .attr("y", Num(grid.Ymin))
                 .empty();
      out += XmlLine(2, "point")
                 .attr("name", "GridMax")
                 .attr("x", Num(grid.Xmax))
                 .attr("y", Num(grid.Ymax))
                 .empty();
      out += Param("GridNodesX", Int(p.NdivX + 1));
      out += Param("GridNodesY", Int(p.NdivY + 1));
      out += XmlLine(2, "output").attr("type", "grid").withText(base);
      out += XmlLine(2, "poly").open();
      if (p.CurrentPlan > 0 && p.plans.count() > 0 && p.CurrentPlan <= p.plans.count()) {
        const Plan& plan = p.plans[p.CurrentPlan];
        // The outline repeats its first vertex at the end; the area needs it once.
        for (long k = 1; k <= plan.Npunti() - 1; ++k) node2(plan.vertex(k).X, plan.vertex(k).Y);
      } else {
        node2(grid.Xmin, grid.Ymin);
        node2(grid.Xmax, grid.Ymin);
        node2(grid.Xmax, grid.Ymax);
        node2(grid.Xmin, grid.Ymax);
      }
      out += XmlClose(2, "poly");
      break;
    }
    case 1:
      out += XmlLine(2, "input").attr("type", "grid").withText(p.FileAltimetria);
      out += XmlLine(2, "output").attr("type", "grid").withText(base);
      break;
    case 2:
      out += XmlLine(2, "point")
                 .attr("name", "GridMin")
                 .attr("x", Num(s.X1))
                 .attr("y", Num(s.Y1))
                 .attr("z", Num(s.Z1))
                 .empty();
      out += XmlLine(2, "point")
                 .attr("name", "GridMax")
                 .attr("x", Num(s.X2))
                 .attr("y", Num(s.Y2))
                 .attr("z", Num(s.Z2))
                 .empty();
      out += Param("GridNodesX", Int(p.NdivO + 1));
      out += Param("GridNodesY", Int(p.NdivZ + 1));
      out += XmlLine(2, "output").attr("type", "grid").withText(base);
      out += XmlLine(2, "poly").open();
      node3(s.X1, s.Y1, s.Z1);
      node3(s.X2, s.Y2, s.Z1);
      node3(s.X2, s.Y2, s.Z2);
      node3(s.X1, s.Y1, s.Z2);
      out += XmlClose(2, "poly");
      break;
    case kPointsMode:
      out += XmlLine(2, "input").attr("type", "dat").withText(base + ".dat");
      out += XmlLine(2, "output").attr("type", "den").withText(base + ".den");
      break;
    default:
      break;
  }
  out += std::string("</job>") + kCrLf;
  return out;
}

TracerJobFiles WriteTracerJob(const TracerContext& tc, bool pointsMode, ReceiverSet set,
                              const std::string& currentDir, double startTime) {
  Project& p = tc.project;
  const short mode = pointsMode ? kPointsMode : static_cast<short>(p.ModoMappatura);
  // A grid of no division would have the tracer divide by zero.
  if ((mode == 0 && (p.NdivX < 1 || p.NdivY < 1)) || (mode == 2 && (p.NdivO < 1 || p.NdivZ < 1))) {
    throw TracerJobRefused(kTracerDivisionsRefused);
  }
  TracerJobFiles files;
  files.startTime = startTime;
  files.base = TracerBase(p, currentDir);
  if (files.base.empty())
    throw TracerJobRefused(SV_TR("sonvale", "Nome del file di uscita non valido: ") + p.GrdName);
  if (!IsAbsolutePath(files.base)) files.base = JoinPath(currentDir, files.base);
  files.model = files.base + ".tmp";
  files.job = files.base + ".job";

  WriteFileAtomically(files.model, TracerModelXml(p, tc.config));
  if (pointsMode) {
    files.receivers = files.base + ".dat";
    WriteFileAtomically(files.receivers, ReceiverListText(p, set));
  }
  WriteFileAtomically(files.job, TracerJobXml(p, tc.config, tc.grid, tc.section, files.base, mode));
  return files;
}

void DeleteTracerInputs(const TracerJobFiles& files) {
  Remove(files.job);
  Remove(files.model);
  Remove(files.receivers);
}

}  // namespace sonvale
