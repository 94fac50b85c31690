// The room-acoustics drawing import: 3DFACEs become wall faces whose material
// comes from the layer (by number, or by name through the materials file
// echoray.mat in the program folder), polylines on HOLES and DOORS become wall
// openings attached to the new face that holds them, circles and attribute
// definitions on SOURCES become point sources, lines on RECEIVERS receivers with
// an aiming point.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "platform/work_report.h"
#include "project/configuration.h"

namespace sonvale {

inline const char* const kMaterialsFileName = "echoray.mat";
inline constexpr size_t kMaxMaterialLines = 1024;
// An opening is attached to a face whose vertex box, widened by this much on
// every side, holds all of its vertices.
inline constexpr double kOpeningTolerance = 0.001;

// The materials file of the program folder.
std::string MaterialsPath(const std::string& programDir);

// The material names of a materials file, upper-cased, indexed by material number
// (the line number counted from 0). A line names a material when, after its
// leading blanks, a comma follows its first character: the name is the text
// between the first blank and the first comma, trimmed ("12 CONCRETE , .02, ..."
// names CONCRETE); it is empty when the comma comes first or there is no blank.
// Other lines take a number and no name. Throws FileError when the file cannot be
// read (or is a folder) and FormatError past line 1024.
std::vector<std::string> ReadMaterialNames(const std::string& path);

// What one import brought in.
struct RoomImportCounts {
  long faces = 0;         // faces added
  long droppedFaces = 0;  // 3DFACEs whose layer gave material 0
  long holes = 0, doors = 0;
  long unattachedHoles = 0, unattachedDoors = 0;
  long sources = 0, receivers = 0;
  long pointsWithoutY = 0;      // point codes not followed by their Y, not used
  long firstPointWithoutY = 0;  // the line of the first code found in a Y's place
};

// Reads the drawing fileName into the Project, the materials file of programDir
// giving the material numbers of named layers; config supplies Hsorg, the aiming
// height of circle sources below their centre. Faces, sources and receivers are
// appended after the current counts (a caller that wants to replace them sets the
// counts first); holes and doors are replaced, and are attached only to the faces
// this import adds. A hole or door keeps its vertices in order, a closing repeat
// of the first one included; one without vertices is not kept. The extent is
// widened with every face, source and receiver of the Project.
//
// The status line shows the progress and each opening that fits no face ("No
// FACE found for HOLE no. 3 !!!"); an attribute source whose spectrum file cannot
// be read keeps Lw 0, which the calculations fill again from the file, and is
// reported on the status line too. A point code not followed by its Y code shows
// "Invalid Y coord code " and the code found; that point is not used, the code
// found is read in its place and the import carries on.
//
// All or nothing: a FileError (missing drawing or materials file), a FormatError
// (bad pair, no ENTITIES section, a drawing cut short, a table or vertex list that
// would overflow, a layer number beyond 16 bits) leaves the Project exactly as it
// was.
RoomImportCounts ImportRoomDxf(const std::string& fileName, Project& project,
                               const Configuration& config, const std::string& programDir,
                               WorkReport& report);

}  // namespace sonvale
