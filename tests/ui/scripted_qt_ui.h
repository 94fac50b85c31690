// The desktop Ui with its questions answered from a script: message boxes,
// input boxes and file dialogs take queued answers and are recorded, while the
// status bar, title, menus and event loop stay those of the real window.
#pragma once

#include <QTest>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt_ui.h"

namespace sonvale {

class ScriptedQtUi : public QtUi {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::string>> files;
  std::vector<Message> messages;
  std::vector<FileDialog> dialogs;
  int beeps = 0;
  // Input boxes are the real dialogs, answered by the test on screen.
  bool realInputBoxes = false;

  Answer message(const Message& m) override {
    messages.push_back(m);
    if (m.buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) {
      QTest::qFail(("unexpected question: " + m.text).c_str(), __FILE__, __LINE__);
      return Answer::Cancel;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
    if (realInputBoxes) return QtUi::inputBox(prompt, title, defaultText);
    return next(inputs, prompt);
  }
  std::optional<std::string> openFile(const FileDialog& d) override {
    dialogs.push_back(d);
    return next(files, d.title);
  }
  std::optional<std::string> saveFile(const FileDialog& d) override {
    dialogs.push_back(d);
    return next(files, d.title);
  }
  void beep() override { ++beeps; }

  bool said(const std::string& text) const {
    for (const Message& m : messages) {
      if (m.text.find(text) != std::string::npos) return true;
    }
    return false;
  }

 private:
  std::optional<std::string> next(std::deque<std::optional<std::string>>& queue,
                                  const std::string& what) {
    if (queue.empty()) {
      QTest::qFail(("unexpected dialog: " + what).c_str(), __FILE__, __LINE__);
      return std::nullopt;
    }
    auto a = queue.front();
    queue.pop_front();
    return a;
  }
};

}  // namespace sonvale
