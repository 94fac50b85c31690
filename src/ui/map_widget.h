// The map picture of the main window (Picture1): the project drawn through a
// QtCanvas into an image that the widget shows, the level cells of a map run
// painted as they arrive, and the mouse: zoom rectangle, show all, picking.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "commands/app_state.h"
#include "commands/ui_work_report.h"
#include "propagation/map_pass.h"
#include "render/qt_canvas.h"
#include "view/zoom.h"

namespace sonvale {

class MapWidget : public QWidget {
  Q_OBJECT

 public:
  MapWidget(AppState& app, Ui& ui, QWidget* parent = nullptr);

  // DrawMap on the picture; false when nothing was drawn.
  bool drawMap(bool clear);
  void clearPicture();
  void paintCell(const MapCell& cell);
  // Draws over the picture as it stands; while the drawing runs pending events
  // the widget shows its progress.
  void paintOver(const std::function<void(Canvas&)>& draw);
  bool zoomTutto();
  bool zoomIndietro();
  const QImage& picture() const { return image_; }
  // The user point under a widget position, in the window last drawn.
  QPointF userPoint(QPointF widgetPos) const;
  QPointF widgetPoint(double x, double y) const;

 signals:
  // A press of any button but the left one found this entity.
  void picked(EntityKind kind, long entity);
  // The model was drawn anew (whatever was drawn over it is gone).
  void redrawn();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  MapScene scene();

  AppState& app_;
  Ui& ui_;
  UiWorkReport status_{ui_};
  QImage image_;
  std::unique_ptr<QtCanvas> canvas_;
  ZoomDrag drag_;
};

}  // namespace sonvale
