#include <algorithm>
#include <numbers>

#include "text/number_text.h"
#include "tools/town_builder.h"

namespace sonvale::town {

namespace {

const char* const kPlaceNames[] = {"Scuola",         "Parco",      "Ospedale",  "Stazione",
                                   "Municipio",      "Piazza",     "Chiesa",    "Giardini",
                                   "Biblioteca",     "Mercato",    "Asilo",     "Campo sportivo",
                                   "Casa di riposo", "Università", "Residenza", "Teatro",
                                   "Farmacia",       "Liceo",      "Poste",     "Cimitero"};
const char* const kSourceNames[] = {"Condizionatore", "Compressore",     "Trasformatore",
                                    "Ventilatore",    "Pompa_di_calore", "Gruppo_elettrogeno"};

std::string zeroPadded(long n, int width) {
  std::string s = PlainInteger(n);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
  return s;
}

}  // namespace

// Receiver points alternate between façades (1 m in front of a building) and open
// places (the park, beside the railway, spare lots, pavements).
void TownBuilder::makePoints() {
  const long P = p_.points;
  if (P <= 0) return;
  std::vector<std::pair<double, double>> open;
  if (hasPark_) open.emplace_back(0.5 * (park_.x0 + park_.x1), 0.5 * (park_.y0 + park_.y1));
  {
    const double x = centralStretchMid();
    open.emplace_back(x, railY(x) + 0.5 * (kBarrierOffset + kRailClearance));
  }
  std::vector<std::pair<double, double>> lots = freeLots_;
  for (size_t k = lots.size(); k > 1; --k)
    std::swap(lots[k - 1], lots[static_cast<size_t>(rnd_.between(0, static_cast<long>(k) - 1))]);
  open.insert(open.end(), lots.begin(), lots.end());
  const size_t firstPavement = open.size();
  for (const auto* group : {&horizontal_, &vertical_}) {
    for (const StreetLine& l : *group) {
      if (l.pieces == 0 && l.cat != Category::Through) continue;
      const auto b = boundariesAlong(l);
      const double off = clearanceOf(l) - kSetback + 1.5;
      for (size_t k = 0; k + 1 < b.size(); ++k) {
        for (double frac : {0.5, 0.25, 0.75}) {
          const double a = b[k] + frac * (b[k + 1] - b[k]);
          for (int side : {1, -1}) {
            const double x = l.vertical ? l.pos + side * off : a;
            const double y = l.vertical ? a : l.pos + side * off;
            if (std::abs(y - railY(x)) < kRailClearance) continue;
            if (x < 1 || y < 1 || x > p_.sizeX - 1 || y > p_.sizeY - 1) continue;
            open.emplace_back(x, y);
          }
        }
      }
    }
  }
  for (size_t k = open.size(); k > firstPavement + 1; --k)
    std::swap(open[k - 1], open[firstPavement + static_cast<size_t>(rnd_.between(
                                                    0, static_cast<long>(k - firstPavement) - 1))]);
  const long B = static_cast<long>(buildings_.size());
  const long nFacade = B > 0 ? (P + 1) / 2 : 0;
  const long nOpen = P - nFacade;
  // Last resort: along the railway, between the barriers and the first façades,
  // where nothing is ever built.
  const long missing = nOpen - static_cast<long>(open.size());
  for (long k = 0; k < 2 * missing + 2 && missing > 0; ++k) {
    const double x =
        p_.sizeX * (static_cast<double>(k / 2) + 0.5) / static_cast<double>(missing + 1);
    bool onStreet = false;
    for (const auto& l : vertical_)
      if (l.pieces > 0 && std::abs(x - l.pos) < clearanceOf(l)) onStreet = true;
    if (!onStreet)
      open.emplace_back(x, railY(x) + (k % 2 ? -1 : 1) * 0.5 * (kBarrierOffset + kRailClearance));
  }
  if (nOpen > static_cast<long>(open.size()) || (B > 0 && nFacade > 4 * B))
    throw std::invalid_argument("too many receiver points for the town");
  const int width = std::max(2, static_cast<int>(PlainInteger(P).size()));
  long f = 0, o = 0;
  for (long k = 0; k < P; ++k) {
    double x, y;
    const bool facade = (k % 2 == 0 && f < nFacade) || o >= nOpen;
    if (facade) {
      const long bi = nFacade <= B ? f * B / nFacade : f % B;
      const BuildingInfo& b = buildings_[static_cast<size_t>(bi)];
      const int side = nFacade <= B ? facingSide(b) : static_cast<int>((f / B) % 4);
      facadePoint(b, side, 1.0, x, y);
      if (f == 0) {
        schoolBuilding_ = bi;
        schoolSide_ = side;
      }
      ++f;
    } else {
      x = open[static_cast<size_t>(o)].first;
      y = open[static_cast<size_t>(o)].second;
      ++o;
    }
    Punto& pt = pr_.punti.addEntity();
    pt.X = X(x);
    pt.Y = Y(y);
    pt.Z = cm(ground(x, y) + 4);
    const size_t nn = std::size(kPlaceNames);
    std::string name = kPlaceNames[static_cast<size_t>(k) % nn];
    if (static_cast<size_t>(k) >= nn) name += " " + PlainInteger(k / static_cast<long>(nn) + 1);
    pt.Nome = "R" + zeroPadded(k + 1, width) + " " + name;
    pr_.ExtendExtent(pt.X, pt.Y);
  }
}

// Sides of a bounding box: 0 south, 1 east, 2 north, 3 west.
void TownBuilder::facadePoint(const BuildingInfo& b, int side, double out, double& x, double& y) {
  switch (side) {
    case 0:
      x = b.cx, y = b.box.y0 - out;
      break;
    case 1:
      x = b.box.x1 + out, y = b.cy;
      break;
    case 2:
      x = b.cx, y = b.box.y1 + out;
      break;
    default:
      x = b.box.x0 - out, y = b.cy;
      break;
  }
}

// The side of the building nearest to a street line.
int TownBuilder::facingSide(const BuildingInfo& b) const {
  int best = 0;
  double bestD = 1e300;
  for (int side = 0; side < 4; ++side) {
    double x, y;
    facadePoint(b, side, 0, x, y);
    double d = 1e300;
    for (const auto& l : vertical_)
      if (l.pieces > 0) d = std::min(d, std::abs(x - l.pos));
    for (const auto& l : horizontal_)
      if (l.pieces > 0 || l.cat == Category::Through) d = std::min(d, std::abs(y - l.pos));
    if (d < bestD) {
      bestD = d;
      best = side;
    }
  }
  return best;
}

// Halfway between the two cross streets either side of the town centre.
double TownBuilder::centralStretchMid() const {
  double x = 0.5 * p_.sizeX;
  std::vector<double> xb{0};
  for (const auto& l : vertical_) xb.push_back(l.pos);
  xb.push_back(p_.sizeX);
  for (size_t k = 0; k + 1 < xb.size(); ++k)
    if (xb[k] <= 0.5 * p_.sizeX && 0.5 * p_.sizeX <= xb[k + 1]) x = 0.5 * (xb[k] + xb[k + 1]);
  return x;
}

void TownBuilder::makeSection() {
  if (horizontal_.empty()) return;
  const double yt = horizontal_[static_cast<size_t>(throughIndex_)].pos;
  const double x = centralStretchMid();
  const double y0 = std::max(0.0, yt - 60), y1 = std::min(p_.sizeY, yt + 60);
  Sezione& s = pr_.sezioni.addEntity();
  s.XL = X(x);
  s.YL = Y(y0);
  s.XR = X(x);
  s.YR = Y(y1);
  s.ZL = dm(std::min({ground(x, y0), ground(x, yt), ground(x, y1)}) - 0.05);
  s.ZR = s.ZL + 30;
  pr_.NdivO = static_cast<short>(std::max(1L, std::lround((y1 - y0) / 2)));
  pr_.NdivZ = 15;
}

void TownBuilder::makePlan() {
  Plan& pl = pr_.plans.addEntity();
  const std::pair<double, double> corners[] = {
      {0, 0}, {p_.sizeX, 0}, {p_.sizeX, p_.sizeY}, {0, p_.sizeY}, {0, 0}};
  for (const auto& [x, y] : corners) {
    Point3 v{X(x), Y(y), ground(x, y)};
    AddVertex(pl.vertices, v, kMaxPlanVertices, "plan");
    pr_.ExtendExtent(v.X, v.Y);
  }
}

// The school's street façade as a wall with a window and a door, its roof and
// its back façade as plain faces.
void TownBuilder::makeRoomAcoustics() {
  if (buildings_.empty()) return;
  const BuildingInfo& b = buildings_[static_cast<size_t>(schoolBuilding_)];
  const double g = ground(b.cx, b.cy), top = g + b.height;
  double ax, ay, bx, by;  // ends of the façade, anticlockwise
  switch (schoolSide_) {
    case 0:
      ax = b.box.x0, ay = b.box.y0, bx = b.box.x1, by = b.box.y0;
      break;
    case 1:
      ax = b.box.x1, ay = b.box.y0, bx = b.box.x1, by = b.box.y1;
      break;
    case 2:
      ax = b.box.x1, ay = b.box.y1, bx = b.box.x0, by = b.box.y1;
      break;
    default:
      ax = b.box.x0, ay = b.box.y1, bx = b.box.x0, by = b.box.y0;
      break;
  }
  auto along = [&](double t, double z) { return at(ax + t * (bx - ax), ay + t * (by - ay), z); };
  auto addFace = [&](bool wall, short material, std::initializer_list<Point3> vs) {
    Face& f = pr_.faces.addEntity();
    f.IsWall = wall;
    f.HasOpenings = wall;
    f.Material = material;
    f.Nv = static_cast<short>(vs.size());
    size_t k = 0;
    for (const Point3& v : vs) {
      f.v[k++] = v;
      pr_.ExtendExtent(v.X, v.Y);
    }
    return static_cast<short>(pr_.faces.count());
  };
  const short wall = addFace(true, 1, {along(0, g), along(1, g), along(1, top), along(0, top)});
  Hole& h = pr_.holes.addEntity();
  h.Face = wall;
  h.Material = 2;
  h.Nv = 4;
  h.v[0] = along(0.25, g + 4);
  h.v[1] = along(0.45, g + 4);
  h.v[2] = along(0.45, g + 5.5);
  h.v[3] = along(0.25, g + 5.5);
  Door& d = pr_.doors.addEntity();
  d.Face = wall;
  d.Material = 3;
  d.Nv = 4;
  d.v[0] = along(0.6, g);
  d.v[1] = along(0.7, g);
  d.v[2] = along(0.7, g + 2.2);
  d.v[3] = along(0.6, g + 2.2);
  const Rect& r = b.box;
  addFace(false, 4,
          {at(r.x0, r.y0, top), at(r.x1, r.y0, top), at(r.x1, r.y1, top), at(r.x0, r.y1, top)});
  auto opposite = [&](double t, double z) {
    return at(bx + t * (ax - bx) + (r.x0 + r.x1 - ax - bx),
              by + t * (ay - by) + (r.y0 + r.y1 - ay - by), z);
  };
  addFace(false, 1, {opposite(0, g), opposite(1, g), opposite(1, top), opposite(0, top)});
}

void TownBuilder::makeSources() {
  const long S = p_.sources;
  if (S <= 0) return;
  const long B = static_cast<long>(buildings_.size());
  for (long k = 0; k < S; ++k) {
    double x, y, z;
    if (B > 0) {
      // On roofs spread over the town, away from the school.
      const BuildingInfo& b = buildings_[static_cast<size_t>((k * B / S + B / (2 * S) + 1) % B)];
      x = b.cx;
      y = b.cy;
      z = ground(x, y) + b.height + 1.5;
    } else {
      x = p_.sizeX * static_cast<double>(k + 1) / static_cast<double>(S + 1);
      y = 0.75 * p_.sizeY;
      z = ground(x, y) + 1.5;
    }
    Source& s = pr_.sources.addEntity();
    s.X = X(x);
    s.Y = Y(y);
    s.Z = cm(z);
    s.Lw = 0.5 * static_cast<double>(rnd_.between(176, 200));  // 88 .. 100 dB(A)
    s.Lwnight = k % 3 == 2 ? s.Lw : s.Lw - 0.5 * static_cast<double>(rnd_.between(6, 20));
    s.TgtX = s.X;
    s.TgtY = s.Y;
    s.TgtZ = cm(s.Z - 1);
    s.Tgt4 = 0;
    const size_t n = std::size(kSourceNames);
    s.Nome =
        std::string(kSourceNames[static_cast<size_t>(k) % n]) + "_" + zeroPadded(k + 1, 2) + ".spk";
    pr_.ExtendExtent(s.X, s.Y);
  }
}

void TownBuilder::makeSettings() {
  pr_.QuotaZ = dm(ground(0.5 * p_.sizeX, 0.5 * p_.sizeY));
  pr_.SovralzoZ = 0;
  pr_.DiffrBarriere = true;
  pr_.DiffrCase = true;
  pr_.ModoMappatura = MappingMode::Plane;
  pr_.Diurno = true;
  pr_.DistMax = p_.distMax;
  pr_.FileAltimetria = "terrain.grd";
  pr_.Algorithm = 0;
  pr_.Anno = 2008;
  pr_.NdivX = static_cast<short>(std::lround(p_.sizeX / p_.gridStep));
  pr_.NdivY = static_cast<short>(std::lround(p_.sizeY / p_.gridStep));
  if (pr_.sezioni.empty()) {
    pr_.NdivO = pr_.NdivX;
    pr_.NdivZ = pr_.NdivY;
  }
  pr_.CurrentPlan = 1;
}

}  // namespace sonvale::town
