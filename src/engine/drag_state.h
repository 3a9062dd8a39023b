#pragma once

// The state of the one drag being followed, and the small timers and detectors that the
// drag tracking keeps beside it.

#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "layout/layout_tree.h"
#include "platform/ids.h"
#include "surfaces/drop_action_menu.h"

namespace tessary {

// Offers "Previous position" when a window that sat in a region is brought back over it
// after having travelled (or after the cursor left the region).
struct ReturnDetector {
  Rect origin;  // the origin region's rectangle
  bool travelled = false;
  bool cursorLeft = false;
  bool active = false;
  bool immediate = false;
};

// `window` is the dragged window's frame now, `cursor` the cursor, `scale` the display's.
void UpdateReturnDetector(ReturnDetector& detector, const Rect& window, Point cursor, double scale);

// What a dwell key names: the hold restarts whenever the target changes.
enum class DwellTarget : std::uint8_t { kNone, kCorner, kColumn, kRegion, kReturn, kTile, kSpan };

struct DwellKey {
  std::int32_t display = -1;
  DwellTarget target = DwellTarget::kNone;
  std::int32_t item = -1;  // corner number, region, tile index ...

  friend bool operator==(const DwellKey&, const DwellKey&) = default;
};

// One hold timer shared by every target that must be dwelt on before it arms.
class DwellTimer {
 public:
  // True once the same key has been held for `threshold` seconds; a new key restarts it.
  bool Held(const DwellKey& key, double threshold, double now) {
    if (active_ && key_ == key) return now - start_ >= threshold;
    active_ = true;
    key_ = key;
    start_ = now;
    return false;
  }
  void Clear() { active_ = false; }
  bool Active() const { return active_; }
  const DwellKey& Key() const { return key_; }

 private:
  bool active_ = false;
  DwellKey key_;
  double start_ = 0;
};

struct DragState {
  WindowId window = kNoWindow;
  Rect startRect;
  Point startCursor;
  bool startOnBorder = false;  // pressed on a sizing border (a slow size loop is no move)
  std::int32_t releasedTicks = 0;
  bool buttonSeen = false;
  bool moving = false;
  bool resizing = false;
  std::int32_t display = -1;  // index into the drag's display list; -1 none
  std::int32_t kind = 0;      // TargetKind
  SnapLayout layout;          // the layout the target belongs to
  std::int32_t region = -1;
  bool armed = false;
  DropIntent intent{0, 0};
  WindowId occupant = kNoWindow;
  std::int32_t originRegion = -1;
  std::string originDisplay;
  bool hasOrigin = false;
  bool movedOff = false;
  bool leftOrigin = false;
  ReturnDetector previousPosition;
  std::optional<DropActionMenu> menu;
  Rect lastFrame;  // the frame read by the last tick
};

// A drag that the tracking ended itself on seeing the buttons up: the system's own end
// event may still arrive and must then be swallowed.
struct LateEnd {
  WindowId window = kNoWindow;
  double time = 0;
  Rect rect;
  bool placed = false;
  bool pending = false;
};

// Windows are named by their handle value in log lines (%p), never by title.
inline void* LogId(WindowId window) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(window)));
}

}  // namespace tessary
