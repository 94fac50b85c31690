#include "commands/recent_projects.h"

#include <algorithm>

namespace sonvale {

std::vector<std::string> WithRecentProject(std::vector<std::string> list, const std::string& path) {
  if (path.empty()) return list;
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  if (list.size() > kRecentProjects) list.resize(kRecentProjects);
  return list;
}

std::string RecentProjectCaption(size_t n, const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // A "&" of the name is shown, not taken as a mnemonic.
  std::string shown;
  for (char c : name) shown += c == '&' ? std::string("&&") : std::string(1, c);
  return "&" + std::to_string(n) + " " + shown;
}

}  // namespace sonvale
