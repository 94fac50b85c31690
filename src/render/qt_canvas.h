// A Canvas that paints into a QImage with QPainter: the map widget of the window
// and the pictures of the command line draw through it.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "view/canvas.h"

namespace sonvale {

class QtCanvas : public Canvas {
 public:
  // Draws into the area of the image (the whole image when area is empty). The
  // image must outlive the canvas; painting ends when the canvas is destroyed.
  explicit QtCanvas(QImage& image, QRect area = {}, QColor background = Qt::white);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  double deviceWidth() const override { return area_.width(); }
  double deviceHeight() const override { return area_.height(); }

  void clear() override;
  void line(double x1, double y1, double x2, double y2) override;
  void box(double x1, double y1, double x2, double y2) override;
  void filledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
  void circle(double x, double y, double radius) override;
  void text(double x, double y, const std::string& s) override;
  double textWidth(const std::string& s) const override;
  double textHeight(const std::string& s) const override;

  // Device position of a user point.
  QPointF toDevice(double x, double y) const;
  // User point of a device position (the pointer over the map).
  QPointF toUser(QPointF device) const;
  QPainter& painter() { return painter_; }

 private:
  void applyPen();
  double pixelsPerUnitX() const;
  double pixelsPerUnitY() const;

  QImage& image_;
  QRect area_;
  QColor background_;
  QPainter painter_;
  QFont font_;
};

QColor ToQColor(Rgb c);

}  // namespace sonvale
