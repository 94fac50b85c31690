#include "tools/town_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/number_text.h"

namespace sonvale {
namespace {

// splitmix64: a tiny generator whose output is fixed by its definition, unlike the
// standard distributions, so a seed gives the same town on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double range(double a, double b) { return a + (b - a) * uniform(); }
  // Whole number in [a, b].
  long between(long a, long b) {
    if (b <= a) return a;
    return a + static_cast<long>(next() % static_cast<uint64_t>(b - a + 1));
  }
  bool chance(double p) { return uniform() < p; }

 private:
  uint64_t state_;
};

// Coordinates and heights are kept to the centimetre: the files stay readable and
// the values do not depend on the last bits of the trigonometric functions.
double cm(double v) { return std::round(v * 100.0) / 100.0; }
double dm(double v) { return std::round(v * 10.0) / 10.0; }

enum class Category { Through = 4, Arterial = 3, District = 2, Local = 1 };

struct StreetProfile {
  double width;             // carriageway width drawn as SW / EW
  double corridor;          // half-width of the street space, axis to kerb
  std::array<long, 6> day;  // vehicles per 16 h day, classes V1..V5
  std::array<long, 6> dayFlow, nightFlow;
};

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

constexpr double kThroughOffset = 6;  // carriageway axes either side of the line
constexpr double kSetback = 3;        // pavement between kerb and façade
constexpr double kRailHalfWidth = 6;
constexpr double kBarrierOffset = 7.5;
constexpr double kRailClearance = 14;  // track axis to the nearest façade

struct StreetLine {
  bool vertical = false;
  double pos = 0;  // x of a vertical line, y of a horizontal one (local coordinates)
  Category cat = Category::Local;
  std::string name;
  long pieces = 0;
};

struct Rect {
  double x0, y0, x1, y1;
  double w() const { return x1 - x0; }
  double h() const { return y1 - y0; }
};

// What the later steps need to know about a placed building.
struct BuildingInfo {
  double cx, cy;  // centre of its bounding box, local coordinates
  Rect box;
  double height;  // roof above ground
  bool rectangular;
};

const char* const kStreetNames[] = {
    "Via Roma",         "Via Garibaldi", "Via Mazzini",   "Via Cavour",     "Via Dante",
    "Via Verdi",        "Via Marconi",   "Via dei Mille", "Via delle Rose", "Via San Rocco",
    "Via Fornaci",      "Via Manzoni",   "Via Carducci",  "Via Leopardi",   "Via Matteotti",
    "Via Gramsci",      "Via dell'Orto", "Via dei Tigli", "Via Puccini",    "Via Volta",
    "Via Galilei",      "Via Petrarca",  "Via Foscolo",   "Via Pascoli",    "Via del Molino",
    "Via della Chiesa", "Via dei Pini",  "Via Rossini"};
const char* const kArterialNames[] = {"Viale della Repubblica", "Viale Europa", "Corso Italia",
                                      "Viale Kennedy"};
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

class TownBuilder {
 public:
  explicit TownBuilder(const TownParams& p)
      : p_(p), rnd_(0x5A0F1E5ull ^ (uint64_t{p.seed} << 17)) {}

  Project build() {
    layoutLines();
    makeRoads();
    makeRailway();
    makeBarriers();
    makeBuildings();
    buildingHeightsAlongLines();
    makeCrossings();
    makePoints();
    makeSection();
    makePlan();
    makeRoomAcoustics();
    makeSources();
    makeSettings();
    return std::move(pr_);
  }

 private:
  // Local coordinates run from (0, 0) at the south-west corner of the town.
  double X(double x) const { return cm(p_.originX + x); }
  double Y(double y) const { return cm(p_.originY + y); }
  double ground(double x, double y) const { return TownGroundHeight(p_, X(x), Y(y)); }

  void layoutLines() {
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
  std::vector<double> boundariesAlong(const StreetLine& l) const {
    std::vector<double> b{0};
    for (const auto& o : l.vertical ? horizontal_ : vertical_) b.push_back(o.pos);
    b.push_back(l.vertical ? p_.sizeY : p_.sizeX);
    return b;
  }

  // Positions from a to b, at most maxSegment apart, a included, b excluded.
  void subdivide(double a, double b, std::vector<double>& out) const {
    const long n = std::max<long>(1, static_cast<long>(std::ceil(std::abs(b - a) / p_.maxSegment)));
    for (long i = 0; i < n; ++i)
      out.push_back(a + (b - a) * static_cast<double>(i) / static_cast<double>(n));
  }

  void setTraffic(Strada& s, Category cat, double factor) {
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

  void addRoad(const std::string& name, Category cat,
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

  void makeRoads() {
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
          for (double a : along)
            q.push_back(l.vertical ? std::pair{l.pos, a} : std::pair{a, l.pos});
          addRoad(l.name, l.cat, q);
        }
      }
    }
    variations();
  }

