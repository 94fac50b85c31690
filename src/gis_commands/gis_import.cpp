#include "gis_commands/gis_import.h"

#include <gdal.h>
#include <ogr_api.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "exchange/row_merge.h"
#include "gis_commands/gdal_session.h"
#include "gis_commands/grid_raster.h"
#include "gis_commands/layer_source.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// The values of the mapped fields of one feature; a field that is unset or null
// in the feature is absent.
struct FeatureValues {
  std::map<std::string, std::string> text;
  std::map<std::string, double> number;

  const std::string* str(const std::string& name) const {
    auto it = text.find(name);
    return it == text.end() ? nullptr : &it->second;
  }
  std::optional<double> num(const std::string& name) const {
    auto it = number.find(name);
    if (it == number.end()) return std::nullopt;
    return it->second;
  }
  template <class T>
  void set(const std::string& name, T& target) const {
    if (auto v = num(name)) target = static_cast<T>(*v);
  }
};

struct MappedField {
  GisFieldRule rule;
  int index = -1;  // in the source layer
};

using Vertices = std::vector<Point3>;

// The simple parts of a geometry in the form the kind stores: lines, the outer
// rings of polygons, points; wrongType is set by a part the kind cannot take.
void CollectParts(OGRGeometryH g, GisKind kind, std::vector<Vertices>& parts, bool& wrongType) {
  OGRwkbGeometryType type = wkbFlatten(OGR_G_GetGeometryType(g));
  auto vertices = [](OGRGeometryH line) {
    Vertices v;
    for (int k = 0; k < OGR_G_GetPointCount(line); ++k) {
      v.push_back(Point3{OGR_G_GetX(line, k), OGR_G_GetY(line, k), OGR_G_GetZ(line, k)});
    }
    return v;
  };
  bool points = kind == GisKind::Punti || kind == GisKind::Sorgenti;
  bool areas = kind == GisKind::Case || kind == GisKind::Barriere;
  switch (type) {
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (int k = 0; k < OGR_G_GetGeometryCount(g); ++k) {
        CollectParts(OGR_G_GetGeometryRef(g, k), kind, parts, wrongType);
      }
      return;
    case wkbPoint:
      if (points) parts.push_back(vertices(g));
      wrongType = wrongType || !points;
      return;
    case wkbLineString:
      if (!points) parts.push_back(vertices(g));
      wrongType = wrongType || points;
      return;
    case wkbPolygon:
      if (areas && OGR_G_GetGeometryCount(g) > 0)
        parts.push_back(vertices(OGR_G_GetGeometryRef(g, 0)));
      wrongType = wrongType || !areas;
      return;
    default:
      wrongType = true;
  }
}

std::string ExpectedGeometry(GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
    case GisKind::Binari:
      return "lines";
    case GisKind::Case:
    case GisKind::Barriere:
      return "polygons or lines";
    case GisKind::Punti:
    case GisKind::Sorgenti:
      break;
  }
  return "points";
}

size_t VertexCapacity(GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
      return kMaxRoadVertices;
    case GisKind::Binari:
      return kMaxRailVertices;
    case GisKind::Barriere:
      return kMaxBarrierVertices;
    case GisKind::Case:
      return kMaxBuildingVertices;
    case GisKind::Punti:
    case GisKind::Sorgenti:
      break;
  }
  return 1;
}

size_t VertexMinimum(GisKind kind) {
  return kind == GisKind::Punti || kind == GisKind::Sorgenti ? 1 : 2;
}

std::vector<LineVertex> LineVertices(const Vertices& part, const FeatureValues& v) {
  float width = static_cast<float>(v.num("Larghezza").value_or(0));
  std::vector<LineVertex> out;
  for (const Point3& p : part) out.push_back(LineVertex{p.X, p.Y, p.Z, width, width});
  return out;
}

void FillStrada(Strada& s, const Vertices& part, const FeatureValues& v) {
  if (const std::string* name = v.str("Nome")) s.Nome = *name;
  v.set("Pendenza", s.Pendenza);
  v.set("Pavimentaz", s.Pavimentaz);
  v.set("HmedSX", s.HmedSX);
  v.set("HmedDX", s.HmedDX);
  for (int c = 1; c <= 5; ++c) {
    v.set("NveicDay" + PlainInteger(c), s.NveicDay[static_cast<size_t>(c)]);
    v.set("NveicNight" + PlainInteger(c), s.NveicNight[static_cast<size_t>(c)]);
    v.set("VelDay" + PlainInteger(c), s.VelDay[static_cast<size_t>(c)]);
    v.set("VelNight" + PlainInteger(c), s.VelNight[static_cast<size_t>(c)]);
  }
  s.vertices = LineVertices(part, v);
}

