// The layer marks of the "&Visualizza" menu: which item shows which kind of
// entity, and the toggle that flips one and redraws the map.
#pragma once

#include <string>

#include "commands/app_state.h"
#include "text/translatable.h"
#include "view/layers.h"
#include "view/zoom.h"

namespace sonvale {

struct LayerItem {
  const char* name;
  const char* caption;
  bool LayerVisibility::*shown;
};

inline constexpr LayerItem kLayerItems[] = {
    {"ViewStrade", SV_TR("sonvale", "Strade"), &LayerVisibility::Strade},
    {"ViewCase", SV_TR("sonvale", "Case"), &LayerVisibility::Case},
    {"ViewLcase", SV_TR("sonvale", "Label Case"), &LayerVisibility::Lcase},
    {"ViewBinari", SV_TR("sonvale", "Binari"), &LayerVisibility::Binari},
    {"ViewBarriere", SV_TR("sonvale", "Barriere"), &LayerVisibility::Barriere},
    {"ViewLbarriere", SV_TR("sonvale", "Label Barriere"), &LayerVisibility::Lbarriere},
    {"ViewPunti", SV_TR("sonvale", "Punti"), &LayerVisibility::Punti},
    {"ViewSorgenti", SV_TR("sonvale", "Sorgenti"), &LayerVisibility::Sorgenti},
    {"ViewIncroci", SV_TR("sonvale", "Incroci"), &LayerVisibility::Incroci},
    {"ViewSezioni", SV_TR("sonvale", "Sezioni"), &LayerVisibility::Sezioni},
    {"ViewEchoray", SV_TR("sonvale", "Echoray"), &LayerVisibility::Echoray},
};

// The switch behind a layer item; nullptr for any other item.
bool* LayerFlag(LayerVisibility& layers, const std::string& item);
const bool* LayerFlag(const LayerVisibility& layers, const std::string& item);

// A click on a layer item: inverts its mark, then redraws the map from blank.
void CmdToggleLayer(AppState& app, const std::string& item);

// "Legenda" of "&Visualizza": the colour scale beside a map, shown until the
// user hides it.
inline const char* const kLegendItem = "ViewLegenda";
bool LegendShown(const Session& session);
void CmdToggleLegend(Session& session);

// The status line after a right click has picked an entity: its kind and number.
std::string PickedEntityText(EntityKind kind, long entity);

}  // namespace sonvale
