#include <algorithm>

#include "tools/town_builder.h"

namespace sonvale::town {

void TownBuilder::makeBuildings() {
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

void TownBuilder::fillBlock(const Rect& q, long b) {
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

void TownBuilder::addBuilding(const Rect& f, double height, bool lShape) {
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
void TownBuilder::sideHeights(Line& line, double reach) {
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

void TownBuilder::buildingHeightsAlongLines() {
  for (long i = 1; i <= pr_.strade.count(); ++i) {
    const Category cat = roadCategory_[static_cast<size_t>(i - 1)];
    const double reach =
        profileOf(cat).corridor + (cat == Category::Through ? 2 * kThroughOffset : 0) + 40;
    sideHeights(pr_.strade[i], reach);
  }
  for (long i = 1; i <= pr_.binari.count(); ++i) sideHeights(pr_.binari[i], kRailClearance + 40);
}

}  // namespace sonvale::town
