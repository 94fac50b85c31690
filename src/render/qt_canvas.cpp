#include "render/qt_canvas.h"

#include <QFontMetricsF>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace sonvale {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QtCanvas::QtCanvas(QImage& image, QRect area, QColor background)
    : image_(image), area_(area.isEmpty() ? image.rect() : area), background_(background) {
  painter_.begin(&image_);
  painter_.setClipRect(area_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  font_ = QFont(QStringLiteral("DejaVu Sans"));
  font_.setPixelSize(11);
  painter_.setFont(font_);
}

QtCanvas::~QtCanvas() { painter_.end(); }

double QtCanvas::pixelsPerUnitX() const {
  return window_.width == 0 ? 0 : area_.width() / window_.width;
}
double QtCanvas::pixelsPerUnitY() const {
  return window_.height == 0 ? 0 : area_.height() / window_.height;
}

QPointF QtCanvas::toDevice(double x, double y) const {
  return QPointF(area_.left() + (x - window_.left) * pixelsPerUnitX(),
                 area_.top() + (y - window_.top) * pixelsPerUnitY());
}

QPointF QtCanvas::toUser(QPointF device) const {
  return QPointF(window_.left + (device.x() - area_.left()) / pixelsPerUnitX(),
                 window_.top + (device.y() - area_.top()) / pixelsPerUnitY());
}

void QtCanvas::applyPen() {
  QPen pen(ToQColor(pen_.colour));
  pen.setWidth(std::max(1, pen_.width));
  pen.setStyle(pen_.style == LineStyle::Dashed ? Qt::DashLine : Qt::SolidLine);
  pen.setCapStyle(Qt::RoundCap);
  painter_.setPen(pen);
  painter_.setCompositionMode(pen_.mode == DrawMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                         : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::clear() {
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.fillRect(area_, background_);
}

void QtCanvas::line(double x1, double y1, double x2, double y2) {
  applyPen();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void QtCanvas::box(double x1, double y1, double x2, double y2) {
  applyPen();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized());
}

void QtCanvas::filledBox(double x1, double y1, double x2, double y2, Rgb colour) {
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  // Whole pixels from edge to edge, so that neighbouring cells leave no seams.
  QRectF r = QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized();
  QRect px(QPoint(static_cast<int>(std::floor(r.left())), static_cast<int>(std::floor(r.top()))),
           QPoint(static_cast<int>(std::ceil(r.right())) - 1,
                  static_cast<int>(std::ceil(r.bottom())) - 1));
  painter_.fillRect(px, ToQColor(colour));
}

void QtCanvas::circle(double x, double y, double radius) {
  applyPen();
  painter_.setBrush(fill_ ? QBrush(ToQColor(*fill_)) : QBrush(Qt::NoBrush));
  double r = std::fabs(radius * pixelsPerUnitX());
  painter_.drawEllipse(toDevice(x, y), r, r);
  painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::text(double x, double y, const std::string& s) {
  applyPen();
  QFontMetricsF fm(font_, &image_);
  QPointF p = toDevice(x, y);
  painter_.drawText(QPointF(p.x(), p.y() + fm.ascent()), QString::fromStdString(s));
}

double QtCanvas::textWidth(const std::string& s) const {
  QFontMetricsF fm(font_, &image_);
  double ppu = pixelsPerUnitX();
  return ppu == 0 ? 0 : fm.horizontalAdvance(QString::fromStdString(s)) / std::fabs(ppu);
}

double QtCanvas::textHeight(const std::string&) const {
  QFontMetricsF fm(font_, &image_);
  double ppu = pixelsPerUnitY();
  return ppu == 0 ? 0 : fm.height() / std::fabs(ppu);
}

}  // namespace sonvale
