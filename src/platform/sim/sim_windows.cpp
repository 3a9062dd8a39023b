#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/sim/sim_world.h"

namespace tessary {
namespace {

// Where Windows parks a minimized window, and the size of its caption stub.
constexpr Rect kMinimizedRect{-32000, -32000, 160, 28};

double Area(const Rect& r) { return r.width * r.height; }

double DistanceBetween(const Rect& a, const Rect& b) {
  double dx = std::max({0.0, a.x - b.Right(), b.x - a.Right()});
  double dy = std::max({0.0, a.y - b.Bottom(), b.y - a.Bottom()});
  return std::hypot(dx, dy);
}

Rect Inflate(const Rect& r, double left, double top, double right, double bottom) {
  return Rect{r.x - left, r.y - top, r.width + left + right, r.height + top + bottom};
}

}  // namespace

SimWindow* SimWorld::Find(WindowId id) {
  auto found = windows.find(id);
  return found == windows.end() ? nullptr : &found->second;
}

const SimWindow* SimWorld::Find(WindowId id) const {
  auto found = windows.find(id);
  return found == windows.end() ? nullptr : &found->second;
}

WindowId SimWorld::RootOf(WindowId id) const {
  const SimWindow* w = Find(id);
  while (w && !IsTopLevel(*w)) {
    id = w->setup.parent;
    w = Find(id);
  }
  return w ? id : kNoWindow;
}

bool SimWorld::EffectivelyVisible(const SimWindow& w) const {
  const SimWindow* at = &w;
  while (at) {
    if (!at->setup.visible) return false;
    if (IsTopLevel(*at)) return true;
    at = Find(at->setup.parent);
  }
  return false;
}

// MonitorFromRect(MONITOR_DEFAULTTONEAREST): the largest overlap, else the nearest.
int SimWorld::NearestDisplay(const Rect& r) const {
  int best = -1;
  double bestArea = 0;
  for (std::size_t i = 0; i < displays.size(); ++i) {
    double area = Area(Intersect(r, displays[i].setup.bounds));
    if (area > bestArea) {
      bestArea = area;
      best = static_cast<int>(i);
    }
  }
  if (best >= 0) return best;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < displays.size(); ++i) {
    double distance = DistanceBetween(r, displays[i].setup.bounds);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

Rect SimWorld::WorkOf(int display) const {
  if (display < 0) return Rect{};
  const SimDisplaySetup& setup = displays[display].setup;
  return setup.work.IsEmpty() ? setup.bounds : setup.work;
}

double SimWorld::ScaleNear(const Rect& r) const {
  int display = NearestDisplay(r);
  return display < 0 ? 1.0 : displays[display].setup.scale;
}

Rect SimWorld::ScreenFrame(const SimWindow& w) const {
  return w.minimized ? kMinimizedRect : w.frame;
}

Rect SimWorld::WindowRectOf(const SimWindow& w) const {
  if (w.minimized) return kMinimizedRect;
  if (!w.setup.invisibleBorders) return w.frame;
  if (w.maximized) {
    // A maximized window hangs its borders over the edges of the work area on all sides.
    double b = std::round(8 * ScaleNear(w.frame));
    return Inflate(w.frame, b, b, b, b);
  }
  return NormalWindowRect(w.frame);
}

Rect SimWorld::NormalWindowRect(const Rect& frame) const {
  double b = std::round(7 * ScaleNear(frame));
  return Inflate(frame, b, 0, b, b);
}

Rect SimWorld::NormalFrameFromWindowRect(const Rect& rect) const {
  double b = std::round(7 * ScaleNear(rect));
  return Rect{rect.x + b, rect.y, rect.width - 2 * b, rect.height - b};
}

Rect SimWorld::Clamp(const SimWindow& w, const Rect& frame) const {
  Rect r = frame;
  const SimWindowSetup& s = w.setup;
  if (s.widthStep > 0) r.width = std::floor(r.width / s.widthStep) * s.widthStep;
  if (s.heightStep > 0) r.height = std::floor(r.height / s.heightStep) * s.heightStep;
  double minWidth =
      s.widthStep > 0 ? std::ceil(s.minWidth / s.widthStep) * s.widthStep : s.minWidth;
  double minHeight =
      s.heightStep > 0 ? std::ceil(s.minHeight / s.heightStep) * s.heightStep : s.minHeight;
  r.width = std::max({r.width, minWidth, 0.0});
  r.height = std::max({r.height, minHeight, 0.0});
  if (s.sizing) r = s.sizing(r);
  return r;
}

void SimWorld::SetFrame(SimWindow& w, const Rect& frame) {
  if (w.frame == frame) return;
  w.frame = frame;
  if (!w.maximized && !w.arranged) w.normalFrame = frame;
  QueueEvent(WindowEventKind::kLocationChange, w.id);
}

bool SimWorld::FreezesCaller(const SimWindow& w) {
  if (!w.setup.hung) return false;
  Count("FrozenCall");
  AdvanceClockTo(now + kHungCallSeconds);
  return true;
}

bool SimWorld::RefusesCaller(const SimWindow& w) {
  if (ownElevated || ownUiAccess) return false;
  auto process = processes.find(w.setup.process);
  if (process == processes.end() || !process->second.elevated) return false;
  Count("RefusedCall");
  return true;
}

bool SimWorld::RequestPosition(SimWindow& w, const PositionRequest& request) {
  // A synchronous request is denied; an asynchronous one is posted and silently dropped,
  // so only the frame read afterwards tells.
  if (RefusesCaller(w)) return request.async;
  // An asynchronous request waits in the hung app's queue; a synchronous one waits for it.
  if (w.setup.hung) return request.async || !FreezesCaller(w);
  // A minimized window keeps its parking place; the request is accepted and ignored.
  if (w.minimized) return true;
  Rect rect = WindowRectOf(w);
  Rect target = rect;
  if (request.move) {
    target.x = request.x;
    target.y = request.y;
  }
  if (request.size) {
    target.width = request.width;
    target.height = request.height;
  }
  // The app sees the window rectangle; its frame keeps the margins it has now.
  Rect frame{target.x + (w.frame.x - rect.x), target.y + (w.frame.y - rect.y),
             target.width - (rect.width - w.frame.width),
             target.height - (rect.height - w.frame.height)};
  if (request.size) frame = Clamp(w, frame);
  if (w.setup.settleFrames <= 0) {
    SetFrame(w, frame);
    return true;
  }
  double due = now + w.setup.settleFrames * kFramePeriod;
  if (!w.pending.empty()) due = std::max(due, w.pending.back().due);
  w.pending.push_back(SimPendingMove{due, frame});
  // Without SWP_ASYNCWINDOWPOS the caller waits until the app's thread has done it.
  if (!request.async) AdvanceClockTo(due);
  return true;
}

void SimWorld::Maximize(SimWindow& w) {
  if (w.minimized) Unminimize(w);
  if (w.maximized) return;
  Rect work = WorkOf(NearestDisplay(w.frame));
  w.normalFrame = w.frame;
  w.maximized = true;
  if (w.frame != work) {
    w.frame = work;
    QueueEvent(WindowEventKind::kLocationChange, w.id);
  }
}

void SimWorld::RestoreFromMaximized(SimWindow& w) {
  if (!w.maximized) return;
  w.maximized = false;
  Rect normal = w.normalFrame;
  w.frame = Rect{};  // so that SetFrame reports the change
  SetFrame(w, normal);
}

void SimWorld::Minimize(SimWindow& w) {
  if (w.minimized) return;
  w.restoreToMaximized = w.maximized;
  w.minimized = true;
  QueueEvent(WindowEventKind::kMinimizeStart, w.id);
  QueueEvent(WindowEventKind::kLocationChange, w.id);
  if (foreground == w.id) foreground = kNoWindow;
}

void SimWorld::Unminimize(SimWindow& w) {
  if (!w.minimized) return;
  w.minimized = false;
  QueueEvent(WindowEventKind::kMinimizeEnd, w.id);
  QueueEvent(WindowEventKind::kLocationChange, w.id);
}

bool SimWorld::ShowWindow(SimWindow& w, ShowCommand command) {
  auto show = [&] {
    if (w.setup.visible) return;
    w.setup.visible = true;
    QueueEvent(WindowEventKind::kShow, w.id);
  };
  switch (command) {
    case ShowCommand::kHide:
      if (w.setup.visible) {
        w.setup.visible = false;
        QueueEvent(WindowEventKind::kHide, w.id);
      }
      break;
    case ShowCommand::kShow:
      show();
      Activate(w.id);
      break;
    case ShowCommand::kShowNoActivate:
      // "Its most recent size and position": back to maximized if it was.
      show();
      if (w.minimized) {
        Unminimize(w);
        if (!w.restoreToMaximized) RestoreFromMaximized(w);
      }
      break;
    case ShowCommand::kNormal:
    case ShowCommand::kRestore:
      show();
      if (w.minimized) {
        Unminimize(w);
        if (!w.restoreToMaximized) RestoreFromMaximized(w);
      } else {
        RestoreFromMaximized(w);
      }
      Activate(w.id);
      break;
    case ShowCommand::kMinimized:
    case ShowCommand::kMinimize:
      show();
      Minimize(w);
      break;
    case ShowCommand::kMaximized:
      show();
      Maximize(w);
      Activate(w.id);
      break;
  }
  return true;
}

WindowPlacement SimWorld::PlacementOf(const SimWindow& w) const {
  Rect rect = NormalWindowRect(w.normalFrame);
  if (!w.setup.invisibleBorders) rect = w.normalFrame;
  Rect work = WorkOf(NearestDisplay(rect));
  int display = NearestDisplay(rect);
  Rect bounds = display < 0 ? Rect{} : displays[display].setup.bounds;
  double dx = work.x - bounds.x;
  double dy = work.y - bounds.y;
  WindowPlacement p;
  p.left = static_cast<int>(std::lround(rect.x - dx));
  p.top = static_cast<int>(std::lround(rect.y - dy));
  p.right = static_cast<int>(std::lround(rect.Right() - dx));
  p.bottom = static_cast<int>(std::lround(rect.Bottom() - dy));
  p.show = w.minimized   ? ShowCommand::kMinimized
           : w.maximized ? ShowCommand::kMaximized
                         : ShowCommand::kNormal;
  return p;
}

void SimWorld::ApplyPlacement(SimWindow& w, const WindowPlacement& p) {
  Rect given = Rect::FromEdges(p.left, p.top, p.right, p.bottom);
  int display = NearestDisplay(given);
  if (display >= 0) {
    Rect work = WorkOf(display);
    const Rect& bounds = displays[display].setup.bounds;
    given.x += work.x - bounds.x;
    given.y += work.y - bounds.y;
  }
  Rect normal = w.setup.invisibleBorders ? NormalFrameFromWindowRect(given) : given;
  normal = Clamp(w, normal);
  // A placement set by a program replaces whatever Windows' own snapping remembered.
  w.arranged = false;
  switch (p.show) {
    case ShowCommand::kMaximized:
      w.normalFrame = normal;
      if (w.minimized) Unminimize(w);
      Maximize(w);
      w.normalFrame = normal;
      Activate(w.id);
      return;
    case ShowCommand::kMinimized:
    case ShowCommand::kMinimize:
      w.maximized = false;
      SetFrame(w, normal);
      Minimize(w);
      return;
    case ShowCommand::kHide:
      w.maximized = false;
      SetFrame(w, normal);
      ShowWindow(w, ShowCommand::kHide);
      return;
    default:
      // With flags 0 the window comes back in its normal state, even one that was
      // minimized from maximized.
      if (!w.setup.visible) ShowWindow(w, ShowCommand::kShow);
      if (w.minimized) Unminimize(w);
      w.maximized = false;
      w.frame = Rect{};
      SetFrame(w, normal);
      if (p.show != ShowCommand::kShowNoActivate) Activate(w.id);
      return;
  }
}

void SimWorld::Raise(WindowId id) {
  const SimWindow* w = Find(id);
  if (!w || !IsTopLevel(*w)) return;
  zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), id), zOrder.end());
  bool topmost = (w->setup.exStyle & window_ex_style::kTopmost) != 0;
  auto at = zOrder.begin();
  if (!topmost) {
    // Below every topmost window.
    while (at != zOrder.end()) {
      const SimWindow* other = Find(*at);
      if (!other || !(other->setup.exStyle & window_ex_style::kTopmost)) break;
      ++at;
    }
  }
  zOrder.insert(at, id);
}

