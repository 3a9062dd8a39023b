// Placing: carrying out the request a drag left behind, moving windows in batches, and
// rolling a placement back when a window will not fit its region.

#include <cmath>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/placement_messages.h"
#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// How much larger than its target a window may end before the move is undone.
constexpr double kOversizeAllowance = 8;

const char* const kNotResponding = " isn\u2019t responding, so it was left where it is.";

}  // namespace

bool Coordinator::LeftUnresponsive(WindowId window) {
  // Every move waits for the window's app at some point; one that does not answer would
  // freeze the program with it. It is treated like a window that refused its size.
  if (!platform().windows.IsHung(window)) return false;
  Notify(AppNameOf(window) + kNotResponding);
  Log("not responding: %p left in place", LogId(window));
  return true;
}

bool Coordinator::CanArrange(WindowId window) {
  const ElevatedWindows::Reach reach = elevated_.Check(desktop_, window);
  if (reach == ElevatedWindows::Reach::kReachable) return true;
  const bool tell = reach == ElevatedWindows::Reach::kToldNow;
  if (tell) Notify(ElevatedWindows::Message(AppNameOf(window)));
  Log("elevated: %p left in place%s", LogId(window), tell ? ", told" : "");
  return false;
}

bool Coordinator::MoveWindowTo(WindowId window, const Rect& rect) {
  if (LeftUnresponsive(window) || !CanArrange(window)) return false;
  useSequence_.Bump(window);
  if (!priorRects_.contains(window)) {
    if (std::optional<Rect> frame = desktop_.FrameBounds(window)) priorRects_[window] = *frame;
  }
  if (!batches_.empty()) {
    batches_.back().push_back({window, rect});
    return true;
  }
  if (desktop_.GlideOne(window, rect)) return true;
  // An app can stop answering in the middle of the move.
  LeftUnresponsive(window);
  return false;
}

void Coordinator::OpenBatch() { batches_.emplace_back(); }

std::set<WindowId> Coordinator::CommitBatch() {
  if (batches_.empty()) return {};
  std::vector<GlideItem> items = std::move(batches_.back());
  batches_.pop_back();
  if (items.empty()) return {};
  std::set<WindowId> placed = desktop_.Glide(items);
  for (const GlideItem& item : items) {
    if (!placed.contains(item.window)) LeftUnresponsive(item.window);
  }
  return placed;
}

SizeNeed Coordinator::MinimumSize(WindowId window, double scale) const {
  return minimums_.For(window, desktop_.AppIdOf(window), scale);
}

SizeNeed Coordinator::MinimumSizeOf(const std::vector<WindowId>& windows, double scale) const {
  SizeNeed need;
  for (WindowId window : windows) {
    SizeNeed one = MinimumSize(window, scale);
    need.width = std::max(need.width, one.width);
    need.height = std::max(need.height, one.height);
  }
  return need;
}

bool Coordinator::TooBig(WindowId window, const Rect& target, double scale) const {
  if (!platform().windows.Exists(window)) return false;
  std::optional<Rect> frame = desktop_.FrameBounds(window);
  if (!frame) return false;
  double allowance = kOversizeAllowance * scale;
  return frame->width > target.width + allowance || frame->height > target.height + allowance;
}

void Coordinator::StartWatchIfArranging() {
  if (desktop_.WindowsSnapSettings().arranging) snapAssistWatch_.Start();
}

RegionLists Coordinator::MembersOn(int displayIndex, const SnapLayout& layout, WindowId except) {
  const Monitor& m = displays_[static_cast<std::size_t>(displayIndex)];
  RegionMap rects = PixelRegionRects(layout, m.work, RegionGap(m.scale));
  std::vector<WindowFrame> frames;
  for (WindowId window : desktop_.ManageableWindows()) {
    if (window == except) continue;
    if (std::optional<Rect> frame = desktop_.FrameBounds(window)) {
      frames.push_back({window, *frame});
    }
  }
  return ListRegionMembers(frames, rects);
}

void Coordinator::PlacePending() {
  platform().timers.Stop(kPlaceTimerId);
  ScheduleRefresh(0.15);
  if (!pending_) return;
  PlacementRequest request = std::move(*pending_);
  pending_.reset();

  useSequence_.Bump(request.window);
  RefreshDisplays();
  int index = -1;
  for (std::size_t i = 0; i < displays_.size(); ++i) {
    if (displays_[i].id == request.display) {
      index = static_cast<int>(i);
      break;
    }
  }
  // A vanished window or display drops the request silently.
  if (index < 0 || !platform().windows.Exists(request.window)) return;

  switch (request.kind) {
    case kTargetResize:
      OnResizeEnd(request);
      return;
    case kTargetRegion:
      priorRects_.try_emplace(request.window, request.startRect);
      drops_.CarryOut(request, index);
      StartWatchIfArranging();
      return;
    case kTargetPicker:
    case kTargetCorner: {
      const Monitor& m = displays_[static_cast<std::size_t>(index)];
      RegionMap rects = PixelRegionRects(request.layout, m.work, RegionGap(m.scale));
      if (!rects.contains(request.region)) return;
      if (request.kind == kTargetCorner) {
        std::optional<SnapLayout> active = layouts_.ActiveLayout(m.id);
        if (active && !LayoutsEqual(*active, request.layout)) {
          CornerSplit(request, index, *active);
          return;
        }
      }
      PlaceIntoRegion(request.window, index, request.layout, request.region, request.startRect,
                      request.kind);
      return;
    }
    default:
      return;
  }
}

bool Coordinator::PlaceIntoRegion(WindowId window, int displayIndex, const SnapLayout& layout,
                                  std::int32_t region, const Rect& startRect, int kind) {
  const Monitor m = displays_[static_cast<std::size_t>(displayIndex)];
  RegionMap rects = PixelRegionRects(layout, m.work, RegionGap(m.scale));
  const Rect* target = rects.Get(region);
  if (!target || LeftUnresponsive(window)) return false;

  priorRects_.try_emplace(window, startRect);
  OpenBatch();
  MoveWindowTo(window, *target);
  bool held = CommitBatch().contains(window);
  // Only a placement that happened is recorded: the frame was compared after the move.
  if (!held) return false;

  if (TooBig(window, *target, m.scale)) {
    // The layout becomes the display's only once the window is known to fit, so a window
    // that does not fit leaves the display as it was.
    desktop_.GlideOne(window, startRect);
    Notify(NeedsMoreRoomMessage(AppNameOf(window), true));
    Log("place rolled back: too big");
    return false;
  }

  layouts_.RememberLayout(m.id, layout);
  placements_[window] = {m.id, region};
  Log("placed kind=%d region=%d held=%d", kind, region, held ? 1 : 0);
  StartWatchIfArranging();
  StartAssist(displayIndex, layout, window);
  return true;
}

}  // namespace tessary
