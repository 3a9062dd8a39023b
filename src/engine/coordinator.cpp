#include "engine/coordinator.h"

#include <algorithm>
#include <utility>

#include "base/log.h"
#include "engine/drag_geometry.h"

namespace tessary {

std::int64_t PackPickerChoice(int layout, int region) {
  auto low = static_cast<std::uint16_t>(static_cast<std::int16_t>(layout));
  auto high = static_cast<std::uint16_t>(static_cast<std::int16_t>(region));
  return static_cast<std::int64_t>((static_cast<std::uint32_t>(high) << 16) | low);
}

void UnpackPickerChoice(std::int64_t argument, int& layout, int& region) {
  auto bits = static_cast<std::uint32_t>(argument);
  layout = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits & 0xFFFF));
  region = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16));
}

Coordinator::Coordinator(CoordinatorServices services)
    : desktop_(services.desktop),
      surfaceFactory_(services.surfaces),
      theme_(services.theme),
      layoutDocuments_(services.layoutDocuments),
      postCommand_(std::move(services.postCommand)),
      picker_(services.theme),
      outline_(services.theme),
      followers_(outline_, services.surfaces, services.theme),
      dropMenu_(services.theme),
      dividers_(services.theme, services.desktop.platform().clock),
      layouts_(nullptr),
      minimums_(services.minimumDocuments),
      snapAssistWatch_(services.desktop, [this] { return AssistPanel(); }),
      assist_(services.desktop, services.surfaces, services.theme,
              [this](int code, std::int64_t argument) {
                if (postCommand_) postCommand_(code, argument);
              }),
      stacks_(services.desktop, services.surfaces, services.theme, services.badgeDocuments,
              postCommand_, services.menus) {}

Coordinator::~Coordinator() = default;

bool Coordinator::Init() {
  if (!picker_.Create(surfaceFactory_)) return false;
  if (!outline_.Create(surfaceFactory_)) return false;
  if (!dropMenu_.Create(surfaceFactory_)) return false;
  if (!dividers_.Create(surfaceFactory_, postCommand_)) return false;
  InstallDividerHooks();

  // The picker is asked from inside its own window procedure; the command comes back
  // through the message loop once that has returned.
  picker_.SetOnDismiss([this] {
    if (postCommand_) postCommand_(kCommandPickerDismissed, 0);
  });
  picker_.SetOnChoose([this](int layout, int region) {
    if (postCommand_) postCommand_(kCommandPickerChose, PackPickerChoice(layout, region));
  });

  RefreshDisplays();
  displayChanges_.SetKnown(displays_);
  layouts_ = LayoutStore(layoutDocuments_);
  initialised_ = true;
  PreparePickerAtStart();
  return true;
}

void Coordinator::PreparePickerAtStart() {
  // The panel is drawn once from the message loop, on the largest display, so the first
  // drag finds the memory grown and the fonts and icons loaded.
  const Monitor* largest = nullptr;
  for (const Monitor& m : displays_) {
    if (!largest || m.work.width * m.work.height * m.scale >
                        largest->work.width * largest->work.height * largest->scale) {
      largest = &m;
    }
  }
  if (!largest) return;
  std::vector<SnapLayout> catalogue = layouts_.LayoutsForDisplay(largest->id);
  PickerIcons icons = IconsFor(catalogue, -1, nullptr, kNoWindow);
  picker_.Prepare(std::move(catalogue), -1, largest->work, largest->scale, std::move(icons));
}

bool Coordinator::OnTimer(int id) {
  switch (id) {
    case kDragTickTimerId:
      DragTick();
      return true;
    case kPlaceTimerId:
      PlacePending();
      return true;
    case kSnapAssistWatchTimerId:
      snapAssistWatch_.Tick();
      return true;
    case kRefreshTimerId:
      RefreshStacks();
      return true;
    case kUpkeepTimerId:
      UpkeepTick();
      return true;
    case kCompositionTimerId:
      compositions_.Tick();
      return true;
    default:
      return false;
  }
}

double Coordinator::Now() const { return platform().clock.Now(); }

void Coordinator::Notify(const std::string& text) {
  if (callbacks_.notify) callbacks_.notify(text);
}

std::string Coordinator::AppNameOf(WindowId window) const {
  std::string name = desktop_.AppName(desktop_.AppIdOf(window));
  // A sentence about a window starts with its app's name; an app that cannot be named
  // still needs a subject.
  return name.empty() ? std::string("This window") : name;
}

void Coordinator::SetPaused(bool paused) {
  paused_ = paused;
  if (paused_ && dragActive_) CancelDrag();
  // Paused, no pointer is watched; resumed, the front windows' buttons are again.
  switcher_.PublishHoverSpots();
}

void Coordinator::RefreshDisplays() { desktop_.EnumerateDisplays(displays_); }

int Coordinator::CommandDisplay(WindowId window) {
  int index = window != kNoWindow ? DisplayOfWindow(window) : -1;
  if (index < 0) index = DisplayAt(displays_, desktop_.CursorPosition());
  if (index < 0 && !displays_.empty()) index = 0;
  return index;
}

int Coordinator::DisplayOfWindow(WindowId window) {
  std::optional<Rect> frame = desktop_.FrameBounds(window);
  if (!frame || displays_.empty()) return -1;
  int best = -1;
  double bestArea = 0;
  for (std::size_t i = 0; i < displays_.size(); ++i) {
    Rect overlap = Intersect(*frame, displays_[i].bounds);
    double area = overlap.width * overlap.height;
    if (area > bestArea) {
      bestArea = area;
      best = static_cast<int>(i);
    }
  }
  if (best >= 0) return best;
  Point centre{frame->x + frame->width / 2, frame->y + frame->height / 2};
  double bestDistance = 0;
  for (std::size_t i = 0; i < displays_.size(); ++i) {
    double d = DistanceToRect(centre, displays_[i].bounds);
    if (best < 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

void Coordinator::ScheduleRefresh(double delay) {
  // A window that keeps moving asks again before every pass is due; the pass still comes
  // at the latest this long after the first request it answers.
  constexpr double kLongestRefreshWait = 0.5;
  double now = Now();
  // A short refresh already on its way is never postponed by a later request.
  if (refreshDeadline_ > 0 && refreshShort_ && now + delay >= refreshDeadline_) return;
  if (refreshDeadline_ <= 0) refreshAskedAt_ = now;
  refreshDeadline_ = std::max(std::min(now + delay, refreshAskedAt_ + kLongestRefreshWait), now);
  refreshShort_ = delay < 0.15;
  double milliseconds = std::max((refreshDeadline_ - now) * 1000, 1.0);
  platform().timers.Start(kRefreshTimerId, static_cast<std::uint32_t>(milliseconds));
}

std::optional<PlacementRecord> Coordinator::PlacementOf(WindowId window) const {
  auto it = placements_.find(window);
  if (it == placements_.end()) return std::nullopt;
  return it->second;
}

std::optional<Rect> Coordinator::PriorRectOf(WindowId window) const {
  auto it = priorRects_.find(window);
  if (it == priorRects_.end()) return std::nullopt;
  return it->second;
}

int Coordinator::ForgetMinimums() {
  std::set<std::string> apps;
  for (const auto& [window, size] : minimums_.Observed()) {
    if (!platform().windows.Exists(window)) continue;
    std::string app = desktop_.AppIdOf(window);
    if (!app.empty()) apps.insert(app);
  }
  return minimums_.Forget(apps);
}

}  // namespace tessary
