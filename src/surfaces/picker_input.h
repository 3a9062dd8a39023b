#pragma once

// What the pointer and the keyboard select in the picker, computed from its geometry
// alone so the rules can be exercised without a window.

#include <cstdint>

#include "base/geometry.h"
#include "surfaces/picker_geometry.h"

namespace tessary {

// A layout (index into the layouts shown) and one of its regions; (-1, -1) for none.
struct PickerHit {
  int layout = -1;
  int region = -1;

  bool IsReal() const { return layout >= 0 && region >= 0; }
  friend bool operator==(const PickerHit&, const PickerHit&) = default;
};

// The card and region under a point in panel units. A point within 4 units of a card
// counts for it, and every point of a card selects its nearest region (the gaps between
// regions belong to the nearer one; ties to the lower number). In gallery mode a card
// selects its layout with its lowest region, and only inside its exact rectangle. A card
// without regions selects nothing.
PickerHit PickerHitAt(const PickerGeometry& geometry, Point panelPoint, bool gallery);

enum class PickerKeyAction {
  kNone,     // the key means nothing here
  kDismiss,  // Escape
  kChoose,   // Enter or Space on a real selection: `hit` is the choice
  kHover,    // a digit or an arrow: `hit` is the new selection (may equal the old one)
};

struct PickerKeyResult {
  PickerKeyAction action = PickerKeyAction::kNone;
  PickerHit hit;
};

// The keyboard rules. Digits 1 to 9 select that card; arrows walk the hovered card's
// regions in reading order (Right/Down forward, Left/Up back) and run on into the next or
// previous card, wrapping around the cards.
PickerKeyResult PickerKey(const PickerGeometry& geometry, PickerHit hovered,
                          std::uint32_t virtualKey);

}  // namespace tessary
