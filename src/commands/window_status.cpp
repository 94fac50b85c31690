#include "commands/window_status.h"

#include <algorithm>
#include <cmath>

#include "commands/map_command.h"
#include "exposure/exposure_tables.h"
#include "text/number_text.h"
#include "text/translatable.h"
#include "view/zoom.h"

namespace sonvale {

std::string CursorFieldText(double x, double y, std::optional<double> level,
                            const std::string& mark) {
  std::string s = "X " + StatusCoordinate(x) + "  Y " + StatusCoordinate(y);
  if (!mark.empty())
    s += "  " + mark;
  else if (level)
    s += "  Leq " + FormatPattern(*level, "0.0") + " dB(A)";
  return s;
}

std::string FacadeMarkText(long building, long facade, std::optional<double> lden,
                           std::optional<double> lnight) {
  auto level = [](std::optional<double> v) { return v ? LevelField(v) : std::string("-"); };
  // The two words are pieces the window translates (see TranslateText).
  return std::string(SV_TR("sonvale", "Casa")) + " " + PlainInteger(building) + " " +
         SV_TR("sonvale", "facciata") + " " + PlainInteger(facade) + ": Lden " + level(lden) +
         " Lnight " + level(lnight) + " dB(A)";
}

ProgressEstimate EstimateProgress(long done, long total, double elapsedSeconds) {
  ProgressEstimate e;
  if (total <= 0) return e;
  done = std::clamp(done, 0L, total);
  e.percent = static_cast<int>(done * 100 / total);
  if (done > 0 && elapsedSeconds >= 0) {
    e.left = elapsedSeconds * static_cast<double>(total - done) / static_cast<double>(done);
  }
  return e;
}

std::string ProgressText(const ProgressEstimate& e) {
  std::string s = PlainInteger(e.percent) + "%";
  if (e.left) s += " - " + ElapsedTimeText(*e.left);
  return s;
}

void RunProgress::start(long total, double now) {
  total_ = total;
  done_ = 0;
  start_ = shown_ = now;
}

std::optional<ProgressEstimate> RunProgress::step(long done, double now) {
  if (total_ <= 0) return std::nullopt;
  done_ = done;
  // A few updates a second are enough to read.
  if (now - shown_ < 0.2 && done < total_) return std::nullopt;
  shown_ = now;
  return EstimateProgress(done, total_, now - start_);
}

}  // namespace sonvale
