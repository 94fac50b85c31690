// The Ui of the desktop program: Qt message boxes, input box and file dialogs,
// the status bar and title of the main window, its menu marks, the busy pointer,
// the clipboard and the event loop. Tests derive from it to answer the
// questions from a script while everything else stays real.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

#include "platform/ui.h"

namespace sonvale {

// What the Ui needs of the main window.
struct WindowHooks {
  std::function<void(const std::string&)> status;
  std::function<void(const std::string&)> title;
  std::function<void(const std::string& item, bool checked)> menuChecked;
  std::function<void(const std::string& item, bool enabled)> menuEnabled;
};

class QtUi : public Ui {
 public:
  QtUi();

  // The window that parents the dialogs and shows status, title and menus.
  void bindWindow(QWidget* window, WindowHooks hooks);

  void showStatus(const std::string& text) override;
  Answer message(const Message& m) override;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> openFile(const FileDialog& d) override;
  std::optional<std::string> saveFile(const FileDialog& d) override;
  void beep() override;
  void setBusy(bool busy) override;
  void setTitle(const std::string& title) override;
  void setMenuChecked(const std::string& item, bool checked) override;
  void setMenuEnabled(const std::string& item, bool enabled) override;
  // Runs pending events, at most about sixty times a second, so that a loop that
  // calls it after every node repaints smoothly without spending its time there.
  void processEvents() override;
  void setClipboardText(const std::string& text) override;
  void pause(double seconds) override;
  double now() override;

 protected:
  QWidget* window() const { return window_; }

 private:
  QWidget* window_ = nullptr;
  WindowHooks hooks_;
  QElapsedTimer clock_;
  qint64 lastEvents_ = -1;
  int busy_ = 0;
};

}  // namespace sonvale
