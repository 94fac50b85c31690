#include "commands/map_legend.h"

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

Rgb MapCellColour(std::optional<BandScheme> scheme, double level) {
  return scheme ? BandColour(*scheme, level) : LevelColour(LevelIndex(level));
}

}  // namespace sonvale
