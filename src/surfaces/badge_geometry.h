#pragma once

// The badge's shape: what it shows (BadgeContent), where it stands (BadgeAnchor) and the
// size and place of each of its parts at a growth between small (0) and grown (1). Pure
// functions, so the engine can size a badge before it exists and tests can check the
// numbers without a surface.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// One window behind the front window, as its icon on the badge.
struct BadgeIcon {
  WindowId window = kNoWindow;
  IconId icon = kNoIcon;
  // How many columns the member covers beyond the front window: 0 for none (no span bar),
  // 1 for a taller window in the same column, more for a wider one.
  int widthUnits = 0;
  std::string name;  // the app's name, which the icon's tooltip gives

  friend bool operator==(const BadgeIcon&, const BadgeIcon&) = default;
};

struct BadgeContent {
  std::vector<BadgeIcon> icons;
  // The first `groupCount` icons are the fronts of the regions a spanning front window
  // covers ("Bring Them Forward" acts on them); 0 or at least 2.
  int groupCount = 0;
  int maxShown = 6;
  std::string groupLabel;  // "Bring A and B Forward"

  friend bool operator==(const BadgeContent&, const BadgeContent&) = default;
};

// Where the user left a floating badge, relative to its front window's frame.
struct BadgeSpot {
  bool fromRight = false;
  double dx = 0;
  double dy = 0;

  friend bool operator==(const BadgeSpot&, const BadgeSpot&) = default;
};

struct BadgeAnchor {
  Rect frame;  // the front window's frame, desktop pixels
  Rect work;   // the work area of its display
  bool onEdge = true;
  std::optional<BadgeSpot> spot;  // floating only

  friend bool operator==(const BadgeAnchor&, const BadgeAnchor&) = default;
};

// Badge-local DIPs (origin at the badge's top-left) at one growth.
struct BadgeParts {
  double width = 0;
  double height = 0;
  Rect grip;
  std::vector<Rect> icons;  // the icons shown
  std::optional<Rect> groupButton;
  std::optional<Rect> overflowButton;
  int hiddenCount = 0;  // members not shown (the overflow's "+N")
};

// How far a member reaches beyond the front window ("Spans the whole column", "Spans 2
// columns"), which its tooltip and its name for screen readers add; empty for none.
std::string SpanNote(const BadgeIcon& icon);

// The badge's height in DIPs with `count` members, at most `maxShown` shown.
double BadgeHeight(int count, int maxShown, double growth, bool group);
double BadgeWidth(double growth);

BadgeParts LayOutBadge(const BadgeContent& content, double growth);

// The badge's top-left in desktop pixels for a badge `size` (pixels) at `anchor`.
Point BadgeOrigin(const BadgeAnchor& anchor, double width, double height, double scale);

// The spot a floating badge dropped at `badge` (desktop pixels) is remembered as.
BadgeSpot SpotFor(const Rect& badge, const Rect& frame);

enum class BadgePart : std::uint8_t { kNone, kIcon, kGroupButton, kOverflow, kGrip };

struct BadgeHit {
  BadgePart part = BadgePart::kNone;
  int icon = -1;

  friend bool operator==(const BadgeHit&, const BadgeHit&) = default;
};

// What lies under a point in badge-local DIPs (first match wins: group button, icons,
// overflow, the grip when grown).
BadgeHit HitTestBadge(const BadgeParts& parts, Point local, double growth, bool group);

}  // namespace tessary
