#include "engine/stacks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/log.h"

namespace tessary {
namespace {

// Windows overlapping a target by more than this (px x scale) each way hide it.
constexpr double kHidingOverlap = 20;
constexpr double kSameFrame = 5;

std::string BadgeKey(const std::string& display, const Rect& frame) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "|%.0f,%.0f,%.0f,%.0f", frame.x, frame.y, frame.width,
                frame.height);
  return display + buffer;
}

}  // namespace

int TransitionIndex(const std::string& name) {
  for (int i = 0; i < 6; ++i) {
    if (name == kTransitionNames[i]) return i;
  }
  return 0;
}

Stacks::Stacks(Desktop& desktop, SurfaceFactory& surfaces, ThemeSource& theme,
               DocumentStore* badgeDocuments, std::function<void(int, std::int64_t)> postCommand)
    : desktop_(desktop),
      surfaces_(surfaces),
      theme_(theme),
      postCommand_(std::move(postCommand)),
      placements_(badgeDocuments) {}

Stacks::~Stacks() = default;

void Stacks::WalkZOrder() {
  z_.all = desktop_.platform().zOrder.TopLevelWindows();
  z_.manageable.clear();
  for (WindowId w : z_.all) {
    if (!desktop_.IsManageable(w)) continue;
    // A window whose frame cannot be read takes no part.
    if (std::optional<Rect> frame = desktop_.FrameBounds(w)) z_.manageable.push_back({w, *frame});
  }
}

std::vector<StackInfo> Stacks::Compute(const StackPassContext& context) {
  WalkZOrder();
  return ComputeStacks(context.layouts, z_.manageable, context.uses);
}

WindowId Stacks::WindowAbove(WindowId window) const {
  WindowId above = kNoWindow;
  for (WindowId w : z_.all) {
    if (w == window) return above;
    bool ours = false;
    for (const auto& [key, badge] : badges_) {
      if (badge->GetSurface() && badge->GetSurface()->Window() == w) ours = true;
    }
    if (!ours) above = w;
  }
  return kNoWindow;
}

IconId Stacks::IconOf(WindowId window) {
  auto [it, added] = icons_.try_emplace(window, kNoIcon);
  if (added) it->second = desktop_.WindowIcon(window);
  return it->second;
}

const std::string& Stacks::AppNameOf(WindowId window) {
  auto [it, added] = appNames_.try_emplace(window);
  if (added) it->second = desktop_.AppName(desktop_.AppIdOf(window));
  return it->second;
}

