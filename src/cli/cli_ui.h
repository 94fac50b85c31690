// The command line's Ui: no window, questions answered from flags, messages and
// errors on stderr, progress as a bar on stderr.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace sonvale {

class CliUi : public Ui {
 public:
  bool assumeYes = false;  // --yes: every Yes/No question is answered Yes
  bool quiet = false;      // --quiet: no progress and no information messages
  bool verbose = false;    // status texts on stderr
  // Answers to input boxes by prompt; other input boxes take their default text.
  std::map<std::string, std::string> inputAnswers;
  // Questions answered No (or Cancel) because --yes was not given.
  std::vector<std::string> declined;

  void showStatus(const std::string& text) override;
  Answer message(const Message& m) override;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> openFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const FileDialog&) override { return std::nullopt; }
  void beep() override {}
  void setBusy(bool) override {}
  void setTitle(const std::string&) override {}
  void setMenuChecked(const std::string&, bool) override {}
  void setMenuEnabled(const std::string&, bool) override {}
  // Each call counts one unit of work of the running progress bar.
  void processEvents() override;
  void setClipboardText(const std::string&) override {}
  void pause(double) override {}
  double now() override;

  // A progress bar on stderr advanced by processEvents(); silent with quiet.
  void beginProgress(const std::string& label, long total);
  void endProgress();

 private:
  void drawProgress();
  std::string label_;
  long done_ = 0, total_ = 0;
  int lastPercent_ = -1;
};

}  // namespace sonvale