void FillBinario(Binario& b, const Vertices& part, const FeatureValues& v) {
  if (const std::string* name = v.str("Nome")) b.Nome = *name;
  v.set("TipoArmamento", b.TipoArmamento);
  v.set("HmedSX", b.HmedSX);
  v.set("HmedDX", b.HmedDX);
  for (int c = 1; c <= 3; ++c) {
    auto k = static_cast<size_t>(c);
    v.set("NtreniDay" + PlainInteger(c), b.NtreniDay[k]);
    v.set("NtreniNight" + PlainInteger(c), b.NtreniNight[k]);
    v.set("LungDay" + PlainInteger(c), b.LungDay[k]);
    v.set("LungNight" + PlainInteger(c), b.LungNight[k]);
    v.set("VelDay" + PlainInteger(c), b.VelDay[k]);
    v.set("VelNight" + PlainInteger(c), b.VelNight[k]);
  }
  b.vertices = LineVertices(part, v);
}

void FillOutline(Polyline3& o, const Vertices& part, const FeatureValues& v,
                 std::optional<double> height) {
  std::optional<double> h = v.num("Altezza");
  if (!h) h = height;
  o.vertices = part;
  if (h) {
    for (Point3& p : o.vertices) p.Z += *h;
  }
}

// Stores one part in row n of the kind's table.
void Store(Project& p, GisKind kind, long n, const Vertices& part, const FeatureValues& v,
           const GisImportOptions& options) {
  const Point3& at = part.front();
  switch (kind) {
    case GisKind::Strade:
      FillStrada(p.strade[n], part, v);
      break;
    case GisKind::Binari:
      FillBinario(p.binari[n], part, v);
      break;
    case GisKind::Case:
      FillOutline(p.case_[n], part, v, options.height);
      break;
    case GisKind::Barriere:
      FillOutline(p.barriere[n], part, v, options.height);
      break;
    case GisKind::Punti: {
      Punto& pt = p.punti[n];
      pt.X = at.X;
      pt.Y = at.Y;
      pt.Z = v.num("Z").value_or(at.Z);
      if (const std::string* name = v.str("Nome")) pt.Nome = *name;
      break;
    }
    case GisKind::Sorgenti: {
      Source& s = p.sources[n];
      s.X = at.X;
      s.Y = at.Y;
      s.Z = v.num("Z").value_or(at.Z);
      v.set("Lw", s.Lw);
      v.set("Lwnight", s.Lwnight);
      if (const std::string* name = v.str("Nome")) s.Nome = *name;
      break;
    }
  }
  for (const Point3& q : part) p.ExtendExtent(q.X, q.Y);
}

// Count, capacity and row moves of the kind's table, whatever its entity type.
struct TableOps {
  std::function<long()> count;
  std::function<long()> capacity;
  std::function<void(long)> setCount;
  std::function<void(long oldCount, long at)> insertRows;
  std::function<void()> add;  // one more row, its fields cleared
};

template <class T>
TableOps Ops(EntityTable<T>& t) {
  return TableOps{
      [&t] { return t.count(); }, [&t] { return t.capacity(); }, [&t](long n) { t.setCount(n); },
      [&t](long oldCount, long at) { InsertReadRows(t, oldCount, at); }, [&t] { t.add(); }};
}

TableOps OpsOf(Project& p, GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
      return Ops(p.strade);
    case GisKind::Binari:
      return Ops(p.binari);
    case GisKind::Case:
      return Ops(p.case_);
    case GisKind::Barriere:
      return Ops(p.barriere);
    case GisKind::Punti:
      return Ops(p.punti);
    case GisKind::Sorgenti:
      break;
  }
  return Ops(p.sources);
}

// Whether every coordinate of the part, with addZ added to Z, is a finite number.
bool FiniteCoordinates(const Vertices& part, double addZ) {
  for (const Point3& p : part) {
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z + addZ)) return false;
  }
  return true;
}

