// The indicators of strategic noise maps built from the day and night levels of
// the engine: the day-evening-night level under a chosen split of the 24 hours,
// the evening taken equal to the day, and levels as written, to 0.1 dB.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonvale {

// Hours of the day, evening and night periods; they sum to 24.
struct PeriodScheme {
  int day = 12, evening = 4, night = 8;
};

// "D,E,N" whole hours, each at least 1 (the evening may be 0), summing to 24;
// nullopt otherwise.
std::optional<PeriodScheme> ParsePeriodScheme(std::string_view text);
std::string PeriodSchemeText(const PeriodScheme& s);  // "12,4,8"

// The energy average over 24 hours of day, evening (+5 dB) and night (+10 dB)
// energies, the evening energy being the day one. 0 when both are 0.
double LdenEnergy(double dayEnergy, double nightEnergy, const PeriodScheme& s);

// 10 lg of an energy as the kernel converts it; nullopt for an energy <= 0 (no
// source reaches the point).
std::optional<double> LevelOf(double energy);

// A level rounded half away from zero to whole tenths of a decibel: the value
// every table, band and file uses, so that a band holds exactly the levels
// written in it.
long long Tenths(double level);
// "55.0", "-0.3": the tenths as written.
std::string TenthsText(long long tenths);

}  // namespace sonvale
