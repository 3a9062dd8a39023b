#include "transitions/transition_timing.h"

#include <algorithm>
#include <cmath>

#include "base/easing.h"
#include "base/number_text.h"

namespace tessary {
namespace {

constexpr std::size_t kSlowdownMaxLength = 15;

double Clamp01(double t) { return std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0; }

}  // namespace

double ParseSlowdown(const std::optional<std::string>& value) {
  if (!value || value->size() > kSlowdownMaxLength) return 1.0;
  double factor = 0;
  if (ReadDouble(*value, factor) == 0 || !std::isfinite(factor)) return 1.0;
  return std::max(factor, 1.0);
}

double MeshProgress(double t) { return EaseInOutCubic(Clamp01(t)); }

double CardProgress(double t) { return Clamp01(t); }

}  // namespace tessary
