// RAY geometry files: the entity lists of plane faces, wall openings, point
// sources and receivers exchanged with the room-acoustics tracers. The reader
// fills the room-acoustics tables of a Project; the writer turns the Project into
// an entity list in which every road and track is a chain of point sources.
#pragma once

#include <stdexcept>
#include <string>

#include "model/map_geometry.h"
#include "model/project.h"
#include "project/configuration.h"
#include "text/translatable.h"

namespace sonvale {

// Reads fileName into the faces, holes, doors, sources and receivers of p and
// returns true; a wildcard name ("*.ray" in any case, "*.*") reads nothing and
// returns false.
//
// A record is recognised by the first three letters of the first word of a
// line, in any case (FAC, HOL, DOO, SOU, SPE, REC, WAL, END); other lines are
// ignored. The word ends where its letters end when a number follows at once
// ("Face-1 ..."), so a negative first value is kept. Its values follow the keyword, separated by
// blanks or commas, and may continue on the following lines; a line that begins with a word while
// values are still due, or the end of the file, makes the record incomplete. A source takes the
// rest of the line of its last value, after the separator that ends it, as its name. An opening
// belongs to the face read last. After the final "End" come, while the file has more: a label line,
// six (label, number) pairs into section X1, Y1, Z1, X2, Y2, Z2 and two (label, integer) pairs into
// NdivX, NdivY (fields end at a comma or a line end, quotes delimit texts; a count written with
// decimals is rounded half to even). A face has 3 or 4 vertices, a hole up to 50 and a door up
// to 5.
//
// The extent starts empty and is widened by every face vertex, source and
// receiver, so a file without them leaves it empty. Bad values, incomplete
// records and tables read past their capacity throw FormatError naming the
// line; a missing file throws FileError. On any error p and section are left as
// they were.
bool ReadRay(const std::string& fileName, Project& p, SectionLine& section);

// Receiver modes of the writer: an automatic grid, the room-acoustics receivers,
// the receiver points. Any other value is taken as the grid.
inline constexpr short kRayGrid = 0;
inline constexpr short kRayReceivers = 1;
inline constexpr short kRayPunti = 2;

// A setting that makes the RAY file impossible to write (a grid without
// divisions, a source spacing that is not positive).
class RayWriteRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline const char* const kRayDivisionsRefused =
    SV_TR("sonvale",
          "Il numero di divisioni della griglia di ricevitori deve essere almeno 1: il file .RAY "
          "non viene scritto");
inline const char* const kRaySpacingRefused = SV_TR(
    "sonvale",
    "Il passo delle sorgenti (PassoSorgenti) deve essere positivo: il file .RAY non viene scritto");
// The road and track sources of one file are bounded, so that a stray vertex
// far away cannot make the writer exhaust the memory.
inline constexpr long kMaxRayChainSources = 2000000;
inline const char* const kRayTooManySources =
    "Troppe sorgenti lungo strade e binari (più di 2000000): aumentare PassoSorgenti o "
    "controllare le coordinate";

// Throws RayWriteRefused when WriteRay would refuse these settings; lets a
// caller refuse before it writes anything else.
void CheckRayWritable(const Project& p, const Configuration& c, const SectionLine& section,
                      short recMode);

// Writes the Project as the RAY file fileName (replacing it only once complete).
// Faces inside walls are wrapped in " Wall" ... " End"; a negative flag is
// written after a blank that separates it from the keyword; the holes and doors of a
// face follow its line, also for a face outside a wall, so that no opening is
// lost when the file is read back. Roads and tracks become chains of sources
// PassoSorgenti apart, the spacing carried across vertices, that name the SPK
// file of their road or track (SpkFileName). The receiver grid of mode 0 is
// vertical (NdivO x NdivZ) when section.Z1 differs from section.Z2, else
// horizontal (NdivX x NdivY). Throws RayWriteRefused for a grid division count
// below 1 or a spacing that is not positive, FileError when the file cannot be
// written.
void WriteRay(const std::string& fileName, const Project& p, const Configuration& c,
              const SectionLine& section, short recMode);

}  // namespace sonvale
