// Surfer grid files: the text grid (DSAA) that maps are written to and terrain is
// read from, the binary grid (DSBB) read back from the external tracer, the blank
// value, and the names of the day and night map files.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace sonvale {

// A node without a value. Compared for exact equality; in a binary grid it is the
// single-precision value with bytes EE FF FF 7E.
inline constexpr double kBlankValue = 1.70141e38;
inline constexpr uint32_t kBlankSingleBits = 0x7EFFFFEEu;

struct GridHeader {
  int nx = 0, ny = 0;  // columns and rows of nodes
  double xlo = 0, xhi = 0, ylo = 0, yhi = 0, zlo = 0, zhi = 0;
};

// Node values of a grid, row by row from the south (j outer, i inner).
struct GridData {
  GridHeader header;
  std::vector<double> values;
  std::string identifier = "DSAA";  // the first word of a text grid as read

  int nx() const { return header.nx; }
  int ny() const { return header.ny; }
  double& value(int i, int j) { return values[index(i, j)]; }
  double value(int i, int j) const { return values[index(i, j)]; }
  size_t index(int i, int j) const {
    return static_cast<size_t>(j) * static_cast<size_t>(header.nx) + static_cast<size_t>(i);
  }
};

// Writes a text grid node by node, as the map passes compute it. Lines end with
// CR LF; every value is a blank followed by its print form, ten values to a line,
// and each row is closed by endRow (line break when the line is not full, then an
// empty line). The grid is written to a temporary file beside it, which replaces
// the file of that name on close(); a writer destroyed without close() removes it
// and leaves an earlier file as it was. Any failure to create or write the file
// throws FileError naming it.
class DsaaWriter {
 public:
  // The identifier is the file's first line.
  DsaaWriter(std::string path, const GridHeader& header, std::string_view identifier = "DSAA");
  ~DsaaWriter();
  DsaaWriter(const DsaaWriter&) = delete;
  DsaaWriter& operator=(const DsaaWriter&) = delete;

  void value(double v);
  // Ends the current row; also used for a row cut short by a stop.
  void endRow();
  // Flushes and closes; throws FileError when the data could not be written.
  void close();
  const std::string& path() const { return path_; }

 private:
  void put(const std::string& text);
  void check();
  std::string path_;
  std::string tempPath_;  // where the grid is written until close()
  std::ofstream out_;
  int onLine_ = 0;
  bool closed_ = false;
};

// Reads a text grid as terrain. The identifier is kept but not checked; numbers are
// separated by blanks, commas or line breaks, empty lines are skipped, and the
// rest of the line after the last value of a row is discarded. A binary grid
// (DSBB, DSRB) is refused as such. Throws FileError
// when the file cannot be read and FormatError (file and line) when a number is
// malformed, nx or ny is below 2, or the file holds fewer values than announced.
GridData ReadTerrainGrid(const std::string& path);

// Reads the terrain of a map the same way, and refuses (FormatError naming the file
// and line) bounds that enclose no area (low bound not below the high one) or lie
// beyond 1e9 m: node heights at such places would be meaningless.
GridData ReadTerrainHeights(const std::string& path);

// Reads a binary grid (little-endian). A file that does not start with "DSBB" is
// refused with FormatError "Problem reading GRD file"; so is a header with nx or
// ny not above 0, or a file shorter than its header announces. Blank nodes are
// returned as kBlankValue, other values widened from single precision.
GridData ReadBinaryGrid(const std::string& path);

inline const char* const kGrdReadProblem = "Problem reading GRD file";

// The output base name: when the file name holds "_d." (case-sensitive) after its
// first character, it is cut before that sequence and ".grd" appended.
std::string NormaliseGrdName(const std::string& name);
// The file of one map pass: the base name less its last four characters,
// followed by "_D.grd" (day) or "_N.grd" (night).
std::string PassFileName(const std::string& grdName, bool day);

}  // namespace sonvale
