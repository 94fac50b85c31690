// The layer marks of the "&Visualizza" menu: which item shows which kind of
// entity, and the toggle that flips one and redraws the map.
#pragma once

#include <string>

#include "commands/app_state.h"
#include "view/layers.h"
#include "view/zoom.h"

namespace sonvale {

struct LayerItem {
  const char* name;
  const char* caption;
  bool LayerVisibility::*shown;
};

inline constexpr LayerItem kLayerItems[] = {
    {"ViewStrade", "Strade", &LayerVisibility::Strade},
    {"ViewCase", "Case", &LayerVisibility::Case},
    {"ViewLcase", "Label Case", &LayerVisibility::Lcase},
    {"ViewBinari", "Binari", &LayerVisibility::Binari},
    {"ViewBarriere", "Barriere", &LayerVisibility::Barriere},
    {"ViewLbarriere", "Label Barriere", &LayerVisibility::Lbarriere},
    {"ViewPunti", "Punti", &LayerVisibility::Punti},
    {"ViewSorgenti", "Sorgenti", &LayerVisibility::Sorgenti},
    {"ViewIncroci", "Incroci", &LayerVisibility::Incroci},
    {"ViewSezioni", "Sezioni", &LayerVisibility::Sezioni},
    {"ViewEchoray", "Echoray", &LayerVisibility::Echoray},
};

// The switch behind a layer item; nullptr for any other item.
bool* LayerFlag(LayerVisibility& layers, const std::string& item);
const bool* LayerFlag(const LayerVisibility& layers, const std::string& item);

// A click on a layer item: inverts its mark, then redraws the map from blank.
void CmdToggleLayer(AppState& app, const std::string& item);

// The status line after a right click has picked an entity: its kind and number.
std::string PickedEntityText(EntityKind kind, long entity);

}  // namespace sonvale
