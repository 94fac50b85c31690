// A Ui for tests: answers questions from queues and records every text shown.
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace sonvale {

class ScriptedUi : public Ui {
 public:
  // Queued answers, taken in order. A question with no queued answer fails the test
  // run with an exception naming the question.
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> inputs;  // input boxes; nullopt = Cancel
  std::deque<std::optional<std::string>> files;   // open and save dialogs

  // What was shown.
  std::vector<std::string> statuses;
  std::vector<Message> messages;
  std::vector<std::string> prompts;  // input box prompts
  std::vector<FileDialog> dialogs;
  std::vector<std::string> titles;
  std::string clipboard;
  int beeps = 0;
  int eventRuns = 0;
  double pausedSeconds = 0;
  double clock = 0;  // advanced by pause() and by the tests

  void showStatus(const std::string& text) override { statuses.push_back(text); }
  Answer message(const Message& m) override {
    messages.push_back(m);
    if (m.buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) throw std::logic_error("unexpected question: " + m.text);
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                      const std::string&) override {
    prompts.push_back(prompt);
    if (inputs.empty()) throw std::logic_error("unexpected input box: " + prompt);
    auto a = inputs.front();
    inputs.pop_front();
    return a;
  }
  std::optional<std::string> openFile(const FileDialog& d) override { return nextFile(d); }
  std::optional<std::string> saveFile(const FileDialog& d) override { return nextFile(d); }
  void beep() override { ++beeps; }
  void setBusy(bool) override {}
  void setTitle(const std::string& t) override { titles.push_back(t); }
  void setMenuChecked(const std::string&, bool) override {}
  void setMenuEnabled(const std::string&, bool) override {}
  void processEvents() override { ++eventRuns; }
  void setClipboardText(const std::string& t) override { clipboard = t; }
  void pause(double s) override {
    pausedSeconds += s;
    clock += s;
  }
  double now() override { return clock; }

  const Message& lastMessage() const {
    if (messages.empty()) throw std::logic_error("no message shown");
    return messages.back();
  }

 private:
  std::optional<std::string> nextFile(const FileDialog& d) {
    dialogs.push_back(d);
    if (files.empty()) throw std::logic_error("unexpected file dialog: " + d.title);
    auto a = files.front();
    files.pop_front();
    return a;
  }
};

// A ScriptedUi whose Cancel button is pressed (stop set) during the at-th call
// of processEvents.
class StoppingUi : public ScriptedUi {
 public:
  StoppingUi(bool& stop, int at) : stop_(stop), at_(at) {}
  void processEvents() override {
    ScriptedUi::processEvents();
    if (eventRuns == at_) stop_ = true;
  }

 private:
  bool& stop_;
  int at_;
};

}  // namespace sonvale
