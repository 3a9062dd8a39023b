#pragma once

// The motion curves of the glide, the slide and the switching effects.

#include <cmath>
#include <numbers>

namespace tessary {

// Ease-in-out cubic over p in [0, 1].
inline double EaseInOutCubic(double p) {
  if (p < 0.5) return 4 * p * p * p;
  double q = 2 - 2 * p;
  return 1 - q * q * q / 2;
}

// Out and back over p in [0, 1]: rises from 0 to 1 by p = 0.42, then falls back to 0.
inline double OutAndBack(double p) {
  constexpr double kTurn = 0.42;
  if (p <= kTurn) return (1 - std::cos(std::numbers::pi * p / kTurn)) / 2;
  return (1 + std::cos(std::numbers::pi * (p - kTurn) / (1 - kTurn))) / 2;
}

}  // namespace tessary
