// Following a title-bar drag: its start, the 15 ms tick that polls the buttons, the
// cursor and the window's frame, and its end (by the system's event or by the tick
// seeing the buttons up).

#include <cmath>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/drag_geometry.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// Ticks with the buttons up after which a recognised move counts as released, and after
// which any drag is given up.
constexpr int kReleaseTicks = 3;
constexpr int kGiveUpTicks = 21;
constexpr double kEdgeTolerance = 6;
constexpr double kLateEndWindow = 5.0;


// A release with the drop menu up but on none of its tiles: back where it came from when
// over its own region, otherwise added to the stack only into an empty region whose menu
// offers that at all.
void ChooseIntentOffTiles(DragState& ended, bool onOrigin) {
  bool plainTile = false;
  if (ended.menu) {
    for (const DropTile& tile : ended.menu->tiles) {
      if (tile.intent.kind == kDropAddToStack) plainTile = true;
    }
  }
  if (onOrigin) {
    ended.intent = {kDropPutBack, ended.region};
    ended.armed = true;
  } else if (ended.occupant != kNoWindow || !ended.menu || !plainTile) {
    ended.armed = false;
  } else {
    ended.intent = {kDropAddToStack, ended.region};
    ended.armed = true;
  }
}

}  // namespace

void Coordinator::OnMoveSizeStart(WindowId window) {
  if (paused_) return;
  WindowId root = platform().windows.Root(window);
  if (root == kNoWindow) root = window;
  if (!desktop_.IsManageable(root) || desktop_.IsBlockedByElevation(root)) {
    Log("start ignored %p", LogId(root));
    return;
  }
  displayChanges_.UserMoved(root);
  // Titles stay out of the log: the app names the window well enough.
  Log("start %p %s", LogId(root), desktop_.AppName(desktop_.AppIdOf(root)).c_str());
  // A drag whose end never came is over once another begins.
  if (dragActive_) CancelDrag();

  EndAssist();
  DestroySwitcher();
  HideAllBadges();
  picker_.Hide();
  pickerTarget_ = kNoWindow;
  gallery_ = false;

  drag_ = DragState{};
  drag_.window = root;
  std::optional<Rect> frame = desktop_.FrameBounds(root);
  if (!frame) {
    drag_ = DragState{};
    return;
  }
  drag_.startRect = *frame;
  drag_.lastFrame = *frame;
  drag_.startCursor = desktop_.CursorPosition();

  dwell_.Clear();
  escaped_ = false;
  RefreshDisplays();
  int display = DisplayOfWindow(root);
  drag_.startOnBorder =
      !platform().windows.IsMaximized(root) &&
      GrabbedSizingBorder(*frame, drag_.startCursor, display >= 0 ? displays_[display].scale : 1);
  BuildDragDisplays();
  FindOrigin();
  PreparePickerForDrag();

  dragActive_ = true;
  if (callbacks_.setEscapeWatch) callbacks_.setEscapeWatch(true);
  platform().timers.Start(kDragTickTimerId, kDragTickMilliseconds);
}

void Coordinator::BuildDragDisplays() {
  // What was worked out on the old displays no longer holds.
  cornerCache_ = {};
  columnCache_ = {};
  pickerTargetCache_ = {};
  drops_.Forget();
  dragDisplays_.clear();
  membership_.clear();
  std::vector<WindowFrame> frames;
  for (WindowId window : desktop_.ManageableWindows()) {
    if (std::optional<Rect> frame = desktop_.FrameBounds(window)) {
      frames.push_back({window, *frame});
    }
  }
  for (const Monitor& monitor : displays_) {
    DragDisplay display{monitor, layouts_.ActiveLayout(monitor.id), {}, {}};
    if (display.active) {
      display.regions = PixelRegionRects(*display.active, monitor.work, RegionGap(monitor.scale));
      display.members = ListRegionMembers(frames, display.regions);
      membership_[monitor.id] = display.members;
    }
    dragDisplays_.push_back(std::move(display));
  }
}

