// A work report for the DXF readers in tests: answers the data-reduction
// question from a queue and records the layers asked and everything reported.
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/dxf_reader.h"
#include "support/recording_work_report.h"

namespace sonvale {

class DxfReport : public RecordingWorkReport {
 public:
  std::deque<std::optional<std::string>> inputs;
  std::vector<std::string> asked;
  MinimumDistanceQuestion question() {
    return [this](const std::string& layer) {
      asked.push_back(layer);
      if (inputs.empty()) throw std::logic_error("unexpected question for layer " + layer);
      auto a = inputs.front();
      inputs.pop_front();
      return a;
    };
  }
};

}  // namespace sonvale
