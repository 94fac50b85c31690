// The map picture of the main window (Picture1): the project drawn through a
// QtCanvas into an image that the widget shows, the level cells of a map run
// painted as they arrive, and the mouse: zoom rectangle, show all, picking,
// the wheel zooming about the pointer and panning with the middle button or
// with the left one while Space is held. A wheel step or a pan first moves the
// picture already drawn and draws the map sharp once the move rests.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "commands/app_state.h"
#include "commands/ui_work_report.h"
#include "propagation/map_pass.h"
#include "render/qt_canvas.h"
#include "view/cell_painter.h"
#include "view/navigation.h"
#include "view/shown_levels.h"
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
  // The colour the cells of a map run are painted in from now on (empty: the
  // level scale).
  void setCellColour(CellColour colourOf) { colourOf_ = std::move(colourOf); }
  // Draws over the picture as it stands; while the drawing runs pending events
  // the widget shows its progress.
  void paintOver(const std::function<void(Canvas&)>& draw);
  // Paints the marks and keeps them, painted again over the model whenever the
  // view moves, until the level cells are cleared.
  void showMarks(std::vector<MapMark> marks);
  bool showsMarks() const { return !marks_.empty(); }
  // The mark under a user point of the window last drawn, nullptr for none.
  const MapMark* markAt(QPointF user) const;
  bool zoomTutto();
  bool zoomIndietro();
  const QImage& picture() const { return image_; }
  // The user point under a widget position, in the window last drawn.
  QPointF userPoint(QPointF widgetPos) const;
  QPointF widgetPoint(double x, double y) const;
  // The level of the map cell under a user point, while a map is shown.
  std::optional<double> levelAt(double x, double y) const { return levels_.levelAt(x, y); }
  bool showsLevels() const { return !levels_.empty(); }
  // Draws a pending wheel or pan move now (it is drawn by itself once the move rests).
  void settle();

 signals:
  // A press of any button but the left one found this entity.
  void picked(EntityKind kind, long entity);
  // The model was drawn anew (whatever was drawn over it is gone).
  void redrawn();
  // The pointer is over this user point.
  void pointerAt(QPointF user);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  // Forgets the level cells and the marks kept with the picture.
  void forgetKept();
  MapScene scene();
  // The picture now shows the canvas's window, nothing pending.
  void pictureDrawn();
  void startPan(QPointF at, Qt::MouseButton button);

  AppState& app_;
  Ui& ui_;
  UiWorkReport status_{ui_};
  QImage image_;
  std::unique_ptr<QtCanvas> canvas_;
  ZoomDrag drag_;
  MapNavigation nav_;
  ShownLevels levels_;
  std::vector<MapMark> marks_;
  CellColour colourOf_;
  QTimer rest_;  // draws a wheel move once the wheel rests
  bool spaceHeld_ = false;
  // A pan under way: the button that drags, where it went down, whether it has moved.
  Qt::MouseButton panButton_ = Qt::NoButton;
  QPointF pressAt_;
  bool panMoved_ = false;
};

}  // namespace sonvale