void Coordinator::FindOrigin() {
  WindowId window = drag_.window;
  for (DragDisplay& display : dragDisplays_) {
    if (!display.active) continue;
    std::int32_t region = RegionOfWindow(display.members, window);
    if (region < 0) continue;
    drag_.originRegion = region;
    drag_.originDisplay = display.monitor.id;
    // The window leaves its stack for the length of the drag.
    std::erase(display.members[region], window);
    std::erase(membership_[display.monitor.id][region], window);
    break;
  }

  const Rect* originRect = nullptr;
  if (drag_.originRegion >= 0) {
    for (const DragDisplay& display : dragDisplays_) {
      if (display.monitor.id == drag_.originDisplay && display.active) {
        originRect = display.regions.Get(drag_.originRegion);
        break;
      }
    }
  } else if (auto record = placements_.find(window); record != placements_.end()) {
    for (const DragDisplay& display : dragDisplays_) {
      if (display.monitor.id != record->second.display || !display.active) continue;
      const Rect* rect = display.regions.Get(record->second.region);
      if (!rect) continue;
      drag_.originRegion = record->second.region;
      drag_.originDisplay = display.monitor.id;
      drag_.hasOrigin = true;
      double tolerance = kEdgeTolerance * display.monitor.scale;
      const Rect& w = drag_.startRect;
      drag_.movedOff =
          !(std::abs(w.x - rect->x) <= tolerance && std::abs(w.y - rect->y) <= tolerance &&
            std::abs(w.Right() - rect->Right()) <= tolerance &&
            std::abs(w.Bottom() - rect->Bottom()) <= tolerance);
      originRect = rect;
      break;
    }
  }

  if (originRect) {
    ReturnDetector& detector = drag_.previousPosition;
    detector = ReturnDetector{};
    detector.origin = *originRect;
    detector.travelled = detector.cursorLeft = !InRegion(drag_.startRect, *originRect);
  }
}

void Coordinator::DragTick() {
  if (!dragActive_) {
    platform().timers.Stop(kDragTickTimerId);
    return;
  }
  WindowId window = drag_.window;
  if (!platform().windows.Exists(window)) {
    CancelDrag();
    return;
  }

  Input& input = platform().input;
  if (input.IsKeyDown(Key::kLeftButton) || input.IsKeyDown(Key::kRightButton)) {
    drag_.releasedTicks = 0;
    drag_.buttonSeen = true;
  } else {
    ++drag_.releasedTicks;
    if (drag_.buttonSeen && drag_.moving && !drag_.resizing &&
        drag_.releasedTicks >= kReleaseTicks) {
      Log("drag released; not waiting for its end-of-move event");
      OnMoveSizeEnd(window);
      lateEnd_ = LateEnd{window, Now(), Rect{}, false, true};
      return;
    }
    if (drag_.releasedTicks >= kGiveUpTicks) {
      Log("drag ended without its event");
      CancelDrag();
      return;
    }
  }

  std::optional<Rect> frame = desktop_.FrameBounds(window);
  if (!frame) return;
  drag_.lastFrame = *frame;
  Point cursor = input.CursorPosition();
  if (!drag_.moving && !drag_.resizing) Classify(*frame, cursor);

  if (drag_.resizing) {
    OnResizeStep(cursor, *frame);
    return;
  }
  if (drag_.moving) MoveStep(cursor, Now(), *frame);
}

void Coordinator::Classify(const Rect& frame, Point cursor) {
  DragKind kind = ClassifyDrag(drag_.startRect, frame, drag_.startCursor, cursor,
                               platform().windows.IsMaximized(drag_.window),
                               drag_.startOnBorder);
  drag_.moving = kind == DragKind::kMove;
  drag_.resizing = kind == DragKind::kResize;
  if (drag_.resizing) BeginResize();
}

