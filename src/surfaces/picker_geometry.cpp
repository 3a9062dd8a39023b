#include "surfaces/picker_geometry.h"

#include <algorithm>
#include <cmath>

#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kGap = 12;
constexpr double kPadding = 16;   // left, right and bottom of the panel
constexpr double kCardsTop = 50;  // below the header
constexpr double kMaxColumns = 5;
constexpr double kColumnPitch = 144;  // a card of at least 132 plus its gap
constexpr double kMaxCardWidth = 170;
// A card narrower than this has no room for a thumbnail; only absurdly narrow work
// areas (under about 100 DIPs) get here.
constexpr double kMinCardWidth = 24;

}  // namespace

PickerGeometry ComputePickerGeometry(const std::vector<SnapLayout>& layouts, double availableWidth,
                                     double aspect) {
  if (!(aspect > 0.2) || !std::isfinite(aspect)) aspect = 16.0 / 9.0;
  if (!std::isfinite(availableWidth)) availableWidth = 0;
  const double n = static_cast<double>(layouts.size());

  const double fitting = std::trunc((availableWidth - 2 * kPadding + kGap) / kColumnPitch);
  const double columns = std::max(1.0, std::min({kMaxColumns, n, fitting}));
  const double cardWidth = std::max(
      kMinCardWidth,
      std::min(kMaxCardWidth,
               std::floor((availableWidth - 2 * kPadding - (columns - 1) * kGap) / columns)));
  const double thumbAspect = std::clamp(aspect, 0.6, 3.6);
  const double thumbWidth = cardWidth - 16;
  const double thumbHeight = std::round(thumbWidth / thumbAspect);
  const double cardHeight = thumbHeight + 8 + 22 + 4;
  const double rows = std::ceil(n / columns);

  PickerGeometry geometry;
  geometry.width = cardWidth * columns + 2 * kPadding + (columns - 1) * kGap;
  geometry.height = std::max(rows - 1, 0.0) * kGap + rows * cardHeight + kCardsTop + kPadding;
  geometry.header = {16, 16, geometry.width - 32, 26};

  const int perRow = static_cast<int>(columns);
  const int count = static_cast<int>(layouts.size());
  geometry.cards.reserve(layouts.size());
  for (int i = 0; i < count; ++i) {
    const int row = i / perRow;
    const int column = i % perRow;
    const int inRow = std::min(perRow, count - row * perRow);  // the last row may be short
    const double rowWidth = inRow * cardWidth + (inRow - 1) * kGap;
    const double x = (geometry.width - rowWidth) / 2 + column * (cardWidth + kGap);
    const double y = row * (cardHeight + kGap) + kCardsTop;

    PickerCard card;
    card.layout = i;
    card.card = {x, y, cardWidth, cardHeight};
    card.thumbnail = {x + 8, y + 8, thumbWidth, thumbHeight};
    card.label = {x + 4, y + 8 + thumbHeight + 2, cardWidth - 8, 22};
    for (const auto& [region, unit] : RegionRects(layouts[i].tree, kUnitRect)) {
      card.regions.insert_or_assign(
          region, Rect{card.thumbnail.x + unit.x * thumbWidth + 2,
                       card.thumbnail.y + unit.y * thumbHeight + 2, unit.width * thumbWidth - 4,
                       unit.height * thumbHeight - 4});
    }
    geometry.cards.push_back(std::move(card));
  }
  return geometry;
}

PickerGeometry PickerGeometryForDisplay(const std::vector<SnapLayout>& layouts, const Rect& work,
                                        double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const double available = std::min(work.width / scale - 40, 820.0);
  const double aspect = work.height > 0 ? work.width / work.height : 0;
  return ComputePickerGeometry(layouts, available, aspect);
}

Rect PickerPanelRect(const PickerGeometry& geometry, const Rect& work, double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  return {std::round(work.x + work.width / 2 - scale * geometry.width / 2),
          std::round(work.y + 12 * scale), std::ceil(scale * geometry.width),
          std::ceil(scale * geometry.height)};
}

}  // namespace tessary
