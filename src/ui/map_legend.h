// The legend beside a map: paints what commands/map_legend.h says it lists,
// the level scale as a colour bar with its ticks or the bands of a colour
// scheme as boxes with their ranges.
#pragma once

#include <QWidget>

#include "commands/map_legend.h"

namespace sonvale {

class MapLegend : public QWidget {
  Q_OBJECT

 public:
  explicit MapLegend(QWidget* parent = nullptr);
  // Shows this content, its texts in the language of the window.
  void setContent(const MapLegendContent& content);
  const MapLegendContent& content() const { return content_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintScale(QPainter& p, int top);
  void paintBands(QPainter& p, int top);

  MapLegendContent content_;
  QString title_, scheme_;
};

}  // namespace sonvale
