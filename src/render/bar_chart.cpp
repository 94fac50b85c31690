#include "render/bar_chart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/map_picture.h"
#include "render/qt_canvas.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

// A round step for about five grid lines up to top.
double AxisStep(double top) {
  const double raw = top / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * magnitude >= raw) return m * magnitude;
  }
  return 10 * magnitude;
}

}  // namespace

QImage RenderBarChart(const BarChart& chart) {
  if (chart.width < 200 || chart.height < 150 || chart.width > 8000 || chart.height > 8000)
    throw FormatError("chart", 0, "chart size is not usable");
  EnsureGuiApplication();
  QImage image(chart.width, chart.height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int left = 80, right = 20, top = 50, bottom = 70;
  const QRect plot(left, top, chart.width - left - right, chart.height - top - bottom);

  double maxValue = 0;
  for (const BarSeries& s : chart.series)
    for (double v : s.values) maxValue = std::max(maxValue, v);
  const double step = AxisStep(maxValue > 0 ? maxValue : 1);
  const double axisTop = step * std::ceil((maxValue > 0 ? maxValue : 1) / step);

  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 5, chart.width, top - 25), Qt::AlignCenter,
                   QString::fromStdString(chart.title));
  for (double v = 0; v <= axisTop + step / 2; v += step) {
    const int y = plot.bottom() - static_cast<int>(std::lround(v / axisTop * plot.height()));
    painter.setPen(QColor(220, 220, 220));
    painter.drawLine(plot.left(), y, plot.right(), y);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, y - 8, left - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(PlainNumber(v)));
  }
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());

  const size_t nc = chart.categories.size(), ns = chart.series.size();
  if (nc > 0 && ns > 0) {
    const double group = static_cast<double>(plot.width()) / static_cast<double>(nc);
    const double bar = group * 0.8 / static_cast<double>(ns);
    for (size_t c = 0; c < nc; ++c) {
      const double x0 = plot.left() + group * static_cast<double>(c) + group * 0.1;
      for (size_t s = 0; s < ns; ++s) {
        const double v = c < chart.series[s].values.size() ? chart.series[s].values[c] : 0;
        const double h = v / axisTop * plot.height();
        painter.fillRect(QRectF(x0 + bar * static_cast<double>(s), plot.bottom() - h, bar - 1, h),
                         ToQColor(chart.series[s].colour));
      }
      painter.drawText(QRectF(x0 - group * 0.1, plot.bottom() + 4, group, 18), Qt::AlignCenter,
                       QString::fromStdString(chart.categories[c]));
    }
  }
  int lx = plot.left();
  for (const BarSeries& s : chart.series) {
    painter.fillRect(QRect(lx, chart.height - 28, 14, 14), ToQColor(s.colour));
    const QString name = QString::fromStdString(s.name);
    painter.drawText(QPoint(lx + 20, chart.height - 16), name);
    lx += 40 + painter.fontMetrics().horizontalAdvance(name);
  }
  return image;
}

}  // namespace sonvale
