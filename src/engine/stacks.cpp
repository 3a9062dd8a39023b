#include "engine/stacks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "base/log.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// Windows overlapping a target by more than this (px x scale) each way hide it.
constexpr double kHidingOverlap = 20;
constexpr double kSameFrame = 5;

// "display|x,y,width,height", written into `key` (whose buffer is reused).
void BadgeKey(const std::string& display, const Rect& frame, std::string& key) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "|%.0f,%.0f,%.0f,%.0f", frame.x, frame.y, frame.width,
                frame.height);
  key.assign(display);
  key.append(buffer);
}

}  // namespace

Stacks::Stacks(Desktop& desktop, SurfaceFactory& surfaces, ThemeSource& theme,
               DocumentStore* badgeDocuments, std::function<void(int, std::int64_t)> postCommand,
               PopupMenus* menus)
    : desktop_(desktop),
      surfaces_(surfaces),
      theme_(theme),
      postCommand_(std::move(postCommand)),
      menus_(menus),
      placements_(badgeDocuments),
      effects_(desktop, surfaces),
      transition_([this](const StackSwitchRequest& request) {
        return effects_.Play(request, [this, &request] { Raise(request); });
      }) {}

Stacks::~Stacks() = default;

void Stacks::WalkZOrder() {
  desktop_.platform().zOrder.TopLevelWindows(z_.all);
  z_.manageable.clear();
  for (WindowId w : z_.all) {
    if (!desktop_.IsManageable(w)) continue;
    // A window whose frame cannot be read takes no part.
    if (std::optional<Rect> frame = desktop_.FrameBounds(w)) z_.manageable.push_back({w, *frame});
  }
}

const std::vector<StackDisplay>& Stacks::LayoutDisplays(const std::vector<Monitor>& displays,
                                                        const LayoutStore& layouts) {
  std::size_t count = 0;
  for (const Monitor& m : displays) {
    std::optional<SnapLayout> active = layouts.ActiveLayout(m.id);
    if (!active) continue;
    if (count == layoutDisplays_.size()) layoutDisplays_.emplace_back();
    StackDisplay& display = layoutDisplays_[count++];
    display.id = m.id;
    display.bounds = m.bounds;
    display.work = m.work;
    display.scale = m.scale;
    display.regions = PixelRegionRects(*active, m.work, RegionGap(m.scale));
  }
  layoutDisplays_.resize(count);
  return layoutDisplays_;
}

const std::vector<StackInfo>& Stacks::Compute(const StackPassContext& context) {
  WalkZOrder();
  return finder_.Find(context.layouts, z_.manageable, context.uses);
}

