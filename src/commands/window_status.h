// What the main window's status bar shows beside the status line: the field
// with the pointer's coordinates and the level of the map cell under it, and
// the progress of a long run with the time it still needs.
#pragma once

#include <optional>
#include <string>

namespace sonvale {

// "X 500123.45  Y 4500321.1", followed by "  Leq 63.4 dB(A)" while a map is
// shown and the pointer is over one of its cells (coordinates "#####0.##"
// without leading blanks, the level with one decimal).
// Over a mark of the map (a façade point), its text follows the coordinates
// instead of the level.
std::string CursorFieldText(double x, double y, std::optional<double> level,
                            const std::string& mark = "");

// The text of a façade point's mark: "Casa 12 facciata 3: Lden 67.4 Lnight
// 58.1 dB(A)", its levels of all sources as the tables write them ("-" where
// no source reaches it).
std::string FacadeMarkText(long building, long facade, std::optional<double> lden,
                           std::optional<double> lnight);

// Progress of a run that has done `done` of `total` items in `elapsedSeconds`.
struct ProgressEstimate {
  int percent = 0;             // 0..100
  std::optional<double> left;  // seconds still needed; unknown before the first item
};
ProgressEstimate EstimateProgress(long done, long total, double elapsedSeconds);
// "37% - 00:01:12" (hh:mm:ss left), or "37%" while the time left is unknown.
std::string ProgressText(const ProgressEstimate& e);

// The progress of one run as a bar shows it: started with the number of items
// and the clock, then told how many are done; it says when the bar is due to
// change (at most a few times a second, and always for the last item).
class RunProgress {
 public:
  void start(long total, double now);
  // The estimate to show once `done` items are done at `now`, or nullopt while
  // the one shown last is recent.
  std::optional<ProgressEstimate> step(long done, double now);
  long total() const { return total_; }
  long done() const { return done_; }

 private:
  long total_ = 0, done_ = 0;
  double start_ = 0, shown_ = 0;
};

}  // namespace sonvale
