// The four most recent projects of the "&File" menu: newest first, each once.
#pragma once

#include <string>
#include <vector>

namespace sonvale {

inline constexpr size_t kRecentProjects = 4;

// The list after opening or saving path: path first, an earlier entry of the
// same path removed, at most kRecentProjects entries.
std::vector<std::string> WithRecentProject(std::vector<std::string> list, const std::string& path);

// The caption of entry n (1..4): "&1 town.svp", the file name without its folder.
std::string RecentProjectCaption(size_t n, const std::string& path);

}  // namespace sonvale
