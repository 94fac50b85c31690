// Test helpers for the files beside the program: a scratch folder, a complete set
// of emission table files written from a value function, and the configuration of
// the example sonvale.ini under tests/fixtures/config.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "project/configuration.h"
#include "text/number_text.h"

namespace sonvale {

// A fresh empty folder under the system's temporary folder, removed with its
// content when the object goes.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> serial{0};
    path_ = std::filesystem::temp_directory_path() /
            ("sonvale-test-" + PlainInteger(static_cast<long long>(getpid())) + "-" +
             PlainInteger(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes text to path as it stands (no line-end translation).
inline void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

enum class TableFamily { SelStrade, DirStrade, SelBinari, DirBinari };

// The value of table family at [t, s, c, w]: t = 1..9, s the first index of the file
// name, c the second (vehicle or train class), w the block or row.
using TableValue = std::function<double(TableFamily family, int t, int s, int c, int w)>;

inline const char* TablePrefix(TableFamily family) {
  switch (family) {
    case TableFamily::SelStrade:
      return "selsc";
    case TableFamily::DirStrade:
      return "dirsc";
    case TableFamily::SelBinari:
      return "seltc";
    case TableFamily::DirBinari:
      return "dirtc";
  }
  return "";
}

// "selsc3v2.txt" and the like.
inline std::string TableFileName(TableFamily family, int s, int c) {
  return std::string(TablePrefix(family)) + PlainInteger(s) + "v" + PlainInteger(c) + ".txt";
}

// The text of one table file laid out as the delivered ones: two caption lines,
// then one line per block or row, CR LF line ends.
inline std::string TableFileText(TableFamily family, int s, int c, const TableValue& value) {
  const bool level = family == TableFamily::SelStrade || family == TableFamily::SelBinari;
  const int rows = family == TableFamily::SelStrade ? 5 : family == TableFamily::SelBinari ? 2 : 10;
  std::string text = std::string("\"Tabella ") + TablePrefix(family) + PlainInteger(s) + "v" +
                     PlainInteger(c) + "\"\r\n";
  text += level ? "\"Blocco\", \"63\", \"125\", \"250\", \"500\", \"1k\", \"2k\", \"4k\", \"8k\", "
                  "\"Lin\", \"Note\"\r\n"
                : "\"Angolo\", \"63\", \"125\", \"250\", \"500\", \"1k\", \"2k\", \"4k\", \"8k\", "
                  "\"Lin\"\r\n";
  for (int w = 1; w <= rows; ++w) {
    if (level)
      text += "\"Blocco " + PlainInteger(w) + "\"";
    else
      text += family == TableFamily::DirStrade ? PlainInteger(10 * (w - 1)) : PlainInteger(w);
    for (int t = 1; t <= 9; ++t) text += ", " + PlainNumber(value(family, t, s, c, w));
    bool closed = family == TableFamily::SelStrade || (family == TableFamily::SelBinari && w == 1);
    if (closed) text += ", \"dB(A)\"";
    text += "\r\n";
  }
  return text;
}

// Writes every file LoadEmissionTables reads into folder.
inline void WriteTableSet(const std::string& folder, const TableValue& value) {
  const std::filesystem::path dir(folder);
  for (TableFamily family : {TableFamily::SelStrade, TableFamily::DirStrade}) {
    for (int s = 1; s <= 8; ++s)
      for (int v = 1; v <= 5; ++v)
        WriteTextFile((dir / TableFileName(family, s, v)).string(),
                      TableFileText(family, s, v, value));
  }
  for (TableFamily family : {TableFamily::SelBinari, TableFamily::DirBinari}) {
    for (int s = 1; s <= 4; ++s)
      for (int c = 1; c <= 3; ++c)
        WriteTextFile((dir / TableFileName(family, s, c)).string(),
                      TableFileText(family, s, c, value));
  }
}

// The path of the example configuration and the configuration it holds.
inline std::string FixtureConfigurationPath() {
  return std::string(SONVALE_FIXTURES) + "/config/sonvale.ini";
}
inline Configuration FixtureConfiguration() {
  return ReadConfiguration(FixtureConfigurationPath());
}

}  // namespace sonvale