// The source field of each mapped entity field, checked against the kind's rules
// and the layer's fields.
std::vector<MappedField> MappedFields(OGRFeatureDefnH defn, const std::string& source,
                                      const std::string& layerName,
                                      const GisImportOptions& options) {
  std::vector<MappedField> mapped;
  const std::vector<GisFieldRule> rules = GisFieldRules(options.kind);
  for (const auto& mapping : options.fields) {
    const std::string& entityField = mapping.first;  // named, so that lambdas may take it
    const std::string& sourceField = mapping.second;
    auto rule = std::find_if(rules.begin(), rules.end(),
                             [&](const GisFieldRule& r) { return r.name == entityField; });
    if (rule == rules.end()) {
      std::string valid;
      for (const GisFieldRule& r : rules) valid += (valid.empty() ? "" : ", ") + r.name;
      throw std::invalid_argument("the entities of " + std::string(GisKindWord(options.kind)) +
                                  " have no field " + entityField + " (fields: " + valid + ")");
    }
    int index = OGR_FD_GetFieldIndex(defn, sourceField.c_str());
    if (index < 0) {
      throw FileError(source, "layer " + layerName + " has no field " + sourceField +
                                  " (fields: " + FieldList(defn) + ")");
    }
    mapped.push_back(MappedField{*rule, index});
  }
  return mapped;
}

// The mapped values of one feature; a value outside its rule is refused.
FeatureValues ReadValues(OGRFeatureH raw, const std::vector<MappedField>& mapped,
                         const std::string& source, const std::string& layerName, GIntBig fid) {
  FeatureValues values;
  for (const MappedField& m : mapped) {
    if (!OGR_F_IsFieldSetAndNotNull(raw, m.index)) continue;
    if (m.rule.text) {
      values.text[m.rule.name] = OGR_F_GetFieldAsString(raw, m.index);
      continue;
    }
    double v = OGR_F_GetFieldAsDouble(raw, m.index);
    std::string raw_text = OGR_F_GetFieldAsString(raw, m.index);
    if (!std::isfinite(v) || (v == 0 && !IsNumber(raw_text)) || v < m.rule.lo || v > m.rule.hi ||
        (m.rule.whole && v != std::floor(v))) {
      throw FileError(source, FeatureWhere(layerName, fid) + ": " + m.rule.name + " = \"" +
                                  raw_text + "\" is not " +
                                  (m.rule.whole ? "a whole number" : "a number") +
                                  (m.rule.lo > -1e300 ? " from " + PlainNumber(m.rule.lo) : "") +
                                  (m.rule.hi < 1e300 ? " to " + PlainNumber(m.rule.hi) : ""));
    }
    values.number[m.rule.name] = v;
  }
  return values;
}

// What was left out, in words.
void NoteLeftOut(GisImportReport& report, long capacity, size_t maxVertices, GisKind kind) {
  auto note = [&report](long n, const std::string& why) {
    if (n > 0) report.notes.push_back(PlainInteger(n) + (n == 1 ? " part " : " parts ") + why);
  };
  note(report.skippedFull, "left out: the table is full (at most " + PlainInteger(capacity) + " " +
                               GisKindWord(kind) + ")");
  note(report.skippedVertices,
       "left out: more than " + PlainInteger(static_cast<long long>(maxVertices)) + " vertices");
  note(report.skippedBeyond, "beyond the last row left out (replace keeps the number of rows)");
  note(report.skippedEmpty, "without usable geometry left out");
}

// The parts of a feature's geometry, reprojected; a geometry of the wrong type is refused.
std::vector<Vertices> GeometryParts(OGRGeometryH geometry, void* transform,
                                    const std::string& source, const std::string& layerName,
                                    GIntBig fid, GisKind kind, const GdalSession& session) {
  std::unique_ptr<void, void (*)(void*)> owned(
      OGR_G_Clone(geometry), [](void* g) { OGR_G_DestroyGeometry(static_cast<OGRGeometryH>(g)); });
  geometry = static_cast<OGRGeometryH>(owned.get());
  if (transform && OGR_G_Transform(geometry, static_cast<OGRCoordinateTransformationH>(
                                                 transform)) != OGRERR_NONE) {
    session.fail(source, FeatureWhere(layerName, fid) + ": cannot reproject");
  }
  std::vector<Vertices> parts;
  bool wrongType = false;
  CollectParts(geometry, kind, parts, wrongType);
  if (wrongType) {
    throw FileError(source, FeatureWhere(layerName, fid) + ": a " +
                                OGRGeometryTypeToName(OGR_G_GetGeometryType(geometry)) + " where " +
                                GisKindWord(kind) + " take " + ExpectedGeometry(kind));
  }
  return parts;
}

}  // namespace

