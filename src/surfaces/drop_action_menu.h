#pragma once

// The drop menu's model: what a drop onto an occupied region (or onto a spanning window)
// can do, as tiles. Which tiles are offered and where they go is the engine's decision;
// the view only draws a menu it is given.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace tessary {

// The kinds of drop, with the numbers that are logged. 10 is unused; any other number is
// carried along but has no glyph and no default label.
enum DropKind : std::int32_t {
  kDropAddToStack = 0,
  kDropPutBack = 1,
  kDropTopHalf = 2,
  kDropBottomHalf = 3,
  kDropLeftHalf = 4,
  kDropRightHalf = 5,
  kDropWholeColumn = 6,
  kDropSwap = 7,
  kDropPending = 8,  // not a tile: the menu is open and no tile is under the pointer
  kDropSpanColumn = 9,
  kDropSpanAddToStack = 11,
  kDropSpanSplitTop = 12,
  kDropSpanSplitBottom = 13,
  kDropSpanLeftColumn = 14,
  kDropSpanRightColumn = 15,
  kDropSpanTopHalf = 16,
  kDropSpanBottomHalf = 17,
};

// What a drop would do: the kind and the region it applies to (for span kinds the span's
// lowest region number). Compared as a pair of ints.
struct DropIntent {
  std::int32_t kind = kDropPending;
  std::int32_t region = 0;

  friend bool operator==(const DropIntent&, const DropIntent&) = default;
};

struct DropTile {
  DropIntent intent;
  std::string label;  // UTF-8
  Rect rect;          // desktop pixels

  friend bool operator==(const DropTile&, const DropTile&) = default;
};

// The open menu (one per program).
struct DropActionMenu {
  std::int32_t display = -1;  // index into the display list
  std::int32_t region = -1;   // the hovered region (the intents' region)
  std::vector<DropTile> tiles;
  Rect rect;          // the whole menu, desktop pixels; may be larger than the area below
  bool span = false;  // a span menu rather than a region menu
  bool visible = false;
};

}  // namespace tessary
