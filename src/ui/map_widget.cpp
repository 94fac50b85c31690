#include "ui/map_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ui/translate.h"
#include "view/cell_painter.h"
#include "view/draw_map.h"

namespace sonvale {

MapWidget::MapWidget(AppState& app, Ui& ui, QWidget* parent)
    : QWidget(parent), app_(app), ui_(ui), image_(1, 1, QImage::Format_RGB32) {
  setObjectName("Picture1");
  setAccessibleName(Tr(SV_TR("sonvale", "Mappa")));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QtCanvas>(image_);
  setFocusPolicy(Qt::StrongFocus);
  rest_.setSingleShot(true);
  rest_.setInterval(150);
  connect(&rest_, &QTimer::timeout, this, &MapWidget::settle);
}

MapScene MapWidget::scene() { return MapScene{app_.project, app_.layers, *canvas_, status_}; }

void MapWidget::pictureDrawn() {
  rest_.stop();
  nav_.drawn(canvas_->window(), width(), height());
}

bool MapWidget::drawMap(bool clear) {
  if (clear) forgetKept();
  const bool drawn = DrawMap(app_.project, app_.layers, app_.project.View, *canvas_, clear);
  pictureDrawn();
  update();
  if (drawn) emit redrawn();
  return drawn;
}

void MapWidget::clearPicture() {
  forgetKept();
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

void MapWidget::showMarks(std::vector<MapMark> marks) {
  marks_ = std::move(marks);
  PaintMarks(*canvas_, marks_);
  update();
}

const MapMark* MapWidget::markAt(QPointF user) const {
  return MarkAt(marks_, canvas_->window(), user.x(), user.y());
}

void MapWidget::forgetKept() {
  levels_.clear();
  marks_.clear();
}

void MapWidget::paintCell(const MapCell& cell) {
  levels_.add(cell);
  PaintMapCell(*canvas_, cell, colourOf_);
  update();
}

bool MapWidget::zoomTutto() {
  MapScene s = scene();
  forgetKept();
  const bool drawn = ZoomTutto(s);
  pictureDrawn();
  update();
  if (drawn) emit redrawn();
  return drawn;
}

bool MapWidget::zoomIndietro() {
  MapScene s = scene();
  forgetKept();
  const bool drawn = ZoomIndietro(s, app_.EditCursor);
  pictureDrawn();
  update();
  if (drawn) emit redrawn();
  return drawn;
}

void MapWidget::settle() {
  if (!nav_.pending()) return;
  const ViewWindow target = nav_.settle();
  MapScene s = scene();
  const bool drawn = ShowWindow(s, target);
  // The map moves with the model: its cells are painted again under it, the
  // marks over it.
  if (drawn && !levels_.empty()) {
    levels_.paint(*canvas_, colourOf_);
    DrawMap(app_.project, app_.layers, app_.project.View, *canvas_, false);
  }
  if (drawn) PaintMarks(*canvas_, marks_);
  pictureDrawn();
  update();
  if (drawn) emit redrawn();
}

QPointF MapWidget::userPoint(QPointF widgetPos) const {
  if (!nav_.pending()) return canvas_->toUser(widgetPos);
  const UserPoint u = nav_.userPoint(widgetPos.x(), widgetPos.y());
  return QPointF(u.x, u.y);
}
QPointF MapWidget::widgetPoint(double x, double y) const { return canvas_->toDevice(x, y); }

void MapWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (nav_.pending()) {
    painter.fillRect(rect(), Qt::white);
    const PictureMove m = nav_.preview();
    painter.translate(m.dx, m.dy);
    painter.scale(m.scale, m.scale);
  }
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

void MapWidget::startPan(QPointF at, Qt::MouseButton button) {
  if (!nav_.pending()) pictureDrawn();
  rest_.stop();
  panButton_ = button;
  pressAt_ = at;
  panMoved_ = false;
  nav_.startPan(at.x(), at.y());
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
  if (panButton_ != Qt::NoButton) return;  // one pan at a time
  if (event->button() == Qt::MiddleButton ||
      (event->button() == Qt::LeftButton && spaceHeld_ && !drag_.dragging())) {
    startPan(event->position(), event->button());
    return;
  }
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
  if (panButton_ != Qt::NoButton && (event->buttons() & panButton_)) {
    const QPointF d = event->position() - pressAt_;
    // A few pixels of trembling are still a click.
    if (!panMoved_ && d.manhattanLength() > 3) {
      panMoved_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
    if (panMoved_) {
      nav_.panTo(event->position().x(), event->position().y());
      update();
    }
    emit pointerAt(userPoint(event->position()));
    return;
  }
  const QPointF p = userPoint(event->position());
  emit pointerAt(p);
  MapScene s = scene();
  const bool leftHeld = event->buttons() & Qt::LeftButton;
  const DragPointer shape = drag_.move(s, p.x(), p.y(), leftHeld);
  if (leftHeld && drag_.dragging()) {
    setCursor(shape == DragPointer::NorthEastSouthWest ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
    update();
  }
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (panButton_ != Qt::NoButton && event->button() == panButton_) {
    panButton_ = Qt::NoButton;
    spaceHeld_ ? setCursor(Qt::OpenHandCursor) : unsetCursor();
    if (panMoved_) {
      settle();
    } else if (event->button() == Qt::MiddleButton) {
      // A middle click without a drag picks as it always did.
      const QPointF p = userPoint(pressAt_);
      const Pick pick = PickEntity(app_.project, p.x(), p.y());
      if (pick.entity == 0) {
        ui_.beep();
        return;
      }
      app_.SelectedEntity = pick.entity;
      emit picked(pick.kind, pick.entity);
    }
    return;
  }
  if (event->button() != Qt::LeftButton || !drag_.dragging()) return;
  MapScene s = scene();
  forgetKept();
  const bool drawn = drag_.leftUp(s);
  pictureDrawn();
  unsetCursor();
  update();
  if (drawn) emit redrawn();
}

void MapWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0 || drag_.dragging() || !HasDrawableEntities(app_.project)) {
    event->ignore();
    return;
  }
  event->accept();
  if (!nav_.pending()) pictureDrawn();
  if (nav_.wheel(delta, event->position().x(), event->position().y())) {
    update();
    rest_.start();
  }
  emit pointerAt(userPoint(event->position()));
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) return QWidget::keyPressEvent(event);
  if (!event->isAutoRepeat()) {
    spaceHeld_ = true;
    if (panButton_ == Qt::NoButton) setCursor(Qt::OpenHandCursor);
  }
}

void MapWidget::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) return QWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) {
    spaceHeld_ = false;
    if (panButton_ == Qt::NoButton) unsetCursor();
  }
}

}  // namespace sonvale