  // A few roads that are not plain asphalt on level ground, and one whose
  // levels are typed in.
  void variations() {
    const long n = pr_.strade.count();
    for (long i = 1; i <= std::min<long>(n, throughCarriageways_); ++i)
      pr_.strade[i].Pavimentaz = 2;
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
  double railY(double x) const {
    return railMid_ + railAmp_ * std::sin(2 * std::numbers::pi * x / p_.sizeX + railPhase_);
  }

  void makeRailway() {
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

  double clearanceOf(const StreetLine& l) const {
    if (l.cat == Category::Through)
      return (throughCarriageways_ == 2 ? kThroughOffset : 0) + profileOf(l.cat).corridor +
             kSetback;
    return profileOf(l.cat).corridor + kSetback;
  }

  void makeBarriers() {
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

  void makeBuildings() {
    // Blocks between the lines, inset by the street space of each side.
    std::vector<double> xb{0}, yb{0};
    std::vector<double> xc{5}, yc{5};
    for (const auto& l : vertical_) {
      xb.push_back(l.pos);
      xc.push_back(clearanceOf(l));
    }
    for (const auto& l : horizontal_) {
      yb.push_back(l.pos);
      yc.push_back(clearanceOf(l));
    }
    xb.push_back(p_.sizeX);
    yb.push_back(p_.sizeY);
    xc.push_back(5);
    yc.push_back(5);
    std::vector<Rect> blocks;
    const double cx = 0.5 * p_.sizeX, cy = 0.5 * p_.sizeY;
    double bestPark = 1e300;
    long park = -1;
    for (size_t r = 0; r + 1 < yb.size(); ++r) {
      for (size_t c = 0; c + 1 < xb.size(); ++c) {
        Rect q{xb[c] + xc[c], yb[r] + yc[r], xb[c + 1] - xc[c + 1], yb[r + 1] - yc[r + 1]};
        if (static_cast<long>(r) == railRow_) {
          Rect south{q.x0, q.y0, q.x1, railMid_ - railAmp_ - kRailClearance};
          Rect north{q.x0, railMid_ + railAmp_ + kRailClearance, q.x1, q.y1};
          for (const Rect& s : {south, north})
            if (s.w() >= 6 && s.h() >= 6) blocks.push_back(s);
          continue;
        }
        if (q.w() < 6 || q.h() < 6) continue;
        const double d = std::hypot(0.5 * (q.x0 + q.x1) - cx, 0.5 * (q.y0 + q.y1) - cy);
        if (d < bestPark) {
          bestPark = d;
          park = static_cast<long>(blocks.size());
        }
        blocks.push_back(q);
      }
    }
    if (blocks.size() >= 4 && park >= 0) {
      park_ = blocks[static_cast<size_t>(park)];
      hasPark_ = true;
      blocks.erase(blocks.begin() + park);
    }
    const long B = p_.buildings;
    if (B == 0) return;
    if (blocks.empty()) throw std::invalid_argument("no room for buildings in the town");
    // Buildings per block in proportion to its area (largest remainders).
    // Denser towards the centre, so that the town has a core and an outskirt.
    std::vector<double> weight;
    double total = 0;
    const double maxd = std::hypot(cx, cy);
    for (const Rect& q : blocks) {
      const double c = 1 - std::hypot(0.5 * (q.x0 + q.x1) - cx, 0.5 * (q.y0 + q.y1) - cy) / maxd;
      weight.push_back(q.w() * q.h() * (0.25 + 2 * c * c));
      total += weight.back();
    }
    std::vector<long> count(blocks.size());
    std::vector<std::pair<double, size_t>> rem;
    long given = 0;
    for (size_t k = 0; k < blocks.size(); ++k) {
      const double share = static_cast<double>(B) * weight[k] / total;
      count[k] = static_cast<long>(std::floor(share));
      given += count[k];
      rem.emplace_back(share - std::floor(share), k);
    }
    std::stable_sort(rem.begin(), rem.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t k = 0; given < B; ++k, ++given) ++count[rem[k % rem.size()].second];
    for (size_t k = 0; k < blocks.size(); ++k) fillBlock(blocks[k], count[k]);
  }

  void fillBlock(const Rect& q, long b) {
    if (b <= 0) return;
    long cols = std::max<long>(1, std::lround(std::sqrt(static_cast<double>(b) * q.w() / q.h())));
    cols = std::min(cols, b);
    long rows = (b + cols - 1) / cols;
    // A spare lot or two in most blocks leaves gardens and small squares.
    if (cols * rows == b && b >= 6 && rnd_.chance(0.5)) ++cols;
    std::vector<bool> used(static_cast<size_t>(cols * rows), true);
    for (long spare = cols * rows - b; spare > 0;) {
      const size_t k = static_cast<size_t>(rnd_.between(0, cols * rows - 1));
      if (used[k]) {
        used[k] = false;
        --spare;
      }
    }
    const double lw = q.w() / static_cast<double>(cols), lh = q.h() / static_cast<double>(rows);
    const double bcx = 0.5 * p_.sizeX, bcy = 0.5 * p_.sizeY;
    const double maxd = std::hypot(bcx, bcy);
    for (long r = 0; r < rows; ++r) {
      for (long c = 0; c < cols; ++c) {
        const Rect lot{q.x0 + static_cast<double>(c) * lw, q.y0 + static_cast<double>(r) * lh,
                       q.x0 + static_cast<double>(c + 1) * lw,
                       q.y0 + static_cast<double>(r + 1) * lh};
        if (!used[static_cast<size_t>(r * cols + c)]) {
          freeLots_.emplace_back(0.5 * (lot.x0 + lot.x1), 0.5 * (lot.y0 + lot.y1));
          continue;
        }
        const double m = std::clamp(0.12 * std::min(lw, lh), 0.3, 4.0);
        const Rect a{lot.x0 + m, lot.y0 + m, lot.x1 - m, lot.y1 - m};
        // Big lots get a house of ordinary size standing at the street edge of the
        // lot, with its garden behind; small lots are built over.
        const bool wide = rnd_.chance(0.5);
        const double fw = std::min(a.w(), wide ? rnd_.range(26, 48) : rnd_.range(14, 26));
        const double fh = std::min(a.h(), wide ? rnd_.range(14, 26) : rnd_.range(26, 48));
        auto place = [this](double lo, double hi, double size, bool atLo, bool atHi) {
          if (atLo && atHi) (rnd_.chance(0.5) ? atLo : atHi) = false;
          if (atLo) return lo;
          if (atHi) return hi - size;
          return 0.5 * (lo + hi - size);
        };
        const double fx = place(a.x0, a.x1, fw, c == 0, c == cols - 1);
        const double fy = place(a.y0, a.y1, fh, r == 0, r == rows - 1);
        const Rect f{cm(fx), cm(fy), cm(fx + fw), cm(fy + fh)};
        const double centrality =
            1 - std::hypot(0.5 * (f.x0 + f.x1) - bcx, 0.5 * (f.y0 + f.y1) - bcy) / maxd;
        const long storeys = rnd_.between(2, 3 + std::lround(4 * centrality));
        const double height = dm(3.0 * static_cast<double>(storeys) + rnd_.range(0, 1));
        const bool lShape = pr_.case_.count() > 0 && f.w() >= 14 && f.h() >= 14 && rnd_.chance(0.3);
        addBuilding(f, height, lShape);
      }
    }
  }

  void addBuilding(const Rect& f, double height, bool lShape) {
    const double gx = 0.5 * (f.x0 + f.x1), gy = 0.5 * (f.y0 + f.y1);
    const double roof = cm(ground(gx, gy) + height);
    std::vector<std::pair<double, double>> outline;
    if (lShape) {
      // Cut one corner away; vertices stay anticlockwise.
      const double cw = cm(f.w() * rnd_.range(0.4, 0.55)), ch = cm(f.h() * rnd_.range(0.4, 0.55));
      const long corner = rnd_.between(0, 3);
      const double ax = corner == 1 || corner == 2 ? f.x1 - cw : f.x0 + cw;
      const double ay = corner >= 2 ? f.y1 - ch : f.y0 + ch;
      switch (corner) {
        case 0:  // south-west
          outline = {{ax, f.y0}, {f.x1, f.y0}, {f.x1, f.y1}, {f.x0, f.y1}, {f.x0, ay}, {ax, ay}};
          break;
        case 1:  // south-east
          outline = {{f.x0, f.y0}, {ax, f.y0}, {ax, ay}, {f.x1, ay}, {f.x1, f.y1}, {f.x0, f.y1}};
          break;
        case 2:  // north-east
          outline = {{f.x0, f.y0}, {f.x1, f.y0}, {f.x1, ay}, {ax, ay}, {ax, f.y1}, {f.x0, f.y1}};
          break;
        default:  // north-west
          outline = {{f.x0, f.y0}, {f.x1, f.y0}, {f.x1, f.y1}, {ax, f.y1}, {ax, ay}, {f.x0, ay}};
          break;
      }
    } else {
      outline = {{f.x0, f.y0}, {f.x1, f.y0}, {f.x1, f.y1}, {f.x0, f.y1}};
    }
    outline.push_back(outline.front());  // the closing edge counts for diffraction
    Casa& c = pr_.case_.addEntity();
    for (const auto& [x, y] : outline) {
      Point3 v{X(x), Y(y), roof};
      AddVertex(c.vertices, v, kMaxBuildingVertices, "building");
      pr_.ExtendExtent(v.X, v.Y);
    }
    buildings_.push_back({gx, gy, f, height, !lShape});
  }

  // Mean height of the buildings facing each side of a road or track, within 40 m
  // of its street space.
  template <class Line>
  void sideHeights(Line& line, double reach) {
    double sum[2] = {0, 0};
    long n[2] = {0, 0};
    const double ox = p_.originX, oy = p_.originY;
    for (const BuildingInfo& b : buildings_) {
      for (long k = 1; k < line.Npunti(); ++k) {
        const auto& v1 = line.vertex(k);
        const auto& v2 = line.vertex(k + 1);
        const double dx = v2.X - v1.X, dy = v2.Y - v1.Y;
        const double len = std::hypot(dx, dy);
        if (len <= 0) continue;
        const double px = b.cx + ox - v1.X, py = b.cy + oy - v1.Y;
        const double along = (px * dx + py * dy) / len;
        const double across = (dx * py - dy * px) / len;  // > 0 on the left
        if (along < 0 || along > len || std::abs(across) > reach) continue;
        const int side = across > 0 ? 0 : 1;
        sum[side] += b.height;
        ++n[side];
        break;
      }
    }
    line.HmedSX = n[0] ? dm(sum[0] / static_cast<double>(n[0])) : 0;
    line.HmedDX = n[1] ? dm(sum[1] / static_cast<double>(n[1])) : 0;
  }

  void buildingHeightsAlongLines() {
    for (long i = 1; i <= pr_.strade.count(); ++i) {
      const Category cat = roadCategory_[static_cast<size_t>(i - 1)];
      const double reach =
          profileOf(cat).corridor + (cat == Category::Through ? 2 * kThroughOffset : 0) + 40;
      sideHeights(pr_.strade[i], reach);
    }
    for (long i = 1; i <= pr_.binari.count(); ++i) sideHeights(pr_.binari[i], kRailClearance + 40);
  }

  void makeCrossings() {
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

  // Receiver points alternate between façades (1 m in front of a building) and open
  // places (the park, beside the railway, spare lots, pavements).
  void makePoints() {
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
      std::swap(open[k - 1],
                open[firstPavement + static_cast<size_t>(rnd_.between(
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
  static void facadePoint(const BuildingInfo& b, int side, double out, double& x, double& y) {
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
  int facingSide(const BuildingInfo& b) const {
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
  double centralStretchMid() const {
    double x = 0.5 * p_.sizeX;
    std::vector<double> xb{0};
    for (const auto& l : vertical_) xb.push_back(l.pos);
    xb.push_back(p_.sizeX);
    for (size_t k = 0; k + 1 < xb.size(); ++k)
      if (xb[k] <= 0.5 * p_.sizeX && 0.5 * p_.sizeX <= xb[k + 1]) x = 0.5 * (xb[k] + xb[k + 1]);
    return x;
  }

  void makeSection() {
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

  void makePlan() {
    Plan& pl = pr_.plans.addEntity();
    const std::pair<double, double> corners[] = {
        {0, 0}, {p_.sizeX, 0}, {p_.sizeX, p_.sizeY}, {0, p_.sizeY}, {0, 0}};
    for (const auto& [x, y] : corners) {
      Point3 v{X(x), Y(y), ground(x, y)};
      AddVertex(pl.vertices, v, kMaxPlanVertices, "plan");
      pr_.ExtendExtent(v.X, v.Y);
    }
  }

  Point3 at(double x, double y, double z) const { return {X(x), Y(y), cm(z)}; }

  // The school's street façade as a wall with a window and a door, its roof and
  // its back façade as plain faces.
  void makeRoomAcoustics() {
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

  void makeSources() {
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
      s.Nome = std::string(kSourceNames[static_cast<size_t>(k) % n]) + "_" + zeroPadded(k + 1, 2) +
               ".spk";
      pr_.ExtendExtent(s.X, s.Y);
    }
  }

  void makeSettings() {
    pr_.QuotaZ = dm(ground(0.5 * p_.sizeX, 0.5 * p_.sizeY));
    pr_.SovralzoZ = 0;
    pr_.DiffrBarriere = true;
    pr_.DiffrCase = true;
    pr_.ModoMappatura = 0;
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

  const TownParams& p_;
  Random rnd_;
  Project pr_;
  std::vector<StreetLine> horizontal_, vertical_;
  long nH_ = 0, nV_ = 0, throughIndex_ = 0, throughCarriageways_ = 0;
  std::vector<Category> roadCategory_;
  long railRow_ = 0;
  double railMid_ = 0, railAmp_ = 0, railPhase_ = 0;
  std::vector<BuildingInfo> buildings_;
  std::vector<std::pair<double, double>> freeLots_;
  Rect park_{0, 0, 0, 0};
  bool hasPark_ = false;
  long schoolBuilding_ = 0;
  int schoolSide_ = 0;
};

void validate(const TownParams& p) {
  auto bad = [](const char* what) { throw std::invalid_argument(what); };
  if (!(p.sizeX >= 100) || !(p.sizeY >= 100)) bad("the town must be at least 100 m x 100 m");
  if (p.roads < 0 || p.buildings < 0 || p.barriers < 0 || p.crossings < 0 || p.points < 0 ||
      p.sources < 0)
    bad("counts must not be negative");
  if (!(p.gridStep > 0) || p.sizeX / p.gridStep > 32767 || p.sizeY / p.gridStep > 32767)
    bad("the grid step must be positive and give at most 32767 divisions");
  if (!(p.maxSegment >= 1)) bad("the longest segment must be at least 1 m");
  if (!(p.groundRelief >= 0) || !std::isfinite(p.groundBase)) bad("bad ground heights");
  if (!(p.distMax > 0)) bad("the largest calculation distance must be positive");
}

}  // namespace

double TownGroundHeight(const TownParams& p, double x, double y) {
  if (p.groundRelief == 0) return p.groundBase;
  Random r(0x7E22A1Dull ^ (uint64_t{p.seed} * 0x9E3779B97F4A7C15ull));
  const double phi1 = r.range(0, 2 * std::numbers::pi), phi2 = r.range(0, 2 * std::numbers::pi);
  const double u = std::clamp((x - p.originX) / p.sizeX, 0.0, 1.0);
  const double v = std::clamp((y - p.originY) / p.sizeY, 0.0, 1.0);
  // A general rise towards the north-east with a gentle swell over it; f stays in 0..1.
  const double slope = 0.7 * u + 0.3 * v;
  const double swell = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 1.1 * u + phi1) *
                                 std::sin(2 * std::numbers::pi * 0.8 * v + phi2);
  return cm(p.groundBase + p.groundRelief * (0.6 * slope + 0.4 * swell));
}

Project GenerateTown(const TownParams& params) {
  validate(params);
  TownBuilder b(params);
  return b.build();
}

GridData GenerateTerrain(const TownParams& params) {
  validate(params);
  GridData g;
  const long ndx = std::lround(params.sizeX / params.gridStep);
  const long ndy = std::lround(params.sizeY / params.gridStep);
  g.header.nx = static_cast<int>(ndx + 1);
  g.header.ny = static_cast<int>(ndy + 1);
  g.header.xlo = cm(params.originX);
  g.header.xhi = cm(params.originX + params.sizeX);
  g.header.ylo = cm(params.originY);
  g.header.yhi = cm(params.originY + params.sizeY);
  g.values.resize(static_cast<size_t>(g.header.nx) * static_cast<size_t>(g.header.ny));
  double lo = 1e300, hi = -1e300;
  for (int j = 0; j < g.header.ny; ++j) {
    const double y = g.header.ylo + (g.header.yhi - g.header.ylo) * j / static_cast<double>(ndy);
    for (int i = 0; i < g.header.nx; ++i) {
      const double x = g.header.xlo + (g.header.xhi - g.header.xlo) * i / static_cast<double>(ndx);
      const double z = TownGroundHeight(params, x, y);
      g.value(i, j) = z;
      lo = std::min(lo, z);
      hi = std::max(hi, z);
    }
  }
  g.header.zlo = lo;
  g.header.zhi = hi;
  return g;
}

}  // namespace sonvale
