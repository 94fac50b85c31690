// The "Uscite GIS" box of the mapping dialog: GeoTIFF and isophones of the day
// and night grids, with the colour scheme of the isophones, bound to a
// MapGisOutputs that the window keeps for the session.
#pragma once

#include <QGroupBox>

#include "commands/map_gis_outputs.h"

namespace sonvale {

class MapGisBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit MapGisBox(MapGisOutputs& outputs, QWidget* parent = nullptr);
};

}  // namespace sonvale
