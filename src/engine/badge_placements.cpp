#include "engine/badge_placements.h"

#include <algorithm>
#include <array>

namespace tessary {
namespace {

constexpr double kSameSpot = 0.6;

Rect SlotRect(const std::array<double, 4>& slot) { return {slot[0], slot[1], slot[2], slot[3]}; }
std::array<double, 4> SlotOf(const Rect& r) { return {r.x, r.y, r.width, r.height}; }

double IntersectionOverUnion(const Rect& a, const Rect& b) {
  const Rect overlap = Intersect(a, b);
  const double shared = overlap.width * overlap.height;
  const double total = a.width * a.height + b.width * b.height - shared;
  return total > 0 ? shared / total : 0;
}

}  // namespace

BadgePlacementStore::BadgePlacementStore(DocumentStore* documents) : documents_(documents) {
  if (documents_) entries_ = ParseBadgePlacements(documents_->Get(kBadgePlacementsKey));
}

int BadgePlacementStore::Best(const std::string& display, const Rect& frame) const {
  auto it = entries_.find(display);
  if (it == entries_.end()) return -1;
  int best = -1;
  double bestScore = 0;
  for (std::size_t i = 0; i < it->second.size(); ++i) {
    const double score = IntersectionOverUnion(SlotRect(it->second[i].slot), frame);
    if (score >= kSameSpot && score > bestScore) {
      best = static_cast<int>(i);
      bestScore = score;
    }
  }
  return best;
}

std::optional<BadgeSpot> BadgePlacementStore::Find(const std::string& display, const Rect& frame) {
  const int best = Best(display, frame);
  if (best < 0) return std::nullopt;
  BadgePlacement& entry = entries_[display][static_cast<std::size_t>(best)];
  if (entry.slot != SlotOf(frame)) {
    entry.slot = SlotOf(frame);
    dirty_ = true;
  }
  return BadgeSpot{entry.fromRight, entry.dx, entry.dy};
}

void BadgePlacementStore::Remember(const std::string& display, const Rect& frame,
                                   const BadgeSpot& spot) {
  Forget(display, frame);
  std::vector<BadgePlacement>& list = entries_[display];
  list.push_back({SlotOf(frame), spot.fromRight, spot.dx, spot.dy});
  if (list.size() > kBadgePlacementsPerDisplay) {
    list.erase(list.begin(),
               list.begin() + static_cast<std::ptrdiff_t>(list.size() - kBadgePlacementsPerDisplay));
  }
  dirty_ = true;
}

bool BadgePlacementStore::Forget(const std::string& display, const Rect& frame) {
  const int best = Best(display, frame);
  if (best < 0) return false;
  std::vector<BadgePlacement>& list = entries_[display];
  list.erase(list.begin() + best);
  if (list.empty()) entries_.erase(display);
  dirty_ = true;
  return true;
}

bool BadgePlacementStore::Reset() {
  if (!Any()) return false;
  entries_.clear();
  dirty_ = true;
  return true;
}

bool BadgePlacementStore::Any() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const auto& entry) { return !entry.second.empty(); });
}

void BadgePlacementStore::Store() {
  if (!dirty_) return;
  dirty_ = false;
  if (documents_) documents_->Set(kBadgePlacementsKey, WriteBadgePlacements(entries_));
}

}  // namespace tessary
