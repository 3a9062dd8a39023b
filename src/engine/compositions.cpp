// Applying a composition: claiming the running windows of the layout's apps, moving them
// and filling the other regions in batches, starting the missing apps, and the
// Ctrl+Alt+1..9 switch between the user's own layouts.

#include "engine/compositions.h"

#include <algorithm>

#include "base/log.h"
#include "engine/composition_assignment.h"
#include "engine/coordinator.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

struct ClaimableWindow {
  WindowId window = kNoWindow;
  std::string app;
  std::optional<Rect> frame;
  bool onDisplay = false;  // lies mostly on the display being arranged
};

// The app's window for a region: one already standing there, else the front-most on the
// display, else the front-most anywhere.
WindowId ChooseWindow(const std::vector<ClaimableWindow>& windows, const std::string& app,
                      const Rect& region, const std::set<WindowId>& claimed) {
  WindowId onDisplay = kNoWindow;
  WindowId first = kNoWindow;
  for (const ClaimableWindow& w : windows) {
    if (w.app != app || claimed.contains(w.window)) continue;
    if (w.frame && NearlyEqual(*w.frame, region, 1.0)) return w.window;
    if (first == kNoWindow) first = w.window;
    if (onDisplay == kNoWindow && w.onDisplay) onDisplay = w.window;
  }
  return onDisplay != kNoWindow ? onDisplay : first;
}

}  // namespace

std::string JoinedNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

struct Compositions::Claims {
  std::map<std::int32_t, WindowId> mains;
  std::map<std::int32_t, std::vector<WindowId>> extras;  // in the order of the apps
  std::set<WindowId> claimed;
  std::vector<PendingArrivals::Entry> missing;
};

bool Compositions::SwitchTo(int index, WindowId target) {
  c_.RefreshDisplays();
  const int displayIndex = c_.CommandDisplay(target);
  if (displayIndex < 0) return false;
  const Monitor display = c_.displays_[static_cast<std::size_t>(displayIndex)];
  const std::vector<SnapLayout> own = c_.layouts_.CustomLayouts(display.id);
  Log("switch %d on %s: %d of your own", index, display.id.c_str(), static_cast<int>(own.size()));
  if (index < 0 || index >= static_cast<int>(own.size())) {
    c_.platform().prompts.InformationBeep();
    return false;
  }
  const SnapLayout& chosen = own[static_cast<std::size_t>(index)];
  // The display's own copy keeps the proportions it was given there.
  for (const SnapLayout& layout : c_.layouts_.LayoutsForDisplay(display.id)) {
    if (layout.id == chosen.id) return Apply(display.id, layout);
  }
  return Apply(display.id, chosen);
}

bool Compositions::Apply(const std::string& display, const SnapLayout& layout) {
  if (c_.dragActive_ || !ValidateTree(layout.tree)) return false;
  c_.EndAssist();
  c_.RefreshDisplays();
  const auto found = std::find_if(c_.displays_.begin(), c_.displays_.end(),
                                  [&](const Monitor& m) { return m.id == display; });
  if (found == c_.displays_.end()) return false;
  const int displayIndex = static_cast<int>(found - c_.displays_.begin());
  const Monitor monitor = *found;
  const RegionMap rects = PixelRegionRects(layout, monitor.work, RegionGap(monitor.scale));

  const Claims claims = Claim(layout, displayIndex, rects);
  std::set<WindowId> placed;
  std::set<std::int32_t> filled;
  MoveClaimed(claims, monitor.id, rects, placed, filled);
  FillFreeRegions(claims, displayIndex, rects, placed, filled);

  c_.layouts_.RememberLayout(monitor.id, layout);
  c_.ScheduleRefresh(0.15);
  StartMissing(claims.missing, layout, monitor.id, placed);
  Log("composition %s: %d windows", layout.id.c_str(), static_cast<int>(placed.size()));
  return true;
}

Compositions::Claims Compositions::Claim(const SnapLayout& layout, int displayIndex,
                                         const RegionMap& rects) {
  std::vector<ClaimableWindow> windows;
  for (WindowId window : c_.desktop_.ManageableWindows()) {
    windows.push_back({window, c_.desktop_.AppIdOf(window), c_.desktop_.FrameBounds(window),
                       c_.DisplayOfWindow(window) == displayIndex});
  }
  Claims claims;
  for (const auto& [region, regionApps] : layout.apps) {
    const Rect* rect = rects.Get(region);
    if (!rect) continue;
    for (std::size_t i = 0; i < regionApps.size(); ++i) {
      const std::string& app = regionApps[i];
      if (app.empty()) continue;
      const WindowId chosen = ChooseWindow(windows, app, *rect, claims.claimed);
      if (chosen == kNoWindow) {
        claims.missing.push_back({.region = region, .app = app, .firstApp = i == 0});
        continue;
      }
      claims.claimed.insert(chosen);
      if (i == 0) {
        claims.mains[region] = chosen;
      } else {
        claims.extras[region].push_back(chosen);
      }
    }
  }
  return claims;
}

