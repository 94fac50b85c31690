// The three ways of placing a building's people on its façade points.
#include "exposure/assignment.h"

#include <gtest/gtest.h>

#include <numeric>

namespace sonvale {
namespace {

// The 20 x 12 m building: 4 points of 5 m on each long wall, 3 of 4 m on each
// short wall, in wall order.
std::vector<double> BoxLengths() { return {5, 5, 5, 5, 4, 4, 4, 5, 5, 5, 5, 4, 4, 4}; }

std::vector<std::optional<double>> BoxLevels() {
  // The road side (wall 1) loud, the back quiet, the ends in between.
  return {70, 71, 72, 69, 60, 61, 59, 45, 44, 46, 43, 58, 62, 57};
}

TEST(AssignShares, FacadeLengthWeighsByRepresentedLength) {
  std::vector<double> s = AssignShares(AssignMethod::FacadeLength, BoxLevels(), BoxLengths());
  for (size_t k : {0, 1, 2, 3, 7, 8, 9, 10}) EXPECT_DOUBLE_EQ(s[k], 5.0 / 64);
  for (size_t k : {4, 5, 6, 11, 12, 13}) EXPECT_DOUBLE_EQ(s[k], 4.0 / 64);
  EXPECT_DOUBLE_EQ(std::accumulate(s.begin(), s.end(), 0.0), 1.0);
}

TEST(AssignShares, MedianPutsNobodyBelowTheMedian) {
  // 14 levels; sorted, the middle two are 59 and 60: median 59.5. The upper
  // seven points share everyone equally.
  std::vector<double> s = AssignShares(AssignMethod::Median, BoxLevels(), BoxLengths());
  const auto levels = BoxLevels();
  int holding = 0;
  for (size_t k = 0; k < s.size(); ++k) {
    if (*levels[k] < 59.5) {
      EXPECT_EQ(s[k], 0.0) << k;
    }
    if (s[k] > 0) {
      EXPECT_DOUBLE_EQ(s[k], 1.0 / 7);
      ++holding;
    }
  }
  EXPECT_EQ(holding, 7);
  // An odd count leaves the quietest out: 5 points, the loudest 2 share.
  std::vector<std::optional<double>> five = {50, 40, 60, 55, 45};
  EXPECT_EQ(AssignShares(AssignMethod::Median, five, {1, 1, 1, 1, 1}),
            (std::vector<double>{0, 0, 0.5, 0.5, 0}));
  // One point takes everyone; a point reached by nothing ranks last.
  EXPECT_EQ(AssignShares(AssignMethod::Median, {std::nullopt}, {3}), (std::vector<double>{1}));
  EXPECT_EQ(AssignShares(AssignMethod::Median, {std::nullopt, 30}, {3, 3}),
            (std::vector<double>{0, 1}));
}

TEST(AssignShares, LoudestPutsEveryoneAtOnePoint) {
  std::vector<double> s = AssignShares(AssignMethod::Loudest, BoxLevels(), BoxLengths());
  EXPECT_EQ(std::count(s.begin(), s.end(), 1.0), 1);
  EXPECT_EQ(s[2], 1.0);  // 72 dB
  // Equal levels: the first point in order.
  EXPECT_EQ(AssignShares(AssignMethod::Loudest, {50, 60, 60}, {1, 1, 1}),
            (std::vector<double>{0, 1, 0}));
  EXPECT_TRUE(AssignShares(AssignMethod::Loudest, {}, {}).empty());
  EXPECT_EQ(ParseAssignMethod("facade-length"), AssignMethod::FacadeLength);
  EXPECT_EQ(ParseAssignMethod("Median"), std::nullopt);
}

}  // namespace
}  // namespace sonvale
