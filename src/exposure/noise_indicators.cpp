#include "exposure/noise_indicators.h"

#include <cmath>

#include "model/acoustics.h"
#include "text/number_text.h"

namespace sonvale {

std::optional<PeriodScheme> ParsePeriodScheme(std::string_view text) {
  int values[3];
  size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    size_t end = text.find(',', pos);
    if ((k < 2) != (end != std::string_view::npos)) return std::nullopt;
    std::string_view item = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (item.empty() || item.size() > 2) return std::nullopt;
    int v = 0;
    for (char ch : item) {
      if (ch < '0' || ch > '9') return std::nullopt;
      v = v * 10 + (ch - '0');
    }
    values[k] = v;
    pos = end + 1;
  }
  PeriodScheme s{values[0], values[1], values[2]};
  if (s.day < 1 || s.night < 1 || s.day + s.evening + s.night != 24) return std::nullopt;
  return s;
}

std::string PeriodSchemeText(const PeriodScheme& s) {
  return PlainInteger(s.day) + "," + PlainInteger(s.evening) + "," + PlainInteger(s.night);
}

double LdenEnergy(double dayEnergy, double nightEnergy, const PeriodScheme& s) {
  static const double kEvening = std::pow(10.0, 0.5);
  static const double kNight = 10.0;
  return (s.day * dayEnergy + s.evening * dayEnergy * kEvening + s.night * nightEnergy * kNight) /
         24.0;
}

std::optional<double> LevelOf(double energy) {
  if (!(energy > 0)) return std::nullopt;
  return 10 * std::log(energy) / kLogTen;
}

long long Tenths(double level) { return std::llround(level * 10); }

std::string TenthsText(long long tenths) {
  const long long a = tenths < 0 ? -tenths : tenths;
  return std::string(tenths < 0 ? "-" : "") + PlainInteger(a / 10) + "." + PlainInteger(a % 10);
}

}  // namespace sonvale
