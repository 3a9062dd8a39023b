#include "surfaces/picker_input.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/surface.h"

namespace tessary {
namespace {

constexpr double kCardSlack = 4;
// Regions whose top edges are this close share a row when read left to right.
constexpr double kRowTolerance = 2.0;

bool ContainsHalfOpen(const Rect& rect, Point p) {
  return p.x >= rect.x && p.x < rect.x + rect.width && p.y >= rect.y && p.y < rect.y + rect.height;
}

double DistanceToRect(const Rect& rect, Point p) {
  const double cx = std::clamp(p.x, rect.x, std::max(rect.x, rect.x + rect.width - 0.01));
  const double cy = std::clamp(p.y, rect.y, std::max(rect.y, rect.y + rect.height - 0.01));
  return std::hypot(p.x - cx, p.y - cy);
}

int LowestRegion(const PickerCard& card) {
  return card.regions.empty() ? -1 : card.regions.begin()->first;
}

int HighestRegion(const PickerCard& card) {
  return card.regions.empty() ? -1 : (card.regions.end() - 1)->first;
}

// Region numbers by top edge, rows of nearly equal tops by left edge.
std::vector<int> ReadingOrder(const PickerCard& card) {
  std::vector<std::pair<int, Rect>> regions(card.regions.begin(), card.regions.end());
  std::stable_sort(regions.begin(), regions.end(),
                   [](const auto& a, const auto& b) { return a.second.y < b.second.y; });
  std::vector<int> order;
  std::size_t rowStart = 0;
  while (rowStart < regions.size()) {
    std::size_t rowEnd = rowStart + 1;
    while (rowEnd < regions.size() &&
           regions[rowEnd].second.y - regions[rowStart].second.y <= kRowTolerance) {
      ++rowEnd;
    }
    std::stable_sort(regions.begin() + static_cast<std::ptrdiff_t>(rowStart),
                     regions.begin() + static_cast<std::ptrdiff_t>(rowEnd),
                     [](const auto& a, const auto& b) { return a.second.x < b.second.x; });
    for (std::size_t i = rowStart; i < rowEnd; ++i) order.push_back(regions[i].first);
    rowStart = rowEnd;
  }
  return order;
}

int CardIndexOf(const PickerGeometry& geometry, int layout) {
  for (std::size_t i = 0; i < geometry.cards.size(); ++i) {
    if (geometry.cards[i].layout == layout) return static_cast<int>(i);
  }
  return -1;
}

PickerHit Arrow(const PickerGeometry& geometry, PickerHit hovered, bool forward) {
  const int cards = static_cast<int>(geometry.cards.size());
  const int current = CardIndexOf(geometry, hovered.layout);
  std::vector<int> order;
  if (current >= 0) order = ReadingOrder(geometry.cards[static_cast<std::size_t>(current)]);
  auto at = std::find(order.begin(), order.end(), hovered.region);
  if (current < 0 || at == order.end()) {
    const PickerCard& first = geometry.cards.front();
    return {first.layout, LowestRegion(first)};
  }
  if (forward && at + 1 != order.end()) return {hovered.layout, *(at + 1)};
  if (!forward && at != order.begin()) return {hovered.layout, *(at - 1)};
  // Past the end of this card: on to the neighbouring card, wrapping around.
  const int next = ((current + (forward ? 1 : -1)) % cards + cards) % cards;
  const PickerCard& card = geometry.cards[static_cast<std::size_t>(next)];
  return {card.layout, forward ? LowestRegion(card) : HighestRegion(card)};
}

}  // namespace

PickerHit PickerHitAt(const PickerGeometry& geometry, Point p, bool gallery) {
  if (gallery) {
    for (const PickerCard& card : geometry.cards) {
      if (ContainsHalfOpen(card.card, p)) {
        const int region = LowestRegion(card);
        return region < 0 ? PickerHit{} : PickerHit{card.layout, region};
      }
    }
    return {};
  }
  for (const PickerCard& card : geometry.cards) {
    const Rect grown{card.card.x - kCardSlack, card.card.y - kCardSlack,
                     card.card.width + 2 * kCardSlack, card.card.height + 2 * kCardSlack};
    if (!ContainsHalfOpen(grown, p)) continue;
    PickerHit best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const auto& [region, rect] : card.regions) {  // ascending: ties keep the lower
      const double distance = DistanceToRect(rect, p);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = {card.layout, region};
      }
    }
    return best;
  }
  return {};
}

PickerKeyResult PickerKey(const PickerGeometry& geometry, PickerHit hovered, std::uint32_t key) {
  if (key == surface_key::kEscape) return {PickerKeyAction::kDismiss, {}};
  if (key == surface_key::kEnter || key == surface_key::kSpace) {
    return hovered.IsReal() ? PickerKeyResult{PickerKeyAction::kChoose, hovered}
                            : PickerKeyResult{};
  }
  if (key >= surface_key::kDigit1 && key <= surface_key::kDigit9) {
    const std::size_t ordinal = key - surface_key::kDigit1;
    if (ordinal >= geometry.cards.size()) return {};
    const PickerCard& card = geometry.cards[ordinal];
    if (card.regions.empty()) return {};
    return {PickerKeyAction::kHover, {card.layout, LowestRegion(card)}};
  }
  const bool forward = key == surface_key::kRight || key == surface_key::kDown;
  const bool back = key == surface_key::kLeft || key == surface_key::kUp;
  if ((!forward && !back) || geometry.cards.empty()) return {};
  PickerHit next = Arrow(geometry, hovered, forward);
  // Cards without regions cannot hold a selection; step over them.
  for (std::size_t tries = 0; next.region < 0 && tries < geometry.cards.size(); ++tries) {
    const int index = CardIndexOf(geometry, next.layout);
    const int cards = static_cast<int>(geometry.cards.size());
    const int step = ((index + (forward ? 1 : -1)) % cards + cards) % cards;
    const PickerCard& card = geometry.cards[static_cast<std::size_t>(step)];
    next = {card.layout, forward ? LowestRegion(card) : HighestRegion(card)};
  }
  if (next.region < 0) return {};
  return {PickerKeyAction::kHover, next};
}

}  // namespace tessary
