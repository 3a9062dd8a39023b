#include <algorithm>
#include <cmath>

#include "platform/sim/sim_world.h"

namespace tessary {
namespace {

bool IsMouseButton(Key key) {
  return key == Key::kLeftButton || key == Key::kRightButton || key == Key::kMiddleButton ||
         key == Key::kBackButton || key == Key::kForwardButton;
}

}  // namespace

void SimWorld::DeliverKey(Key key, bool release, bool isInjected) {
  if (IsMouseButton(key)) return;
  // The program's own low-level hook sees the key first and swallows untagged Escape
  // (not Alt+Escape); the press is handed to the main thread as a posted message.
  if (key == Key::kEscape && escapeWatch && !isInjected && !KeyDown(Key::kAlt)) {
    if (!release && escapeHandler) {
      std::function<void()> handler = escapeHandler;
      Post([handler] { handler(); });
    }
    return;
  }
  // The system's move/size loop takes Escape: the window goes back where it was.
  if (drag && key == Key::kEscape) {
    if (!release) EndDrag(true);
    return;
  }
  SimWindow* target = Find(foreground);
  if (!target) return;
  if (!isInjected) lastInput = target->setup.process;
  target->keys.push_back(SimKeyRecord{key, release, isInjected});
  if (key == Key::kEscape && !release && target->setup.closesOnEscape) Close(target->id);
}

void SimWorld::MoveCursor(Point p) {
  cursor = p;
  if (!drag) return;
  SimWindow* w = Find(drag->window);
  if (!w) {
    drag.reset();
    return;
  }
  double dx = p.x - drag->grab.x;
  double dy = p.y - drag->grab.y;
  if (drag->edges == 0) {
    if ((drag->startedMaximized && w->maximized) || (drag->startedArranged && w->arranged)) {
      if (dx == 0 && dy == 0) return;
      // Dragging a maximized (or Windows-snapped) window restores it under the cursor to
      // its restore rectangle's size: the cursor keeps its share of the width and its
      // distance below the top edge.
      double share = (drag->grab.x - w->frame.x) / w->frame.width;
      Rect normal = w->normalFrame;
      Rect restored{p.x - share * normal.width, p.y - (drag->grab.y - w->frame.y), normal.width,
                    normal.height};
      w->maximized = false;
      w->arranged = false;
      w->frame = Rect{};
      SetFrame(*w, restored);
      drag->grab = p;
      drag->startFrame = restored;
      return;
    }
    SetFrame(*w, Rect{drag->startFrame.x + dx, drag->startFrame.y + dy, drag->startFrame.width,
                      drag->startFrame.height});
    return;
  }
  // A resize moves the grabbed edges; the app's minimum holds the opposite edges still.
  Rect s = drag->startFrame;
  double left = s.x;
  double top = s.y;
  double right = s.Right();
  double bottom = s.Bottom();
  if (drag->edges & kSimEdgeLeft) left += dx;
  if (drag->edges & kSimEdgeRight) right += dx;
  if (drag->edges & kSimEdgeTop) top += dy;
  if (drag->edges & kSimEdgeBottom) bottom += dy;
  Rect wanted{left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
  Rect clamped = Clamp(*w, wanted);
  if (drag->edges & kSimEdgeLeft) clamped.x = right - clamped.width;
  if (drag->edges & kSimEdgeTop) clamped.y = bottom - clamped.height;
  SetFrame(*w, clamped);
}

void SimWorld::BeginDrag(WindowId id, Point grab, int edges, const SimDragOptions& options) {
  SimWindow* w = Find(id);
  if (!w) return;
  cursor = grab;
  keysDown.insert(Key::kLeftButton);
  lastInput = w->setup.process;
  // The press activates the window before the system enters its move loop.
  Activate(id);
  drag = SimDrag{id, edges, grab, w->frame, w->maximized, w->arranged && edges == 0,
                 options.raiseEvents};
  if (options.raiseEvents) QueueEvent(WindowEventKind::kMoveSizeStart, id);
}

void SimWorld::EndDrag(bool cancelled) {
  if (!drag) return;
  SimDrag ended = *drag;
  drag.reset();
  if (SimWindow* w = Find(ended.window)) {
    if (cancelled) {
      if (ended.startedMaximized && !w->maximized) {
        Maximize(*w);
      } else {
        SetFrame(*w, ended.startFrame);
      }
    }
    if (ended.raiseEvents) QueueEvent(WindowEventKind::kMoveSizeEnd, ended.window);
  }
}

}  // namespace tessary
