// A map pass report for tests: keeps what the pass reports and can set the stop
// flag at a chosen report, as a Cancel button pressed at that moment would.
#pragma once

#include <string>
#include <vector>

#include "propagation/map_pass.h"

namespace sonvale {

// Keeps what a pass reports; asks it to stop at the at-th node or row end.
class RecordingMapReport : public MapPassReport {
 public:
  explicit RecordingMapReport(bool* stop = nullptr, int at = 0) : stop_(stop), at_(at) {}
  void started(const std::string& fileName) override { startedFiles.push_back(fileName); }
  void sourceProblems(const std::vector<std::string>& messages) override { problems = messages; }
  void cell(const MapCell& c) override { cells.push_back(c); }
  void nodeDone(long done, long total) override {
    lastDone = done;
    lastTotal = total;
    tick();
  }
  void rowDone() override {
    ++rows;
    tick();
  }

  std::vector<std::string> startedFiles, problems;
  std::vector<MapCell> cells;
  long lastDone = 0, lastTotal = 0;
  int rows = 0;

 private:
  void tick() {
    if (stop_ && ++ticks_ == at_) *stop_ = true;
  }
  bool* stop_;
  int at_, ticks_ = 0;
};

}  // namespace sonvale
