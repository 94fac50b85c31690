#include "gis/noise_bands.h"

#include <algorithm>
#include <cmath>

#include "text/number_text.h"

namespace sonvale {
namespace {

struct NamedColour {
  const char* name;
  Rgb rgb;
};

// Eleven classes each: below 35, 35-40, ..., 75-80, 80 and above.
constexpr int kClasses = 11;

// The German scale is given in RAL colours; these are their usual screen values.
const NamedColour kDin18005[kClasses] = {
    {"hellgrün (RAL 6019)", RGB(189, 236, 182)}, {"grün (RAL 6018)", RGB(87, 166, 57)},
    {"dunkelgrün (RAL 6002)", RGB(45, 87, 44)},  {"gelb (RAL 1016)", RGB(241, 221, 56)},
    {"ocker (RAL 1011)", RGB(175, 128, 80)},     {"orange (RAL 2003)", RGB(250, 132, 43)},
    {"zinnober (RAL 3020)", RGB(204, 6, 5)},     {"karmin (RAL 3003)", RGB(155, 17, 30)},
    {"lila (RAL 4006)", RGB(160, 52, 114)},      {"blau (RAL 5012)", RGB(59, 131, 189)},
    {"dunkelblau (RAL 5019)", RGB(27, 85, 131)},
};

const NamedColour kNfS31130[kClasses] = {
    {"bleu gris", RGB(130, 166, 173)},  {"gris bleu clair", RGB(160, 186, 191)},
    {"vert d'eau", RGB(184, 214, 209)}, {"vert pâle", RGB(206, 228, 204)},
    {"jaune pâle", RGB(226, 242, 191)}, {"orange clair", RGB(243, 198, 131)},
    {"orange", RGB(232, 126, 77)},      {"rouge", RGB(205, 70, 62)},
    {"carmin", RGB(161, 26, 77)},       {"violet", RGB(117, 8, 92)},
    {"violet foncé", RGB(67, 10, 74)},
};

const NamedColour kEnd[kClasses] = {
    {"white", RGB(255, 255, 255)},
    {"moderate sea green", RGB(35, 132, 67)},
    {"greyish green", RGB(120, 198, 121)},
    {"light chartreuse green", RGB(194, 230, 153)},
    {"pale yellow", RGB(255, 255, 178)},
    {"light brilliant amber", RGB(254, 204, 92)},
    {"brilliant tangelo", RGB(253, 141, 60)},
    {"light brilliant red", RGB(255, 9, 9)},
    {"moderate amaranth", RGB(179, 6, 34)},
    {"dark rose", RGB(103, 3, 59)},
    {"deep blue violet", RGB(28, 0, 84)},
};

const NamedColour* Table(BandScheme scheme) {
  switch (scheme) {
    case BandScheme::NfS31130:
      return kNfS31130;
    case BandScheme::End:
      return kEnd;
    case BandScheme::Din18005:
      break;
  }
  return kDin18005;
}

// A level rounded to 0.1 dB, downwards or upwards.
double Tenth(double v, bool up) { return (up ? std::ceil(v * 10) : std::floor(v * 10)) / 10; }

}  // namespace

std::optional<BandScheme> ParseBandScheme(const std::string& name) {
  if (name == "din18005") return BandScheme::Din18005;
  if (name == "nfs31130") return BandScheme::NfS31130;
  if (name == "end") return BandScheme::End;
  return std::nullopt;
}

Rgb BandColour(BandScheme scheme, double lo) {
  double k = std::floor((lo - 35) / 5) + 1;
  int index = std::isnan(k) ? 0 : static_cast<int>(std::clamp(k, 0.0, kClasses - 1.0));
  return Table(scheme)[index].rgb;
}

std::vector<double> StandardLevels() {
  std::vector<double> levels;
  for (int l = 35; l <= 80; l += 5) levels.push_back(l);
  return levels;
}

std::vector<double> StepLevels(double step, double min, double max) {
  std::vector<double> levels;
  if (!(step > 0) || !(max > min)) return levels;
  for (double k = std::floor(min / step) + 1; k * step < max; ++k) levels.push_back(k * step);
  return levels;
}

LevelRange RangeOf(const GridData& grid) {
  LevelRange r;
  for (double v : grid.values) {
    if (v == kBlankValue) continue;
    r.min = r.empty ? v : std::min(r.min, v);
    r.max = r.empty ? v : std::max(r.max, v);
    r.empty = false;
  }
  return r;
}

std::vector<Band> BandsOver(const std::vector<double>& levels, const LevelRange& range) {
  std::vector<Band> bands;
  if (range.empty) return bands;
  double lower = OuterLo(levels, range);
  double upper = OuterHi(levels, range);
  std::vector<double> edges{lower};
  for (double level : levels) {
    if (level > lower && level < upper) edges.push_back(level);
  }
  edges.push_back(upper);
  for (size_t k = 0; k + 1 < edges.size(); ++k) bands.push_back(Band{edges[k], edges[k + 1]});
  return bands;
}

double OuterLo(const std::vector<double>& levels, const LevelRange& range) {
  if (levels.empty() || range.min < levels.front()) return Tenth(range.min, false);
  return *std::prev(std::upper_bound(levels.begin(), levels.end(), range.min));
}

double OuterHi(const std::vector<double>& levels, const LevelRange& range) {
  if (levels.empty() || range.max > levels.back()) return Tenth(range.max, true);
  return *std::lower_bound(levels.begin(), levels.end(), range.max);
}

std::string BandLabel(const Band& band, const std::vector<double>& levels) {
  if (!levels.empty() && band.hi <= levels.front()) return "< " + PlainNumber(band.hi);
  if (!levels.empty() && band.lo >= levels.back()) return ">= " + PlainNumber(band.lo);
  return PlainNumber(band.lo) + " - " + PlainNumber(band.hi);
}

}  // namespace sonvale
