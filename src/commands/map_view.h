// What the commands ask of the map picture: redraw the model, blank it, hold it
// still while a table changes, paint over it (once, or marks kept), and hide the whole window while
// an external program runs. The window implements it; the command line and the tests have none, and
// then nothing is drawn.
#pragma once

#include <functional>
#include <vector>

#include "view/canvas.h"
#include "view/map_marks.h"

namespace sonvale {

class MapView {
 public:
  virtual ~MapView() = default;
  // Redraws the model (clear: blank first).
  virtual void drawMap(bool /*clear*/) {}
  virtual void clearPicture() {}
  // Suspended, the picture ignores the mouse and stays as it is.
  virtual void suspendPicture(bool /*suspended*/) {}
  virtual void showMainWindow(bool /*visible*/) {}
  // Draws over the picture as it stands (the editors' highlight).
  virtual void paintOnMap(const std::function<void(Canvas&)>& /*draw*/) {}
  // Paints the marks over the picture and keeps them there, painted again
  // whenever the view moves, until the map's level cells are cleared.
  virtual void showMarks(std::vector<MapMark> /*marks*/) {}
};

}  // namespace sonvale
