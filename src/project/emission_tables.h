// The emission tables read at start-up from the table files: single-event
// levels and directivity of roads and railway tracks.
#pragma once

#include <string>
#include <vector>

namespace sonvale {

// A dense table of reals indexed from 1 in four dimensions.
class Table4 {
 public:
  Table4() = default;
  Table4(int n1, int n2, int n3, int n4)
      : n1_(n1), n2_(n2), n3_(n3), n4_(n4), data_(static_cast<size_t>(n1 * n2 * n3 * n4), 0.0) {}
  // Indices are 1-based; callers keep them in range (classes are clamped before a
  // look-up), and an index outside the table throws std::out_of_range.
  double& at(int i1, int i2, int i3, int i4) { return data_[index(i1, i2, i3, i4)]; }
  double at(int i1, int i2, int i3, int i4) const { return data_[index(i1, i2, i3, i4)]; }
  int size(int dim) const { return dim == 1 ? n1_ : dim == 2 ? n2_ : dim == 3 ? n3_ : n4_; }

 private:
  size_t index(int i1, int i2, int i3, int i4) const;
  int n1_ = 0, n2_ = 0, n3_ = 0, n4_ = 0;
  std::vector<double> data_;
};

struct EmissionTables {
  Table4 SelStrade{9, 8, 5, 5};   // [t 1..9, flow class s 1..8, vehicle v 1..5, block w 1..5]
  Table4 DirStrade{9, 8, 5, 10};  // [t, s, v, row d 1..10]
  Table4 SelBinari{9, 4, 3, 2};   // [t, speed class s 1..4, train class c 1..3, block w 1..2]
  Table4 DirBinari{9, 4, 3, 10};  // [t, s, c, d]
};

// Loads the four families from folder (ProgramDir + TablesDir); throws FileError
// or FormatError naming the missing or short file.
//
// File names: prefix + first index + "v" + second index + ".txt" ("selsc3v2.txt"),
// opened in the order selsc, dirsc, seltc, dirtc with the first index outer, so a
// missing file reported is the first one missing in that order. Each file starts
// with two free lines, then fields (FieldReader rules, line breaks are free):
//   selsc: 5 blocks w of: text, 9 values t, text        -> SelStrade[t, s, v, w]
//   dirsc: 10 rows d of: angle, 9 values t              -> DirStrade[t, s, v, d]
//   seltc: text, 9 values, text; then text, 9 values    -> SelBinari[t, s, c, w]
//   dirtc: 10 rows d of: row number, 9 values t         -> DirBinari[t, s, c, d]
// Anything after the last value is ignored.
EmissionTables LoadEmissionTables(const std::string& folder);

}  // namespace sonvale
