// The point results of the external tracer: the ".den" file with the day, evening
// and night level of every receiver, read into the results table and listed as
// the point window lists its own results.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/project.h"
#include "platform/work_report.h"
#include "propagation/point_calc.h"

namespace sonvale {

inline const char* const kDenListHeader =
    "  N. Nome       X          Y         Z     Lday    LNight";

// A level at or below this value is the tracer's mark of a receiver it could not
// compute.
inline constexpr double kTracerNoLevel = -999.9;

struct DenOutcome {
  std::vector<std::string> lines;  // the result list, header first
  long count = 0;                  // receivers of the set
  long read = 0;                   // receivers whose three levels were read
  bool fileFound = false;
};

// Reads denFile for the receivers 1..count of the set: three numbers each (day,
// evening, night; separated by commas, blanks or line ends), the evening level
// dropped. The progress text is "i /count" after each receiver. A receiver the file
// does not cover (missing or short file, a text that is not a number) is left
// without a level rather than with an earlier run's, and a warning names the
// file and how many receivers it held. The file is deleted afterwards.
DenOutcome DenReader(const Project& p, ReceiverSet set, const std::string& denFile,
                     PointResults& results, WorkReport& report);

}  // namespace sonvale
