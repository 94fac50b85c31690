#include "beamrun/tracer_input.h"

#include <fstream>
#include <sstream>

#include "beamrun/xml_reader.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

double NumberAttr(const std::string& file, const XmlNode& n, const char* key, bool required,
                  double fallback = 0) {
  const std::string* v = n.attribute(key);
  if (!v) {
    if (required)
      throw FormatError(file, n.line, "<" + SafeExcerpt(n.name) + "> has no attribute " + key);
    return fallback;
  }
  if (!IsNumber(*v)) {
    throw FormatError(file, n.line,
                      "attribute " + std::string(key) + " of <" + SafeExcerpt(n.name) +
                          "> is not a number: " + QuotedExcerpt(*v));
  }
  return LeadingNumber(*v);
}

double ParamNumber(const TracerJob& job, const char* name, double fallback) {
  auto it = job.params.find(name);
  if (it == job.params.end()) return fallback;
  if (!IsNumber(it->second)) {
    throw FormatError(
        job.file, 0,
        "parameter " + std::string(name) + " is not a number: " + QuotedExcerpt(it->second));
  }
  return LeadingNumber(it->second);
}

std::string Trimmed(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

template <class Vertex>
std::vector<Vertex> Nodes(const std::string& file, const XmlNode& owner, size_t capacity) {
  std::vector<Vertex> out;
  const XmlNode* poly = owner.child("poly");
  if (!poly) return out;
  for (const XmlNode* n : poly->childrenNamed("node")) {
    Vertex v{};
    v.X = NumberAttr(file, *n, "X", true);
    v.Y = NumberAttr(file, *n, "Y", true);
    v.Z = NumberAttr(file, *n, "Z", false);
    AddVertex(out, v, capacity, owner.name.c_str());
  }
  return out;
}

void Levels(const std::string& file, const XmlNode& owner, double& day, double& night) {
  const XmlNode* props = owner.child("properties");
  const XmlNode* leq = (props ? props : &owner)->child("leq");
  if (!leq) throw FormatError(file, owner.line, "<" + owner.name + "> has no <leq>");
  day = NumberAttr(file, *leq, "Day", true);
  night = NumberAttr(file, *leq, "Night", true);
}

}  // namespace

TracerJob ReadTracerJob(const std::string& path) {
  std::unique_ptr<XmlNode> root = ReadXmlFile(path);
  TracerJob job;
  job.file = path;
  if (root->name != "job") throw FormatError(path, root->line, "the root element is not <job>");
  for (const XmlNode* p : root->childrenNamed("param")) {
    const std::string* name = p->attribute("name");
    const std::string* value = p->attribute("value");
    if (!name || !value) throw FormatError(path, p->line, "<param> needs name and value");
    job.params[*name] = *value;
  }
  job.algorithm = job.params.count("Algorithm") ? job.params["Algorithm"] : "Sonvale";
  for (const XmlNode* in : root->childrenNamed("input")) {
    const std::string* type = in->attribute("type");
    std::string t = type ? *type : "";
    if (t == "model")
      job.modelFile = Trimmed(in->text);
    else if (t == "grid")
      job.terrainFile = Trimmed(in->text);
    else if (t == "dat")
      job.receiverFile = Trimmed(in->text);
    else
      throw FormatError(path, in->line, "unknown input type " + QuotedExcerpt(t));
  }
  for (const XmlNode* out : root->childrenNamed("output")) {
    const std::string* type = out->attribute("type");
    std::string t = type ? *type : "";
    if (t == "grid")
      job.outputBase = Trimmed(out->text);
    else if (t == "den")
      job.denFile = Trimmed(out->text);
    else
      throw FormatError(path, out->line, "unknown output type " + QuotedExcerpt(t));
  }
  if (job.modelFile.empty()) throw FormatError(path, 0, "the job names no model input");
  for (const XmlNode* pt : root->childrenNamed("point")) {
    const std::string* name = pt->attribute("name");
    if (!name) continue;
    double x = NumberAttr(path, *pt, "x", true);
    double y = NumberAttr(path, *pt, "y", true);
    double z = NumberAttr(path, *pt, "z", false);
    if (*name == "GridMin") job.minX = x, job.minY = y, job.minZ = z;
    if (*name == "GridMax") job.maxX = x, job.maxY = y, job.maxZ = z;
  }
  if (const XmlNode* poly = root->child("poly")) {
    for (const XmlNode* n : poly->childrenNamed("node")) {
      job.area.push_back({NumberAttr(path, *n, "X", true), NumberAttr(path, *n, "Y", true),
                          NumberAttr(path, *n, "Z", false)});
    }
  }

  if (!job.denFile.empty()) {
    job.kind = JobKind::Points;
    if (job.receiverFile.empty()) throw FormatError(path, 0, "a point job needs a dat input");
  } else if (job.outputBase.empty()) {
    throw FormatError(path, 0, "the job names no output");
  } else if (!job.terrainFile.empty()) {
    job.kind = JobKind::Terrain;
  } else {
    job.kind = job.params.count("RecGap") ? JobKind::Plane : JobKind::Section;
    double nx = ParamNumber(job, "GridNodesX", 0);
    double ny = ParamNumber(job, "GridNodesY", 0);
    if (nx < 1 || ny < 1 || nx > 32767 || ny > 32767 || nx != static_cast<long>(nx) ||
        ny != static_cast<long>(ny)) {
      throw FormatError(path, 0, "GridNodesX and GridNodesY must be whole numbers from 1 to 32767");
    }
    job.nodesX = static_cast<long>(nx);
    job.nodesY = static_cast<long>(ny);
  }
  return job;
}

