#include "commands/view_commands.h"

#include "text/translatable.h"

namespace sonvale {

const bool* LayerFlag(const LayerVisibility& layers, const std::string& item) {
  for (const LayerItem& l : kLayerItems) {
    if (item == l.name) return &(layers.*l.shown);
  }
  return nullptr;
}

bool* LayerFlag(LayerVisibility& layers, const std::string& item) {
  return const_cast<bool*>(LayerFlag(static_cast<const LayerVisibility&>(layers), item));
}

void CmdToggleLayer(AppState& app, const std::string& item) {
  bool* shown = LayerFlag(app.layers, item);
  if (!shown) return;
  *shown = !*shown;
  app.view().drawMap(true);
}

bool LegendShown(const Session& session) {
  auto it = session.menuChecked.find(kLegendItem);
  return it == session.menuChecked.end() || it->second;
}

void CmdToggleLegend(Session& session) { session.menuChecked[kLegendItem] = !LegendShown(session); }

std::string PickedEntityText(EntityKind kind, long entity) {
  const char* name = kind == EntityKind::Road    ? "Strada"
                     : kind == EntityKind::Track ? "Binario"
                                                 : "Sorgente";
  return std::string(SV_TR("sonvale", "Selezionata: ")) + name + " n. " + std::to_string(entity);
}

}  // namespace sonvale
