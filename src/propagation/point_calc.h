// The point calculation: day and night levels at the receiver points, the table
// of results kept between runs, and their outputs (list lines, clipboard text,
// data file, limit file and the drawing script that colours each point).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"
#include "project/configuration.h"
#include "propagation/energy_engine.h"
#include "propagation/kernel.h"

namespace sonvale {

// Which receivers are computed: the Punto records or the room-acoustics receivers.
enum class ReceiverSet { Punti, Rec };

// A level, or none when nothing reaches the receiver (roads only, none in reach).
using PointLevel = std::optional<double>;

// Day and night level per point number 0 .. 40000; never-computed entries hold 0.
class PointResults {
 public:
  static constexpr long kMaxIndex = 40000;
  PointResults();
  PointLevel get(long n, Period period) const;
  void set(long n, Period period, PointLevel level);

 private:
  std::vector<std::array<PointLevel, 2>> table_;
};

struct PointCalcInputs {
  Project& project;  // source powers may be filled from spectrum files
  const Configuration& config;
  ReceiverSet set = ReceiverSet::Punti;
  PointResults& results;
  bool& stopRequested;  // cleared at the start, tested after every point
  std::function<void(const std::string&)> onLine = {};  // each list line as it is added
  // The engine and the worker threads computing the points ahead of the loop
  // (<= 1: the calling thread alone); results do not depend on either.
  EngineKind engineKind = EngineKind::Fast;
  int threads = 1;
};

inline const char* const kPointListHeader =
    "  N. Nome       X          Y         Z    LeqDay LeqNight";

// What the point loop tells its caller as it goes, on the calling thread, in
// point order; the defaults ignore it.
class PointLoopReport {
 public:
  virtual ~PointLoopReport() = default;
  // Sources whose spectrum file could not be read, one text each, before any point.
  virtual void sourceProblems(const std::vector<std::string>& /*messages*/) {}
  // Point n of total has both levels; its list line follows.
  virtual void pointDone(long /*n*/, long /*total*/) {}
  // After each level and after each list line: a moment for the caller's events.
  virtual void step() {}
};

// Runs the point loop; returns the list lines, header first.
std::vector<std::string> RunPointLoop(const PointCalcInputs& in, PointLoopReport& report);

// Number of receivers of the set and the position of receiver n (1-based).
long ReceiverCount(const Project& p, ReceiverSet set);
Vec3 ReceiverPosition(const Project& p, ReceiverSet set, long n);

// The list line of point n ("-" for a missing level).
std::string PointListLine(const Project& p, ReceiverSet set, long n, const PointResults& r);

// Clipboard text: TAB-separated, CR LF lines, with the name column for Punti only.
std::string PointClipboardText(const Project& p, ReceiverSet set, const PointResults& r);
// Data file text (no name column for either set).
std::string PointDataText(const Project& p, ReceiverSet set, const PointResults& r);

struct PointLimit {
  double day = 0, night = 0;
};
// Reads a limit file: one line per point with an identifier (ignored), the day
// limit and the night limit, separated by commas, blanks or tabs; double quotes
// delimit a text, which may then hold commas and blanks ("Via Roma, 1",30,0);
// empty lines are skipped. Throws FileError or FormatError naming the file and line.
std::vector<PointLimit> ReadLimitFile(const std::string& path);

struct PointScript {
  std::string text;
  long pointsWithoutLimit = 0;  // points beyond the end of the limit file
};
// The drawing script marking every point with a circle coloured by its limit.
// A point without a limit line is compared with no limit (day level, never
// exceeding).
PointScript PointScriptText(const Project& p, ReceiverSet set, const PointResults& r,
                            const std::vector<PointLimit>& limits);

}  // namespace sonvale
