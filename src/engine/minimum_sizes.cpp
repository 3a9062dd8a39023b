#include "engine/minimum_sizes.h"

#include <algorithm>

namespace tessary {

MinimumSizes::MinimumSizes(DocumentStore* documents) : documents_(documents) {
  if (documents_) learned_ = ParseAppMinimumSizes(documents_->Get(kAppMinimumSizesKey));
}

SizeNeed MinimumSizes::For(WindowId window, const std::string& appId, double scale) const {
  auto observed = observed_.find(window);
  auto learned = appId.empty() ? learned_.end() : learned_.find(appId);
  bool hasObserved = observed != observed_.end();
  bool hasLearned = learned != learned_.end();
  if (hasObserved && hasLearned) {
    return {std::max(learned->second.width, observed->second.width),
            std::max(learned->second.height, observed->second.height)};
  }
  // What a window was seen to take is the truth about it: no assumed floor on top.
  if (hasObserved) return observed->second;
  double assumedWidth = kAssumedMinimumWidth * scale;
  double assumedHeight = kAssumedMinimumHeight * scale;
  if (hasLearned) {
    return {std::max(assumedWidth, learned->second.width),
            std::max(assumedHeight, learned->second.height)};
  }
  return {assumedWidth, assumedHeight};
}

void MinimumSizes::SetLearned(const std::string& appId, const AppMinimumSize* size) {
  if (appId.empty()) return;
  auto it = learned_.find(appId);
  if (!size) {
    if (it != learned_.end()) {
      learned_.erase(it);
      dirty_ = true;
    }
    return;
  }
  if (it != learned_.end() && it->second == *size) return;
  learned_[appId] = *size;
  dirty_ = true;
}

void MinimumSizes::Learn(const std::string& appId, SizeNeed seen) {
  if (appId.empty()) return;
  AppMinimumSize next{seen.width, seen.height};
  if (auto it = learned_.find(appId); it != learned_.end()) {
    next.width = std::max(next.width, it->second.width);
    next.height = std::max(next.height, it->second.height);
  }
  SetLearned(appId, &next);
}

void MinimumSizes::LowerTo(const std::string& appId, double width, double height) {
  auto it = learned_.find(appId);
  if (appId.empty() || it == learned_.end()) return;
  AppMinimumSize next = it->second;
  if (width < next.width - kSizeTolerance) next.width = width;
  if (height < next.height - kSizeTolerance) next.height = height;
  if (next.width <= 0 && next.height <= 0) {
    SetLearned(appId, nullptr);
  } else {
    SetLearned(appId, &next);
  }
}

void MinimumSizes::Store() {
  if (!dirty_) return;
  dirty_ = false;
  Write();
}

void MinimumSizes::Write() {
  if (documents_) documents_->Set(kAppMinimumSizesKey, WriteAppMinimumSizes(learned_));
}

int MinimumSizes::Forget(const std::set<std::string>& observedApps) {
  std::set<std::string> apps = observedApps;
  for (const auto& entry : learned_) apps.insert(entry.first);
  observed_.clear();
  learned_.clear();
  dirty_ = false;
  Write();
  return static_cast<int>(apps.size());
}

}  // namespace tessary
