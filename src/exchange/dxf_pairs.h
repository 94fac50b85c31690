// Group-pair reading of ASCII DXF drawings: one call reads one group pair (or one
// whole point) into the shared pair state, the way the polyline reader and the
// face and circle readers want it. Lines may end with CR LF, LF or CR, and group
// codes may carry blanks around them. Binary DXF files are refused.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sonvale {

// The state left by the last pair read; shared by every routine of one reading.
struct DxfPair {
  int code = -1;      // group code of the last pair; -1 before the first one
  std::string value;  // last value of a code below 10 or of 90 and above
  double x = 0, y = 0;
  double z = 0;
  double width1 = 0, width2 = 0;  // codes 40 and 41; 43 sets both
  short flags = 0;                // last 70..79 value
  bool closed = false;            // a 70..79 value had bit 0 set; reset by the readers
  double radius = 0;              // circle variant: the code + 30 after a point
  double scratch = 0;             // values nothing uses (bulges, angles, colours, ...)
};

// How points are assembled. Polyline: a point code takes only its Y partner; the
// Z arrives as a pair of its own. Face: a point takes its Y and, when present, its
// Z partner. Circle: as Face, then also the code + 30 as radius. In the last two a
// point is delivered (code 10..19 left in the state) only when it is complete.
enum class DxfVariant { Polyline, Face, Circle };

class DxfPairReader {
 public:
  // Reads the whole file; throws FileError when it cannot be read and
  // FormatError when it is a binary DXF.
  DxfPairReader(const std::string& fileName, DxfVariant variant);
  // Reads from a text already in memory; name is used in error messages.
  DxfPairReader(std::string name, std::string content, DxfVariant variant);

  // True when only blanks and line ends remain.
  bool atEnd() const;
  // Reads one pair (or one point) into p. At the end of the file nothing is read,
  // p is left as it was and false is returned. A format error throws FormatError.
  bool read(DxfPair& p);
  // Reads pairs up to and including the "2 ENTITIES" pair that follows a
  // "0 SECTION" pair; false when the file ends first.
  bool findEntities(DxfPair& p);

  // For readers that carry on past a point code whose Y partner is missing: the
  // point is then not delivered, report gets the code found in the Y's place and
  // its line, and that code is read in its place. Y codes arriving on their own
  // (20..29, 80..89) are then skipped like every other code nothing reads.
  // Without it both stop the reading with FormatError.
  void carryOnPastBadPoints(std::function<void(int codeFound, long line)> report);

  // Line (1-based) of the last group code read.
  long line() const { return codeLine_; }
  const std::string& fileName() const { return name_; }
  // Throws a FormatError at the last group code read.
  [[noreturn]] void fail(const std::string& message) const;

 private:
  bool nextLine(std::string_view& out);
  bool readCode(int& code);
  std::string_view readValue(int code);
  double readNumber(int code);
  // Handles one code other than a point code; the value line follows.
  void dispatch(DxfPair& p, int code);
  void readPolylinePoint(DxfPair& p, int code);
  void readFullPoint(DxfPair& p, int code);

  std::string name_;
  std::string content_;
  DxfVariant variant_;
  std::function<void(int, long)> badPointReport_;
  size_t pos_ = 0;
  long lineNo_ = 0;  // lines consumed so far
  long codeLine_ = 0;
};

// The value with blanks removed at both ends, for comparing control words.
std::string_view DxfKeyword(std::string_view value);

}  // namespace sonvale
