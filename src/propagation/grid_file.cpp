#include "propagation/grid_file.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "platform/atomic_file.h"
#include "text/file_error.h"
#include "text/number_text.h"
#include "text/quote.h"

namespace sonvale {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr int kValuesPerLine = 10;

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, "cannot open the file for reading");
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw FileError(path, "error while reading the file");
  return content;
}

// Items of a text grid: separated by blanks, tabs, commas and line breaks.
class GridTokens {
 public:
  GridTokens(const std::string& path, const std::string& content) : path_(path), text_(content) {}

  bool next(std::string_view* token) {
    while (pos_ < text_.size() && isSeparator(text_[pos_])) advance();
    if (pos_ >= text_.size()) return false;
    tokenLine_ = line_;
    size_t start = pos_;
    while (pos_ < text_.size() && !isSeparator(text_[pos_])) ++pos_;
    *token = std::string_view(text_).substr(start, pos_ - start);
    return true;
  }

  double number(const char* what) {
    double v = 0;
    if (!tryNumber(what, &v)) fail(line_, std::string("the file ends before the ") + what);
    return v;
  }

  // False at the end of the file; throws when the next item is not a number.
  bool tryNumber(const char* what, double* out) {
    std::string_view token;
    if (!next(&token)) return false;
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    double v = 0;
    auto res = std::from_chars(token.data(), token.data() + token.size(), v);
    const bool whole = res.ptr == token.data() + token.size();
    if (whole && res.ec == std::errc::result_out_of_range) {
      fail(tokenLine_, QuotedExcerpt(token) + " is a number out of range (" + what + ")");
    }
    if (res.ec != std::errc() || !whole || !std::isfinite(v)) {
      fail(tokenLine_, QuotedExcerpt(token) + " is not a number (" + what + ")");
    }
    *out = v;
    return true;
  }

  void skipRestOfLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) advance();
  }

  long line() const { return line_; }
  [[noreturn]] void fail(long line, const std::string& message) const {
    throw FormatError(path_, line, message);
  }

 private:
  static bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
  }
  void advance() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
  const std::string& path_;
  const std::string& text_;
  size_t pos_ = 0;
  long line_ = 1;
  long tokenLine_ = 1;
};

int GridCount(GridTokens& tokens, const char* what) {
  double v = tokens.number(what);
  long line = tokens.line();
  if (v != std::floor(v) || v < 2 || v > 1e9) {
    tokens.fail(line,
                std::string(what) + " must be a whole number of at least 2, not " + PlainNumber(v));
  }
  return static_cast<int>(v);
}

template <class T>
T LittleEndian(const std::string& bytes, size_t offset) {
  unsigned char raw[sizeof(T)];
  for (size_t k = 0; k < sizeof(T); ++k) raw[k] = static_cast<unsigned char>(bytes[offset + k]);
  // The program runs on little-endian hosts only; std::endian documents the assumption.
  static_assert(std::endian::native == std::endian::little, "little-endian host expected");
  T v;
  std::memcpy(&v, raw, sizeof(T));
  return v;
}

// The position of the file name within a path (after the last folder separator).
size_t FileNameStart(const std::string& path) {
  size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? 0 : sep + 1;
}

}  // namespace

DsaaWriter::DsaaWriter(std::string path, const GridHeader& h, std::string_view identifier)
    : path_(std::move(path)) {
  // The grid grows beside its final name and takes it only when closed, so that an
  // earlier grid of that name survives a pass that fails or a program that dies.
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath_ = TemporaryNameBeside(path_, attempt);
    if (!std::filesystem::exists(tempPath_)) break;
  }
  out_.open(tempPath_, std::ios::binary | std::ios::trunc);
  if (!out_) throw FileError(path_, "cannot create the grid file");
  put(std::string(identifier) + kLineEnd);
  put(PrintInteger(h.nx) + PrintInteger(h.ny) + kLineEnd);
  put(PrintNumber(h.xlo) + PrintNumber(h.xhi) + kLineEnd);
  put(PrintNumber(h.ylo) + PrintNumber(h.yhi) + kLineEnd);
  put(PrintNumber(h.zlo) + PrintNumber(h.zhi) + kLineEnd);
  check();
}

