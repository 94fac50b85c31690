// What every fuzz target shares: the input bytes as a file for readers that take a
// path, and the rule that a reader may refuse its input only with the program's
// own file errors.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "text/file_error.h"

namespace sonvale::fuzz {

// A private folder of this fuzzing process, removed at exit.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("sonvale-fuzz-" + std::to_string(static_cast<long>(getpid())));
    std::filesystem::create_directories(d);
    return d;
  }();
  static const struct Cleanup {
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    }
  } cleanup;
  return dir;
}

// Writes the bytes to name in the scratch folder and returns its path.
inline std::string InputFile(const uint8_t* data, size_t size, const std::string& name) {
  const std::string path = (ScratchFolder() / name).string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs a reader: a refusal with FileError, FormatError or CapacityError is a
// correct answer to bad input; anything else escapes and stops the fuzzer.
template <class Read>
void Refusable(Read&& read) {
  try {
    read();
  } catch (const FileError&) {
  } catch (const FormatError&) {
  } catch (const CapacityError&) {
  }
}

}  // namespace sonvale::fuzz
