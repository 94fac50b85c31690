// The drawing of a town as a consultant would hand it over for import: every
// kind on its configured layer (roads and tracks as LWPOLYLINE with widths and
// elevation, barriers and buildings as 3-D POLYLINE, sections as vertical
// 3DFACE, plans as closed 3-D POLYLINE on the sections layer, receiver points,
// crossings and point sources as CIRCLE, a source's radius being its sound power
// level). ASCII with CR LF lines, a release 2000 header and layer table, no
// handles. Names, traffic and the room-acoustics model are not part of it.
#pragma once

#include <string>

#include "model/project.h"
#include "project/configuration.h"

namespace sonvale {

std::string TownDxfText(const Project& p, const Configuration& config);

}  // namespace sonvale
