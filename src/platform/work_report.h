// What a reader, a writer or a pass below the command layer tells whoever runs
// it: status texts, notices for the user, the rhythm of its items. It never shows
// anything itself; the command that runs it decides how each report is shown (the
// window's status line and message boxes, the command line's stderr) or not at
// all. The defaults ignore everything, so a batch job or a test needs nothing.
#pragma once

#include <string>

namespace sonvale {

enum class Severity { Warning, Critical };

// A notice the user should read, which does not stop the work.
struct Notice {
  std::string title;
  std::string text;
  Severity severity = Severity::Warning;
};

class WorkReport {
 public:
  virtual ~WorkReport() = default;
  // A one-off status text ("Ho letto ..."), worth holding on screen a moment.
  virtual void status(const std::string& /*text*/) {}
  // A status text that changes with every item ("12 / 40"); not held.
  virtual void progress(const std::string& /*text*/) {}
  virtual void notice(const Notice& /*notice*/) {}
  // An item is done: the caller may let its own events run (repaint, Stop).
  virtual void tick() {}
  // Calls for the user's attention (the window beeps): bad input is about to
  // stop the work, or a long job has ended.
  virtual void alert() {}
};

}  // namespace sonvale
