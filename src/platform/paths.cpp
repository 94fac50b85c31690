#include "platform/paths.h"

#include <sys/stat.h>

namespace sonvale {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

size_t FileNameStart(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return i;
}

// The folder without separators at its end; a folder made only of separators is
// the root and stays "/".
std::string_view WithoutTrailingSeparators(std::string_view dir) {
  size_t end = dir.size();
  while (end > 0 && IsSeparator(dir[end - 1])) --end;
  if (end == 0 && !dir.empty()) return "/";
  return dir.substr(0, end);
}

std::string_view WithoutLeadingSeparators(std::string_view name) {
  size_t b = 0;
  while (b < name.size() && IsSeparator(name[b])) ++b;
  return name.substr(b);
}

}  // namespace

std::string FileNameOnly(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

std::string BaseNameUpToFirstDot(std::string_view path) {
  size_t dot = path.find('.', FileNameStart(path));
  return std::string(path.substr(0, dot));
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string out(WithoutTrailingSeparators(dir));
  if (out != "/") out += '/';
  out += WithoutLeadingSeparators(name);
  return out;
}

std::string TablePath(std::string_view programDir, std::string_view tablesDir,
                      std::string_view fileName) {
  std::string tables(tablesDir);
  for (char& c : tables)
    if (c == '\\') c = '/';
  std::string_view t = WithoutLeadingSeparators(tables);
  size_t end = t.size();
  while (end > 0 && t[end - 1] == '/') --end;
  t = t.substr(0, end);

  std::string folder = t.empty() ? std::string(programDir) : JoinPath(programDir, t);
  if (folder.empty()) return std::string(WithoutLeadingSeparators(fileName));
  return JoinPath(folder, fileName);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace sonvale
