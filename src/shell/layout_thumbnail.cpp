#include "shell/layout_thumbnail.h"

#include <algorithm>
#include <utility>

#include "layout/tree_geometry.h"

namespace tessary {

ThumbnailPainter MakeLayoutThumbnail(const SnapLayout& layout,
                                     std::map<std::int32_t, IconId> icons) {
  // The tree is immutable and shared, so the painter may keep it past the menu's build.
  return [tree = layout.tree, icons = std::move(icons)](Canvas& canvas, double width, double height,
                                                        bool darkMenu) {
    const Color screen = darkMenu ? Color{1, 1, 1, 0.10} : Color{0, 0, 0, 0.06};
    const Color region = darkMenu ? Color{1, 1, 1, 0.30} : Color{0.22, 0.42, 0.72, 0.30};
    const Color edge = darkMenu ? Color{1, 1, 1, 0.45} : Color{0.22, 0.42, 0.72, 0.55};
    const Rect area{0, 0, width, height};
    canvas.FillRounded(area, 4, screen);
    constexpr double kInset = 3;
    constexpr double kGap = 2;
    const Rect inner{kInset, kInset, std::max(0.0, width - 2 * kInset),
                     std::max(0.0, height - 2 * kInset)};
    for (const auto& [number, unit] : RegionRects(tree, kUnitRect)) {
      Rect r{inner.x + unit.x * inner.width + kGap / 2, inner.y + unit.y * inner.height + kGap / 2,
             std::max(0.0, unit.width * inner.width - kGap),
             std::max(0.0, unit.height * inner.height - kGap)};
      canvas.FillRounded(r, 2, region);
      canvas.StrokeRounded(r, 2, edge, 1);
      auto icon = icons.find(number);
      if (icon == icons.end() || icon->second == kNoIcon) continue;
      const double side = std::min({16.0, r.width - 4, r.height - 4});
      if (side < 6) continue;
      canvas.DrawIcon(icon->second,
                      Rect{r.x + (r.width - side) / 2, r.y + (r.height - side) / 2, side, side});
    }
  };
}

}  // namespace tessary