DsaaWriter::~DsaaWriter() {
  // A writer abandoned by an exception closes quietly and leaves the old file as it
  // was; close() reports errors.
  if (!closed_) {
    out_.close();
    std::error_code ignored;
    std::filesystem::remove(tempPath_, ignored);
  }
}

void DsaaWriter::put(const std::string& text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out_) throw FileError(path_, "cannot write to the grid file");
}

void DsaaWriter::check() {
  out_.flush();
  if (!out_) throw FileError(path_, "cannot write to the grid file");
}

void DsaaWriter::value(double v) {
  put(" " + PrintNumber(v));
  if (++onLine_ == kValuesPerLine) {
    put(kLineEnd);
    onLine_ = 0;
  }
}

void DsaaWriter::endRow() {
  if (onLine_ != 0) put(kLineEnd);
  onLine_ = 0;
  put(kLineEnd);
  // Flushing per row makes a full disk or a vanished folder stop the pass within
  // one row rather than after the whole map has been computed.
  check();
}

void DsaaWriter::close() {
  if (closed_) return;
  closed_ = true;
  out_.flush();
  bool ok = static_cast<bool>(out_);
  out_.close();
  std::error_code renamed;
  if (ok && !out_.fail()) std::filesystem::rename(tempPath_, path_, renamed);
  if (!ok || out_.fail() || renamed) {
    std::error_code ignored;
    std::filesystem::remove(tempPath_, ignored);
    throw FileError(path_, renamed ? "cannot replace the grid file: " + renamed.message()
                                   : std::string("cannot write to the grid file"));
  }
}

namespace {

// Terrain coordinates beyond this are no place on Earth in any projection; they
// only make the node spacing overflow or lose every digit.
constexpr double kLargestTerrainCoordinate = 1e9;

// The bounds of one axis of a terrain grid must enclose an area at coordinates a
// projection can give.
void CheckTerrainAxis(GridTokens& tokens, long line, const char* axis, double lo, double hi) {
  for (double v : {lo, hi}) {
    if (std::fabs(v) > kLargestTerrainCoordinate) {
      tokens.fail(line, std::string("the ") + axis + " bound " + PlainNumber(v) +
                            " lies beyond the 1E+09 m a terrain coordinate can reach");
    }
  }
  if (!(lo < hi)) {
    tokens.fail(line, std::string("the ") + axis + " bounds " + PlainNumber(lo) + " and " +
                          PlainNumber(hi) +
                          " enclose no area: the low bound must be below the high one");
  }
}

GridData ReadTextGrid(const std::string& path, bool terrain) {
  std::string content = ReadWholeFile(path);
  // A binary grid read as text would only give a confusing message about its bytes.
  for (const char* binary : {"DSBB", "DSRB"}) {
    if (content.compare(0, 4, binary) == 0) {
      throw FormatError(path, 1,
                        std::string("the file is a binary grid (") + binary +
                            "): terrain is read from the text grid layout (DSAA)");
    }
  }
  GridTokens tokens(path, content);
  GridData grid;
  std::string_view identifier;
  if (!tokens.next(&identifier)) tokens.fail(tokens.line(), "the grid file is empty");
  grid.identifier = identifier;
  GridHeader& h = grid.header;
  h.nx = GridCount(tokens, "nx");
  h.ny = GridCount(tokens, "ny");
  h.xlo = tokens.number("x low");
  h.xhi = tokens.number("x high");
  if (terrain) CheckTerrainAxis(tokens, tokens.line(), "x", h.xlo, h.xhi);
  h.ylo = tokens.number("y low");
  h.yhi = tokens.number("y high");
  if (terrain) CheckTerrainAxis(tokens, tokens.line(), "y", h.ylo, h.yhi);
  h.zlo = tokens.number("z low");
  h.zhi = tokens.number("z high");

  size_t total = static_cast<size_t>(h.nx) * static_cast<size_t>(h.ny);
  // Every value takes at least two characters; a header announcing more values
  // than that must not make us reserve memory for them.
  grid.values.reserve(std::min(total, content.size() / 2 + 1));
  for (int j = 0; j < h.ny; ++j) {
    for (int i = 0; i < h.nx; ++i) {
      double v = 0;
      if (!tokens.tryNumber("node value", &v)) {
        tokens.fail(tokens.line(), "the file holds " +
                                       PlainInteger(static_cast<long long>(grid.values.size())) +
                                       " node values, its header announces " +
                                       PlainInteger(static_cast<long long>(total)));
      }
      grid.values.push_back(v);
    }
    tokens.skipRestOfLine();
  }
  return grid;
}

}  // namespace

