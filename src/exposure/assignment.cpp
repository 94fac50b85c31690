#include "exposure/assignment.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace sonvale {

std::optional<AssignMethod> ParseAssignMethod(std::string_view text) {
  if (text == "median") return AssignMethod::Median;
  if (text == "facade-length") return AssignMethod::FacadeLength;
  if (text == "loudest") return AssignMethod::Loudest;
  return std::nullopt;
}

const char* AssignMethodName(AssignMethod m) {
  switch (m) {
    case AssignMethod::Median:
      return "median";
    case AssignMethod::FacadeLength:
      return "facade-length";
    case AssignMethod::Loudest:
      return "loudest";
  }
  return "";
}

std::vector<double> AssignShares(AssignMethod method,
                                 const std::vector<std::optional<double>>& levels,
                                 const std::vector<double>& lengths) {
  const size_t n = levels.size();
  std::vector<double> shares(n, 0.0);
  if (n == 0) return shares;
  auto key = [&](size_t i) {
    return levels[i] ? *levels[i] : -std::numeric_limits<double>::infinity();
  };
  // Loudest first; equal levels keep the point order.
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) > key(b); });

  switch (method) {
    case AssignMethod::Loudest:
      shares[order[0]] = 1;
      break;
    case AssignMethod::FacadeLength: {
      double total = 0;
      for (double l : lengths) total += l;
      for (size_t i = 0; i < n; ++i) shares[i] = total > 0 ? lengths[i] / total : 1.0 / n;
      break;
    }
    case AssignMethod::Median: {
      const size_t upper = n == 1 ? 1 : (n - n % 2) / 2;
      for (size_t k = 0; k < upper; ++k) shares[order[k]] = 1.0 / static_cast<double>(upper);
      break;
    }
  }
  return shares;
}

}  // namespace sonvale
