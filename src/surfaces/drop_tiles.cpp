#include "surfaces/drop_tiles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessary {
namespace {

// A half must leave each window at least this wide (or high), whatever it claims to need.
constexpr double kHalfFloorWidth = 320;
constexpr double kHalfFloorHeight = 220;
constexpr double kHalfGap = 8;

constexpr double kPadding = 10;
constexpr double kTileGap = 8;
constexpr double kTileWidth = 112;
constexpr double kTileHeight = 92;

Point CentreOf(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

double DistanceSquared(Point a, Point b) {
  return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

}  // namespace

std::vector<DropIntent> BuildDropActionMenu(const DropMenuRequest& q) {
  const double s = q.scale;
  const std::int32_t r = q.region;
  std::vector<DropIntent> intents;
  intents.push_back({q.putBack ? kDropPutBack : kDropAddToStack, r});
  if (q.sizeKnown) {
    double w = std::max(q.neededWidth, kHalfFloorWidth * s);
    if (q.regionWidth >= 2 * w + kHalfGap * s) {
      intents.push_back({kDropLeftHalf, r});
      intents.push_back({kDropRightHalf, r});
    }
  }
  // A full-height region is halved by turning it into a stack of rows, which any
  // window that fits the floor accepts whatever the region's height.
  bool tallEnough = false;
  if (q.fullHeight && q.neededHeight <= kHalfFloorHeight * s) {
    tallEnough = true;
  } else if (q.sizeKnown) {
    tallEnough =
        q.regionHeight >= 2 * std::max(q.neededHeight, kHalfFloorHeight * s) + kHalfGap * s;
  }
  if (tallEnough) {
    intents.push_back({kDropTopHalf, r});
    intents.push_back({kDropBottomHalf, r});
  }
  if (q.rejoinRegion >= 0) intents.push_back({kDropWholeColumn, q.rejoinRegion});
  if (q.spanColumnRegion >= 0) intents.push_back({kDropSpanColumn, q.spanColumnRegion});
  if (q.canSwap && !q.putBack) intents.push_back({kDropSwap, r});
  return intents;
}

std::string DropIntentLabel(std::int32_t kind) {
  switch (kind) {
    case kDropAddToStack:
    case kDropSpanAddToStack:
      return "Add to Stack";
    case kDropPutBack:
      return "Put Back";
    case kDropTopHalf:
    case kDropSpanSplitTop:
    case kDropSpanTopHalf:
      return "Top Half";
    case kDropBottomHalf:
    case kDropSpanSplitBottom:
    case kDropSpanBottomHalf:
      return "Bottom Half";
    case kDropLeftHalf:
      return "Left Half";
    case kDropRightHalf:
      return "Right Half";
    case kDropWholeColumn:
      return "Whole Column";
    case kDropSwap:
      return "Swap";
    case kDropSpanColumn:
      return "Span Column";
    case kDropSpanLeftColumn:
      return "Left Column";
    case kDropSpanRightColumn:
      return "Right Column";
    default:
      return "";
  }
}

DropTileLayout LayOutDropTiles(const std::vector<DropIntent>& intents, const Rect& area, double s,
                               const std::vector<DropLabelOverride>& overrides) {
  DropTileLayout out;
  const int n = static_cast<int>(intents.size());
  if (n == 0) return out;
  const double tileW = kTileWidth * s;
  const double tileH = kTileHeight * s;
  const double gap = kTileGap * s;
  const double pad = kPadding * s;

  const int fit = static_cast<int>(std::trunc((area.width - 2 * pad + gap) / (tileW + gap)));
  int columns = n > std::max(fit, 1) ? (n + 1) / 2 : n;
  columns = std::max(1, std::min(columns, n));
  const int rows = (n + columns - 1) / columns;

  const double width = columns * tileW + (columns - 1) * gap + 2 * pad;
  const double height = rows * tileH + (rows - 1) * gap + 2 * pad;
  const Point centre = CentreOf(area);
  out.rect = {std::round(centre.x - width / 2), std::round(centre.y - height / 2), width, height};
  const double menuCentreX = out.rect.x + width / 2;

  std::vector<Rect> slots;
  for (int i = 0; i < n; ++i) {
    const int row = i / columns;
    const int column = i % columns;
    const int inRow = row == rows - 1 ? n - row * columns : columns;
    const double rowWidth = inRow * tileW + (inRow - 1) * gap;
    slots.push_back({std::round(menuCentreX - rowWidth / 2 + column * (tileW + gap)),
                     out.rect.y + pad + row * (tileH + gap), tileW, tileH});
  }

  // The primary intent goes where the pointer already is: the slot nearest the centre.
  const Point menuCentre = CentreOf(out.rect);
  std::size_t primary = 0;
  for (std::size_t i = 1; i < slots.size(); ++i) {
    if (DistanceSquared(CentreOf(slots[i]), menuCentre) <
        DistanceSquared(CentreOf(slots[primary]), menuCentre)) {
      primary = i;
    }
  }
  std::vector<std::size_t> order{primary};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (i != primary) order.push_back(i);
  }

  out.tiles.resize(slots.size());
  for (std::size_t i = 0; i < intents.size(); ++i) {
    DropTile& tile = out.tiles[order[i]];
    tile.intent = intents[i];
    tile.rect = slots[order[i]];
    tile.label = DropIntentLabel(intents[i].kind);
    for (const DropLabelOverride& o : overrides) {
      if (o.intent == intents[i]) tile.label = o.label;
    }
  }
  return out;
}

int DropTileAt(const DropActionMenu& menu, Point point) {
  if (!menu.rect.Contains(point)) return -1;
  int nearest = -1;
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < menu.tiles.size(); ++i) {
    double d = DistanceSquared(CentreOf(menu.tiles[i].rect), point);
    if (d < best) {
      best = d;
      nearest = static_cast<int>(i);
    }
  }
  return nearest;
}

}  // namespace tessary
