#include "platform/editor.h"

#include <cstdlib>
#include <sstream>

namespace sonvale {
namespace {

// The words of an editor setting; quoting is not interpreted, as most shells'
// users set these to a program name and plain options.
std::vector<std::string> Words(const char* setting) {
  std::vector<std::string> words;
  if (!setting) return words;
  std::istringstream in(setting);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

ProcessCommand EditorCommand(const std::string& path, const char* visual, const char* editor) {
  std::vector<std::string> words = Words(visual);
  if (words.empty()) words = Words(editor);
  if (words.empty()) words = {"xdg-open"};
  ProcessCommand c{words.front(), {words.begin() + 1, words.end()}, {}};
  c.args.push_back(path);
  return c;
}

ProcessCommand EditorCommand(const std::string& path) {
  return EditorCommand(path, std::getenv("VISUAL"), std::getenv("EDITOR"));
}

}  // namespace sonvale
