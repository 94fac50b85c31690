// The bytes of a file, for a test to compare with what it expects; "" when the
// file is missing or cannot be read.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace sonvale {

inline std::string FileContents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace sonvale
