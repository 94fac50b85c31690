// Splitting a map across processes or machines: tile K of N computes a band of
// rows and writes a partial grid; the merge joins the parts of one map into a
// file byte-identical to the grid a single run writes. A partial grid is the
// single run's text grid (its full header and the band's rows, written by the
// same writer) followed by one closing line "SONVALE-PART K N FIRST LAST INPUTS",
// which is written only when every row of the band is complete. INPUTS, 16
// hexadecimal digits, is a fingerprint of what the map was computed from (the
// model, the emissions, the settings and the receivers of every node), so that
// tiles of different runs are not joined; tiles written before it was kept have
// none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "propagation/grid_file.h"

namespace sonvale {

struct TileSpec {
  int k = 1, n = 1;  // tile k of n, 1 <= k <= n
  bool operator==(const TileSpec&) const = default;
};

// "K/N" with 1 <= K <= N <= 100000; nullopt otherwise.
std::optional<TileSpec> ParseTile(std::string_view text);

// Rows first .. last-1 of a grid of `rows` rows: N bands as even as can be, the
// earlier ones never longer than the later ones.
struct RowRange {
  int first = 0, last = 0;
  bool contains(int row) const { return row >= first && row < last; }
};
RowRange TileRows(int rows, TileSpec tile);

// The partial grid of a tile beside the map file: "area_D.grd" gives
// "area_D.grd.part3of8".
std::string TilePartName(const std::string& gridFile, TileSpec tile);

// Writes a partial grid: values and row ends exactly as DsaaWriter, for the rows
// of the tile only; close() adds the closing line. Throws FileError.
class PartialGridWriter {
 public:
  PartialGridWriter(std::string path, const GridHeader& header, TileSpec tile, RowRange rows,
                    uint64_t inputs);
  void value(double v) { grid_.value(v); }
  void endRow() { grid_.endRow(); }
  // Completes the part: only a closed part can be merged.
  void close();
  // Closes a part cut short (a stopped pass), leaving it unmergeable.
  void closeUnfinished() { grid_.close(); }

 private:
  std::string path_;
  DsaaWriter grid_;
  TileSpec tile_;
  RowRange rows_;
  uint64_t inputs_;
};

// Joins the parts (any order, each tile 1..N exactly once, all of one map and
// of the same inputs) into output, replacing it only once complete. Throws
// FormatError naming the part and line when a part is unfinished, foreign,
// duplicated or missing, and FileError when a file cannot be read or written.
void MergeGridParts(const std::string& output, const std::vector<std::string>& parts);

}  // namespace sonvale
