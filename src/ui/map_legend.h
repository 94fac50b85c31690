// The legend beside a map: the level colour scale of the cells drawn, from
// 40 to 90 dB(A), with a tick every 5 dB.
#pragma once

#include <QWidget>

namespace sonvale {

class MapLegend : public QWidget {
  Q_OBJECT

 public:
  explicit MapLegend(QWidget* parent = nullptr);
  // Shows the title in the language of the window.
  void retitle();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
};

}  // namespace sonvale
