#include "engine/stack_overview.h"

#include <algorithm>

#include "engine/coordinator.h"

namespace tessary {
namespace {

std::int64_t AsArgument(WindowId window) { return static_cast<std::int64_t>(ToNumber(window)); }

bool Holds(const std::vector<WindowId>& windows, WindowId window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

WindowId StackOverview::Requested(WindowId window) const {
  // A right-click on a badge is about the window the badge stands on.
  for (const auto& [key, entry] : c_.stacks_.Badges()) {
    const Surface* surface = entry.badge->GetSurface();
    if (surface && surface->Window() == window) return entry.badge->Front();
  }
  return window;
}

std::vector<WindowId> StackOverview::FrontFirst(std::vector<WindowId> members) const {
  const std::vector<WindowId> z = c_.platform().zOrder.TopLevelWindows();
  auto zIndex = [&z](WindowId w) {
    const auto at = std::find(z.begin(), z.end(), w);
    return at == z.end() ? -1 : static_cast<int>(at - z.begin());
  };
  const bool byName = c_.stackSwitches_.orderByName;
  OrderStack(members, byName ? StackOrder::kName : StackOrder::kLastUsed,
             {.zIndex = zIndex,
              .appName = [this](WindowId w) { return c_.desktop_.AppNameOfWindow(w); },
              .title = [this](WindowId w) { return c_.desktop_.WindowTitle(w); }});
  // Whatever the order, the window in front comes first.
  auto front = std::min_element(members.begin(), members.end(), [&](WindowId a, WindowId b) {
    const int za = zIndex(a), zb = zIndex(b);
    return za >= 0 && (zb < 0 || za < zb);
  });
  if (front != members.end()) std::rotate(members.begin(), front, front + 1);
  return members;
}

OverviewEntry StackOverview::EntryFor(WindowId window) const {
  const Desktop& desktop = c_.desktop_;
  OverviewEntry entry{.window = window,
                      .title = desktop.WindowTitle(window),
                      .appName = desktop.AppNameOfWindow(window),
                      .icon = desktop.WindowIcon(window)};
  if (const std::optional<Rect> frame = desktop.FrameBounds(window)) {
    entry.frame = {frame->width, frame->height};
  }
  WindowAccess& windows = c_.platform().windows;
  const std::optional<Rect> visible = windows.ExtendedFrameBounds(window);
  const std::optional<Rect> whole = windows.WindowRect(window);
  if (visible && whole) {
    entry.frameInWindow = {visible->x - whole->x, visible->y - whole->y, visible->width,
                           visible->height};
  }
  return entry;
}

bool StackOverview::Show(WindowId window) {
  if (c_.paused_ || c_.dragActive_ || !c_.stackSwitches_.windowStacks) return false;
  if (window == kNoWindow) {
    c_.platform().prompts.InformationBeep();
    return false;
  }
  window = Requested(window);
  c_.RefreshDisplays();
  const std::vector<StackInfo> stacks = c_.StacksNow();
  auto stack = std::find_if(stacks.begin(), stacks.end(),
                            [&](const StackInfo& s) { return Holds(s.members, window); });
  if (stack == stacks.end()) {
    // A window not listed itself (a dialog over a member, say): the stack it lies on.
    const std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
    stack = std::find_if(stacks.begin(), stacks.end(), [&](const StackInfo& s) {
      return frame && std::any_of(s.frames.begin(), s.frames.end(), [&](const Rect& f) {
               const Rect overlap = Intersect(f, *frame);
               return overlap.width > 0 && overlap.height > 0;
             });
    });
  }
  if (stack == stacks.end() || stack->members.size() < 2) {
    c_.Notify(kNoStackText);
    return false;
  }
  c_.switcher_.Close();
  Destroy();
  if (c_.picker_.Visible()) c_.picker_.Hide();
  std::vector<WindowId> members = FrontFirst(stack->members);
  std::vector<OverviewEntry> entries;
  for (WindowId w : members) entries.push_back(EntryFor(w));
  auto post = [this](int code, std::int64_t argument) { c_.postCommand_(code, argument); };
  auto view = std::make_unique<StackOverviewView>(c_.surfaceFactory_, c_.theme_, c_.platform().clock);
  if (!view->Open(stack->area, stack->scale, std::move(entries), c_.desktop_.AnimationsEnabled(),
                  {.choose = [post](WindowId w) { post(kCommandOverviewChoose, AsArgument(w)); },
                   .dismiss = [post] { post(kCommandOverviewDismiss, 0); },
                   .closed = [post] { post(kCommandOverviewClosed, 0); }})) {
    return false;
  }
  view_ = std::move(view);
  subject_ = window;
  members_ = std::move(members);
  c_.StartUpkeep();
  return true;
}

void StackOverview::Close() {
  if (view_) view_->Close();
}

void StackOverview::Destroy() {
  if (!view_) return;
  std::unique_ptr<StackOverviewView> view = std::move(view_);
  view->Destroy();
  subject_ = kNoWindow;
  members_.clear();
}

bool StackOverview::HandleCommand(int code, std::int64_t argument) {
  switch (code) {
    case kCommandOverviewChoose: {
      const WindowId chosen = static_cast<WindowId>(static_cast<std::uint64_t>(argument));
      const WindowId subject = subject_;
      Close();
      if (chosen != subject && c_.platform().windows.Exists(chosen)) c_.BringForward(chosen, true);
      return true;
    }
    case kCommandOverviewDismiss:
      Close();
      return true;
    case kCommandOverviewClosed:
      Destroy();
      c_.ScheduleRefresh(0.15);
      return true;
    default:
      return false;
  }
}

bool StackOverview::Tick() {
  if (!view_) return false;
  if (view_->Closing()) return true;
  WindowAccess& windows = c_.platform().windows;
  const bool gone = std::any_of(members_.begin(), members_.end(), [&](WindowId w) {
    return !windows.Exists(w) || windows.IsMinimized(w);
  });
  if (c_.paused_ || !c_.stackSwitches_.windowStacks || gone) Close();
  return true;
}

}  // namespace tessary
