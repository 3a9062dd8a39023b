#include "surfaces/chooser_panel_geometry.h"

#include <algorithm>
#include <cmath>

namespace tessary {
namespace {

// The header band and the button band that the cards leave free.
constexpr double kHeaderBand = 52;
constexpr double kButtonBand = 56;
constexpr double kCardGap = 12;
constexpr double kCaptionHeight = 26;
constexpr double kCardAspect = 1.6;
constexpr double kMinCardWidth = 48;
constexpr double kMaxCardWidth = 440;
constexpr double kTabBand = 36;

// Cards of a group have one fixed size and step.
constexpr double kGroupCardWidth = 132;
constexpr double kGroupCardHeight = 104;
constexpr double kGroupStepX = 140;
constexpr double kGroupStepY = 112;
constexpr double kActionBWidth = 160;

void LayOutTabs(const ChooserConfig& config, ChooserGeometry& g) {
  const double count = static_cast<double>(config.tabs.size());
  if (count < 1) return;
  const double tw = std::min(std::max((g.width - 16 - 86 - (count - 1) * 6) / count, 44.0), 120.0);
  for (std::size_t i = 0; i < config.tabs.size(); ++i) {
    g.tabs.push_back({86 + static_cast<double>(i) * (tw + 6), 44, tw, 24});
  }
}

// The simple form: one grid of equal cards, as large as the area allows.
void LayOutGrid(int n, double top, ChooserGeometry& g, double gridHeight) {
  const double areaWidth = g.width - 32;
  const double areaHeight = gridHeight - kHeaderBand - kButtonBand;
  if (n < 1 || areaWidth < 60 || areaHeight < 40) return;
  int columns = 1;
  double best = -1;
  for (int k = 1; k <= n; ++k) {
    const int rows = (n + k - 1) / k;
    const double cardHeight = (areaHeight - (rows - 1) * kCardGap) / rows;
    const double width = std::min((cardHeight - kCaptionHeight) * kCardAspect,
                                  (areaWidth - (k - 1) * kCardGap) / k);
    if (width > best) {
      best = width;
      columns = k;
    }
  }
  const int rows = (n + columns - 1) / columns;
  const double cw = std::clamp(best, kMinCardWidth, kMaxCardWidth);
  const double ch = cw / kCardAspect + kCaptionHeight;
  const double gridTop =
      std::max((areaHeight - ((rows - 1) * kCardGap + rows * ch)) / 2, 0.0) + kHeaderBand + top;
  const double left = (areaWidth - (columns * cw + (columns - 1) * kCardGap)) / 2 + 16;
  for (int i = 0; i < n; ++i) {
    const double x = (i % columns) * (cw + kCardGap) + left;
    const double y = (i / columns) * (ch + kCardGap) + gridTop;
    g.cards[static_cast<std::size_t>(i)] = {x, y, cw, ch};
    g.previews[static_cast<std::size_t>(i)] = {x + 6, y + 6, cw - 12, ch - 32};
  }
}

// The grouped form: the groups side by side below the header, the action-B area (when
// there is one) in a column at the right; each group's cards in centred rows.
void LayOutGroups(const ChooserConfig& config, int n, double top, ChooserGeometry& g) {
  const double areaTop = 48 + top;
  const double areaHeight = std::max(g.height - areaTop - kButtonBand, 0.0);
  double right = g.width - 16;
  if (config.actionB) {
    g.actionB = {right - kActionBWidth, areaTop, kActionBWidth, areaHeight};
    right -= kActionBWidth + kCardGap;
  }
  const double count = static_cast<double>(config.groups.size());
  const double areaWidth = std::max((right - 16 - (count - 1) * kCardGap) / count, 0.0);
  for (std::size_t gi = 0; gi < config.groups.size(); ++gi) {
    const ChooserGroup& group = config.groups[gi];
    const Rect area{16 + static_cast<double>(gi) * (areaWidth + kCardGap), areaTop, areaWidth,
                    areaHeight};
    g.groupAreas.push_back(area);
    const int members = static_cast<int>(group.cards.size());
    const int columns =
        std::min(members, std::max(static_cast<int>((area.width - 20 + 8) / kGroupStepX), 1));
    for (int j = 0; j < members; ++j) {
      const int card = group.cards[static_cast<std::size_t>(j)];
      if (card < 0 || card >= n) continue;
      const int row = j / columns;
      const int inRow = std::min(columns, members - row * columns);
      const double rowWidth = (inRow - 1) * 8 + inRow * kGroupCardWidth;
      const double x = area.x + std::round((area.width - rowWidth) / 2) + (j % columns) * kGroupStepX;
      const double y = area.y + 24 + row * kGroupStepY;
      const auto i = static_cast<std::size_t>(card);
      g.cards[i] = {x, y, kGroupCardWidth, kGroupCardHeight};
      g.previews[i] = {x + 6, y + 6, 120, 70};
      if (group.spanMark) g.stretch[i] = {x + kGroupCardWidth - 48, y + kGroupCardHeight - 23, 20, 18};
    }
  }
  g.primary = {g.width - 122, g.height - 44, 110, 32};
}

}  // namespace

ChooserGeometry LayOutChooser(const ChooserConfig& config, int count, double width,
                              double height) {
  ChooserGeometry g;
  g.width = width;
  g.height = height;
  const int n = std::max(count, 0);
  g.cards.assign(static_cast<std::size_t>(n), Rect{});
  g.previews.assign(static_cast<std::size_t>(n), Rect{});
  g.stretch.assign(static_cast<std::size_t>(n), Rect{});
  const double top = config.tabs.empty() ? 0 : kTabBand;
  LayOutTabs(config, g);
  if (config.paging) {
    g.previous = {width - 110, 12, 26, 26};
    g.next = {width - 82, 12, 26, 26};
  }
  if (!config.groups.empty()) {
    LayOutGroups(config, n, top, g);
    return g;
  }
  // Laid out for the height below the tabs, then moved down by them.
  const double gridHeight = height - top;
  LayOutGrid(n, top, g, gridHeight);
  if (config.leaveEmpty) g.leaveEmpty = {16, gridHeight - 44 + top, 120, 32};
  g.primary = {width - 106, gridHeight - 44 + top, 90, 32};
  return g;
}

int ChooserHitTest(const ChooserGeometry& g, const ChooserConfig& config, Point p) {
  for (std::size_t i = 0; i < g.stretch.size(); ++i) {
    const Rect& r = g.stretch[i];
    if (r.width > 0 && r.height > 0 &&
        Rect{r.x - 3, r.y - 3, r.width + 6, r.height + 6}.Contains(p)) {
      return chooser_item::kStretchBase + static_cast<int>(i);
    }
  }
  for (std::size_t i = 0; i < g.tabs.size(); ++i) {
    if (g.tabs[i].Contains(p)) return chooser_item::kTabBase + static_cast<int>(i);
  }
  if (g.previous.Contains(p)) return chooser_item::kPrevious;
  if (g.next.Contains(p)) return chooser_item::kNext;
  for (std::size_t i = 0; i < g.cards.size(); ++i) {
    if (g.cards[i].Contains(p)) return static_cast<int>(i);
  }
  if (config.actionB && g.actionB.Contains(p)) return chooser_item::kActionB;
  if (config.leaveEmpty && g.leaveEmpty.Contains(p)) return chooser_item::kLeaveEmpty;
  if (g.primary.Contains(p)) return chooser_item::kPrimary;
  return chooser_item::kNothing;
}

Rect ThumbnailDestination(const Rect& preview, double sourceWidth, double sourceHeight,
                          double scale) {
  double f = 1;
  if (sourceWidth > 0 && sourceHeight > 0) {
    f = std::min(preview.width / sourceWidth, preview.height / sourceHeight);
  }
  const double w = sourceWidth * f;
  const double h = sourceHeight * f;
  const double x = preview.x + (preview.width - w) / 2;
  const double y = preview.y + (preview.height - h) / 2;
  auto px = [scale](double units) { return static_cast<double>(std::lround(units * scale)); };
  return {px(x), px(y), px(w), px(h)};
}

}  // namespace tessary
