// The Coordinator's stack entry points: the pass, stepping through a stack, bringing a
// member forward, sending a spanning window behind, and the badges' commands. The state
// and the rules live in Stacks (stacks.h); this file supplies what the Coordinator knows.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "transitions/transition_catalogue.h"

namespace tessary {
namespace {

constexpr double kSettleSeconds = 1.5;
constexpr double kSettleRepeat = 0.4;

WindowId WindowFromArgument(std::int64_t argument) {
  return static_cast<WindowId>(static_cast<std::uint64_t>(argument));
}

}  // namespace

void Coordinator::WithStackContext(const std::function<void(const StackPassContext&)>& action) {
  action({.layouts = stacks_.LayoutDisplays(displays_, layouts_),
          .uses = useSequence_,
          .windowStacks = stackSwitches_.windowStacks,
          .badges = stackSwitches_.badges,
          .badgesOnEdge = stackSwitches_.badgesOnEdge,
          .orderByName = stackSwitches_.orderByName,
          .paused = paused_,
          .dragging = dragActive_});
}

void Coordinator::RefreshStacks() {
  // The scheduled wait is over whatever the pass does, so that the next request arms
  // timer 4 afresh.
  platform().timers.Stop(kRefreshTimerId);
  refreshDeadline_ = 0;
  refreshShort_ = false;
  // The overview shows the stack as it was when it opened; its closing schedules a pass.
  if (overview_.Open()) return;
  if (!dragActive_ && !paused_) RefreshDisplays();
  Stacks::PassResult result;
  WithStackContext([&](const StackPassContext& context) {
    result = stacks_.Refresh(context);
    // The pass walked the z-order: note where the windows stand for a display change.
    if (context.windowStacks && !context.dragging && !context.paused) {
      displayChanges_.Observe(displays_, context.layouts, layouts_.activeLayouts(),
                              stacks_.Frames());
    }
  });
  useSequence_.DropMissing([this](WindowId w) { return platform().windows.Exists(w); });
  switcher_.PublishHoverSpots();
  if (result.badgeShown && callbacks_.showTip) callbacks_.showTip("badge");
  if (result.again) ScheduleRefresh(kSettleRepeat);
}

std::vector<StackInfo> Coordinator::StacksNow() {
  std::vector<StackInfo> stacks;  // a copy: the finder's own list changes with every pass
  WithStackContext([&](const StackPassContext& context) { stacks = stacks_.Compute(context); });
  return stacks;
}

bool Coordinator::StepStack(int step) {
  if (paused_ || !stackSwitches_.windowStacks) return false;
  // With the switcher open the keys walk its cards.
  if (switcher_.Open()) return switcher_.Step(step);
  const WindowId foreground = platform().zOrder.Foreground();
  const std::vector<StackInfo> stacks = StacksNow();
  for (const StackInfo& stack : stacks) {
    auto it = std::find(stack.members.begin(), stack.members.end(), foreground);
    if (it == stack.members.end()) continue;
    const int n = static_cast<int>(stack.members.size());
    if (n < 2) return false;
    const int i = static_cast<int>(it - stack.members.begin());
    return BringForward(stack.members[static_cast<std::size_t>((n + (i + step) % n) % n)], true);
  }
  platform().prompts.InformationBeep();
  return false;
}

bool Coordinator::BringForward(WindowId window, bool activate) {
  if (!platform().windows.Exists(window)) return false;
  const int transition = TransitionIndex(stackSwitches_.transition);
  PerformanceRecord record("switch-" + std::string(TransitionDisplayName(transition)));
  PerformanceMarkScope marks(&record);
  stacks_.SettleUntil(Now() + kSettleSeconds);
  if (platform().windows.IsMinimized(window)) platform().windows.Show(window, ShowCommand::kRestore);
  const int display = DisplayOfWindow(window);
  const Monitor* monitor = display >= 0 ? &displays_[static_cast<std::size_t>(display)] : nullptr;
  const double scale = monitor ? monitor->scale : 1.0;
  stacks_.Switch({.raise = {window},
                  .inFront = stacks_.WindowsInFront(window, scale),
                  .activate = activate,
                  .transition = transition,
                  .display = monitor ? monitor->bounds : Rect{},
                  .scale = scale});
  record.Finish();
  ScheduleRefresh(0.15);
  return true;
}

bool Coordinator::SendSpanBehind(WindowId window) {
  if (paused_) return false;
  if (window == kNoWindow) window = platform().zOrder.Foreground();
  const std::vector<StackInfo> stacks = StacksNow();
  auto spans = [](const StackInfo& stack, WindowId w) {
    return std::find(stack.spanning.begin(), stack.spanning.end(), w) != stack.spanning.end();
  };
  const StackInfo* found = nullptr;
  for (const StackInfo& stack : stacks) {
    if (spans(stack, window)) found = &stack;
  }
  if (!found) {
    // Not a spanning window: the front-most spanning window of its display.
    const int display = DisplayOfWindow(window);
    if (display < 0) return false;
    const std::string& id = displays_[static_cast<std::size_t>(display)].id;
    for (WindowId w : platform().zOrder.TopLevelWindows()) {
      for (const StackInfo& stack : stacks) {
        if (stack.display == id && spans(stack, w)) {
          found = &stack;
          window = w;
          break;
        }
      }
      if (found) break;
    }
  }
  if (!found) return false;
  // The front window of each covered region, in ascending region number.
  std::vector<std::pair<std::int32_t, WindowId>> fronts;
  for (std::size_t i = 0; i < found->regions.size(); ++i) {
    if (found->regionFronts[i] != kNoWindow) fronts.emplace_back(found->regions[i], found->regionFronts[i]);
  }
  std::sort(fronts.begin(), fronts.end());
  StackSwitchRequest request{.inFront = {window},
                             .activate = false,
                             .transition = TransitionIndex(stackSwitches_.transition),
                             .display = found->bounds,
                             .scale = found->scale};
  for (const auto& [region, w] : fronts) request.raise.push_back(w);
  if (request.raise.empty()) return false;
  stacks_.Switch(std::move(request));
  stacks_.SettleUntil(Now() + kSettleSeconds);
  ScheduleRefresh(0.15);
  return true;
}

void Coordinator::HideAllBadges() { stacks_.HideAll(); }

void Coordinator::DestroyAllBadges() { stacks_.DestroyAll(); }

bool Coordinator::ResetBadgePositions() {
  const bool any = stacks_.ResetPlacements();
  RefreshStacks();
  return any;
}

void Coordinator::UpkeepTick() {
  // With the pointer away from every badge and no Snap Assist, switcher or overview open,
  // the timer rests until a badge reports the pointer again or one of them opens.
  const bool badges = stacks_.TrackPointer(desktop_.CursorPosition());
  const bool assist = assist_.Running() && (dragActive_ || assist_.Watch(Now()));
  const bool switcher = switcher_.Tick(Now());
  const bool overview = overview_.Tick();
  const bool picker = WatchUnfocusedPicker();
  if (badges || assist || switcher || overview || picker) return;
  platform().timers.Stop(kUpkeepTimerId);
  upkeepRunning_ = false;
}

void Coordinator::StartUpkeep() {
  if (!upkeepRunning_) upkeepRunning_ = platform().timers.Start(kUpkeepTimerId, kUpkeepMilliseconds);
  // The badge under the pointer answers now rather than at the first tick.
  UpkeepTick();
}

bool Coordinator::HandleStackCommand(int code, std::int64_t argument) {
  const WindowId window = WindowFromArgument(argument);
  switch (code) {
    case kCommandBadgeBringForward:
      BringForward(window, true);
      return true;
    case kCommandBadgeBringGroup:
      SendSpanBehind(window);
      return true;
    case kCommandBadgeShowStack:
      ShowSwitcher(window);
      return true;
    case kCommandBadgeOverview:
      ShowOverview(window);
      return true;
    case kCommandBadgePointerArrived:
      StartUpkeep();
      return true;
    case kCommandBadgeMenu:
      switch (stacks_.ShowBadgeMenu(window)) {
        case BadgeMenuChoice::kResetAll:
          Notify(kBadgesResetText);
          RefreshStacks();
          break;
        case BadgeMenuChoice::kMoveBack:
          RefreshStacks();
          break;
        case BadgeMenuChoice::kNone:
          break;
      }
      return true;
    case kCommandBadgeMoved:
      WithStackContext([&](const StackPassContext& context) { stacks_.BadgeMoved(window, context); });
      RefreshStacks();
      return true;
    default:
      return false;
  }
}

}  // namespace tessary
