// What the legend beside the map lists: the level scale the map cells are
// painted in (40 to 90 dB(A), a tick every 5 dB), or, when the map is painted
// in the bands of an isophone colour scheme, that scheme's bands, each with its
// colour and its range, or the Lden bands of the façade points of an exposure
// run. The window's legend only paints this.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/map_gis_outputs.h"
#include "gis/noise_bands.h"
#include "view/canvas.h"

namespace sonvale {

struct MapLegendEntry {
  Rgb colour;
  std::string label;  // a band's range ("55 - 60", "< 35", ">= 80"), or a tick's level
  double level = 0;   // on the level scale: where the tick stands
};

struct MapLegendContent {
  std::string title;   // "Leq dB(A)"
  std::string scheme;  // the scheme's caption; empty on the level scale
  // True: a continuous scale from `low` (bottom) to `high` (top), the entries its
  // ticks. False: one box per entry.
  bool scale = true;
  double low = 40, high = 90;
  std::vector<MapLegendEntry> entries;  // loudest first
};

// The scheme the cells of a map run are painted in: the isophones' scheme when
// the run writes isophones, else none (the level scale).
std::optional<BandScheme> DrawnScheme(const MapGisOutputs& outputs);

// The legend of a map painted in that scheme, or on the level scale.
MapLegendContent MapLegendFor(std::optional<BandScheme> scheme);

// The legend of the façade points of an exposure run: their Lden bands,
// loudest first, and below them the points under the first band.
MapLegendContent ExposureLegend();

// The colour a map cell of this level is painted in: the scheme's band holding
// the level, or the level scale.
Rgb MapCellColour(std::optional<BandScheme> scheme, double level);

}  // namespace sonvale
