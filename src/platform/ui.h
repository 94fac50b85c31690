// What the engine asks of a user interface: status line, message and input
// boxes, file dialogs, menu state, event processing. The Qt window, the command
// line and the scripted test double each implement it.
#pragma once

#include <optional>
#include <string>

#include "platform/program_title.h"

namespace sonvale {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
  std::string title;
  std::string text;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  Answer defaultButton = Answer::Ok;
};

struct FileDialog {
  std::string title;
  std::string filter;            // "SVP file|*.SVP", pairs of caption and pattern
  std::string initialName;       // "*.SVP" or a path
  bool mustExist = false;        // open dialogs
  bool overwritePrompt = false;  // save dialogs
};

class Ui {
 public:
  virtual ~Ui() = default;
  // Shows the text on the status line at once (no hold; see SetStatus).
  virtual void showStatus(const std::string& text) = 0;
  virtual Answer message(const Message& m) = 0;
  // An input box; nullopt when cancelled.
  virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
  virtual std::optional<std::string> openFile(const FileDialog& d) = 0;
  virtual std::optional<std::string> saveFile(const FileDialog& d) = 0;
  virtual void beep() = 0;
  virtual void setBusy(bool busy) = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setMenuChecked(const std::string& item, bool checked) = 0;
  virtual void setMenuEnabled(const std::string& item, bool enabled) = 0;
  // Lets pending interface events run (repaint, Cancel button).
  virtual void processEvents() = 0;
  virtual void setClipboardText(const std::string& text) = 0;
  // Lets events run for the given time (the status hold, the pause between the
  // day and night map passes). A window waits; the command line need not.
  virtual void pause(double seconds) = 0;
  // Seconds on a monotonic clock, for elapsed-time messages.
  virtual double now() = 0;
};

// Shows a one-off status message and keeps events running until it has been
// visible for at least 0.1 s. Progress texts that change per node or per point
// use Ui::showStatus directly.
inline void SetStatus(Ui& ui, const std::string& text) {
  ui.showStatus(text);
  ui.pause(0.1);
}

}  // namespace sonvale
