#include "exchange/row_merge.h"

#include <cmath>

#include "text/number_text.h"

namespace sonvale {

long RowNumberFromText(const std::string& text) {
  double v = RoundHalfEven(LeadingNumber(text));
  // Beyond any table: refused by every range, and safe to hold in a long.
  if (!std::isfinite(v) || std::fabs(v) > 1e9) return -1;
  return static_cast<long>(v);
}

}  // namespace sonvale