GridData ReadTerrainGrid(const std::string& path) { return ReadTextGrid(path, false); }

GridData ReadTerrainHeights(const std::string& path) { return ReadTextGrid(path, true); }

GridData ReadBinaryGrid(const std::string& path) {
  std::string bytes = ReadWholeFile(path);
  constexpr size_t kHeaderSize = 56;
  if (bytes.size() < 4 || bytes.compare(0, 4, "DSBB") != 0) {
    throw FormatError(path, 0, kGrdReadProblem);
  }
  if (bytes.size() < kHeaderSize) {
    throw FormatError(path, 0, std::string(kGrdReadProblem) + ": the header is incomplete");
  }
  GridData grid;
  GridHeader& h = grid.header;
  h.nx = LittleEndian<int16_t>(bytes, 4);
  h.ny = LittleEndian<int16_t>(bytes, 6);
  h.xlo = LittleEndian<double>(bytes, 8);
  h.xhi = LittleEndian<double>(bytes, 16);
  h.ylo = LittleEndian<double>(bytes, 24);
  h.yhi = LittleEndian<double>(bytes, 32);
  h.zlo = LittleEndian<double>(bytes, 40);
  h.zhi = LittleEndian<double>(bytes, 48);
  if (h.nx <= 0 || h.ny <= 0) {
    throw FormatError(path, 0,
                      std::string(kGrdReadProblem) + ": invalid grid size " + PlainInteger(h.nx) +
                          " x " + PlainInteger(h.ny));
  }
  size_t total = static_cast<size_t>(h.nx) * static_cast<size_t>(h.ny);
  if (bytes.size() < kHeaderSize + 4 * total) {
    throw FormatError(path, 0,
                      std::string(kGrdReadProblem) + ": the file is shorter than its " +
                          PlainInteger(h.nx) + " x " + PlainInteger(h.ny) + " header announces");
  }
  grid.values.resize(total);
  for (size_t k = 0; k < total; ++k) {
    uint32_t bits = LittleEndian<uint32_t>(bytes, kHeaderSize + 4 * k);
    if (bits == kBlankSingleBits) {
      grid.values[k] = kBlankValue;
    } else {
      grid.values[k] = static_cast<double>(LittleEndian<float>(bytes, kHeaderSize + 4 * k));
    }
  }
  return grid;
}

std::string NormaliseGrdName(const std::string& name) {
  size_t start = FileNameStart(name);
  size_t pos = name.find("_d.", start);
  if (pos == std::string::npos || pos == start) return name;
  return name.substr(0, pos) + ".grd";
}

std::string PassFileName(const std::string& grdName, bool day) {
  std::string base = grdName.size() >= 4 ? grdName.substr(0, grdName.size() - 4) : std::string();
  return base + (day ? "_D.grd" : "_N.grd");
}

}  // namespace sonvale
