// The resize of a window's edge. Without Ctrl the window's neighbours follow the edge it
// shares with them (the divider moves for every window along it, and the display keeps
// the new proportions); with Ctrl the window covers the block of regions its outline
// touches, on top of the windows already there.

#include <string>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/stack_model.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr const char* kResizeTogetherCaption = "Resize together \xC2\xB7 Ctrl to span";
constexpr const char* kSpanDidNotFit =
    " didn't fit across those regions, so it went back to its size.";

}  // namespace

// Apps answer a move with the frame they accept, so a window has followed only when its
// frame came out where it was sent.
bool Coordinator::Reached(WindowId window, const Rect& target) const {
  std::optional<Rect> frame = desktop_.FrameBounds(window);
  return frame && NearlyEqual(*frame, target, kSizeTolerance);
}

void Coordinator::BeginResize() {
  ResizeRecord record;
  record.window = drag_.window;
  record.startFrame = drag_.startRect;
  record.pointer = drag_.startCursor;

  // The resize belongs to the window's own display: its region's, else the one showing
  // most of it.
  const DragDisplay* display = nullptr;
  double best = 0;
  for (const DragDisplay& candidate : dragDisplays_) {
    if (!drag_.originDisplay.empty() && candidate.monitor.id == drag_.originDisplay) {
      display = &candidate;
      break;
    }
    Rect overlap = Intersect(candidate.monitor.bounds, drag_.startRect);
    if (overlap.width * overlap.height > best) {
      best = overlap.width * overlap.height;
      display = &candidate;
    }
  }
  if (!display) {
    resize_ = std::move(record);
    return;
  }
  record.display = display->monitor.id;
  record.work = display->monitor.work;
  record.scale = display->monitor.scale;
  record.edges = GrabbedEdgesAt(drag_.startCursor, drag_.startRect, record.scale);
  if (display->active) {
    record.layout = display->active;
    record.regions = display->regions;
    record.members = display->members;
    // A window that was placed once but has since been moved off its region does not
    // drag the dividers around.
    if (drag_.originRegion >= 0 && drag_.originDisplay == record.display &&
        !(drag_.hasOrigin && drag_.movedOff)) {
      record.homeRegion = drag_.originRegion;
    }
    std::vector<std::int32_t> covered;
    record.wasSpanning = record.homeRegion < 0 &&
                         SpansRegions(record.startFrame, record.regions, record.scale, covered);
    for (WindowId window : desktop_.ManageableWindows()) {
      if (window == record.window || RegionOfWindow(record.members, window) >= 0) continue;
      std::optional<Rect> frame = desktop_.FrameBounds(window);
      if (frame && SpansRegions(*frame, record.regions, record.scale, covered)) {
        record.spanning.emplace_back(window, covered);
      }
    }
  }
  resize_ = std::move(record);
}

void Coordinator::OnResizeStep(Point cursor, const Rect& frame) {
  if (!resize_) return;
  ResizeRecord& record = *resize_;
  record.pointer = cursor;
  if (!record.layout) {
    followers_.Hide();
    return;
  }
  if (platform().input.IsKeyDown(Key::kControl) && record.edges.Any()) {
    Rect outline = OutlineFromEdges(record.startFrame, record.edges, cursor, frame);
    SpanSet span = SpanRegions(outline, record.regions, record.scale);
    std::optional<Rect> bounds = SpanBounds(span, record.regions);
    if (!bounds) {
      followers_.Hide();
      return;
    }
    std::string label = span.size() < 2 ? std::string("Fit one region")
                                        : "Span " + std::to_string(span.size()) + " regions";
    outline_.Show(*bounds, record.scale, label, true, record.window);
    return;
  }
  if (record.homeRegion < 0 || record.wasSpanning) {
    followers_.Hide();
    return;
  }
  SnapLayout moved = ResizeTogetherLayout(*record.layout, record.homeRegion, record.startFrame,
                                          frame, record.work, record.edges, record.scale);
  RegionMap rects = PixelRegionRects(moved, record.work, RegionGap(record.scale));
  // Every neighbour that follows is outlined; the first caption says what Ctrl does.
  std::vector<Rect> following;
  for (const auto& [region, rect] : rects) {
    if (region == record.homeRegion) continue;
    const Rect* before = record.regions.Get(region);
    if (!before || *before != rect) following.push_back(rect);
  }
  followers_.Show(following, record.scale, kResizeTogetherCaption, record.window);
}

void Coordinator::EndResizeDrag(const DragState& ended, const Rect& endFrame) {
  followers_.Hide();
  ScheduleRefresh(0.15);
  if (!resize_ || resize_->window != ended.window) return;
  resize_->pointer = desktop_.CursorPosition();
  bool ctrl = platform().input.IsKeyDown(Key::kControl);
  bool follows = resize_->homeRegion >= 0 && !resize_->wasSpanning;
  if (!resize_->layout || !(follows || ctrl)) {
    resize_.reset();
    return;
  }
  PlacementRequest request;
  request.window = ended.window;
  request.kind = kTargetResize;
  request.startRect = ended.startRect;
  request.endRect = endFrame;
  request.display = resize_->display;
  request.originRegion = resize_->homeRegion;
  request.ctrl = ctrl;
  pending_ = std::move(request);
  platform().timers.Start(kPlaceTimerId, kPlaceDelayMilliseconds);
}

void Coordinator::OnResizeEnd(const PlacementRequest& request) {
  std::optional<ResizeRecord> record = std::exchange(resize_, std::nullopt);
  if (!record || record->window != request.window || !record->layout) return;
  Rect endFrame = desktop_.FrameBounds(request.window).value_or(request.endRect);
  if (request.ctrl) {
    SpanAcross(*record, endFrame);
  } else if (record->homeRegion >= 0 && !record->wasSpanning) {
    ResizeTogether(*record, endFrame);
  }
}

void Coordinator::SpanAcross(const ResizeRecord& record, const Rect& endFrame) {
  Rect outline = OutlineFromEdges(record.startFrame, record.edges, record.pointer, endFrame);
  SpanSet span = SpanRegions(outline, record.regions, record.scale);
  std::optional<Rect> bounds = SpanBounds(span, record.regions);
  if (!bounds) return;
  priorRects_.try_emplace(record.window, record.startFrame);
  OpenBatch();
  MoveWindowTo(record.window, *bounds);
  CommitBatch();
  if (!Reached(record.window, *bounds)) {
    OpenBatch();
    MoveWindowTo(record.window, record.startFrame);
    CommitBatch();
    Notify(AppNameOf(record.window) + kSpanDidNotFit);
    return;
  }
  // The windows already in the spanned regions stay where they are, behind it.
  if (span.size() == 1) placements_[record.window] = {record.display, span.front()};
  platform().zOrder.BringToTop(record.window);
  Log("span %d regions", static_cast<int>(span.size()));
  if (span.size() >= 2 && callbacks_.showTip) callbacks_.showTip("span");
}

}  // namespace tessary
