#include "engine/switcher.h"

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "platform/mouse_hook.h"
#include "state/settings.h"
#include "transitions/transition_catalogue.h"

namespace tessary {
namespace {

constexpr double kStepCooldown = 0.28;
constexpr double kForegroundGrace = 0.5;

std::int64_t AsArgument(WindowId window) { return static_cast<std::int64_t>(ToNumber(window)); }
WindowId WindowFrom(std::int64_t argument) {
  return static_cast<WindowId>(static_cast<std::uint64_t>(argument));
}

Point CentreOf(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

bool Holds(const std::vector<WindowId>& windows, WindowId window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

std::string BringLabel(int count) {
  if (count == 1) return "Bring Forward";
  if (count == 2) return "Bring Both Forward";
  return "Bring All " + std::to_string(count) + " Forward";
}

// Grouped cards are 132 units wide on steps of 140, in areas 12 apart with 10 units of
// margin; this is how much room one row of `cards` needs.
double GroupWidth(std::size_t cards) { return static_cast<double>(cards) * 140 - 8 + 20; }

}  // namespace

StackSwitcher::StackSwitcher(Coordinator& coordinator)
    : c_(coordinator), peek_(coordinator.desktop_) {}

bool StackSwitcher::Show(WindowId window, const Rect* hoverZone) {
  PerformanceRecord record("switcher-open");
  // A card picked here may play an effect: its device is made while the user looks.
  if (DrawingOf(TransitionIndex(c_.stackSwitches_.transition)) != TransitionDrawing::kSlide) {
    c_.stacks_.Effects().Warm();
  }
  if (c_.paused_ || c_.dragActive_ || !c_.stackSwitches_.windowStacks) return false;
  Close();
  c_.overview_.Close();
  if (window == kNoWindow) window = c_.platform().zOrder.Foreground();
  c_.RefreshDisplays();
  const std::vector<StackInfo> stacks = c_.StacksNow();
  auto stack = std::find_if(stacks.begin(), stacks.end(),
                            [&](const StackInfo& s) { return Holds(s.members, window); });
  if (stack == stacks.end()) return false;

  Content content = ContentFor(*stack, window);
  const Rect rect = Placement(*stack, content, hoverZone);
  std::vector<ChooserChoice> choices;
  const Desktop& desktop = c_.desktop_;
  for (WindowId w : content.windows) {
    choices.push_back(
        {w, desktop.WindowTitle(w), desktop.AppNameOfWindow(w), desktop.WindowIcon(w)});
  }
  auto panel = std::make_unique<ChooserPanel>(c_.surfaceFactory_, c_.theme_);
  if (!panel->Create(rect, stack->scale, std::move(choices), std::move(content.config),
                     Callbacks())) {
    return false;
  }
  panel_ = std::move(panel);
  const double now = c_.Now();
  members_ = content.windows;
  selected_ = window;
  display_ = stack->display;
  area_ = stack->area;
  hovering_ = hoverZone != nullptr;
  hoverZone_ = hoverZone ? *hoverZone : Rect{};
  cooldown_ = now;
  grace_ = now + kForegroundGrace;
  leftAt_ = 0;
  focusedOnce_ = false;
  // Opened on purpose, the panel takes the keyboard so that the digits choose at once.
  if (!hovering_) panel_->Focus();
  if (c_.callbacks_.setWheelWanted) c_.callbacks_.setWheelWanted(true);
  if (c_.callbacks_.showTip) c_.callbacks_.showTip(std::string(kTipSwitcher));
  c_.StartUpkeep();
  record.Finish();
  return true;
}

StackSwitcher::Content StackSwitcher::ContentFor(const StackInfo& stack, WindowId window) {
  Content content;
  ChooserConfig& config = content.config;
  config.header = kSwitcherHeader;
  config.primaryText = kSwitcherClose;
  config.paging = true;
  const std::optional<SnapLayout> active = c_.layouts_.ActiveLayout(stack.display);
  std::vector<std::string>& tabIds = tabs_;
  tabIds.clear();
  for (const SnapLayout& layout : c_.layouts_.CustomLayouts(stack.display)) {
    if (active && active->id == layout.id) config.currentTab = static_cast<int>(tabIds.size());
    config.tabs.push_back(layout.name);
    tabIds.push_back(layout.id);
  }
  content.windows = stack.members;
  if (stack.spanning.empty() || stack.regions.size() < 2) {
    const auto at = std::find(stack.members.begin(), stack.members.end(), window);
    config.initialFocus = static_cast<int>(at - stack.members.begin());
    config.current = window;
    return content;
  }
  // A span: the windows of each covered region in a group of their own, then the span's.
  content.windows.clear();
  double contentWidth = 0;
  std::size_t widest = 1;
  for (std::size_t i = 0; i < stack.regions.size(); ++i) {
    ChooserGroup group{.name = "Region " + std::to_string(stack.regions[i] + 1), .spanMark = true};
    for (std::size_t m = 0; m < stack.members.size(); ++m) {
      const WindowId w = stack.members[m];
      if (Holds(stack.spanning, w) || !stack.regionRects[i].Contains(CentreOf(stack.frames[m])))
        continue;
      group.cards.push_back(static_cast<int>(content.windows.size()));
      content.windows.push_back(w);
    }
    if (group.cards.empty()) continue;
    widest = std::max(widest, group.cards.size());
    contentWidth += GroupWidth(group.cards.size()) + 12;
    config.groups.push_back(std::move(group));
  }
  ChooserGroup spanGroup{.name = "Spanning"};
  for (WindowId w : stack.spanning) {
    spanGroup.cards.push_back(static_cast<int>(content.windows.size()));
    content.windows.push_back(w);
  }
  contentWidth += GroupWidth(spanGroup.cards.size());
  config.groups.push_back(std::move(spanGroup));
  for (WindowId front : stack.regionFronts) {
    if (front != kNoWindow) config.actionBWindows.push_back(front);
  }
  config.actionB = !config.actionBWindows.empty();
  config.actionBLabel = BringLabel(static_cast<int>(config.actionBWindows.size()));
  if (config.actionB) contentWidth += 160 + 12;
  const auto at = std::find(content.windows.begin(), content.windows.end(), window);
  config.initialFocus =
      at == content.windows.end() ? 0 : static_cast<int>(at - content.windows.begin());
  config.current = window;
  content.width = contentWidth + 32 + 24;
  content.height = 24 + static_cast<double>(widest) * 112 + 48 + 60;
  return content;
}

Rect StackSwitcher::Placement(const StackInfo& stack, const Content& content,
                              const Rect* hoverZone) const {
  const double s = stack.scale;
  const Rect& work = stack.work;
  const double tabs = content.config.tabs.empty() ? 0 : 36;
  double width = std::min(960 * s, work.width - 40 * s);
  double height = std::min(600 * s, work.height - 40 * s);
  if (content.width > 0) {
    width = std::min(content.width * s, work.width - 40 * s);
    height = content.height * s;
  }
  height = std::min(height + tabs * s, work.height - 40 * s);
  double x = stack.area.x + (stack.area.width - width) / 2;
  double y = stack.area.y + (stack.area.height - height) / 2;
  if (hoverZone) {
    x = hoverZone->x + hoverZone->width - width;
    y = hoverZone->y + hoverZone->height - 8 * s;
  }
  x = std::clamp(x, work.x, std::max(work.x, work.x + work.width - width));
  y = std::clamp(y, work.y, std::max(work.y, work.y + work.height - height));
  return {x, y, width, height};
}

ChooserCallbacks StackSwitcher::Callbacks() {
  auto post = [this](int code, std::int64_t argument) { c_.postCommand_(code, argument); };
  return {
      .choose = [post](WindowId w) { post(kCommandSwitcherChoose, AsArgument(w)); },
      .done = [post] { post(kCommandSwitcherDone, 0); },
      .page = [post](int step) { post(kCommandSwitcherStep, step); },
      .actionB =
          [this, post] {
            const ChooserPanel* panel = panel_.get();
            const auto& windows = panel ? panel->Choices() : std::vector<ChooserChoice>{};
            post(kCommandSwitcherActionB, windows.empty() ? 0 : AsArgument(windows.back().window));
          },
      .tab = [post](int tab) { post(kCommandSwitcherTab, tab); },
      .stretch = [post](WindowId w) { post(kCommandSwitcherStretch, AsArgument(w)); },
      // Not posted: the peek follows the pointer at once.
      .hoverPreview =
          [this](const std::vector<WindowId>& windows) {
            if (!panel_) return;
            if (!windows.empty()) {
              peek_.Show(windows, members_, panel_->Window());
            } else if (peek_.End(true)) {
              c_.ScheduleRefresh(0.15);
            }
          },
  };
}

void StackSwitcher::Close() {
  if (!panel_) return;
  std::unique_ptr<ChooserPanel> panel = std::move(panel_);
  if (peek_.End(true)) c_.ScheduleRefresh(0.15);
  panel->Destroy();
  if (c_.callbacks_.setWheelWanted) c_.callbacks_.setWheelWanted(false);
  members_.clear();
  selected_ = kNoWindow;
  hovering_ = false;
}

bool StackSwitcher::Step(int step) {
  const double now = c_.Now();
  if (!panel_ || members_.empty() || now < cooldown_) return false;
  const int n = static_cast<int>(members_.size());
  const auto at = std::find(members_.begin(), members_.end(), selected_);
  const int i = at == members_.end() ? 0 : static_cast<int>(at - members_.begin());
  if (peek_.End(true)) c_.ScheduleRefresh(0.15);
  selected_ = members_[static_cast<std::size_t>(((i + step) % n + n) % n)];
  const bool panelInFront = c_.platform().zOrder.Foreground() == panel_->Window();
  c_.BringForward(selected_, !panelInFront);
  cooldown_ = now + kStepCooldown;
  grace_ = now + kForegroundGrace;
  // The panel stays above the window just brought forward.
  panel_->SetChoices(panel_->Choices());
  return true;
}

bool StackSwitcher::HandleCommand(int code, std::int64_t argument) {
  switch (code) {
    case kCommandSwitcherChoose:
      Close();
      c_.BringForward(WindowFrom(argument), true);
      return true;
    case kCommandSwitcherDone:
      Close();
      return true;
    case kCommandSwitcherStep:
      Step(argument < 0 ? -1 : 1);
      return true;
    case kCommandSwitcherWheel:
      // A turn towards the user (negative delta) moves on, as the arrows do.
      if (argument != 0) Step(argument < 0 ? 1 : -1);
      return true;
    case kCommandHoverSpot:
      c_.StartUpkeep();
      return true;
    case kCommandSwitcherStretch:
      Stretch(WindowFrom(argument));
      return true;
    case kCommandSwitcherActionB:
      Close();
      c_.SendSpanBehind(WindowFrom(argument));
      return true;
    case kCommandSwitcherTab: {
      const std::string display = display_;
      const std::vector<std::string> tabs = tabs_;
      Close();
      if (argument < 0 || argument >= static_cast<std::int64_t>(tabs.size())) return true;
      for (const SnapLayout& layout : c_.layouts_.CustomLayouts(display)) {
        if (layout.id == tabs[static_cast<std::size_t>(argument)])
          c_.ApplyComposition(display, layout);
      }
      return true;
    }
    default:
      return false;
  }
}

void StackSwitcher::Stretch(WindowId window) {
  if (!panel_) return;
  const Rect area = area_;
  // The window is about to cover the span: the order the peek changed need not come back.
  peek_.End(false);
  Close();
  const Platform& p = c_.platform();
  if (!p.windows.Exists(window)) return;
  // MoveWindowTo remembers where the window stood before and numbers its use afresh.
  c_.MoveWindowTo(window, area);
  p.zOrder.BringToTop(window);
  p.zOrder.SetForeground(window);
  c_.ScheduleRefresh(0.15);
  Log("stretch %p", reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(window))));
}

}  // namespace tessary
