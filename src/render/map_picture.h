// Pictures of the map for reports: the model as the map window shows it, over
// the levels of a grid file when one is given, with a legend strip of the level
// colours from 40 to 90 dB(A); saved as PNG.
#pragma once

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "model/project.h"
#include "propagation/grid_file.h"
#include "view/canvas.h"
#include "view/layers.h"

namespace sonvale {

// A band of levels painted in one colour, from lo up to hi.
struct PictureBand {
  double lo = 0, hi = 0;
  Rgb colour;
  std::string label;  // its line in the legend
};

struct MapPictureOptions {
  int width = 1200, height = 900;         // the whole picture, legend included
  int legendWidth = 120;                  // the strip at the right
  std::string legendTitle = "Leq dB(A)";  // what the legend's levels are
  const GridData* grid = nullptr;         // levels painted under the model
  // When given (ascending), the grid's levels are painted in these bands, each
  // node centred on its cell, and the legend lists them instead of the scale.
  std::vector<PictureBand> bands;
  // Lines drawn over the levels and under the model (isolines), in user units.
  std::vector<std::vector<std::pair<double, double>>> lines;
  // Points drawn over the model as small filled squares (façade receivers).
  struct Dot {
    double x = 0, y = 0;
    Rgb colour;
  };
  std::vector<Dot> dots;
  int dotPixels = 5;  // side of a dot
};

// The picture of the project in its View (the grid's span when the model draws
// nothing). Throws FormatError when the size is unusable and std::runtime_error
// when there is nothing to draw.
QImage RenderMapPicture(const Project& p, const LayerVisibility& layers,
                        const MapPictureOptions& options);

// Saves the picture as PNG, replacing an old file only once the new one is
// complete; throws FileError naming the file.
void SaveMapPicture(const QImage& image, const std::string& path);

// Text needs Qt's font machinery, which wants a QGuiApplication; creates one
// (offscreen unless a platform is chosen) when the program has none yet.
void EnsureGuiApplication();

}  // namespace sonvale
