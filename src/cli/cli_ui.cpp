#include "cli/cli_ui.h"

#include <unistd.h>

#include <chrono>
#include <iostream>

namespace sonvale {

void CliUi::showStatus(const std::string& text) {
  if (verbose) std::cerr << text << "\n";
}

Answer CliUi::message(const Message& m) {
  switch (m.buttons) {
    case Buttons::Ok:
      if (m.icon == Icon::Critical || m.icon == Icon::Warning || (verbose && !quiet)) {
        std::cerr << (m.title.empty() ? "" : m.title + ": ") << m.text << "\n";
      }
      return Answer::Ok;
    case Buttons::OkCancel:
      if (assumeYes) return Answer::Ok;
      declined.push_back(m.text);
      return Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
      if (assumeYes) return Answer::Yes;
      declined.push_back(m.text);
      return m.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
  return Answer::Cancel;
}

std::optional<std::string> CliUi::inputBox(const std::string& prompt, const std::string&,
                                           const std::string& defaultText) {
  auto it = inputAnswers.find(prompt);
  if (it != inputAnswers.end()) return it->second;
  return defaultText;
}

double CliUi::now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void CliUi::processEvents() {
  if (total_ <= 0) return;
  ++done_;
  drawProgress();
}

void CliUi::beginProgress(const std::string& label, long total) {
  label_ = label;
  done_ = 0;
  total_ = total;
  lastPercent_ = -1;
  drawProgress();
}

void CliUi::drawProgress() {
  // A bar redrawn in place only makes sense on a terminal; logs get no bar.
  if (quiet || total_ <= 0 || !isatty(STDERR_FILENO)) return;
  long done = done_ < total_ ? done_ : total_;
  int percent = static_cast<int>(100 * done / total_);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  const int width = 40;
  int filled = percent * width / 100;
  std::cerr << "\r" << label_ << " [" << std::string(static_cast<size_t>(filled), '#')
            << std::string(static_cast<size_t>(width - filled), ' ') << "] " << percent << "%"
            << std::flush;
}

void CliUi::endProgress() {
  if (!quiet && lastPercent_ >= 0) std::cerr << "\n";
  total_ = 0;
  lastPercent_ = -1;
}

}  // namespace sonvale
