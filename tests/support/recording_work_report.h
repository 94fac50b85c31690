// A work report for tests: records every status, notice, item and alert that a
// reader or writer reports, in order.
#pragma once

#include <string>
#include <vector>

#include "platform/work_report.h"

namespace sonvale {

class RecordingWorkReport : public WorkReport {
 public:
  void status(const std::string& text) override { statuses.push_back(text); }
  void progress(const std::string& text) override { progresses.push_back(text); }
  void notice(const Notice& n) override { notices.push_back(n); }
  void tick() override { ++ticks; }
  void alert() override { ++alerts; }

  std::vector<std::string> statuses, progresses;
  std::vector<Notice> notices;
  int ticks = 0, alerts = 0;
};

}  // namespace sonvale