void Compositions::MoveClaimed(const Claims& claims, const std::string& display,
                               const RegionMap& rects, std::set<WindowId>& placed,
                               std::set<std::int32_t>& filled) {
  std::map<WindowId, Rect> before;
  c_.OpenBatch();
  auto move = [&](WindowId window, std::int32_t region) {
    if (std::optional<Rect> frame = c_.desktop_.FrameBounds(window)) before[window] = *frame;
    c_.MoveWindowTo(window, *rects.Get(region));
  };
  for (const auto& [region, window] : claims.mains) move(window, region);
  for (const auto& [region, windows] : claims.extras) {
    for (WindowId window : windows) move(window, region);
  }
  const std::set<WindowId> arrived = c_.CommitBatch();

  ZOrder& zOrder = c_.platform().zOrder;
  for (const auto& [region, windows] : claims.extras) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      zOrder.BringToTop(*it);
      if (arrived.contains(*it)) placed.insert(*it);
    }
  }
  std::vector<std::pair<std::int32_t, WindowId>> arrivedMains;
  for (const auto& [region, window] : claims.mains) {
    if (!arrived.contains(window)) {
      // It would not go: back where it was, and the region is free for another window.
      if (before.contains(window)) c_.desktop_.GlideOne(window, before[window]);
      continue;
    }
    zOrder.BringToTop(window);
    arrivedMains.emplace_back(region, window);
  }
  // The lowest-numbered region's window ends up active.
  for (auto it = arrivedMains.rbegin(); it != arrivedMains.rend(); ++it) {
    zOrder.SetForeground(it->second);
  }
  for (const auto& [region, window] : arrivedMains) {
    AssignToRegion(window, display, region);
    placed.insert(window);
    filled.insert(region);
  }
}

void Compositions::FillFreeRegions(const Claims& claims, int displayIndex, const RegionMap& rects,
                                   std::set<WindowId>& placed, std::set<std::int32_t>& filled) {
  const Monitor monitor = c_.displays_[static_cast<std::size_t>(displayIndex)];
  std::vector<CompositionCandidate> candidates;
  for (WindowId window : c_.desktop_.ManageableWindows()) {
    if (claims.claimed.contains(window) || c_.DisplayOfWindow(window) != displayIndex ||
        c_.desktop_.IsBlockedByElevation(window)) {
      continue;  // an app running as administrator cannot be moved in: not a candidate
    }
    std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
    if (!frame) continue;
    const SizeNeed need = c_.MinimumSize(window, monitor.scale);
    candidates.push_back({window, *frame, need.width, need.height});
  }
  CompositionExclusions exclusions;
  while (true) {
    RegionMap open;
    for (const auto& [region, rect] : rects) {
      if (!filled.contains(region)) open.insert_or_assign(region, rect);
    }
    std::erase_if(candidates,
                  [&](const CompositionCandidate& c) { return placed.contains(c.window); });
    const std::map<std::int32_t, WindowId> matched =
        AssignComposition(candidates, open, exclusions);
    if (matched.empty()) return;

    c_.OpenBatch();
    for (const auto& [region, window] : matched) c_.MoveWindowTo(window, *rects.Get(region));
    const std::set<WindowId> arrived = c_.CommitBatch();
    int placedNow = 0;
    for (const auto& [region, window] : matched) {
      const Rect& rect = *rects.Get(region);
      if (arrived.contains(window) || c_.desktop_.PlaceExactly(window, rect)) {
        AssignToRegion(window, monitor.id, region);
        placed.insert(window);
        filled.insert(region);
        ++placedNow;
        continue;
      }
      const auto candidate = std::find_if(candidates.begin(), candidates.end(),
                                          [&](const auto& c) { return c.window == window; });
      if (candidate != candidates.end()) c_.desktop_.GlideOne(window, candidate->frame);
      exclusions[window].insert(region);
    }
    if (placedNow == 0) return;
  }
}

void Compositions::StartMissing(const std::vector<PendingArrivals::Entry>& missing,
                                const SnapLayout& layout, const std::string& display,
                                std::set<WindowId> placed) {
  c_.platform().timers.Stop(kCompositionTimerId);
  pending_.reset();

  std::vector<std::string> tried;
  std::set<std::string> started;
  std::vector<std::string> startedNames;
  for (const PendingArrivals::Entry& entry : missing) {
    if (std::find(tried.begin(), tried.end(), entry.app) != tried.end()) continue;
    tried.push_back(entry.app);
    const std::string name = c_.desktop_.AppName(entry.app);
    if (!c_.desktop_.LaunchApp(entry.app)) {
      c_.Notify(name + " isn't installed, so its spot was left free.");
      continue;
    }
    started.insert(entry.app);
    startedNames.push_back(name);
  }
  if (!startedNames.empty()) {
    c_.Notify("Opening " + JoinedNames(startedNames) +
              ". Each window goes to its spot when it appears.");
  }

  // An app that could not be started has been named already; only started ones are awaited.
  PendingArrivals pending{.display = display, .layout = layout, .deadline = c_.Now() + 20};
  for (const PendingArrivals::Entry& entry : missing) {
    if (started.contains(entry.app)) pending.entries.push_back(entry);
  }
  if (pending.entries.empty()) return;
  pending.placed = std::move(placed);
  pending_ = std::move(pending);
  c_.platform().timers.Start(kCompositionTimerId, kCompositionMilliseconds);
}

void Compositions::AssignToRegion(WindowId window, const std::string& display,
                                  std::int32_t region) {
  c_.placements_[window] = {display, region};
  c_.useSequence_.Bump(window);
}

void Compositions::ForgetDisplay(const std::string& display) {
  if (!pending_ || pending_->display != display) return;
  c_.platform().timers.Stop(kCompositionTimerId);
  pending_.reset();
}

}  // namespace tessary
