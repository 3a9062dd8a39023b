#include "engine/composition_assignment.h"

#include <algorithm>
#include <cmath>

namespace tessary {
namespace {

struct RegionChoices {
  std::int32_t region = -1;
  Rect rect;
  std::vector<std::size_t> eligible;  // indexes into the unique candidates, best first
};

std::vector<CompositionCandidate> UniqueByWindow(const std::vector<CompositionCandidate>& all) {
  std::vector<CompositionCandidate> unique;
  std::set<WindowId> seen;
  for (const CompositionCandidate& candidate : all) {
    if (seen.insert(candidate.window).second) unique.push_back(candidate);
  }
  return unique;
}

bool Excluded(const CompositionExclusions& exclusions, WindowId window, std::int32_t region) {
  auto it = exclusions.find(window);
  return it != exclusions.end() && it->second.contains(region);
}

RegionChoices ChoicesFor(std::int32_t region, const Rect& rect,
                         const std::vector<CompositionCandidate>& candidates,
                         const CompositionExclusions& exclusions) {
  RegionChoices choices{region, rect, {}};
  std::vector<std::pair<double, std::size_t>> scored;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const CompositionCandidate& c = candidates[i];
    if (c.minWidth > rect.width || c.minHeight > rect.height) continue;
    if (Excluded(exclusions, c.window, region)) continue;
    scored.emplace_back(CompositionScore(c.frame, rect), i);
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [score, index] : scored) choices.eligible.push_back(index);
  return choices;
}

// The augmenting search: a free window first; else a window whose region can move on to
// another of its windows.
class Matcher {
 public:
  Matcher(const std::vector<RegionChoices>& regions, std::size_t candidates)
      : regions_(regions), holder_(candidates, -1) {}

  bool Augment(std::size_t regionIndex, std::vector<bool>& visited) {
    const std::vector<std::size_t>& eligible = regions_[regionIndex].eligible;
    for (std::size_t window : eligible) {
      if (holder_[window] >= 0 || visited[window]) continue;
      visited[window] = true;
      holder_[window] = static_cast<int>(regionIndex);
      return true;
    }
    for (std::size_t window : eligible) {
      if (visited[window]) continue;
      visited[window] = true;
      if (Augment(static_cast<std::size_t>(holder_[window]), visited)) {
        holder_[window] = static_cast<int>(regionIndex);
        return true;
      }
    }
    return false;
  }

  // Which region (index) holds each window; -1 for none.
  const std::vector<int>& Holders() const { return holder_; }

 private:
  const std::vector<RegionChoices>& regions_;
  std::vector<int> holder_;
};

}  // namespace

double CompositionScore(const Rect& frame, const Rect& region) {
  if (NearlyEqual(frame, region, 1.0)) return -1;
  const double dx = (frame.x + frame.width / 2) - (region.x + region.width / 2);
  const double dy = (frame.y + frame.height / 2) - (region.y + region.height / 2);
  return std::hypot(dx, dy) + 0.2 * std::abs(frame.width - region.width) +
         0.2 * std::abs(frame.height - region.height);
}

std::map<std::int32_t, WindowId> AssignComposition(
    const std::vector<CompositionCandidate>& candidates, const RegionMap& regions,
    const CompositionExclusions& exclusions) {
  const std::vector<CompositionCandidate> unique = UniqueByWindow(candidates);
  std::vector<RegionChoices> order;
  for (const auto& [region, rect] : regions) {
    order.push_back(ChoicesFor(region, rect, unique, exclusions));
  }
  std::stable_sort(order.begin(), order.end(), [](const RegionChoices& a, const RegionChoices& b) {
    if (a.eligible.size() != b.eligible.size()) return a.eligible.size() < b.eligible.size();
    if (a.rect.y != b.rect.y) return a.rect.y < b.rect.y;
    if (a.rect.x != b.rect.x) return a.rect.x < b.rect.x;
    return a.region < b.region;
  });

  Matcher matcher(order, unique.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    std::vector<bool> visited(unique.size(), false);
    matcher.Augment(i, visited);
  }
  std::map<std::int32_t, WindowId> assigned;
  for (std::size_t window = 0; window < unique.size(); ++window) {
    const int holder = matcher.Holders()[window];
    if (holder >= 0)
      assigned[order[static_cast<std::size_t>(holder)].region] = unique[window].window;
  }
  return assigned;
}

}  // namespace tessary
