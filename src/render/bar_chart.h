// A grouped bar chart as a PNG picture for reports: categories along the bottom,
// one bar per series in each, a legend of the series and a value axis from 0.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace sonvale {

struct BarSeries {
  std::string name;
  Rgb colour;
  std::vector<double> values;  // one per category
};

struct BarChart {
  std::string title;
  std::vector<std::string> categories;
  std::vector<BarSeries> series;
  int width = 900, height = 500;
};

// Throws FormatError when the size is unusable.
QImage RenderBarChart(const BarChart& chart);

}  // namespace sonvale
