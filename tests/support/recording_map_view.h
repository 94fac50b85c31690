// A map view for tests: records every redraw and suspension, and paints what is
// drawn over the map (and the marks kept) on a canvas of the test's own.
#pragma once

#include <functional>
#include <vector>

#include "commands/map_view.h"

namespace sonvale {

class RecordingMapView : public MapView {
 public:
  explicit RecordingMapView(Canvas* picture = nullptr) : picture_(picture) {}
  void drawMap(bool clear) override { redraws.push_back(clear); }
  void suspendPicture(bool suspended) override { suspensions.push_back(suspended); }
  void paintOnMap(const std::function<void(Canvas&)>& draw) override {
    if (picture_) draw(*picture_);
  }
  void showMarks(std::vector<MapMark> shown) override {
    if (picture_) PaintMarks(*picture_, shown);
    marks = std::move(shown);
  }

  std::vector<bool> redraws;  // the clear flag of each redraw
  std::vector<bool> suspensions;
  std::vector<MapMark> marks;  // the last marks kept

 private:
  Canvas* picture_;
};

}  // namespace sonvale