GisImportReport ImportGisLayer(Project& project, const std::string& source,
                               const GisImportOptions& options) {
  GdalSession session;
  DatasetPtr ds(
      GDALOpenEx(source.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!ds) session.fail(source, "GDAL cannot open it as a vector source");
  auto* dataset = static_cast<GDALDatasetH>(ds.get());
  OGRLayerH layer = ChosenLayer(dataset, source, options.layer, "--layer");
  const std::string layerName = OGR_L_GetName(layer);
  OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);

  const std::vector<MappedField> mapped = MappedFields(defn, source, layerName, options);

  const TransformPtr transform =
      Reprojection(layer, source, layerName, options.targetCrsWkt, session);

  if (options.height && !std::isfinite(*options.height)) {
    throw std::invalid_argument("the height is not a finite number");
  }

  // The work is done on a copy, so that a failure leaves the project untouched.
  Project work = project;
  TableOps table = OpsOf(work, options.kind);
  const long before = table.count();
  if (options.mode == GisMergeMode::Overwrite) table.setCount(0);
  if (options.mode == GisMergeMode::Insert && !InsertRange(before).contains(options.row)) {
    throw std::invalid_argument("insert row " + PlainInteger(options.row) + " outside 1.." +
                                PlainInteger(before + 1));
  }
  if (options.mode == GisMergeMode::Replace) {
    if (!ReplaceRange(before).contains(options.row)) {
      throw std::invalid_argument("replace row " + PlainInteger(options.row) + " outside 1.." +
                                  PlainInteger(before));
    }
    table.setCount(options.row - 1);
  }

  GisImportReport report;
  const size_t maxVertices = VertexCapacity(options.kind);
  OGR_L_ResetReading(layer);
  while (OGRFeatureH raw = OGR_L_GetNextFeature(layer)) {
    std::unique_ptr<void, void (*)(void*)> feature(
        raw, [](void* f) { OGR_F_Destroy(static_cast<OGRFeatureH>(f)); });
    ++report.features;
    const GIntBig fid = OGR_F_GetFID(raw);
    const FeatureValues values = ReadValues(raw, mapped, source, layerName, fid);

    OGRGeometryH geometry = OGR_F_GetGeometryRef(raw);
    if (!geometry || OGR_G_IsEmpty(geometry)) {
      ++report.skippedEmpty;
      continue;
    }
    const std::vector<Vertices> parts =
        GeometryParts(geometry, transform.get(), source, layerName, fid, options.kind, session);
    const bool outline = options.kind == GisKind::Case || options.kind == GisKind::Barriere;
    const double addZ = outline ? values.num("Altezza").value_or(options.height.value_or(0)) : 0;
    for (const Vertices& part : parts) {
      if (!FiniteCoordinates(part, addZ)) {
        throw FileError(source,
                        FeatureWhere(layerName, fid) +
                            ": a coordinate (or a height added to it) is not a finite number");
      }
    }
    for (const Vertices& part : parts) {
      if (part.size() < VertexMinimum(options.kind)) {
        ++report.skippedEmpty;
      } else if (part.size() > maxVertices) {
        ++report.skippedVertices;
      } else if (options.mode == GisMergeMode::Replace && table.count() >= before) {
        ++report.skippedBeyond;
      } else if (table.count() >= table.capacity()) {
        ++report.skippedFull;
      } else {
        // Replace writes into the rows present, keeping what the source does not give.
        if (options.mode == GisMergeMode::Replace)
          table.setCount(table.count() + 1);
        else
          table.add();
        Store(work, options.kind, table.count(), part, values, options);
        ++report.imported;
      }
    }
  }

  if (options.mode == GisMergeMode::Insert) table.insertRows(before, options.row);
  if (options.mode == GisMergeMode::Replace) table.setCount(before);
  NoteLeftOut(report, table.capacity(), maxVertices, options.kind);
  work.EmissioniOK = false;
  // As after a drawing import: a layer that gave nothing leaves the view where it was.
  if (!work.extent.isEmpty()) {
    work.View = ViewWindow{work.extent.Xmin, work.extent.Ymin, work.extent.Xmax, work.extent.Ymax};
  }
  project = std::move(work);
  return report;
}

}  // namespace sonvale
