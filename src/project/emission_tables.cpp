#include "project/emission_tables.h"

#include <stdexcept>

#include "text/field_reader.h"
#include "text/number_text.h"

namespace sonvale {

size_t Table4::index(int i1, int i2, int i3, int i4) const {
  // A class computed from bad data must never reach memory outside the table, in
  // any build: a wrong level is a bug to find, a stray read is a crash or worse.
  if (i1 < 1 || i1 > n1_ || i2 < 1 || i2 > n2_ || i3 < 1 || i3 > n3_ || i4 < 1 || i4 > n4_)
    throw std::out_of_range("table index (" + PlainInteger(i1) + ", " + PlainInteger(i2) + ", " +
                            PlainInteger(i3) + ", " + PlainInteger(i4) + ") outside (" +
                            PlainInteger(n1_) + ", " + PlainInteger(n2_) + ", " +
                            PlainInteger(n3_) + ", " + PlainInteger(n4_) + ")");
  size_t i = static_cast<size_t>(i1 - 1);
  i = i * static_cast<size_t>(n2_) + static_cast<size_t>(i2 - 1);
  i = i * static_cast<size_t>(n3_) + static_cast<size_t>(i3 - 1);
  i = i * static_cast<size_t>(n4_) + static_cast<size_t>(i4 - 1);
  return i;
}

namespace {

constexpr int kValuesPerRow = 9;
constexpr int kDirectivityRows = 10;

std::string TableFile(const std::string& folder, const char* prefix, int first, int second) {
  std::string name = prefix + PlainInteger(first) + "v" + PlainInteger(second) + ".txt";
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void ReadValues(FieldReader& in, Table4& table, int s, int v, int w) {
  for (int t = 1; t <= kValuesPerRow; ++t) table.at(t, s, v, w) = in.readNumber();
}

// A level file: blocks of a caption, nine values and, except for the last block of a
// railway file, a closing text.
void ReadLevelFile(const std::string& path, Table4& table, int s, int v, int blocks,
                   bool lastBlockClosed) {
  FieldReader in(path);
  in.skipLine();
  in.skipLine();
  for (int w = 1; w <= blocks; ++w) {
    in.readText();
    ReadValues(in, table, s, v, w);
    if (w < blocks || lastBlockClosed) in.readText();
  }
}

// A directivity file: ten rows of a leading field (angle or row number) and nine values.
void ReadDirectivityFile(const std::string& path, Table4& table, int s, int v) {
  FieldReader in(path);
  in.skipLine();
  in.skipLine();
  for (int d = 1; d <= kDirectivityRows; ++d) {
    in.readText();
    ReadValues(in, table, s, v, d);
  }
}

}  // namespace

EmissionTables LoadEmissionTables(const std::string& folder) {
  EmissionTables tables;
  for (int s = 1; s <= 8; ++s)
    for (int v = 1; v <= 5; ++v)
      ReadLevelFile(TableFile(folder, "selsc", s, v), tables.SelStrade, s, v, 5, true);
  for (int s = 1; s <= 8; ++s)
    for (int v = 1; v <= 5; ++v)
      ReadDirectivityFile(TableFile(folder, "dirsc", s, v), tables.DirStrade, s, v);
  for (int s = 1; s <= 4; ++s)
    for (int c = 1; c <= 3; ++c)
      ReadLevelFile(TableFile(folder, "seltc", s, c), tables.SelBinari, s, c, 2, false);
  for (int s = 1; s <= 4; ++s)
    for (int c = 1; c <= 3; ++c)
      ReadDirectivityFile(TableFile(folder, "dirtc", s, c), tables.DirBinari, s, c);
  return tables;
}

}  // namespace sonvale