void Coordinator::OnMoveSizeEnd(WindowId window) {
  WindowId root = platform().windows.Root(window);
  if (root == kNoWindow) root = window;

  bool thisDragActive = dragActive_ && drag_.window == root;
  if (lateEnd_.pending && lateEnd_.window == root && !thisDragActive) {
    AnswerLateEnd(root);
    return;
  }
  if (!thisDragActive) return;

  platform().timers.Stop(kDragTickTimerId);
  Rect endFrame = desktop_.FrameBounds(root).value_or(drag_.lastFrame);
  if (drag_.moving && !drag_.resizing) {
    MoveStep(desktop_.CursorPosition(), Now(), endFrame);
  }

  DragState ended = std::move(drag_);
  drag_ = DragState{};
  dragActive_ = false;
  if (callbacks_.setEscapeWatch) callbacks_.setEscapeWatch(false);

  if (ended.resizing) {
    EndResizeDrag(ended, endFrame);
    return;
  }

  HideTargets();
  dwell_.Clear();
  if (ended.kind == kTargetRegion && ended.intent.kind == kDropPending) {
    // Released with the drop menu up but on no tile.
    bool onOrigin =
        ended.display >= 0 &&
        dragDisplays_[static_cast<std::size_t>(ended.display)].monitor.id == ended.originDisplay &&
        ended.region == ended.originRegion;
    ChooseIntentOffTiles(ended, onOrigin);
  }

  ScheduleRefresh(0.15);
  Log("end kind=%d region=%d intent=%d armed=%d moving=%d resizing=%d", ended.kind, ended.region,
      ended.intent.kind, ended.armed ? 1 : 0, ended.moving ? 1 : 0, ended.resizing ? 1 : 0);

  if (ended.kind != kTargetNone && ended.region >= 0 && ended.armed && ended.display >= 0 &&
      ended.display < static_cast<int>(dragDisplays_.size())) {
    QueuePlacement(std::move(ended), endFrame);
  } else {
    ScheduleRefresh(0.03);
  }
}

// The system's own end of a drag that the tracking already ended: the window is put back
// where the drop placed it if the late end moved it.
void Coordinator::AnswerLateEnd(WindowId root) {
  lateEnd_.pending = false;
  if (lateEnd_.placed && Now() - lateEnd_.time < kLateEndWindow) {
    std::optional<Rect> frame = desktop_.FrameBounds(root);
    const Rect& r = lateEnd_.rect;
    if (frame &&
        (std::abs(frame->x - r.x) > 2 || std::abs(frame->y - r.y) > 2 ||
         std::abs(frame->width - r.width) > 2 || std::abs(frame->height - r.height) > 2)) {
      Log("late end of move moved %p: placing it again", LogId(root));
      desktop_.PlaceExactly(root, r);
    }
  }
  ScheduleRefresh(0.03);
}

void Coordinator::QueuePlacement(DragState ended, const Rect& endFrame) {
  PlacementRequest request;
  request.window = ended.window;
  request.kind = ended.kind;
  request.startRect = ended.startRect;
  request.endRect = endFrame;
  request.display = dragDisplays_[static_cast<std::size_t>(ended.display)].monitor.id;
  request.region = ended.region;
  request.intent = ended.intent;
  request.layout = std::move(ended.layout);
  request.menu = std::move(ended.menu);
  if (ended.intent.kind == kDropWholeColumn && columnCache_.display == ended.display) {
    request.column = columnCache_.whole;
  }
  request.originRegion = ended.originRegion;
  request.occupant = ended.occupant;
  pending_ = std::move(request);
  platform().timers.Start(kPlaceTimerId, kPlaceDelayMilliseconds);
}

void Coordinator::CancelDrag() {
  platform().timers.Stop(kDragTickTimerId);
  if (callbacks_.setEscapeWatch) callbacks_.setEscapeWatch(false);
  drag_ = DragState{};
  dragActive_ = false;
  resize_.reset();
  dwell_.Clear();
  HideTargets();
}

bool Coordinator::CancelDragByEscape() {
  if (!dragActive_ || !drag_.moving || drag_.resizing) return false;
  if (drag_.kind == kTargetNone && !dropMenu_.Visible() && !picker_.Visible()) return false;
  HideTargets();
  dwell_.Clear();
  drag_.kind = kTargetNone;
  drag_.armed = false;
  escapePoint_ = desktop_.CursorPosition();
  escaped_ = true;
  Log("escape");
  return true;
}

}  // namespace tessary