TracerModel ReadTracerModel(const TracerJob& job) {
  const std::string& file = job.modelFile;
  std::unique_ptr<XmlNode> root = ReadXmlFile(file);
  if (root->name != "EchoSuite")
    throw FormatError(file, root->line, "the root element is not <EchoSuite>");
  TracerModel m;
  Project& p = m.project;
  Configuration& c = m.config;
  c.Hsorg = kBeamrunSourceHeight;
  c.Hrec = kBeamrunTerrainReceiverHeight;
  c.AttCoeff = ParamNumber(job, "Beta", 0);
  c.DistMin = ParamNumber(job, "MinDist", 0);
  p.DistMax = ParamNumber(job, "MaxDist", 2500);
  c.DistMax = p.DistMax;

  for (const auto& e : root->children) {
    const XmlNode& n = *e;
    if (n.name == "road") {
      Strada& s = p.strade.addEntity();
      if (const std::string* name = n.attribute("Name")) s.Nome = *name;
      s.vertices = Nodes<LineVertex>(file, n, kMaxRoadVertices);
      Levels(file, n, s.LeqDay, s.LeqNight);
    } else if (n.name == "rail") {
      Binario& b = p.binari.addEntity();
      if (const std::string* name = n.attribute("Name")) b.Nome = *name;
      b.vertices = Nodes<LineVertex>(file, n, kMaxRailVertices);
      Levels(file, n, b.LeqDay, b.LeqNight);
    } else if (n.name == "point") {
      Source& s = p.sources.addEntity();
      if (const std::string* name = n.attribute("Name")) s.Nome = *name;
      Levels(file, n, s.Lw, s.Lwnight);
      const XmlNode* pos = n.child("position");
      if (!pos) throw FormatError(file, n.line, "<point> has no <position>");
      s.X = NumberAttr(file, *pos, "X", true);
      s.Y = NumberAttr(file, *pos, "Y", true);
      s.Z = NumberAttr(file, *pos, "Z", false);
    } else if (n.name == "house") {
      p.case_.addEntity().vertices = Nodes<Point3>(file, n, kMaxBuildingVertices);
      p.DiffrCase = true;
    } else if (n.name == "barrier") {
      p.barriere.addEntity().vertices = Nodes<Point3>(file, n, kMaxBarrierVertices);
      p.DiffrBarriere = true;
    } else if (n.name == "crossing") {
      Incrocio& x = p.incroci.addEntity();
      const XmlNode* pos = n.child("position");
      if (!pos) throw FormatError(file, n.line, "<crossing> has no <position>");
      x.X = NumberAttr(file, *pos, "X", true);
      x.Y = NumberAttr(file, *pos, "Y", true);
      x.Z = NumberAttr(file, *pos, "Z", false);
    } else {
      throw FormatError(file, n.line, "unknown element <" + SafeExcerpt(n.name) + ">");
    }
  }
  return m;
}

std::vector<Point3> ReadReceiverList(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot be opened");
  std::vector<Point3> out;
  std::string line;
  long lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    std::istringstream fields(line);
    std::vector<std::string> items;
    std::string item;
    while (fields >> item) items.push_back(item);
    if (items.empty()) continue;
    if (items.size() != 3) throw FormatError(path, lineNo, "a receiver needs X, Y and Z");
    double v[3];
    for (int k = 0; k < 3; ++k) {
      if (!IsNumber(items[static_cast<size_t>(k)]))
        throw FormatError(path, lineNo,
                          QuotedExcerpt(items[static_cast<size_t>(k)]) + " is not a number");
      v[k] = LeadingNumber(items[static_cast<size_t>(k)]);
    }
    if (static_cast<long>(out.size()) >= kMaxPunti)
      throw FormatError(path, lineNo, "too many receivers");
    out.push_back({v[0], v[1], v[2]});
  }
  return out;
}

}  // namespace sonvale
