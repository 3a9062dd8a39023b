#include <algorithm>
#include <cmath>

#include "base/utf.h"
#include "platform/sim/sim_backends.h"

namespace tessary {
namespace {

constexpr std::size_t kClassNameMax = 63;
constexpr std::size_t kTitleMax = 255;

// Fills `raw` in place (its name keeps its buffer).
void ReadRaw(const SimWorld& world, int index, RawMonitor& raw) {
  const SimDisplay& d = world.displays[index];
  raw.handle = d.id;
  raw.bounds = d.setup.bounds;
  raw.work = world.WorkOf(index);
  raw.dpi.reset();
  if (d.setup.dpiReadable) raw.dpi = d.setup.scale * 96.0;
  raw.gdiName.assign(d.setup.gdiName);
}

void AssignPath(const std::string& gdiName, const std::string& devicePath,
                const std::string& friendlyName, DisplayPath& to) {
  to.gdiName.assign(gdiName);
  to.devicePath.assign(devicePath);
  to.friendlyName.assign(friendlyName);
}

}  // namespace

// --- SimDisplaySource ---------------------------------------------------------------

void SimDisplaySource::Monitors(std::vector<RawMonitor>& out) {
  world_.Count("Monitors");
  std::size_t count = 0;
  for (std::size_t i = 0; i < world_.displays.size(); ++i) {
    if (!world_.displays[i].setup.infoReadable) continue;
    if (count == out.size()) out.emplace_back();
    ReadRaw(world_, static_cast<int>(i), out[count++]);
  }
  out.resize(count);
}

void SimDisplaySource::ActivePaths(std::vector<DisplayPath>& out) {
  world_.Count("ActivePaths");
  std::size_t count = 0;
  auto add = [&out, &count](const std::string& gdi, const std::string& device,
                            const std::string& friendly) {
    if (count == out.size()) out.emplace_back();
    AssignPath(gdi, device, friendly, out[count++]);
  };
  if (!world_.displayConfigFails) {
    for (const SimDisplay& d : world_.displays) {
      if (d.setup.inConfiguration) add(d.setup.gdiName, d.setup.devicePath, d.setup.friendlyName);
    }
    for (const DisplayPath& p : world_.extraPaths) add(p.gdiName, p.devicePath, p.friendlyName);
  }
  out.resize(count);
}

std::optional<RawMonitor> SimDisplaySource::NearestMonitor(const Rect& rect) {
  world_.Count("NearestMonitor");
  int index = world_.NearestDisplay(rect);
  if (index < 0 || !world_.displays[index].setup.infoReadable) return std::nullopt;
  RawMonitor raw;
  ReadRaw(world_, index, raw);
  return raw;
}

// --- SimWindowAccess ----------------------------------------------------------------

bool SimWindowAccess::Exists(WindowId window) {
  world_.Count("Exists");
  return world_.Find(window) != nullptr;
}

bool SimWindowAccess::IsVisible(WindowId window) {
  world_.Count("IsVisible");
  const SimWindow* w = world_.Find(window);
  return w && world_.EffectivelyVisible(*w);
}

bool SimWindowAccess::IsMinimized(WindowId window) {
  world_.Count("IsMinimized");
  const SimWindow* w = world_.Find(window);
  return w && w->minimized;
}

bool SimWindowAccess::IsMaximized(WindowId window) {
  world_.Count("IsMaximized");
  const SimWindow* w = world_.Find(window);
  return w && w->maximized && !w->minimized;
}

bool SimWindowAccess::IsHung(WindowId window) {
  world_.Count("IsHung");
  const SimWindow* w = world_.Find(window);
  return w && w->setup.hung;
}

bool SimWindowAccess::IsCloaked(WindowId window) {
  world_.Count("IsCloaked");
  const SimWindow* w = world_.Find(window);
  return w && w->setup.cloaked;
}

WindowId SimWindowAccess::Root(WindowId window) {
  world_.Count("Root");
  return world_.RootOf(window);
}

WindowId SimWindowAccess::Owner(WindowId window) {
  world_.Count("Owner");
  const SimWindow* w = world_.Find(window);
  return w ? w->setup.owner : kNoWindow;
}

std::uint32_t SimWindowAccess::Style(WindowId window) {
  world_.Count("Style");
  const SimWindow* w = world_.Find(window);
  if (!w) return 0;
  std::uint32_t style = w->setup.style;
  if (w->setup.parent != kNoWindow) style |= window_style::kChild;
  return style;
}

std::uint32_t SimWindowAccess::ExStyle(WindowId window) {
  world_.Count("ExStyle");
  const SimWindow* w = world_.Find(window);
  return w ? w->setup.exStyle : 0;
}

ProcessId SimWindowAccess::ProcessOf(WindowId window) {
  world_.Count("ProcessOf");
  const SimWindow* w = world_.Find(window);
  return w ? w->setup.process : kNoProcess;
}

std::string SimWindowAccess::ClassName(WindowId window) {
  world_.Count("ClassName");
  const SimWindow* w = world_.Find(window);
  return w ? CutToCharacters(w->setup.className, kClassNameMax) : std::string();
}

std::string SimWindowAccess::Title(WindowId window) {
  world_.Count("Title");
  const SimWindow* w = world_.Find(window);
  return w ? CutToCharacters(w->setup.title, kTitleMax) : std::string();
}

WindowId SimWindowAccess::FindChild(WindowId window, const std::string& className) {
  world_.Count("FindChild");
  for (const auto& [id, w] : world_.windows) {
    if (w.setup.parent == window && w.setup.className == className) return id;
  }
  return kNoWindow;
}

std::optional<Rect> SimWindowAccess::WindowRect(WindowId window) {
  world_.Count("WindowRect");
  const SimWindow* w = world_.Find(window);
  if (!w) return std::nullopt;
  return world_.WindowRectOf(*w);
}

std::optional<Rect> SimWindowAccess::ExtendedFrameBounds(WindowId window) {
  world_.Count("ExtendedFrameBounds");
  const SimWindow* w = world_.Find(window);
  if (!w || !w->setup.frameBoundsReadable) return std::nullopt;
  return world_.ScreenFrame(*w);
}

std::optional<Rect> SimWindowAccess::CaptionButtonBounds(WindowId window) {
  world_.Count("CaptionButtonBounds");
  const SimWindow* w = world_.Find(window);
  if (!w || (w->setup.style & window_style::kCaption) != window_style::kCaption) {
    return std::nullopt;
  }
  // Buttons 46 px wide and 32 px high at the frame's top right, as an unscaled system
  // draws them: minimise, maximise (with a maximise box) and close.
  const Rect frame = world_.ScreenFrame(*w);
  const double count = (w->setup.style & window_style::kMaximizeBox) ? 3 : 2;
  return Rect{frame.x + frame.width - 46 * count, frame.y, 46 * count, 32};
}

std::optional<int> SimWindowAccess::HitTest(WindowId window, Point point) {
  world_.Count("HitTest");
  const SimWindow* w = world_.Find(window);
  if (!w || w->setup.hung) return std::nullopt;
  // Only a drawn caption's button is told apart: the engine asks no other window.
  const Rect frame = world_.ScreenFrame(*w);
  if (const std::optional<Rect>& drawn = w->setup.drawnMinimiseButton;
      drawn && Rect{frame.x + drawn->x, frame.y + drawn->y, drawn->width, drawn->height}
                   .Contains(point)) {
    return kHitMinimiseButton;
  }
  constexpr int kHitNowhere = 0;  // HTNOWHERE
  constexpr int kHitClient = 1;   // HTCLIENT
  return world_.WindowRectOf(*w).Contains(point) ? kHitClient : kHitNowhere;
}

bool SimWindowAccess::SetPosition(WindowId window, const PositionRequest& request) {
  world_.Count("SetPosition");
  SimWindow* w = world_.Find(window);
  return w && world_.RequestPosition(*w, request);
}

std::optional<WindowPlacement> SimWindowAccess::Placement(WindowId window) {
  world_.Count("Placement");
  const SimWindow* w = world_.Find(window);
  if (!w) return std::nullopt;
  return world_.PlacementOf(*w);
}

bool SimWindowAccess::SetPlacement(WindowId window, const WindowPlacement& placement) {
  world_.Count("SetPlacement");
  SimWindow* w = world_.Find(window);
  if (!w || world_.RefusesCaller(*w) || world_.FreezesCaller(*w)) return false;
  world_.ApplyPlacement(*w, placement);
  return true;
}

bool SimWindowAccess::Show(WindowId window, ShowCommand command) {
  world_.Count("Show");
  SimWindow* w = world_.Find(window);
  return w && !world_.RefusesCaller(*w) && !world_.FreezesCaller(*w) &&
         world_.ShowWindow(*w, command);
}

// --- SimZOrder ----------------------------------------------------------------------

void SimZOrder::TopLevelWindows(std::vector<WindowId>& out) {
  world_.Count("TopLevelWindows");
  out.assign(world_.zOrder.begin(), world_.zOrder.end());
}

WindowId SimZOrder::Foreground() {
  world_.Count("Foreground");
  return world_.foreground;
}

bool SimZOrder::SetForeground(WindowId window) {
  world_.Count("SetForeground");
  WindowId root = world_.RootOf(window);
  if (root == kNoWindow || !world_.GrantsForeground()) return false;
  world_.Activate(root);
  return true;
}

bool SimZOrder::SetFocus(WindowId window) {
  world_.Count("SetFocus");
  const SimWindow* w = world_.Find(window);
  // Focus can only be given to windows of the calling thread.
  if (!w || w->setup.process != world_.own) return false;
  world_.focus = window;
  return true;
}

bool SimZOrder::BringToTop(WindowId window) {
  world_.Count("BringToTop");
  const SimWindow* w = world_.Find(window);
  if (!w || world_.RefusesCaller(*w) || world_.FreezesCaller(*w)) return false;
  world_.Raise(window);
  return true;
}

bool SimZOrder::PlaceBelow(WindowId window, WindowId insertAfter) {
  world_.Count("PlaceBelow");
  auto& z = world_.zOrder;
  if (!world_.Find(window) || !world_.Find(insertAfter) || window == insertAfter) return false;
  const SimWindow& w = *world_.Find(window);
  if (world_.RefusesCaller(w) || world_.FreezesCaller(w)) return false;
  z.erase(std::remove(z.begin(), z.end(), window), z.end());
  auto after = std::find(z.begin(), z.end(), insertAfter);
  if (after == z.end()) return false;
  z.insert(after + 1, window);
  return true;
}

bool SimZOrder::SendToBottom(WindowId window) {
  world_.Count("SendToBottom");
  auto& z = world_.zOrder;
  if (std::find(z.begin(), z.end(), window) == z.end()) return false;
  if (const SimWindow* w = world_.Find(window);
      w && (world_.RefusesCaller(*w) || world_.FreezesCaller(*w))) {
    return false;
  }
  z.erase(std::remove(z.begin(), z.end(), window), z.end());
  z.push_back(window);
  return true;
}

WindowId SimZOrder::WindowAt(Point point) {
  world_.Count("WindowAt");
  for (WindowId id : world_.zOrder) {
    const SimWindow* w = world_.Find(id);
    if (!w || !w->setup.visible || w->minimized || w->setup.cloaked) continue;
    if (!world_.WindowRectOf(*w).Contains(point)) continue;
    // The deepest child under the point, as WindowFromPoint reports it.
    WindowId hit = id;
    for (const auto& [childId, child] : world_.windows) {
      if (child.setup.parent == id && child.setup.visible && child.frame.Contains(point)) {
        hit = childId;
      }
    }
    return hit;
  }
  return kNoWindow;
}

// --- SimInput -----------------------------------------------------------------------

Point SimInput::CursorPosition() {
  world_.Count("CursorPosition");
  return world_.cursor;
}

bool SimInput::IsKeyDown(Key key) {
  world_.Count("IsKeyDown");
  return world_.KeyDown(key);
}

bool SimInput::StartEscapeWatch(std::function<void()> onEscape) {
  world_.Count("StartEscapeWatch");
  world_.escapeHandler = std::move(onEscape);
  world_.escapeWatch = true;
  return true;
}

void SimInput::StopEscapeWatch() {
  world_.Count("StopEscapeWatch");
  world_.escapeWatch = false;
  world_.escapeHandler = nullptr;
}

}  // namespace tessary
