#include "render/exposure_pictures.h"

#include <array>

#include "exposure/exposure_report.h"
#include "render/bar_chart.h"
#include "render/map_picture.h"

namespace sonvale {

void WriteExposurePictures(Project& p, const std::string& dir, const FacadeLayout& layout,
                           const ExposureAssessment& a) {
  BarChart chart;
  chart.title = "People per Lden band";
  for (int b = 0; b < kBandCount; ++b) chart.categories.push_back(BandLabel(Indicator::Lden, b));
  const std::array<Rgb, 3> colours = {RGB(80, 80, 200), RGB(200, 120, 40), RGB(90, 90, 90)};
  for (SourceKind k : kSourceKinds) {
    BarSeries s{SourceKindName(k), colours[static_cast<size_t>(k)], {}};
    for (int b = 0; b < kBandCount; ++b)
      s.values.push_back(a.table[static_cast<size_t>(k)][0][static_cast<size_t>(b)].people);
    chart.series.push_back(s);
  }
  SaveMapPicture(RenderBarChart(chart), dir + "/" + kChartPicture);

  const Extent& e = p.extent;
  p.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  LayerVisibility layers;
  MapPictureOptions options;
  options.legendTitle = "Lden dB(A)";
  for (int b = -1; b < kBandCount; ++b) {
    const BandRgb c = ExposureBandColour(Indicator::Lden, b);
    const std::string label = b < 0 ? "< 55" : BandLabel(Indicator::Lden, b);
    const double lo = b < 0 ? -1e9 : BandLower(Indicator::Lden, b);
    options.bands.push_back({lo, lo + 5, RGB(c.r, c.g, c.b), label});
  }
  for (size_t i = 0; i < layout.points.size(); ++i) {
    const BandRgb c = FacadePointColour(a, i);
    options.dots.push_back({layout.points[i].x, layout.points[i].y, RGB(c.r, c.g, c.b)});
  }
  SaveMapPicture(RenderMapPicture(p, layers, options), dir + "/" + kMapPicture);
}

}  // namespace sonvale
