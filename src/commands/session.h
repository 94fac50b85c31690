// The session around a document: what the user has chosen and where the editors
// stand since the program started (current entities, cursors, import modes, the
// engine, the menu marks, the last results). None of it is saved with the project.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "exchange/csv_nodes_arcs.h"
#include "exchange/csv_options.h"
#include "model/map_geometry.h"
#include "propagation/energy_engine.h"
#include "propagation/grid_tiles.h"
#include "propagation/node_pool.h"
#include "propagation/point_calc.h"
#include "view/layers.h"
#include "view/zoom.h"

namespace sonvale {

class Ui;

// How the internal engine computes: which engine, on how many threads, and for a
// map split across machines the tile of this run. The window and the command
// line start from the same choice: the fast engine on every core.
struct EngineChoice {
  EngineKind kind = EngineKind::Fast;
  int threads = DefaultThreadCount();
  std::optional<TileSpec> tile;
};

struct Session {
  bool StopRequested = false;
  bool RegionalOK = true;
  bool TracerMissing = false;
  short RecMode = 0;  // receivers of "Salva &Ray...": 0 grid, 1 RECEIVERS, 2 PUNTI
  // Emission-level drawing: levels at 7.5 m (true) or at the facade (false).
  bool EmisAt75 = true;

  // Import modes: the three exclusive ones are only menu marks.
  bool LimitaPlans = false, Riconosci = false, Accorpa = false;
  // Kept for the session by the drawing imports: the last row number typed into
  // the Insert box and the road number proposed by the last road file's name.
  long DxfInsertNumber = 0, DxfRoadNumber = 0;
  // The "Opzioni CSV" settings and the node table of the last node import.
  CsvOptions csvOptions;
  CsvNodeTable csvNodes;
  EngineChoice engine;
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

  // The external tracer's last launch mode (0..3), kept for the session.
  long LaunchMode = 0;

  // The point window's receiver set and the levels it computed: both outlive the
  // window and are shown again when it reopens.
  ReceiverSet PointSet = ReceiverSet::Punti;
  PointResults pointResults;

  // The texts of the façade exposure dialog's last run, and the project they
  // were for: the dialog opens with them again for that project.
  std::string ExposureProject;
  std::vector<std::string> ExposureTexts;

  bool isChecked(const std::string& item) const;
  void setChecked(Ui& ui, const std::string& item, bool checked);
  void setEnabled(Ui& ui, const std::string& item, bool enabled);
};

}  // namespace sonvale
