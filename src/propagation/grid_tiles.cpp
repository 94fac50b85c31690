#include "propagation/grid_tiles.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/atomic_file.h"
#include "text/file_error.h"
#include "text/number_text.h"

namespace sonvale {
namespace {

constexpr std::string_view kPartTag = "SONVALE-PART ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kMaxTiles = 100000;

bool ParseInt(std::string_view text, int* out) {
  if (text.empty()) return false;
  auto res = std::from_chars(text.data(), text.data() + text.size(), *out);
  return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

std::string ReadPart(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the partial grid");
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw FileError(path, "error while reading the partial grid");
  return content;
}

long LineOf(const std::string& text, size_t pos) {
  return 1 +
         static_cast<long>(std::count(text.begin(), text.begin() + static_cast<long>(pos), '\n'));
}

struct Part {
  std::string path;
  std::string header;  // the five header lines, line ends included
  std::string body;    // the rows
  TileSpec tile;
  RowRange rows;
  int nx = 0, ny = 0;
  std::optional<uint64_t> inputs;  // none in a part written before they were kept
  long closingLine = 0;
};

constexpr const char* kClosingLayout = "the closing line is not \"SONVALE-PART K N FIRST LAST\"";

Part ParsePart(const std::string& path) {
  const std::string text = ReadPart(path);
  Part part;
  part.path = path;
  // The header: five lines, the first "DSAA", the second nx and ny.
  size_t pos = 0;
  std::vector<std::string_view> lines;
  for (int l = 0; l < 5; ++l) {
    const size_t end = text.find(kLineEnd, pos);
    if (end == std::string::npos)
      throw FormatError(path, l + 1, "not a partial grid (short header)");
    lines.push_back(std::string_view(text).substr(pos, end - pos));
    pos = end + kLineEnd.size();
  }
  if (lines[0] != "DSAA") throw FormatError(path, 1, "not a partial grid (no DSAA header)");
  {
    std::string_view counts = lines[1];
    std::vector<std::string_view> items;
    size_t p = 0;
    while (p < counts.size()) {
      while (p < counts.size() && counts[p] == ' ') ++p;
      size_t q = p;
      while (q < counts.size() && counts[q] != ' ') ++q;
      if (q > p) items.push_back(counts.substr(p, q - p));
      p = q;
    }
    if (items.size() != 2 || !ParseInt(items[0], &part.nx) || !ParseInt(items[1], &part.ny) ||
        part.nx < 1 || part.ny < 1) {
      throw FormatError(path, 2, "the grid size is not two positive whole numbers");
    }
  }
  part.header = text.substr(0, pos);

  // The closing line, written only when the tile finished.
  const size_t tag = text.rfind(kPartTag);
  const bool closed = tag != std::string::npos && tag >= pos &&
                      (tag == pos || text.compare(tag - 2, 2, kLineEnd) == 0) &&
                      text.size() >= kLineEnd.size() &&
                      text.compare(text.size() - 2, 2, kLineEnd) == 0 &&
                      text.find(kLineEnd, tag) == text.size() - 2;
  if (!closed) {
    throw FormatError(path, LineOf(text, text.size()),
                      "the partial grid is unfinished (its tile was stopped or is still running)");
  }
  const long tagLine = LineOf(text, tag);
  std::string_view fields = std::string_view(text).substr(tag + kPartTag.size());
  fields.remove_suffix(2);
  std::vector<int> v;
  size_t p = 0;
  while (p <= fields.size()) {
    const size_t q = std::min(fields.find(' ', p), fields.size());
    int n = 0;
    uint64_t inputs = 0;
    if (v.size() == 4 && ParseHexBits(fields.substr(p, q - p), inputs))
      part.inputs = inputs;
    else if (part.inputs || !ParseInt(fields.substr(p, q - p), &n))
      throw FormatError(path, tagLine, kClosingLayout);
    else
      v.push_back(n);
    p = q + 1;
  }
  if (v.size() != 4 || v[1] < 1 || v[1] > kMaxTiles || v[0] < 1 || v[0] > v[1]) {
    throw FormatError(path, tagLine, kClosingLayout);
  }
  part.closingLine = tagLine;
  part.tile = {v[0], v[1]};
  part.rows = {v[2], v[3]};
  const RowRange expected = TileRows(part.ny, part.tile);
  if (part.rows.first != expected.first || part.rows.last != expected.last) {
    throw FormatError(path, tagLine, "the rows of the part are not those of its tile");
  }
  part.body = text.substr(pos, tag - pos);

  // Every row: lines of values, then an empty line; nx values in all.
  size_t b = 0;
  int rowsSeen = 0;
  while (b < part.body.size()) {
    const size_t end = part.body.find("\r\n\r\n", b);
    if (end == std::string::npos) {
      throw FormatError(path, LineOf(text, pos + b), "a row of the partial grid is incomplete");
    }
    int values = 0;
    bool inToken = false;
    for (size_t c = b; c < end; ++c) {
      const char ch = part.body[c];
      const bool sep = ch == ' ' || ch == '\r' || ch == '\n';
      if (!sep && !inToken) ++values;
      inToken = !sep;
    }
    if (values != part.nx) {
      throw FormatError(path, LineOf(text, pos + b),
                        "a row of the partial grid holds " + PlainInteger(values) +
                            " values instead of " + PlainInteger(part.nx));
    }
    ++rowsSeen;
    b = end + 4;
  }
  if (rowsSeen != part.rows.last - part.rows.first) {
    throw FormatError(path, tagLine,
                      "the partial grid holds " + PlainInteger(rowsSeen) + " rows instead of " +
                          PlainInteger(part.rows.last - part.rows.first));
  }
  return part;
}

}  // namespace

std::optional<TileSpec> ParseTile(std::string_view text) {
  const size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  TileSpec t;
  if (!ParseInt(text.substr(0, slash), &t.k) || !ParseInt(text.substr(slash + 1), &t.n)) {
    return std::nullopt;
  }
  if (t.n < 1 || t.n > kMaxTiles || t.k < 1 || t.k > t.n) return std::nullopt;
  return t;
}

RowRange TileRows(int rows, TileSpec tile) {
  const long long r = std::max(rows, 0);
  return {static_cast<int>(r * (tile.k - 1) / tile.n), static_cast<int>(r * tile.k / tile.n)};
}

std::string TilePartName(const std::string& gridFile, TileSpec tile) {
  return gridFile + ".part" + PlainInteger(tile.k) + "of" + PlainInteger(tile.n);
}

PartialGridWriter::PartialGridWriter(std::string path, const GridHeader& header, TileSpec tile,
                                     RowRange rows, uint64_t inputs)
    : path_(std::move(path)), grid_(path_, header), tile_(tile), rows_(rows), inputs_(inputs) {}

void PartialGridWriter::close() {
  grid_.close();
  std::ofstream out(path_, std::ios::binary | std::ios::app);
  out << kPartTag << PlainInteger(tile_.k) << ' ' << PlainInteger(tile_.n) << ' '
      << PlainInteger(rows_.first) << ' ' << PlainInteger(rows_.last) << ' ' << HexBits(inputs_)
      << kLineEnd;
  out.close();
  if (!out) throw FileError(path_, "cannot write to the partial grid");
}

void MergeGridParts(const std::string& output, const std::vector<std::string>& parts) {
  if (parts.empty()) throw FormatError(output, 0, "no partial grids to merge");
  std::map<int, Part> byTile;
  int n = 0;
  const Part* first = nullptr;
  std::optional<uint64_t> inputs;  // of the first part that names them
  std::string inputsPath;
  for (const std::string& path : parts) {
    Part part = ParsePart(path);
    if (first == nullptr) {
      n = part.tile.n;
    } else {
      if (part.header != first->header) {
        throw FormatError(
            path, 1,
            "the part belongs to another map (its header differs from " + first->path + ")");
      }
      if (part.tile.n != n) {
        throw FormatError(path, 0,
                          "the part is one of " + PlainInteger(part.tile.n) + " tiles, " +
                              first->path + " one of " + PlainInteger(n));
      }
    }
    if (part.inputs) {
      if (!inputs) {
        inputs = part.inputs;
        inputsPath = path;
      } else if (*part.inputs != *inputs) {
        throw FormatError(path, part.closingLine,
                          "the part was computed from another project, other emissions, "
                          "settings or receivers than " +
                              inputsPath);
      }
    }
    const int k = part.tile.k;
    auto found = byTile.find(k);
    if (found != byTile.end()) {
      throw FormatError(
          path, 0, "tile " + PlainInteger(k) + " is given twice (also " + found->second.path + ")");
    }
    const Part& stored = byTile.emplace(k, std::move(part)).first->second;
    if (first == nullptr) first = &stored;
  }
  for (int k = 1; k <= n; ++k) {
    if (!byTile.count(k)) {
      throw FormatError(output, 0,
                        "tile " + PlainInteger(k) + " of " + PlainInteger(n) + " is missing");
    }
  }
  std::string content = byTile.begin()->second.header;
  for (const auto& [k, part] : byTile) content += part.body;
  WriteFileAtomically(output, content);
}

}  // namespace sonvale
