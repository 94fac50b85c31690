#include "platform/program_dir.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/paths.h"

#ifndef SONVALE_INSTALLED_DATA_DIR
#define SONVALE_INSTALLED_DATA_DIR "/usr/local/share/sonvale"
#endif

namespace sonvale {
namespace {

std::string UpperFirstFive(const std::string& dir) {
  std::string head = dir.substr(0, 5);
  for (char& c : head)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return head;
}

std::string FolderOf(const std::string& file) {
  size_t slash = file.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return file.substr(0, slash);
}

std::string WithoutTrailingSeparator(std::string dir) {
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  return dir;
}

}  // namespace

std::string SubstituteProgramDir(const std::string& dir) {
  std::string head = UpperFirstFive(dir);
  if (head == "F:\\US") return "F:\\lumes\\programs";
  if (head == "C:\\US") return "C:\\lumes\\programs";
  return dir;
}

std::string ExecutableDir(const std::string& argv0) {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) {
    buf[n] = '\0';
    return FolderOf(buf);
  }
  // Without /proc the path the program was started with is the next best
  // witness; a bare name (found through PATH) gives no folder.
  if (argv0.find('/') == std::string::npos) return {};
  char resolved[PATH_MAX];
  if (::realpath(argv0.c_str(), resolved) != nullptr) return FolderOf(resolved);
  return FolderOf(argv0);
}

std::string ResolveProgramDir(const std::string& explicitDir, const std::string& argv0) {
  std::string dir = explicitDir;
  if (dir.empty()) {
    const char* home = std::getenv("SONVALE_HOME");
    if (home != nullptr && *home != '\0') dir = home;
  }
  if (dir.empty()) {
    std::string exeDir = ExecutableDir(argv0);
    if (!exeDir.empty() && FileExists(JoinPath(exeDir, "sonvale.ini"))) {
      dir = exeDir;
    } else if (!exeDir.empty()) {
      // An installation moved as a whole: bin/ beside share/sonvale/.
      const std::string shared = JoinPath(FolderOf(exeDir), "share/sonvale");
      if (FileExists(JoinPath(shared, "sonvale.ini"))) dir = shared;
    }
  }
  if (dir.empty()) dir = SONVALE_INSTALLED_DATA_DIR;
  return WithoutTrailingSeparator(SubstituteProgramDir(dir));
}

}  // namespace sonvale