Badge* Stacks::BadgeFor(const std::string& key) {
  auto it = badges_.find(key);
  if (it != badges_.end()) return it->second.get();
  auto badge = std::make_unique<Badge>(theme_, desktop_.platform().clock);
  // A surface that cannot be made is tried again at the next pass.
  if (!badge->Create(surfaces_)) return nullptr;
  Badge* raw = badge.get();
  BadgeCallbacks callbacks;
  callbacks.bringForward = [this](WindowId w) {
    if (postCommand_) postCommand_(kCommandBadgeBringForward, static_cast<std::int64_t>(ToNumber(w)));
  };
  callbacks.bringGroupForward = [this, raw] {
    if (postCommand_) {
      postCommand_(kCommandBadgeBringGroup, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  callbacks.moved = [this, raw](const Rect& dropped) {
    droppedAt_[raw->Front()] = dropped;
    if (postCommand_) {
      postCommand_(kCommandBadgeMoved, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  // The switcher and the overview are not there yet: their entry points stay unset, so
  // the overflow count shows greyed and a right-click does nothing.
  badge->SetCallbacks(std::move(callbacks));
  return badges_.emplace(key, std::move(badge)).first->second.get();
}

bool Stacks::ShowBadge(const StackInfo& stack, WindowId front, const StackPassContext& context,
                       std::set<std::string>& alive) {
  std::size_t at = 0;
  while (at < stack.members.size() && stack.members[at] != front) ++at;
  if (at == stack.members.size()) return false;
  const Rect& frame = stack.frames[at];
  // The members behind the front window, in stack order starting after it.
  std::vector<WindowId> behind;
  for (std::size_t k = 1; k < stack.members.size(); ++k) {
    const std::size_t i = (at + k) % stack.members.size();
    if (CoveredBy(stack.frames[i], frame, stack.scale)) behind.push_back(stack.members[i]);
  }
  if (behind.empty()) return false;
  OrderStack(behind, context.orderByName ? StackOrder::kName : StackOrder::kLastUsed,
             {.zIndex =
                  [this](WindowId w) {
                    for (std::size_t i = 0; i < z_.manageable.size(); ++i) {
                      if (z_.manageable[i].window == w) return static_cast<int>(i);
                    }
                    return -1;
                  },
              .appName = [this](WindowId w) { return AppNameOf(w); },
              .title = [this](WindowId w) { return desktop_.WindowTitle(w); }});
  const std::string key = BadgeKey(stack.display, frame);
  Badge* badge = BadgeFor(key);
  if (!badge) return false;
  alive.insert(key);
  BadgeContent content = BuildBadgeContent(
      stack, front, behind, context.badgesOnEdge, [this](WindowId w) { return IconOf(w); },
      [this](WindowId w) { return AppNameOf(w); });
  BadgeAnchor anchor{frame, stack.work, context.badgesOnEdge, std::nullopt};
  if (!context.badgesOnEdge) anchor.spot = placements_.Find(stack.display, frame);
  return badge->Update(front, content, anchor, stack.scale, WindowAbove(front),
                       desktop_.AnimationsEnabled());
}

Stacks::PassResult Stacks::Refresh(const StackPassContext& context) {
  PassResult result;
  const bool stacksOn = context.windowStacks && context.badges;
  if (context.dragging || context.paused || context.layouts.empty() || !stacksOn) {
    HideAll();
    if (context.paused || context.layouts.empty() || !stacksOn) DestroyAll();
    fronts_.clear();
    if (context.windowStacks && !context.dragging && !context.paused) {
      for (const StackInfo& stack : Compute(context)) {
        fronts_.insert(stack.fronts.begin(), stack.fronts.end());
      }
    }
    DropVanished();
    return result;
  }
  const std::vector<StackInfo> stacks = Compute(context);
  std::set<std::string> alive;
  fronts_.clear();
  for (const StackInfo& stack : stacks) {
    fronts_.insert(stack.fronts.begin(), stack.fronts.end());
    for (WindowId front : stack.fronts) {
      if (ShowBadge(stack, front, context, alive)) result.badgeShown = true;
    }
  }
  const bool settling = desktop_.platform().clock.Now() < settleUntil_;
  auto member = [&stacks](WindowId w) {
    for (const StackInfo& stack : stacks) {
      if (std::find(stack.members.begin(), stack.members.end(), w) != stack.members.end()) {
        return true;
      }
    }
    return false;
  };
  std::set<WindowId> aliveFronts;
  for (const std::string& key : alive) aliveFronts.insert(badges_.at(key)->Front());
  for (auto it = badges_.begin(); it != badges_.end();) {
    const Badge& badge = *it->second;
    // While windows are being switched their frames may be in flux: a badge whose window
    // is still in a stack waits for the pass after the switch, unless the window already
    // has its badge elsewhere.
    const bool keep = alive.count(it->first) > 0 || badge.Busy() ||
                      (settling && aliveFronts.count(badge.Front()) == 0 &&
                       desktop_.platform().windows.Exists(badge.Front()) &&
                       member(badge.Front()));
    it = keep ? std::next(it) : badges_.erase(it);
  }
  DropVanished();
  placements_.Store();
  result.again = settling;
  return result;
}

void Stacks::DropVanished() {
  WindowAccess& windows = desktop_.platform().windows;
  std::erase_if(icons_, [&windows](const auto& e) { return !windows.Exists(e.first); });
  std::erase_if(appNames_, [&windows](const auto& e) { return !windows.Exists(e.first); });
}

std::vector<WindowId> Stacks::WindowsInFront(WindowId target, double scale) {
  WalkZOrder();
  std::optional<Rect> frame = desktop_.FrameBounds(target);
  std::vector<WindowId> inFront;
  if (!frame) return inFront;
  std::vector<Rect> collected;
  for (const WindowFrame& entry : z_.manageable) {
    if (entry.window == target) break;
    const Rect overlap = Intersect(entry.frame, *frame);
    if (overlap.width <= kHidingOverlap * scale || overlap.height <= kHidingOverlap * scale) {
      continue;
    }
    const bool duplicate = std::any_of(collected.begin(), collected.end(), [&](const Rect& r) {
      return NearlyEqual(r, entry.frame, kSameFrame * scale);
    });
    if (duplicate) continue;
    collected.push_back(entry.frame);
    inFront.push_back(entry.window);
  }
  return inFront;
}

void Stacks::Switch(StackSwitchRequest request) {
  if (!request.inFront.empty() && transition_ && transition_(request)) return;
  ZOrder& z = desktop_.platform().zOrder;
  // Raised last to first, so the first ends up front-most.
  for (auto it = request.raise.rbegin(); it != request.raise.rend(); ++it) {
    if (request.activate && std::next(it) == request.raise.rend()) {
      z.SetForeground(*it);
    } else {
      z.BringToTop(*it);
    }
  }
}

void Stacks::BadgeMoved(WindowId front, const StackPassContext& context) {
  auto dropped = droppedAt_.find(front);
  if (dropped == droppedAt_.end()) return;
  const Rect badge = dropped->second;
  droppedAt_.erase(dropped);
  for (const StackInfo& stack : Compute(context)) {
    for (std::size_t i = 0; i < stack.members.size(); ++i) {
      if (stack.members[i] != front) continue;
      placements_.Remember(stack.display, stack.frames[i], SpotFor(badge, stack.frames[i]));
      placements_.Store();
      return;
    }
  }
}

bool Stacks::ResetPlacements() {
  const bool any = placements_.Reset();
  placements_.Store();
  return any;
}

bool Stacks::ForgetPlacement(const std::string& display, const Rect& frame) {
  const bool forgot = placements_.Forget(display, frame);
  placements_.Store();
  return forgot;
}

void Stacks::HideAll() {
  for (auto& [key, badge] : badges_) badge->Hide();
}

void Stacks::DestroyAll() { badges_.clear(); }

void Stacks::TrackPointer(Point cursor) {
  for (auto& [key, badge] : badges_) badge->TrackPointer(cursor);
}

}  // namespace tessary