WindowId Stacks::BadgeAbove(WindowId front) const {
  auto at = std::find(z_.all.begin(), z_.all.end(), front);
  if (at == z_.all.end()) return kNoWindow;
  WindowId above = kNoWindow;
  for (auto it = z_.all.begin(); it != at; ++it) {
    // Badges sit between windows; they are not what a badge is placed under.
    if (std::find(badgeWindows_.begin(), badgeWindows_.end(), *it) == badgeWindows_.end()) {
      above = *it;
    }
  }
  // Placed under a topmost window the badge would join the topmost band and float over
  // every ordinary window; a topmost front window is not followed there either.
  if (above != kNoWindow &&
      (desktop_.platform().windows.ExStyle(above) & window_ex_style::kTopmost) != 0) {
    return kNoWindow;
  }
  return above;
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

Stacks::BadgeEntry* Stacks::BadgeFor(const std::string& key, const std::string& display) {
  auto it = badges_.find(key);
  if (it != badges_.end()) return &it->second;
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
  callbacks.showMenu = [this, raw] {
    if (postCommand_) {
      postCommand_(kCommandBadgeMenu, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  callbacks.pointerArrived = [this, raw] {
    if (postCommand_) {
      postCommand_(kCommandBadgePointerArrived, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  callbacks.showWholeStack = [this, raw] {
    if (postCommand_) {
      postCommand_(kCommandBadgeShowStack, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  callbacks.showOverview = [this, raw] {
    if (postCommand_) {
      postCommand_(kCommandBadgeOverview, static_cast<std::int64_t>(ToNumber(raw->Front())));
    }
  };
  badge->SetCallbacks(std::move(callbacks));
  if (Surface* surface = badge->GetSurface()) badgeWindows_.push_back(surface->Window());
  return &badges_.emplace(key, BadgeEntry{std::move(badge), 0, display}).first->second;
}

bool Stacks::ShowBadge(const StackInfo& stack, WindowId front, const StackPassContext& context) {
  std::size_t at = 0;
  while (at < stack.members.size() && stack.members[at] != front) ++at;
  if (at == stack.members.size()) return false;
  const Rect& frame = stack.frames[at];
  // The members behind the front window, in stack order starting after it.
  behind_.clear();
  for (std::size_t k = 1; k < stack.members.size(); ++k) {
    const std::size_t i = (at + k) % stack.members.size();
    if (CoveredBy(stack.frames[i], frame, stack.scale)) behind_.push_back(stack.members[i]);
  }
  if (behind_.empty()) return false;
  OrderStack(behind_, context.orderByName ? StackOrder::kName : StackOrder::kLastUsed,
             {.zIndex =
                  [this](WindowId w) {
                    for (std::size_t i = 0; i < z_.manageable.size(); ++i) {
                      if (z_.manageable[i].window == w) return static_cast<int>(i);
                    }
                    return -1;
                  },
              .appName = [this](WindowId w) { return AppNameOf(w); },
              .title = [this](WindowId w) { return desktop_.WindowTitle(w); }});
  BadgeKey(stack.display, frame, key_);
  BadgeEntry* entry = BadgeFor(key_, stack.display);
  if (!entry) return false;
  entry->pass = pass_;
  BuildBadgeContent(
      stack, front, behind_, context.badgesOnEdge, [this](WindowId w) { return IconOf(w); },
      [this](WindowId w) { return AppNameOf(w); }, content_);
  BadgeAnchor anchor{frame, stack.work, context.badgesOnEdge, std::nullopt};
  if (!context.badgesOnEdge) anchor.spot = placements_.Find(stack.display, frame);
  return entry->badge->Update(front, content_, anchor, stack.scale, BadgeAbove(front),
                              desktop_.AnimationsEnabled());
}

// A badge no stack wanted this pass survives while it is busy, and while windows are
// being switched (their frames may be in flux) as long as its window is still in a stack
// and has no badge elsewhere.
bool Stacks::KeepUnwanted(const BadgeEntry& entry, const std::vector<StackInfo>& stacks) const {
  const Badge& badge = *entry.badge;
  if (badge.Busy()) return true;
  if (desktop_.platform().clock.Now() >= settleUntil_) return false;
  for (const auto& [key, other] : badges_) {
    if (other.pass == pass_ && other.badge->Front() == badge.Front()) return false;
  }
  if (!desktop_.platform().windows.Exists(badge.Front())) return false;
  for (const StackInfo& stack : stacks) {
    if (std::find(stack.members.begin(), stack.members.end(), badge.Front()) != stack.members.end()) {
      return true;
    }
  }
  return false;
}

Stacks::PassResult Stacks::Refresh(const StackPassContext& context) {
  PassResult result;
  ++pass_;
  const bool stacksOn = context.windowStacks && context.badges;
  if (context.dragging || context.paused || context.layouts.empty() || !stacksOn) {
    HideAll();
    if (context.paused || context.layouts.empty() || !stacksOn) DestroyAll();
    fronts_.clear();
    if (context.windowStacks && !context.dragging && !context.paused) {
      for (const StackInfo& stack : Compute(context)) {
        fronts_.insert(fronts_.end(), stack.fronts.begin(), stack.fronts.end());
      }
    }
    DropVanished();
    return result;
  }
  const std::vector<StackInfo>& stacks = Compute(context);
  fronts_.clear();
  for (const StackInfo& stack : stacks) {
    fronts_.insert(fronts_.end(), stack.fronts.begin(), stack.fronts.end());
    for (WindowId front : stack.fronts) {
      if (ShowBadge(stack, front, context)) result.badgeShown = true;
    }
  }
  for (auto it = badges_.begin(); it != badges_.end();) {
    if (it->second.pass == pass_ || KeepUnwanted(it->second, stacks)) {
      ++it;
      continue;
    }
    if (Surface* surface = it->second.badge->GetSurface()) std::erase(badgeWindows_, surface->Window());
    it = badges_.erase(it);
  }
  DropVanished();
  placements_.Store();
  result.again = desktop_.platform().clock.Now() < settleUntil_;
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
  Raise(request);
}

void Stacks::Raise(const StackSwitchRequest& request) {
  ZOrder& z = desktop_.platform().zOrder;
  // Raised last to first, so the first ends up front-most.
  for (auto it = request.raise.rbegin(); it != request.raise.rend(); ++it) {
    // The system may refuse the activation (our input right lapses while an effect
    // plays); the window still comes to the front.
    if (request.activate && std::next(it) == request.raise.rend()) {
      if (!z.SetForeground(*it)) z.BringToTop(*it);
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

BadgeMenuChoice Stacks::ShowBadgeMenu(WindowId front) {
  enum : int { kMoveBackId = 1, kResetAllId = 2 };
  auto found = std::find_if(badges_.begin(), badges_.end(), [front](const auto& e) {
    return e.second.badge->Front() == front && e.second.badge->Shown();
  });
  if (!menus_ || found == badges_.end() || found->second.badge->Anchor().onEdge) {
    return BadgeMenuChoice::kNone;
  }
  // Copies: a pass may run while the menu is open and take the badge away.
  const std::string display = found->second.display;
  const BadgeAnchor anchor = found->second.badge->Anchor();
  MenuModel menu;
  if (anchor.spot) {
    menu.items.push_back(MenuItem::Command(kMoveBackId, "Move Badge Back Under the Title Bar"));
  }
  if (placements_.Any()) {
    menu.items.push_back(MenuItem::Command(kResetAllId, "Reset All Badge Positions"));
  }
  if (menu.items.empty()) return BadgeMenuChoice::kNone;
  switch (menus_->ShowAtCursor(menu)) {
    case kMoveBackId:
      return ForgetPlacement(display, anchor.frame) ? BadgeMenuChoice::kMoveBack
                                                    : BadgeMenuChoice::kNone;
    case kResetAllId:
      return ResetPlacements() ? BadgeMenuChoice::kResetAll : BadgeMenuChoice::kNone;
    default:
      return BadgeMenuChoice::kNone;
  }
}

void Stacks::HideAll() {
  for (auto& [key, entry] : badges_) entry.badge->Hide();
}

void Stacks::DestroyAll() {
  badges_.clear();
  badgeWindows_.clear();
}

bool Stacks::TrackPointer(Point cursor) {
  bool wanted = false;
  for (auto& [key, entry] : badges_) {
    entry.badge->TrackPointer(cursor);
    wanted = wanted || entry.badge->WantsPointer();
  }
  return wanted;
}

}  // namespace tessary
