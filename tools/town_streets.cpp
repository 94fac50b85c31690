#include <algorithm>
#include <numbers>

#include "text/number_text.h"
#include "tools/town_builder.h"

namespace sonvale::town {

namespace {

const char* const kStreetNames[] = {
    "Via Roma",         "Via Garibaldi", "Via Mazzini",   "Via Cavour",     "Via Dante",
    "Via Verdi",        "Via Marconi",   "Via dei Mille", "Via delle Rose", "Via San Rocco",
    "Via Fornaci",      "Via Manzoni",   "Via Carducci",  "Via Leopardi",   "Via Matteotti",
    "Via Gramsci",      "Via dell'Orto", "Via dei Tigli", "Via Puccini",    "Via Volta",
    "Via Galilei",      "Via Petrarca",  "Via Foscolo",   "Via Pascoli",    "Via del Molino",
    "Via della Chiesa", "Via dei Pini",  "Via Rossini"};
const char* const kArterialNames[] = {"Viale della Repubblica", "Viale Europa", "Corso Italia",
                                      "Viale Kennedy"};

}  // namespace

const StreetProfile& profileOf(Category c) {
  // Per carriageway for the through road; classes V1 cars, V2 two-axle, V3 three-axle,
  // V4 articulated lorries, V5 motorcycles. Flow classes 0..7 stand for C1..C8.
  static const StreetProfile kThrough{
      10, 11, {0, 11000, 700, 250, 450, 300}, {0, 5, 4, 4, 4, 5}, {0, 5, 5, 5, 5, 5}};
  static const StreetProfile kArterial{
      18, 9, {0, 8000, 400, 90, 120, 350}, {0, 4, 4, 4, 4, 4}, {0, 5, 4, 4, 4, 5}};
  static const StreetProfile kDistrict{
      13, 6.5, {0, 3500, 150, 25, 15, 180}, {0, 4, 3, 3, 3, 4}, {0, 4, 4, 4, 4, 4}};
  static const StreetProfile kLocal{
      9, 4.5, {0, 700, 25, 3, 0, 50}, {0, 2, 2, 2, 2, 2}, {0, 3, 3, 3, 3, 3}};
  switch (c) {
    case Category::Through:
      return kThrough;
    case Category::Arterial:
      return kArterial;
    case Category::District:
      return kDistrict;
    case Category::Local:
      break;
  }
  return kLocal;
}

void TownBuilder::layoutLines() {
  const double W = p_.sizeX, H = p_.sizeY;
  const long R = p_.roads;
  if (R == 0) return;
  throughCarriageways_ = R >= 4 ? 2 : 1;
  const long rest = R - throughCarriageways_;
  if (rest == 0) {
    nH_ = 1;
    nV_ = 0;
  } else {
    long n = std::max<long>(2, std::lround(2 * std::sqrt(0.9 * static_cast<double>(R))));
    auto split = [&](long total) {
      nV_ = std::clamp<long>(std::lround(static_cast<double>(total) * W / (W + H)), 1, total - 1);
      nH_ = total - nV_;
    };
    auto capacity = [&]() { return nV_ * (nH_ + 1) + (nH_ - 1) * (nV_ + 1); };
    split(n);
    while (capacity() < rest) split(++n);
    while (n > 2 && nV_ + nH_ - 1 > rest) split(--n);
    if (nV_ + nH_ - 1 > rest) {  // a single extra road: one cross street
      nV_ = 1;
      nH_ = 1;
    }
  }
  throughIndex_ = nH_ / 2;
  const long midV = nV_ / 2;
  size_t nameIndex = 0, arterialIndex = 0;
  auto nextName = [&](bool arterial) {
    if (arterial) {
      const size_t n = std::size(kArterialNames);
      std::string s = kArterialNames[arterialIndex % n];
      if (arterialIndex >= n) s += " " + PlainInteger(static_cast<long>(arterialIndex / n) + 1);
      ++arterialIndex;
      return s;
    }
    const size_t n = std::size(kStreetNames);
    std::string s = kStreetNames[nameIndex % n];
    if (nameIndex >= n) s += " " + PlainInteger(static_cast<long>(nameIndex / n) + 1);
    ++nameIndex;
    return s;
  };
  auto category = [](long d) {
    if (d == 0) return Category::Arterial;
    if (d % 8 == 0) return Category::Arterial;
    if (d % 3 == 1) return Category::District;
    return Category::Local;
  };
  for (long k = 0; k < nH_; ++k) {
    StreetLine l;
    l.vertical = false;
    const double spacing = H / static_cast<double>(nH_ + 1);
    l.pos = spacing * static_cast<double>(k + 1);
    if (k == throughIndex_) {
      l.cat = Category::Through;
      l.name = "SS 16 Adriatica";
    } else {
      l.pos += rnd_.range(-0.12, 0.12) * spacing;
      const long d = std::abs(k - throughIndex_);
      l.cat = category(d);
      l.name = nextName(l.cat == Category::Arterial);
    }
    l.pos = cm(l.pos);
    horizontal_.push_back(l);
  }
  for (long k = 0; k < nV_; ++k) {
    StreetLine l;
    l.vertical = true;
    const double spacing = W / static_cast<double>(nV_ + 1);
    l.pos = cm(spacing * static_cast<double>(k + 1) + rnd_.range(-0.12, 0.12) * spacing);
    l.cat = category(std::abs(k - midV));
    l.name = nextName(l.cat == Category::Arterial);
    vertical_.push_back(l);
  }
  // Pieces: every line gets one, the rest go round the lines that still have
  // stretches to split, main streets first.
  std::vector<StreetLine*> order;
  for (auto& l : vertical_)
    if (l.cat == Category::Arterial) order.push_back(&l);
  for (auto& l : horizontal_)
    if (l.cat != Category::Through && l.cat != Category::Local) order.push_back(&l);
  for (auto& l : vertical_)
    if (l.cat == Category::District) order.push_back(&l);
  for (auto& l : horizontal_)
    if (l.cat == Category::Local) order.push_back(&l);
  for (auto& l : vertical_)
    if (l.cat == Category::Local) order.push_back(&l);
  long left = rest;
  for (auto* l : order) {
    if (left == 0) break;
    l->pieces = 1;
    --left;
  }
  while (left > 0) {
    bool any = false;
    for (auto* l : order) {
      if (left == 0) break;
      const long stretches = (l->vertical ? nH_ : nV_) + 1;
      if (l->pieces < stretches) {
        ++l->pieces;
        --left;
        any = true;
      }
    }
    if (!any) break;
  }
}

// Junction positions along a line, with the town edges at both ends.
std::vector<double> TownBuilder::boundariesAlong(const StreetLine& l) const {
  std::vector<double> b{0};
  for (const auto& o : l.vertical ? horizontal_ : vertical_) b.push_back(o.pos);
  b.push_back(l.vertical ? p_.sizeY : p_.sizeX);
  return b;
}

// Positions from a to b, at most maxSegment apart, a included, b excluded.
void TownBuilder::subdivide(double a, double b, std::vector<double>& out) const {
  const long n = std::max<long>(1, static_cast<long>(std::ceil(std::abs(b - a) / p_.maxSegment)));
  for (long i = 0; i < n; ++i)
    out.push_back(a + (b - a) * static_cast<double>(i) / static_cast<double>(n));
}

void TownBuilder::setTraffic(Strada& s, Category cat, double factor) {
  const StreetProfile& c = profileOf(cat);
  const double nightShare = rnd_.range(0.10, 0.15);
  const bool decelerating = rnd_.chance(0.5);
  for (int v = 1; v <= 5; ++v) {
    s.NveicDay[v] = std::lround(static_cast<double>(c.day[v]) * factor);
    s.NveicNight[v] = std::lround(static_cast<double>(s.NveicDay[v]) * nightShare);
    s.VelDay[v] = c.dayFlow[v];
    s.VelNight[v] = c.nightFlow[v];
    // Local streets alternate between accelerating and decelerating flow.
    if (cat == Category::Local && decelerating) s.VelDay[v] = 3;
  }
}

void TownBuilder::addRoad(const std::string& name, Category cat,
                          const std::vector<std::pair<double, double>>& pts) {
  Strada& s = pr_.strade.addEntity();
  s.Nome = name;
  setTraffic(s, cat, rnd_.range(0.75, 1.25));
  const double width = profileOf(cat).width;
  for (const auto& [x, y] : pts) {
    LineVertex v;
    v.X = X(x);
    v.Y = Y(y);
    v.Z = ground(x, y);
    v.SW = v.EW = static_cast<float>(dm(width + rnd_.range(-0.5, 0.5)));
    AddVertex(s.vertices, v, kMaxRoadVertices, "road");
    pr_.ExtendExtent(v.X, v.Y);
  }
  roadCategory_.push_back(cat);
}

void TownBuilder::makeRoads() {
  if (p_.roads == 0) return;
  // The through road: two carriageways, eastbound on the south side.
  const StreetLine& t = horizontal_[static_cast<size_t>(throughIndex_)];
  std::vector<double> xs;
  const auto tb = boundariesAlong(t);
  for (size_t k = 0; k + 1 < tb.size(); ++k) subdivide(tb[k], tb[k + 1], xs);
  xs.push_back(tb.back());
  const double off = throughCarriageways_ == 2 ? kThroughOffset : 0;
  std::vector<std::pair<double, double>> pts;
  for (double x : xs) pts.emplace_back(x, t.pos - off);
  addRoad(throughCarriageways_ == 2 ? t.name + " carr. Est" : t.name, Category::Through, pts);
  if (throughCarriageways_ == 2) {
    pts.clear();
    for (auto it = xs.rbegin(); it != xs.rend(); ++it) pts.emplace_back(*it, t.pos + off);
    addRoad(t.name + " carr. Ovest", Category::Through, pts);
  }
  for (auto* group : {&horizontal_, &vertical_}) {
    for (const StreetLine& l : *group) {
      if (l.cat == Category::Through || l.pieces == 0) continue;
      const auto b = boundariesAlong(l);
      const long stretches = static_cast<long>(b.size()) - 1;
      for (long k = 0; k < l.pieces; ++k) {
        const long s0 = k * stretches / l.pieces, s1 = (k + 1) * stretches / l.pieces;
        std::vector<double> along;
        for (long s = s0; s < s1; ++s) subdivide(b[s], b[s + 1], along);
        along.push_back(b[s1]);
        std::vector<std::pair<double, double>> q;
        for (double a : along) q.push_back(l.vertical ? std::pair{l.pos, a} : std::pair{a, l.pos});
        addRoad(l.name, l.cat, q);
      }
    }
  }
  variations();
}

// A few roads that are not plain asphalt on level ground, and one whose
// levels are typed in.
void TownBuilder::variations() {
  const long n = pr_.strade.count();
  for (long i = 1; i <= std::min<long>(n, throughCarriageways_); ++i) pr_.strade[i].Pavimentaz = 2;
  std::vector<long> local, district;
  for (long i = throughCarriageways_ + 1; i <= n; ++i) {
    if (roadCategory_[static_cast<size_t>(i - 1)] == Category::Local) local.push_back(i);
    if (roadCategory_[static_cast<size_t>(i - 1)] == Category::District) district.push_back(i);
  }
  auto take = [&](std::vector<long>& from) -> long {
    if (from.empty()) return 0;
    const size_t k = static_cast<size_t>(rnd_.between(0, static_cast<long>(from.size()) - 1));
    const long r = from[k];
    from.erase(from.begin() + static_cast<long>(k));
    return r;
  };
  if (long i = take(district)) pr_.strade[i].Pavimentaz = 1;  // old-town paving
  if (long i = take(local)) pr_.strade[i].Pavimentaz = 3;
  if (long i = take(local)) pr_.strade[i].Pendenza = 1;
  if (long i = take(local)) pr_.strade[i].Pendenza = 2;
  if (long i = take(local)) {
    Strada& s = pr_.strade[i];
    s.Nome += " (livello fisso)";
    s.Pavimentaz = -1;
    s.NveicDay = {};
    s.NveicNight = {};
    s.LeqDay = s.FixLeqDay = 62.5;
    s.LeqNight = s.FixLeqNight = 52;
  }
}

// Railway: along the middle of a row of blocks south of the through road.
double TownBuilder::railY(double x) const {
  return railMid_ + railAmp_ * std::sin(2 * std::numbers::pi * x / p_.sizeX + railPhase_);
}

void TownBuilder::makeRailway() {
  std::vector<double> bounds{0};
  for (const auto& l : horizontal_) bounds.push_back(l.pos);
  bounds.push_back(p_.sizeY);
  railRow_ = horizontal_.empty() ? 0 : (throughIndex_ >= 1 ? throughIndex_ / 2 : 1);
  railRow_ = std::min<long>(railRow_, static_cast<long>(bounds.size()) - 2);
  const double lo = bounds[static_cast<size_t>(railRow_)],
               hi = bounds[static_cast<size_t>(railRow_ + 1)];
  railMid_ = 0.5 * (lo + hi);
  railAmp_ = std::min(12.0, 0.12 * (hi - lo));
  railPhase_ = rnd_.range(0, 2 * std::numbers::pi);
  Binario& b = pr_.binari.addEntity();
  b.Nome = "Linea ferroviaria Adriatica";
  b.TipoArmamento = 0;
  // Freight mostly at night, local and long-distance trains by day.
  b.NtreniDay = {0, 12, 64, 30};
  b.NtreniNight = {0, 14, 6, 8};
  b.LungDay = {0, 500, 150, 300};
  b.LungNight = {0, 550, 150, 320};
  b.VelDay = {0, 1, 1, 2};
  b.VelNight = {0, 1, 1, 2};
  std::vector<double> xs;
  std::vector<double> b2{0};
  for (const auto& l : vertical_) b2.push_back(l.pos);
  b2.push_back(p_.sizeX);
  for (size_t k = 0; k + 1 < b2.size(); ++k) subdivide(b2[k], b2[k + 1], xs);
  xs.push_back(p_.sizeX);
  for (double x : xs) {
    const double y = railY(x);
    LineVertex v;
    v.X = X(x);
    v.Y = Y(y);
    v.Z = ground(x, y);
    v.SW = v.EW = 12;
    AddVertex(b.vertices, v, kMaxRailVertices, "railway track");
    pr_.ExtendExtent(v.X, v.Y);
  }
}

double TownBuilder::clearanceOf(const StreetLine& l) const {
  if (l.cat == Category::Through)
    return (throughCarriageways_ == 2 ? kThroughOffset : 0) + profileOf(l.cat).corridor + kSetback;
  return profileOf(l.cat).corridor + kSetback;
}

void TownBuilder::makeBarriers() {
  if (p_.barriers <= 0) return;
  struct Slot {
    double a, b;
    int side;
    double key;
    long pieces = 0;
  };
  std::vector<double> xb{0};
  std::vector<double> clr{2};
  for (const auto& l : vertical_) {
    xb.push_back(l.pos);
    clr.push_back(clearanceOf(l) - kSetback + 2);
  }
  xb.push_back(p_.sizeX);
  clr.push_back(2);
  std::vector<Slot> slots;
  for (size_t k = 0; k + 1 < xb.size(); ++k) {
    const double a = xb[k] + clr[k], b = xb[k + 1] - clr[k + 1];
    if (b - a < 10) continue;
    const double key = std::abs(0.5 * (a + b) - 0.5 * p_.sizeX);
    slots.push_back({a, b, 1, key});
    slots.push_back({a, b, -1, key + 1e-3});
  }
  std::stable_sort(slots.begin(), slots.end(),
                   [](const Slot& s, const Slot& t) { return s.key < t.key; });
  if (slots.empty()) throw std::invalid_argument("no room for barriers along the railway");
  for (long n = 0; n < p_.barriers; ++n) ++slots[static_cast<size_t>(n) % slots.size()].pieces;
  for (size_t si = 0; si < slots.size(); ++si) {
    const Slot& s = slots[si];
    const double gap = 2;
    const double len = (s.b - s.a - gap * static_cast<double>(s.pieces - 1)) /
                       static_cast<double>(std::max<long>(1, s.pieces));
    const double height = si < 2 ? 4 : 3;
    for (long k = 0; k < s.pieces; ++k) {
      const double a = s.a + static_cast<double>(k) * (len + gap), b = a + len;
      Barriera& bar = pr_.barriere.addEntity();
      const long n = std::clamp<long>(static_cast<long>(std::ceil(len / 20)), 1,
                                      static_cast<long>(kMaxBarrierVertices) - 1);
      for (long i = 0; i <= n; ++i) {
        const double x = a + (b - a) * static_cast<double>(i) / static_cast<double>(n);
        const double y = railY(x) + s.side * kBarrierOffset;
        Point3 v{X(x), Y(y), cm(ground(x, y) + height)};
        AddVertex(bar.vertices, v, kMaxBarrierVertices, "barrier");
        pr_.ExtendExtent(v.X, v.Y);
      }
    }
  }
}

void TownBuilder::makeCrossings() {
  struct Junction {
    double x, y;
    int weight;
    double key;
  };
  std::vector<Junction> js;
  for (const auto& v : vertical_)
    for (const auto& h : horizontal_)
      if (v.pieces > 0 && (h.pieces > 0 || h.cat == Category::Through))
        js.push_back(
            {v.pos, h.pos, static_cast<int>(v.cat) + static_cast<int>(h.cat), rnd_.uniform()});
  std::stable_sort(js.begin(), js.end(), [](const Junction& a, const Junction& b) {
    return a.weight != b.weight ? a.weight > b.weight : a.key < b.key;
  });
  const size_t n = std::min(js.size(), static_cast<size_t>(std::max(0, p_.crossings)));
  for (size_t k = 0; k < n; ++k) {
    Incrocio& c = pr_.incroci.addEntity();
    c.X = X(js[k].x);
    c.Y = Y(js[k].y);
    c.Z = ground(js[k].x, js[k].y);
  }
}

}  // namespace sonvale::town
