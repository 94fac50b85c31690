// What the mouse and the zoom commands do on the map: the zoom rectangle with
// its rubber band, show-all after a click, "Zoom Indietro", "Zoom Tutto", and
// picking the nearest road, track or point source for its editor. The map
// widget only turns its events into these calls.
#pragma once

#include <string>

#include "model/project.h"
#include "platform/work_report.h"
#include "text/translatable.h"
#include "view/canvas.h"
#include "view/layers.h"

namespace sonvale {

// What the map draws on and with.
struct MapScene {
  Project& project;
  const LayerVisibility& layers;
  Canvas& canvas;
  WorkReport& status;  // the pointer and zoom texts, as passing status texts
};

// The diagonal sizing pointer that matches the drag direction.
enum class DragPointer {
  NorthEastSouthWest,  // pointer left of and below the anchor, or right of and above
  NorthWestSouthEast,
};

inline const char* const kPickHint =
    SV_TR("sonvale", "Fai click <destro> sulla entità che vuoi editare...");

// A coordinate as the status line shows it: "#####0.##", no leading blanks.
std::string StatusCoordinate(double v);
// "Zoom Area: (ax,ay) -> (x,y)".
std::string ZoomAreaStatus(double anchorX, double anchorY, double x, double y);
// The pick hint followed by "  - (x,y)".
std::string PointerStatus(double x, double y);

// The zoom rectangle of a left-button drag. Its corners are kept here, not in
// the project's View: View changes only when a new window has really been
// drawn, so a rectangle below the zoom limit leaves the last drawn window for
// the next "Zoom Indietro".
class ZoomDrag {
 public:
  // Left button down: anchor and moving corner at the pointer, XOR dashed pen,
  // the editors' current entity reset.
  void leftDown(MapScene& scene, double x, double y, long& editCursor);
  // Pointer move. While dragging with the left button the rubber band follows
  // the pointer and the status shows the zoom area; otherwise it shows the
  // pointer position. Returns the sizing pointer to show while dragging.
  DragPointer move(MapScene& scene, double x, double y, bool leftHeld);
  // Left button up: zoom to the rectangle, or show all after a click. Returns
  // true when a new window was drawn.
  bool leftUp(MapScene& scene);

  bool dragging() const { return dragging_; }
  double anchorX() const { return ax_; }
  double anchorY() const { return ay_; }
  double cornerX() const { return cx_; }
  double cornerY() const { return cy_; }

 private:
  bool dragging_ = false;
  double ax_ = 0, ay_ = 0, cx_ = 0, cy_ = 0;
};

// The window of the two corners with the smaller X and the smaller Y first.
ViewWindow OrderedWindow(double x1, double y1, double x2, double y2);

// The view window doubled in both directions around its centre.
ViewWindow ZoomedOut(const ViewWindow& v);

// Draws the candidate window and makes it the View only when it was drawn.
bool ShowWindow(MapScene& scene, const ViewWindow& candidate);

// "Zoom Tutto": the whole Extent.
bool ZoomTutto(MapScene& scene);
// "Zoom Indietro": the window doubled around its centre; resets the editors'
// current entity.
bool ZoomIndietro(MapScene& scene, long& editCursor);

enum class EntityKind { Road, Track, Source };

struct Pick {
  EntityKind kind = EntityKind::Road;  // whose editor opens
  long entity = 0;                     // 0: nothing to pick
};

// The road vertex, track vertex or source nearest to (x, y). Ties go to the one
// met first: roads before tracks before sources, lower numbers first.
Pick PickEntity(const Project& p, double x, double y);

// A press of any button but the left one: picks and stores the entity in
// selectedEntity (unchanged when there is nothing to pick). Returns the kind
// whose editor the window opens.
EntityKind PickForEdit(const Project& p, double x, double y, long& selectedEntity);

}  // namespace sonvale
