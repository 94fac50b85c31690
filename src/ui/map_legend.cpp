#include "ui/map_legend.h"

#include <QPainter>

#include "ui/translate.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

constexpr double kLow = 40, kHigh = 90, kTick = 5;
constexpr int kBarWidth = 18, kMargin = 8;

}  // namespace

MapLegend::MapLegend(QWidget* parent) : QWidget(parent) {
  setObjectName("Legenda");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  retitle();
}

void MapLegend::retitle() {
  title_ = Tr(SV_TR("sonvale", "Leq dB(A)"));
  setAccessibleName(Tr(SV_TR("sonvale", "Legenda")));
  const QFontMetrics m = fontMetrics();
  const int labels = m.horizontalAdvance(QStringLiteral("90"));
  setFixedSize(
      std::max(kMargin * 3 + kBarWidth + labels, m.horizontalAdvance(title_) + 2 * kMargin),
      m.height() * 2 + 220);
  update();
}

void MapLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(96, 96, 96));
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics m = fontMetrics();
  p.setPen(Qt::black);
  p.drawText(kMargin, kMargin + m.ascent(), title_);
  const int top = kMargin + m.height() + m.height() / 2;
  const int bottom = height() - kMargin - m.height() / 2;
  // Loud at the top, quiet at the bottom, one colour per pixel row.
  for (int y = top; y <= bottom; ++y) {
    const double level = kHigh - (kHigh - kLow) * (y - top) / (bottom - top);
    const Rgb c = LevelColour(LevelIndex(level));
    p.setPen(QColor(c.r, c.g, c.b));
    p.drawLine(kMargin, y, kMargin + kBarWidth - 1, y);
  }
  p.setPen(Qt::black);
  for (double level = kLow; level <= kHigh; level += kTick) {
    const int y = top + static_cast<int>((kHigh - level) / (kHigh - kLow) * (bottom - top));
    p.drawLine(kMargin + kBarWidth, y, kMargin + kBarWidth + 3, y);
    p.drawText(kMargin * 2 + kBarWidth, y + m.ascent() / 2 - 1, QString::number(level));
  }
}

}  // namespace sonvale
