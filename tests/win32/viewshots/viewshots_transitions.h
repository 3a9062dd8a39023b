#pragma once

// Shots of the switching effects halfway through: the real player plays each effect over
// real windows of a stack, stretched by TESSARY_TRANSITION_SLOWDOWN, and the shot is
// taken while it plays.

#include <functional>
#include <string>

#include "base/geometry.h"
#include "platform/surface.h"

namespace tessary::viewshots {

struct Shots {
  // Says that the shot `name` may be taken over `crop`, `delay` seconds from now.
  std::function<void(const std::string& name, const Rect& crop, double delay)> announce;
  // Answers once the shot `name` was taken.
  std::function<void(const std::string& name)> await;
};

// "transition-<key>" for every effect of the catalogue, over two windows stacked in one
// place.
void ShootTransitions(SurfaceFactory& factory, const Shots& shots);

}  // namespace tessary::viewshots
