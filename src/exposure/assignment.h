// How the people of a building are spread over its façade points: everyone at
// the most exposed point, every point by the façade length it represents, or
// (the method added to the common assessment method in 2021) the loudest half of
// the points in equal shares.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace sonvale {

enum class AssignMethod { Median, FacadeLength, Loudest };
// "median", "facade-length", "loudest".
std::optional<AssignMethod> ParseAssignMethod(std::string_view text);
const char* AssignMethodName(AssignMethod m);

// The share of the building's people at each point (summing to 1, or empty for a
// building without points). levels: the level of each point for the indicator
// considered, nullopt where no source reaches it (ranked below every level);
// lengths: the façade length each point represents. Ties keep the point order.
// Median: the points are ranked by level; with an odd count the quietest is left
// out; the upper half share equally (a single point takes everyone).
std::vector<double> AssignShares(AssignMethod method,
                                 const std::vector<std::optional<double>>& levels,
                                 const std::vector<double>& lengths);

}  // namespace sonvale
