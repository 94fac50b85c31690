// Moving around the map with the wheel and by dragging: the window after a
// zoom about the point under the pointer or after a pan, and where the picture
// already drawn goes while the new window waits to be drawn, so that the first
// frame of a move costs one scaled copy of the picture instead of a redraw.
#pragma once

#include <optional>

#include "model/project.h"
#include "view/canvas.h"

namespace sonvale {

struct UserPoint {
  double x = 0, y = 0;
};

// The user point under the device point (px, py) of a picture width x height
// showing window w.
UserPoint UserPointAt(const UserWindow& w, double width, double height, double px, double py);

// The window scaled by factor (below 1 zooms in) about (x, y): the point keeps
// its place in the window.
ViewWindow ZoomedAbout(const ViewWindow& v, double x, double y, double factor);
// The window moved by (dx, dy) in user units.
ViewWindow Panned(const ViewWindow& v, double dx, double dy);
// The zoom factor of a wheel turn; angleDelta is in eighths of a degree, 120 a
// notch; turning away from the user zooms in by 0.8 a notch.
double WheelZoomFactor(int angleDelta);

// The pan of a drag by (dpx, dpy) device pixels on a picture showing w: the
// window moves the other way, so the ground follows the pointer.
ViewWindow PannedByDrag(const ViewWindow& v, const UserWindow& w, double width, double height,
                        double dpx, double dpy);

// Where the picture of window `drawn` goes to show window `target` (both fitted
// to the picture): device point p goes to p * scale + (dx, dy).
struct PictureMove {
  double scale = 1, dx = 0, dy = 0;
};
PictureMove PreviewMove(const UserWindow& drawn, const UserWindow& target, double width,
                        double height);

// A wheel step or a drag on the map: the window it asks for, kept apart from
// the window drawn until the move rests and the map is drawn anew.
class MapNavigation {
 public:
  // The picture (width x height pixels) shows `drawn`; nothing is pending.
  void drawn(const UserWindow& w, double width, double height);
  // One wheel turn with the pointer at (px, py): false when the window would
  // pass the zoom limit (the step is ignored).
  bool wheel(int angleDelta, double px, double py);
  // A pan from its start: press, then the pointer at every move.
  void startPan(double px, double py);
  void panTo(double px, double py);
  bool pending() const { return target_.has_value(); }
  // The fitted window asked for (the drawn one when nothing is pending).
  UserWindow target() const;
  // The window to draw when the move rests; clears the pending move.
  ViewWindow settle();
  // How the drawn picture shows the pending window.
  PictureMove preview() const;
  // The user point under a device point of the window shown now.
  UserPoint userPoint(double px, double py) const;

 private:
  UserWindow drawn_;
  double width_ = 1, height_ = 1;
  std::optional<UserWindow> target_;
  UserWindow panStart_;
  double panX_ = 0, panY_ = 0;
};

}  // namespace sonvale
