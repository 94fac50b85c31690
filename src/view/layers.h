// Which kinds of entity the map draws: the layer marks of the "&Visualizza"
// menu. Every kind starts shown; the labels of buildings and barriers start hidden.
#pragma once

namespace sonvale {

struct LayerVisibility {
  bool Strade = true, Case = true, Lcase = false, Binari = true, Barriere = true, Lbarriere = false,
       Punti = true, Sorgenti = true, Incroci = true, Sezioni = true, Echoray = true;
};

// Every layer shown, labels included: opening, saving or starting a project does this.
inline LayerVisibility AllLayersShown() {
  LayerVisibility v;
  v.Lcase = v.Lbarriere = true;
  return v;
}

}  // namespace sonvale
