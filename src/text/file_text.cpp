#include "text/file_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text/file_error.h"

namespace sonvale {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(path, std::string("cannot open the file: ") + std::strerror(errno));
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) throw FileError(path, std::string("cannot read the file: ") + std::strerror(errno));
  return std::move(buffer).str();
}

std::string QuotedExcerpt(const std::string& field) {
  constexpr size_t kMax = 40;
  if (field.size() <= kMax) return "\"" + field + "\"";
  return "\"" + field.substr(0, kMax) + "...\"";
}

}  // namespace sonvale
