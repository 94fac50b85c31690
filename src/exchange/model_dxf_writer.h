// The DXF drawing of the whole model (release 12, ASCII, CR LF lines): the
// room-acoustics faces, holes, doors, receivers and point sources, and the
// roads, barriers and buildings of the town with their labels. Tracks,
// crossings, receiver points, sections and plans are not part of it. Roads,
// barriers and buildings come back through the polyline import when the
// configured layer names are the ones written here (STRADE, BARRIERE, CASE).
#pragma once

#include <string>

#include "model/project.h"

namespace sonvale {

// The whole file as text.
std::string ModelDxfText(const Project& p);

// Creates or replaces fileName with ModelDxfText(p); an old file is replaced
// only once the new one is complete. Throws FileError when it cannot be written.
void WriteModelDxf(const Project& p, const std::string& fileName);

}  // namespace sonvale
