#include "engine/assist.h"

#include "base/log.h"
#include "engine/coordinator_types.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// Within this long after the start, switching to another app is taken as the system's
// own shuffling rather than the user walking away.
constexpr double kForegroundGrace = 0.4;

std::int64_t AsArgument(WindowId window) { return static_cast<std::int64_t>(ToNumber(window)); }

}  // namespace

bool SnapAssist::Start(const Monitor& display, const SnapLayout& layout, WindowId placed,
                       const std::vector<Monitor>& displays, double now) {
  End();
  int displayIndex = -1;
  std::vector<Rect> bounds;
  for (std::size_t i = 0; i < displays.size(); ++i) {
    bounds.push_back(displays[i].bounds);
    if (displays[i].id == display.id) displayIndex = static_cast<int>(i);
  }
  std::vector<WindowFrame> windows;
  for (WindowId window : desktop_.ManageableWindows()) {
    if (std::optional<Rect> frame = desktop_.FrameBounds(window)) windows.push_back({window, *frame});
  }
  const RegionMap regions = PixelRegionRects(layout, display.work, RegionGap(display.scale));
  AssistPlan plan = MakeAssistPlan(regions, windows, placed, desktop_.FrameBounds(placed), bounds,
                                   displayIndex);
  // A window running as administrator could not be moved into the region it is chosen for.
  std::erase_if(plan.candidates,
                [this](WindowId window) { return desktop_.IsBlockedByElevation(window); });
  const int empty = static_cast<int>(plan.EmptyRegions().size());
  Log("assist: %d candidates, %d occupied, %d empty", static_cast<int>(plan.candidates.size()),
      static_cast<int>(plan.assigned.size()), empty);
  if (plan.Done()) return false;

  running_ = true;
  display_ = display;
  layout_ = layout;
  plan_ = std::move(plan);
  focusedOnce_ = false;
  startTime_ = now;
  const std::vector<ChooserChoice> choices = ReadChoices();
  Log("assist choices read");

  focusRegion_ = -1;
  for (std::int32_t region : InReadingOrder(plan_.regions, plan_.EmptyRegions())) {
    std::unique_ptr<ChooserPanel> panel = MakePanel(region, *plan_.regions.Get(region), choices);
    if (!panel) continue;  // the others still appear
    if (focusRegion_ < 0) focusRegion_ = region;
    panels_[region] = std::move(panel);
  }
  if (panels_.empty()) {
    End();
    return false;
  }
  Refocus();
  return true;
}

std::unique_ptr<ChooserPanel> SnapAssist::MakePanel(std::int32_t region, const Rect& rect,
                                                    const std::vector<ChooserChoice>& choices) {
  auto panel = std::make_unique<ChooserPanel>(surfaces_, theme_);
  ChooserCallbacks callbacks{
      .choose = [this, region](WindowId window) { post_(region, AsArgument(window)); },
      .leaveEmpty = [this, region] { post_(region, 0); },
      .done = [this] { post_(kCommandEndAssist, 0); },
  };
  if (!panel->Create(rect, display_.scale, choices,
                     {.header = kAssistHeader, .primaryText = kAssistDone, .leaveEmpty = true},
                     std::move(callbacks))) {
    return nullptr;
  }
  return panel;
}

std::vector<ChooserChoice> SnapAssist::ReadChoices() const {
  std::vector<ChooserChoice> choices;
  for (WindowId window : plan_.RemainingCandidates()) {
    choices.push_back({window, desktop_.WindowTitle(window), desktop_.AppNameOfWindow(window),
                       desktop_.WindowIcon(window)});
  }
  return choices;
}

void SnapAssist::End() {
  // Destroyed one by one while the map still holds them: a panel's window may report its
  // deactivation on the way out.
  for (auto& [region, panel] : panels_) panel->Destroy();
  panels_.clear();
  running_ = false;
  plan_ = {};
  focusRegion_ = -1;
  focusedOnce_ = false;
}

std::optional<Rect> SnapAssist::Assign(std::int32_t region, WindowId window) {
  if (!running_ || !plan_.Assign(region, window)) return std::nullopt;
  return *plan_.regions.Get(region);
}

void SnapAssist::LeaveEmpty(std::int32_t region) {
  if (running_ && plan_.regions.contains(region) && !plan_.assigned.contains(region)) {
    plan_.leftEmpty.insert(region);
  }
}

void SnapAssist::AfterChoice(std::int32_t region) {
  if (!running_) return;
  if (auto it = panels_.find(region); it != panels_.end()) {
    it->second->Destroy();
    panels_.erase(it);
  }
  // Windows closed since the start are no longer offered.
  std::erase_if(plan_.candidates,
                [this](WindowId window) { return !desktop_.platform().windows.Exists(window); });
  if (plan_.Done() || panels_.empty()) {
    End();
    return;
  }
  const std::vector<ChooserChoice> choices = ReadChoices();
  for (auto& [other, panel] : panels_) panel->SetChoices(choices);
  focusRegion_ = panels_.begin()->first;
  Refocus();
}

void SnapAssist::Refocus() {
  ChooserPanel* panel = PanelFor(focusRegion_);
  // Refused, the panels still answer the mouse; a click on one gives it the keys.
  if (panel && !panel->Focus()) Log("assist: keys stay with the app in front");
}

bool SnapAssist::Watch(double now) {
  if (!running_) return false;
  const Platform& p = desktop_.platform();
  const WindowId foreground = p.zOrder.Foreground();
  for (const auto& [region, panel] : panels_) {
    if (panel->Window() == foreground) {
      focusedOnce_ = true;
      return true;
    }
  }
  if (foreground == kNoWindow || desktop_.IsShellWindow(foreground)) return true;
  const bool otherProcess = p.windows.ProcessOf(foreground) != p.processes.CurrentProcess();
  if (otherProcess && focusedOnce_ && now - startTime_ > kForegroundGrace) {
    End();
    Log("assist closed: clicked elsewhere");
    return false;
  }
  return true;
}

WindowId SnapAssist::FocusPanel() const {
  const ChooserPanel* panel = PanelFor(focusRegion_);
  return panel ? panel->Window() : kNoWindow;
}

ChooserPanel* SnapAssist::PanelFor(std::int32_t region) const {
  auto it = panels_.find(region);
  return it == panels_.end() ? nullptr : it->second.get();
}

}  // namespace tessary
