#include "commands/map_legend.h"

#include "exposure/exposure_bands.h"
#include "exposure/exposure_report.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

constexpr double kScaleLow = 40, kScaleHigh = 90, kScaleTick = 5;

}  // namespace

std::optional<BandScheme> DrawnScheme(const MapGisOutputs& outputs) {
  if (!outputs.isophones) return std::nullopt;
  return outputs.scheme;
}

MapLegendContent MapLegendFor(std::optional<BandScheme> scheme) {
  MapLegendContent c;
  c.title = SV_TR("sonvale", "Leq dB(A)");
  if (!scheme) {
    c.low = kScaleLow;
    c.high = kScaleHigh;
    for (double level = kScaleHigh; level >= kScaleLow; level -= kScaleTick) {
      c.entries.push_back({LevelColour(LevelIndex(level)), PlainNumber(level), level});
    }
    return c;
  }
  c.scale = false;
  c.scheme = BandSchemeCaption(*scheme);
  // The bands the isophones are cut into: below the first level, between two
  // levels, from the last level on.
  const std::vector<double> levels = StandardLevels();
  const double step = levels[1] - levels[0];
  for (size_t k = levels.size() + 1; k-- > 0;) {
    const double lo = k == 0 ? levels.front() - step : levels[k - 1];
    const double hi = k == levels.size() ? levels.back() + step : levels[k];
    c.entries.push_back({BandColour(*scheme, lo), BandLabel(Band{lo, hi}, levels), lo});
  }
  return c;
}

MapLegendContent ExposureLegend() {
  MapLegendContent c;
  c.title = SV_TR("sonvale", "Lden dB(A)");
  c.scheme = SV_TR("sonvale", "Facciate");
  c.scale = false;
  for (int band = kBandCount - 1; band >= -1; --band) {
    const BandRgb rgb = ExposureBandColour(Indicator::Lden, band);
    const double lo =
        band < 0 ? BandLower(Indicator::Lden, 0) - 5 : BandLower(Indicator::Lden, band);
    c.entries.push_back({RGB(rgb.r, rgb.g, rgb.b),
                         band < 0 ? "< " + PlainNumber(BandLower(Indicator::Lden, 0))
                                  : BandLabel(Indicator::Lden, band),
                         lo});
  }
  return c;
}

Rgb MapCellColour(std::optional<BandScheme> scheme, double level) {
  return scheme ? BandColour(*scheme, level) : LevelColour(LevelIndex(level));
}

}  // namespace sonvale
