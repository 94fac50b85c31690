#include "ui/map_legend.h"

#include <QPainter>
#include <algorithm>

#include "ui/translate.h"
#include "view/level_colour.h"

namespace sonvale {
namespace {

constexpr int kBarWidth = 18, kMargin = 8, kScaleHeight = 220;

QColor Colour(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

MapLegend::MapLegend(QWidget* parent) : QWidget(parent) {
  setObjectName("Legenda");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setContent(MapLegendFor(std::nullopt));
}

void MapLegend::setContent(const MapLegendContent& content) {
  content_ = content;
  title_ = Tr(content_.title);
  scheme_ = Tr(content_.scheme);
  setAccessibleName(AccessibleTr(SV_TR("sonvale", "Legenda")));
  setAccessibleDescription(scheme_.isEmpty() ? title_ : title_ + QStringLiteral(" - ") + scheme_);
  const QFontMetrics m = fontMetrics();
  int labels = 0;
  for (const MapLegendEntry& e : content_.entries)
    labels = std::max(labels, m.horizontalAdvance(QString::fromStdString(e.label)));
  const int texts = std::max(m.horizontalAdvance(title_), m.horizontalAdvance(scheme_));
  const int lines = scheme_.isEmpty() ? 1 : 2;
  const int body =
      content_.scale ? kScaleHeight : static_cast<int>(content_.entries.size()) * (m.height() + 2);
  setFixedSize(std::max(kMargin * 3 + kBarWidth + labels, texts + 2 * kMargin),
               m.height() * (lines + 1) + kMargin + body);
  update();
}

void MapLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(96, 96, 96));
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics m = fontMetrics();
  p.setPen(Qt::black);
  int y = kMargin + m.ascent();
  p.drawText(kMargin, y, title_);
  if (!scheme_.isEmpty()) {
    y += m.height();
    p.drawText(kMargin, y, scheme_);
  }
  const int top = y - m.ascent() + m.height() + m.height() / 2;
  if (content_.scale)
    paintScale(p, top);
  else
    paintBands(p, top);
}

void MapLegend::paintScale(QPainter& p, int top) {
  const QFontMetrics m = fontMetrics();
  const double low = content_.low, high = content_.high;
  const int bottom = height() - kMargin - m.height() / 2;
  // Loud at the top, quiet at the bottom, one colour per pixel row.
  for (int y = top; y <= bottom; ++y) {
    const double level = high - (high - low) * (y - top) / (bottom - top);
    p.setPen(Colour(LevelColour(LevelIndex(level))));
    p.drawLine(kMargin, y, kMargin + kBarWidth - 1, y);
  }
  p.setPen(Qt::black);
  for (const MapLegendEntry& e : content_.entries) {
    const int y = top + static_cast<int>((high - e.level) / (high - low) * (bottom - top));
    p.drawLine(kMargin + kBarWidth, y, kMargin + kBarWidth + 3, y);
    p.drawText(kMargin * 2 + kBarWidth, y + m.ascent() / 2 - 1, QString::fromStdString(e.label));
  }
}

void MapLegend::paintBands(QPainter& p, int top) {
  const QFontMetrics m = fontMetrics();
  const int row = m.height() + 2;
  int y = top - m.height() / 2;
  for (const MapLegendEntry& e : content_.entries) {
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Colour(e.colour));
    p.drawRect(kMargin, y + 1, kBarWidth, row - 3);
    p.setPen(Qt::black);
    p.drawText(kMargin * 2 + kBarWidth, y + (row + m.ascent()) / 2 - 1,
               QString::fromStdString(e.label));
    y += row;
  }
}

}  // namespace sonvale
