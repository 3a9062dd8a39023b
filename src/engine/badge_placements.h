#pragma once

// Where the user dragged floating badges: per display, a short list of window frames
// ("spots") with the badge's offset from that frame, oldest first. Kept in badges.json
// and written whenever a pass changed it.

#include <optional>
#include <string>

#include "base/geometry.h"
#include "layout/document_store.h"
#include "state/badge_placements_document.h"
#include "surfaces/badge_geometry.h"

namespace tessary {

// Entries beyond this many on one display drop the oldest.
inline constexpr std::size_t kBadgePlacementsPerDisplay = 64;

class BadgePlacementStore {
 public:
  // Reads "badgePlacements.v2" from `documents` (null: memory only for the run).
  explicit BadgePlacementStore(DocumentStore* documents = nullptr);

  // The spot for a front window's frame: the entry whose spot overlaps it best
  // (intersection over union at least 0.6). A frame that moved a little updates the
  // entry's spot, so the placement follows the window.
  std::optional<BadgeSpot> Find(const std::string& display, const Rect& frame);
  // Replaces the entry for `frame` with a new one at the end of the display's list.
  void Remember(const std::string& display, const Rect& frame, const BadgeSpot& spot);
  // Removes the entry for `frame`; false when there was none.
  bool Forget(const std::string& display, const Rect& frame);
  // Empties the store; false when it held nothing.
  bool Reset();
  bool Any() const;

  // Writes the document when something changed since it was last written.
  void Store();
  const BadgePlacements& Entries() const { return entries_; }

 private:
  int Best(const std::string& display, const Rect& frame) const;

  DocumentStore* documents_;
  BadgePlacements entries_;
  bool dirty_ = false;
};

}  // namespace tessary
