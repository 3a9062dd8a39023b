#pragma once

// What the keyboard does in the window chooser panel and what the tooltip of each item
// says, computed from the geometry alone so the rules can be exercised without a window.

#include <cstdint>
#include <string>
#include <vector>

#include "surfaces/chooser_panel_geometry.h"

namespace tessary {

// The paging arrows' names (tooltips, screen readers).
inline constexpr const char* kChooserPreviousText = "Previous Window";
inline constexpr const char* kChooserNextText = "Next Window";

enum class ChooserKeyAction {
  kNone,     // the key means nothing here
  kDone,     // Escape
  kChoose,   // Enter or Space on the focused card, or a digit: `card` is chosen
  kFocus,    // an arrow or Tab: `card` is the new focus (repaint)
  kActionB,  // B with action B enabled
  kRepaint,  // B without action B, or an arrow with nowhere to go
};

struct ChooserKeyResult {
  ChooserKeyAction action = ChooserKeyAction::kNone;
  int card = -1;

  friend bool operator==(const ChooserKeyResult&, const ChooserKeyResult&) = default;
};

// Escape ends; Enter or Space choose the focused card; Right or Tab focus the next card and
// Left the previous one, wrapping; Up or Down focus the nearest card (by |dx| + 4 |dy|
// between centres) at least half a card's height above or below; "1" to "9" choose that
// card when it exists; B is action B when enabled.
ChooserKeyResult ChooserKey(const ChooserGeometry& geometry, const ChooserConfig& config,
                            int focus, std::uint32_t virtualKey);

// The tooltip of an item (chooser_item ids or a card index); empty for items without one.
// The panel's own keys ("Press 1") are named only while they reach it (`panelKeys`: it has
// the keyboard focus); the program's shortcuts work anywhere and are always named.
std::string ChooserTooltip(const ChooserConfig& config, const std::vector<ChooserChoice>& choices,
                           int item, bool panelKeys = true);

}  // namespace tessary
