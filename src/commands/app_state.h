// The application state kept beside the Project: configuration and tables read
// at start-up, the saved flag, the stop flag, menu marks, import modes, layer
// visibility and the file names of the session.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "exchange/csv_nodes_arcs.h"
#include "exchange/csv_options.h"
#include "model/map_geometry.h"
#include "model/project.h"
#include "project/configuration.h"
#include "project/emission_tables.h"
#include "propagation/energy_engine.h"
#include "propagation/grid_tiles.h"
#include "tracer/tracer_job.h"
#include "view/canvas.h"
#include "view/layers.h"
#include "view/zoom.h"

namespace sonvale {

class Ui;

struct AppState {
  Project project;
  Configuration config;
  EmissionTables tables;
  std::string ProgramDir;  // ends without a separator

  bool Saved = true;
  bool StopRequested = false;
  bool RegionalOK = true;
  bool TracerMissing = false;
  std::string ProjectBase = "*";
  std::string RayFileName;
  short RecMode = 0;  // receivers of "Salva &Ray...": 0 grid, 1 RECEIVERS, 2 PUNTI
  std::string EmissionDxfName;
  // Emission-level drawing: levels at 7.5 m (true) or at the facade (false).
  bool EmisAt75 = true;

  // Import modes: the three exclusive ones are only menu marks.
  bool LimitaPlans = false, Riconosci = false, Accorpa = false;
  // Kept for the session by the drawing imports: the last row number typed into
  // the Insert box and the road number proposed by the last road file's name.
  long DxfInsertNumber = 0, DxfRoadNumber = 0;
  // The "Opzioni CSV" settings and the node table of the last node import, kept
  // for the session (neither is saved in the project file).
  CsvOptions csvOptions;
  CsvNodeTable csvNodes;
  // How the internal engine computes: which engine, on how many threads, and for
  // a map split across machines the tile of this run.
  struct {
    EngineKind kind = EngineKind::Fast;
    int threads = 1;
    std::optional<TileSpec> tile;
  } engine;
  LayerVisibility layers;
  GridBounds Grid;
  SectionLine Section;
  // The entity picked by the last right click on the map.
  long SelectedEntity = 0;
  // The current entity of the three traffic editors, shared by them and kept
  // between openings, and the one highlighted on the map (0: none) with its kind.
  long CurrentRoad = 0, HighlightedRoad = 0;
  EntityKind HighlightedKind = EntityKind::Road;
  // The map's own editing cursor, reset by every zoom start and "Zoom Indietro";
  // it is not the editors' number, so zooming leaves an open editor where it is.
  long EditCursor = 0;
  // The road editor's zoom around the current road; 0 stands for 5.
  double ZoomFactor = 0;

  // Menu check marks and enabled state by item name (`Append`, `openDXFstrade`,
  // `Calcolo` for the whole menu ...). Items absent from the map are unchecked
  // and enabled.
  std::map<std::string, bool> menuChecked;
  std::map<std::string, bool> menuEnabled;

  // Seams to the map picture; the window sets them, elsewhere they do nothing.
  std::function<void(bool clear)> drawMap;
  std::function<void()> clearPicture;
  std::function<void(bool suspended)> suspendPicture;
  std::function<void(bool visible)> showMainWindow;
  // Draws over the map picture as it stands (the editors' highlight).
  std::function<void(const std::function<void(Canvas&)>& draw)> paintOnMap;

  // The external tracer: the last launch mode chosen (0..3, kept for the session)
  // and the launcher dialog, which edits it; unset, the mode stands as it is.
  long LaunchMode = 0;
  std::function<void(long& launchMode)> chooseLaunchMode;

  // The point window's receiver set and the levels it computed: both outlive the
  // window and are shown again when it reopens.
  ReceiverSet PointSet = ReceiverSet::Punti;
  PointResults pointResults;

  TracerContext tracerContext() { return {project, config, Grid, Section, ProgramDir}; }

  bool isChecked(const std::string& item) const;
  void setChecked(Ui& ui, const std::string& item, bool checked);
  void setEnabled(Ui& ui, const std::string& item, bool enabled);
};

// Menu item names of the drawing imports whose marks show what was loaded.
inline const char* const kDxfImportItems[] = {
    "openDXF",      "openDXFstrade",   "openDXFbinari",  "openDXFcase",    "openDXFbarriere",
    "openDXFpunti", "OpenDXFsorgenti", "openDXFincroci", "openDXFsezioni", "openDXFconetrak"};

}  // namespace sonvale
