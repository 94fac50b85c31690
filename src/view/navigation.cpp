#include "view/navigation.h"

#include <cmath>

#include "view/draw_map.h"

namespace sonvale {

UserPoint UserPointAt(const UserWindow& w, double width, double height, double px, double py) {
  return {w.left + px * w.width / width, w.top + py * w.height / height};
}

ViewWindow ZoomedAbout(const ViewWindow& v, double x, double y, double factor) {
  return ViewWindow{x + (v.X1 - x) * factor, y + (v.Y1 - y) * factor, x + (v.X2 - x) * factor,
                    y + (v.Y2 - y) * factor};
}

ViewWindow Panned(const ViewWindow& v, double dx, double dy) {
  return ViewWindow{v.X1 + dx, v.Y1 + dy, v.X2 + dx, v.Y2 + dy};
}

double WheelZoomFactor(int angleDelta) { return std::pow(0.8, angleDelta / 120.0); }

ViewWindow PannedByDrag(const ViewWindow& v, const UserWindow& w, double width, double height,
                        double dpx, double dpy) {
  return Panned(v, -dpx * w.width / width, -dpy * w.height / height);
}

PictureMove PreviewMove(const UserWindow& drawn, const UserWindow& target, double width,
                        double height) {
  PictureMove m;
  m.scale = drawn.width / target.width;
  m.dx = (drawn.left - target.left) * width / target.width;
  m.dy = (drawn.top - target.top) * height / target.height;
  return m;
}

void MapNavigation::drawn(const UserWindow& w, double width, double height) {
  drawn_ = w;
  width_ = width;
  height_ = height;
  target_.reset();
}

UserWindow MapNavigation::target() const { return target_ ? *target_ : drawn_; }

bool MapNavigation::wheel(int angleDelta, double px, double py) {
  const UserWindow now = target();
  const UserPoint u = UserPointAt(now, width_, height_, px, py);
  const ViewWindow zoomed = ZoomedAbout(ToViewWindow(now), u.x, u.y, WheelZoomFactor(angleDelta));
  std::optional<UserWindow> fitted = FitWindow(zoomed, width_, height_);
  if (!fitted) return false;
  target_ = fitted;
  return true;
}

void MapNavigation::startPan(double px, double py) {
  panStart_ = target();
  panX_ = px;
  panY_ = py;
}

void MapNavigation::panTo(double px, double py) {
  const ViewWindow moved =
      PannedByDrag(ToViewWindow(panStart_), panStart_, width_, height_, px - panX_, py - panY_);
  if (std::optional<UserWindow> fitted = FitWindow(moved, width_, height_)) target_ = fitted;
}

ViewWindow MapNavigation::settle() {
  const ViewWindow v = ToViewWindow(target());
  target_.reset();
  return v;
}

PictureMove MapNavigation::preview() const {
  return target_ ? PreviewMove(drawn_, *target_, width_, height_) : PictureMove{};
}

UserPoint MapNavigation::userPoint(double px, double py) const {
  return UserPointAt(target(), width_, height_, px, py);
}

}  // namespace sonvale