void SimWorld::Activate(WindowId id) {
  Raise(id);
  if (foreground == id) return;
  foreground = id;
  QueueEvent(WindowEventKind::kForeground, id);
}

bool SimWorld::GrantsForeground() {
  const SimWindow* front = Find(foreground);
  if (!foregroundLock || lastInput == own || !front || front->setup.process == own) return true;
  Count("RefusedForeground");
  return false;
}

void SimWorld::Close(WindowId id) {
  SimWindow* w = Find(id);
  if (!w) return;
  // Its children and owned windows go with it.
  std::vector<WindowId> dependents;
  for (auto& [otherId, other] : windows) {
    if (other.setup.parent == id || other.setup.owner == id) dependents.push_back(otherId);
  }
  for (WindowId dependent : dependents) Close(dependent);
  if (drag && drag->window == id) drag.reset();
  bool wasVisible = w->setup.visible;
  windows.erase(id);
  zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), id), zOrder.end());
  if (foreground == id) foreground = kNoWindow;
  if (focus == id) focus = kNoWindow;
  if (wasVisible) QueueEvent(WindowEventKind::kHide, id);
  QueueEvent(WindowEventKind::kDestroy, id);
}

void SimWorld::RehomeOrphans() {
  if (displays.empty()) return;
  Rect home = WorkOf(0);
  for (auto& [id, w] : windows) {
    if (!IsTopLevel(w)) continue;
    bool onSome = false;
    for (const SimDisplay& d : displays) {
      if (!Intersect(w.frame, d.setup.bounds).IsEmpty()) onSome = true;
    }
    if (onSome) continue;
    if (w.maximized) {
      w.frame = home;
      QueueEvent(WindowEventKind::kLocationChange, id);
    } else {
      SetFrame(w, Rect{home.x, home.y, w.frame.width, w.frame.height});
    }
  }
}

}  // namespace tessary
