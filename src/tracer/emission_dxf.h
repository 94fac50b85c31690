// The emission-level drawing: every road and railway segment as a filled band
// coloured by its emission level, with the level written beside it, as an ASCII
// DXF file; the same bands and numbers are painted on the map while the file is
// made. The level is taken at the 7.5 m reference distance or at the facade (half
// the road width), for the period of the project's Diurno.
#pragma once

#include <string>

#include "model/project.h"
#include "platform/work_report.h"
#include "project/configuration.h"
#include "view/canvas.h"

namespace sonvale {

// The level of a road or track segment starting at vertex v (whose start and end
// widths are used), for the entity's level L of the period and its building
// heights. The street correction applies in both distance modes. Whole dB,
// rounded half up, within the 16-bit range.
int SegmentEmissionLevel(const LineVertex& v, double L, double HmedSX, double HmedDX,
                         const Configuration& c, bool emisAt75);

// The AutoCAD colour index of a band: 190 at 50 dB falling by 10 for every
// 1/0.6 dB, kept within 10..190.
int BandColour(int level);

// The drawing as text (CR LF lines). With a canvas, each band is painted as a
// thick line in the level colour scale and each level as a text centred on its
// segment, and the pen width is 1 pixel again at the end; with a report, each
// label is an item.
std::string EmissionDxfText(const Project& p, const Configuration& c, bool emisAt75,
                            Canvas* canvas = nullptr, WorkReport* report = nullptr);

// Writes the drawing to fileName (replacing it only once complete); throws
// FileError when it cannot be written.
void WriteEmissionDxf(const Project& p, const Configuration& c, bool emisAt75,
                      const std::string& fileName, Canvas* canvas = nullptr,
                      WorkReport* report = nullptr);

}  // namespace sonvale
