#pragma once

// What the effect programs are given for each window: its mesh, and its constants in the
// overlay's device coordinates. Pure functions, so every number can be checked natively.

#include <vector>

#include "base/geometry.h"
#include "platform/transition_gpu.h"

namespace tessary {

// Cells of an effect's mesh; Disintegrate breaks the window along `seamCount` seams.
struct MeshResolution {
  int columns = 0;
  int rows = 0;
  int seamCount = 0;

  friend bool operator==(const MeshResolution&, const MeshResolution&) = default;
};

// Where Disintegrate's pieces part, as fractions of the width: uneven, so the window
// does not fall apart in equal strips.
inline constexpr float kDisintegrateSeams[4] = {0.17f, 0.38f, 0.61f, 0.83f};

// The mesh of a mesh-pass effect number for a window of `window` pixels on a display of
// `scale`. Disintegrate's cells stay about 12 units wide however large the window is,
// within bounds that keep small windows smooth and large ones cheap.
MeshResolution MeshResolutionFor(int effectNumber, const Rect& window, double scale);

// The grid of columns x rows cells over the unit square (see TransitionMesh).
TransitionMesh BuildMesh(int columns, int rows);

// Genie's target when none is given: near the window's minimise button, 115 units left
// of the right edge and 16 below the top.
Point DefaultGenieTarget(const Rect& window, double scale);

// The smallest rectangle holding every one (the overlay covers all animated windows).
Rect BoundingRect(const std::vector<Rect>& rects);

// The mesh pass's constants for one window under an overlay over `overlay`, at progress 0.
TransitionUniforms MeshUniforms(const Rect& window, const Rect& overlay, Point target,
                                int effectNumber, const MeshResolution& mesh);
// The card pass's constants for card `index` of `count`, `selected` being the card that
// comes to the front.
TransitionUniforms CardUniforms(const Rect& window, const Rect& overlay, int index, int count,
                                int selected);

}  // namespace tessary
