#include "ui/map_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "view/cell_painter.h"
#include "view/draw_map.h"

namespace sonvale {

MapWidget::MapWidget(AppState& app, Ui& ui, QWidget* parent)
    : QWidget(parent), app_(app), ui_(ui), image_(1, 1, QImage::Format_RGB32) {
  setObjectName("Picture1");
  setAccessibleName("Mappa");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_);
}

MapScene MapWidget::scene() { return MapScene{app_.project, app_.layers, *canvas_, status_}; }

bool MapWidget::drawMap(bool clear) {
  const bool drawn = DrawMap(app_.project, app_.layers, app_.project.View, *canvas_, clear);
  update();
  if (drawn) emit redrawn();
  return drawn;
}

void MapWidget::clearPicture() {
  canvas_->clear();
  update();
}

void MapWidget::paintOver(const std::function<void(Canvas&)>& draw) {
  // A long drawing runs pending events as it goes (the emission bands): show
  // what is drawn so far every few frames rather than only at its end.
  QTimer shown;
  connect(&shown, &QTimer::timeout, this, qOverload<>(&QWidget::update));
  shown.start(40);
  draw(*canvas_);
  update();
}

void MapWidget::paintCell(const MapCell& cell) {
  PaintMapCell(*canvas_, cell);
  update();
}

bool MapWidget::zoomTutto() {
  MapScene s = scene();
  const bool drawn = ZoomTutto(s);
  update();
  if (drawn) emit redrawn();
  return drawn;
}

bool MapWidget::zoomIndietro() {
  MapScene s = scene();
  const bool drawn = ZoomIndietro(s, app_.EditCursor);
  update();
  if (drawn) emit redrawn();
  return drawn;
}

QPointF MapWidget::userPoint(QPointF widgetPos) const { return canvas_->toUser(widgetPos); }
QPointF MapWidget::widgetPoint(double x, double y) const { return canvas_->toDevice(x, y); }

void MapWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void MapWidget::resizeEvent(QResizeEvent*) {
  // A minimised window has no room for a picture: keep the old one.
  if (width() < 1 || height() < 1) return;
  const UserWindow window = canvas_->window();
  canvas_.reset();
  image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_);
  canvas_->setWindow(window);
  zoomTutto();
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF p = userPoint(event->position());
  MapScene s = scene();
  if (event->button() == Qt::LeftButton) {
    drag_.leftDown(s, p.x(), p.y(), app_.EditCursor);
    return;
  }
  const Pick pick = PickEntity(app_.project, p.x(), p.y());
  if (pick.entity == 0) {
    ui_.beep();
    return;
  }
  app_.SelectedEntity = pick.entity;
  emit picked(pick.kind, pick.entity);
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = userPoint(event->position());
  MapScene s = scene();
  const bool leftHeld = event->buttons() & Qt::LeftButton;
  const DragPointer shape = drag_.move(s, p.x(), p.y(), leftHeld);
  if (leftHeld && drag_.dragging()) {
    setCursor(shape == DragPointer::NorthEastSouthWest ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
    update();
  }
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drag_.dragging()) return;
  MapScene s = scene();
  const bool drawn = drag_.leftUp(s);
  unsetCursor();
  update();
  if (drawn) emit redrawn();
}

}  // namespace sonvale
