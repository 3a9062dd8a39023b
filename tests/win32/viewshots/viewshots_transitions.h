#pragma once

// Shots of the switching effects halfway through, over real windows of a stack.

#include <functional>
#include <string>

#include "base/geometry.h"
#include "platform/surface.h"

namespace tessary::viewshots {

// Says that the shot `name` is on screen over `crop` and answers once it was taken.
using TakeShot = std::function<void(const std::string& name, const Rect& crop)>;

// Each effect plays over two windows stacked in one place, and is held for its shot
// halfway: "transition-<key>" for every key of the catalogue.
void ShootTransitions(SurfaceFactory& factory, const TakeShot& shoot);

}  // namespace tessary::viewshots
