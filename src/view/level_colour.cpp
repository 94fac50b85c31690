#include "view/level_colour.h"

#include <cmath>

#include "text/number_text.h"

namespace sonvale {
namespace {

int Component(double v) { return static_cast<int>(RoundHalfEven(v)); }

}  // namespace

Rgb LevelColour(double index) {
  if (std::isnan(index)) return RGB(128, 0, 0);
  if (index > 255) index = 255;
  // Kept as a double: a very low level gives a b far beyond any integer type.
  double b = std::trunc((255 - index) * 200 / 255);
  // The low part of the scale (loud levels) is stretched so that the reds and
  // yellows are not crowded into a few steps.
  if (b < 93) {
    b = RoundHalfEven(0.75 * (std::pow(b, 5.909007) / 1e10 + 1.366 * std::pow(b, 0.797119)) +
                      0.25 * b);
  }
  if (b >= 0 && b <= 40) return RGB(255, Component(b * 255 / 40), 0);
  if (b > 40 && b <= 80) return RGB(Component(255 - (b - 40) * 255 / 40), 255, 0);
  if (b > 80 && b <= 120) return RGB(0, 255, Component((b - 80) * 255 / 40));
  if (b > 120 && b <= 160) return RGB(0, Component(255 - (b - 120) * 255 / 40), 255);
  if (b > 160 && b <= 200) {
    return RGB(Component((b - 160) * 100 / 40), 0, Component(255 - (b - 160) * 100 / 40));
  }
  return RGB(128, 0, 0);
}

}  // namespace sonvale
