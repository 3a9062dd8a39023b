#include "engine/assist_plan.h"

#include <algorithm>

namespace tessary {

std::vector<std::int32_t> AssistPlan::EmptyRegions() const {
  std::vector<std::int32_t> empty;
  for (const auto& [region, rect] : regions) {
    if (!assigned.contains(region) && !leftEmpty.contains(region)) empty.push_back(region);
  }
  return empty;
}

std::vector<WindowId> AssistPlan::RemainingCandidates() const {
  std::vector<WindowId> remaining;
  for (WindowId window : candidates) {
    const bool taken = std::any_of(assigned.begin(), assigned.end(),
                                   [window](const auto& entry) { return entry.second == window; });
    if (!taken) remaining.push_back(window);
  }
  return remaining;
}

bool AssistPlan::Done() const { return EmptyRegions().empty() || RemainingCandidates().empty(); }

bool AssistPlan::Assign(std::int32_t region, WindowId window) {
  const std::vector<std::int32_t> empty = EmptyRegions();
  const std::vector<WindowId> remaining = RemainingCandidates();
  if (std::find(empty.begin(), empty.end(), region) == empty.end()) return false;
  if (std::find(remaining.begin(), remaining.end(), window) == remaining.end()) return false;
  assigned[region] = window;
  return true;
}

int DisplayOfFrame(const Rect& frame, const std::vector<Rect>& displayBounds) {
  int best = -1;
  double bestArea = 0;
  for (std::size_t i = 0; i < displayBounds.size(); ++i) {
    const Rect overlap = Intersect(frame, displayBounds[i]);
    const double area = overlap.width * overlap.height;
    if (area > bestArea) {
      bestArea = area;
      best = static_cast<int>(i);
    }
  }
  return best;
}

AssistPlan MakeAssistPlan(const RegionMap& regions, const std::vector<WindowFrame>& windows,
                          WindowId placed, const std::optional<Rect>& placedFrame,
                          const std::vector<Rect>& displayBounds, int displayIndex) {
  AssistPlan plan;
  plan.regions = regions;
  const RegionLists lists = ListRegionMembers(windows, regions);
  std::set<WindowId> listed;
  for (const auto& [region, members] : lists) {
    if (!members.empty()) plan.assigned[region] = members.front();
    listed.insert(members.begin(), members.end());
  }
  if (placedFrame) {
    for (const auto& [region, rect] : regions) {
      if (InRegion(*placedFrame, rect)) plan.assigned[region] = placed;
    }
  }
  for (const WindowFrame& entry : windows) {
    if (entry.window == placed || listed.contains(entry.window)) continue;
    if (DisplayOfFrame(entry.frame, displayBounds) == displayIndex) {
      plan.candidates.push_back(entry.window);
    }
  }
  return plan;
}

std::vector<std::int32_t> InReadingOrder(const RegionMap& regions,
                                         const std::vector<std::int32_t>& which) {
  std::vector<std::int32_t> order = which;
  std::stable_sort(order.begin(), order.end(), [&regions](std::int32_t a, std::int32_t b) {
    const Rect* ra = regions.Get(a);
    const Rect* rb = regions.Get(b);
    if (!ra || !rb) return ra != nullptr;
    if (ra->y != rb->y) return ra->y < rb->y;
    return ra->x < rb->x;
  });
  return order;
}

}  // namespace tessary
