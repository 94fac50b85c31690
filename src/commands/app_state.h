// The application state: the document, the session around it and the map view
// the commands draw on. A command takes the part it needs; the few that span
// document and session take the whole state.
#pragma once

#include "commands/document.h"
#include "commands/map_view.h"
#include "commands/session.h"
#include "tracer/tracer_job.h"

namespace sonvale {

class AppState : public Document, public Session {
 public:
  // The window's map; without one (command line, tests) nothing is drawn.
  MapView& view() { return view_ ? *view_ : noView_; }
  void setView(MapView* view) { view_ = view; }

  TracerContext tracerContext() { return {project, config, Grid, Section, ProgramDir}; }

 private:
  MapView* view_ = nullptr;
  MapView noView_;
};

// Menu item names of the drawing imports whose marks show what was loaded.
inline const char* const kDxfImportItems[] = {
    "openDXF",      "openDXFstrade",   "openDXFbinari",  "openDXFcase",    "openDXFbarriere",
    "openDXFpunti", "OpenDXFsorgenti", "openDXFincroci", "openDXFsezioni", "openDXFconetrak"};

}  // namespace sonvale
