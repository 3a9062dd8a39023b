#include "surfaces/badge_geometry.h"

#include <algorithm>
#include <cmath>

namespace tessary {
namespace {

// Small and grown measures, in DIPs.
constexpr double kWidthSmall = 22, kWidthGrown = 36;
constexpr double kIconSmall = 14, kIconGrown = 24;
constexpr double kGapSmall = 3, kGapGrown = 12;
constexpr double kPadSmall = 4, kPadGrown = 10;
constexpr double kGripGrown = 12;  // the drag handle above the icons, grown only
constexpr double kOverflowSmall = 15.4, kOverflowGrown = 22;
constexpr double kGroupButton = 22;
// Below the frame's top: clear of the title bar and its buttons.
constexpr double kTopOffset = 44;
constexpr double kFloatingInset = 8;
constexpr double kSpotInset = 4;

double Lerp(double small, double grown, double g) { return small + (grown - small) * g; }

double HeightAt(int count, int maxShown, bool grown, bool group) {
  const int shown = std::min(count, maxShown);
  const double i = grown ? kIconGrown : kIconSmall;
  const double q = grown ? kGapGrown : kGapSmall;
  const double p = grown ? kPadGrown : kPadSmall;
  double height = std::max(shown - 1, 0) * q + shown * i + 2 * p;
  if (grown) height += kGripGrown;
  if (count > shown) height += (grown ? kOverflowGrown : kOverflowSmall) + q;
  if (grown && group) height += q + kGroupButton;
  return height;
}

Rect Grown(const Rect& r, double dx, double dy) {
  return {r.x - dx, r.y - dy, r.width + 2 * dx, r.height + 2 * dy};
}

}  // namespace

std::string SpanNote(const BadgeIcon& icon) {
  if (icon.widthUnits <= 0) return {};
  return icon.widthUnits == 1 ? "Spans the whole column"
                              : "Spans " + std::to_string(icon.widthUnits) + " columns";
}

double BadgeWidth(double growth) { return Lerp(kWidthSmall, kWidthGrown, growth); }

double BadgeHeight(int count, int maxShown, double growth, bool group) {
  return Lerp(HeightAt(count, maxShown, false, group), HeightAt(count, maxShown, true, group),
              growth);
}

BadgeParts LayOutBadge(const BadgeContent& content, double g) {
  BadgeParts parts;
  const int count = static_cast<int>(content.icons.size());
  const int shown = std::min(count, std::max(content.maxShown, 0));
  const bool group = content.groupCount >= 2;
  parts.width = BadgeWidth(g);
  parts.height = BadgeHeight(count, content.maxShown, g, group);
  const double i = Lerp(kIconSmall, kIconGrown, g);
  const double q = Lerp(kGapSmall, kGapGrown, g);
  const double first = Lerp(kPadSmall, kPadGrown + kGripGrown, g);
  parts.grip = {0, 0, parts.width, first};
  double bottom = first;
  for (int k = 0; k < shown; ++k) {
    double top = first + k * (q + i);
    if (group && k >= content.groupCount) top += (kGroupButton + kGapGrown) * g;
    parts.icons.push_back({(parts.width - i) / 2, top, i, i});
    bottom = top + i;
    if (group && k == content.groupCount - 1) {
      parts.groupButton =
          Rect{(parts.width - kGroupButton) / 2, bottom + q, kGroupButton, kGroupButton};
    }
  }
  if (count > shown) {
    parts.hiddenCount = count - shown;
    parts.overflowButton = Rect{0, bottom + q, parts.width, Lerp(kOverflowSmall, kOverflowGrown, g)};
  }
  return parts;
}

Point BadgeOrigin(const BadgeAnchor& anchor, double width, double height, double scale) {
  const Rect& f = anchor.frame;
  const double top = std::round(f.y + kTopOffset * scale);
  if (anchor.onEdge) return {std::round(std::max(f.x - width / 2, anchor.work.x)), top};
  if (!anchor.spot) return {std::round(f.x + kFloatingInset * scale), top};
  const BadgeSpot& spot = *anchor.spot;
  double left = spot.fromRight ? f.Right() - spot.dx : f.x + spot.dx;
  double y = f.y + spot.dy;
  const double inset = kSpotInset * scale;
  left = std::max(std::min(left, f.Right() - inset - width), f.x + inset);
  y = std::max(std::min(y, f.Bottom() - inset - height), f.y + inset);
  return {std::round(left), std::round(y)};
}

BadgeSpot SpotFor(const Rect& badge, const Rect& frame) {
  const bool fromRight = badge.x + badge.width / 2 > frame.x + frame.width / 2;
  return {fromRight, fromRight ? frame.Right() - badge.x : badge.x - frame.x, badge.y - frame.y};
}

BadgeHit HitTestBadge(const BadgeParts& parts, Point p, double g, bool group) {
  if (group && g > 0.5 && parts.groupButton && Grown(*parts.groupButton, 4, 4).Contains(p)) {
    return {BadgePart::kGroupButton, -1};
  }
  const double vertical = g >= 1 ? 6 : 3;
  for (std::size_t k = 0; k < parts.icons.size(); ++k) {
    if (Grown(parts.icons[k], 4, vertical).Contains(p)) {
      return {BadgePart::kIcon, static_cast<int>(k)};
    }
  }
  if (parts.overflowButton && Grown(*parts.overflowButton, 0, 3).Contains(p)) {
    return {BadgePart::kOverflow, -1};
  }
  if (g >= 1 && Grown(parts.grip, 4, 3).Contains(p)) return {BadgePart::kGrip, -1};
  return {};
}

}  // namespace tessary
