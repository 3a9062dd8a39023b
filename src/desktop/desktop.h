#pragma once

// The desktop services: displays, which windows may be managed and which app each
// belongs to, and moving windows so that their visible frames land on targets. One
// instance per program; it keeps the little that must outlive a call (the icon cache,
// the only-class filter, whether this process has UI access) and reads everything else
// from the system afresh at each call. UI thread only.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/geometry.h"
#include "desktop/monitor.h"
#include "platform/platform.h"

namespace tessary {

// One window and where its visible frame should go.
struct GlideItem {
  WindowId window{};
  Rect target;
};

// How Windows' own snapping is configured, read together.
struct WindowsSnap {
  bool arranging = false;   // window arranging on: Windows snaps at all
  bool dockMoving = false;  // arranging and snapping by dragging to an edge
  bool snapBar = false;     // arranging and the Snap Layouts bar at the top of the screen
};

class Desktop {
 public:
  explicit Desktop(const Platform& platform) : platform_(platform) {}

  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  const Platform& platform() const { return platform_; }

  // --- Displays -------------------------------------------------------------------
  // All active displays in the program's order (see OrderedMonitors), enumerated afresh.
  std::vector<Monitor> EnumerateDisplays() const;
  // The same into `out`, whose elements are reused: a caller that keeps its list asks
  // about unchanged displays without allocating.
  void EnumerateDisplays(std::vector<Monitor>& out);
  Point CursorPosition() const;

  // --- Window inventory -----------------------------------------------------------
  // Whether the program may manage the window: visible, not minimized or cloaked, a root
  // window, not a tool or no-activate window, with a sizing border or a caption, owned
  // only when it asks for a task-bar button, of another process, not of the desktop's own
  // classes, and at least 80 x 50 pixels.
  bool IsManageable(WindowId window);
  // Every manageable top-level window, front-most first.
  std::vector<WindowId> ManageableWindows();
  std::string WindowTitle(WindowId window) const;
  // The desktop or a task bar: the system's own windows, never an app's.
  bool IsShellWindow(WindowId window) const;

  // --- App identity ---------------------------------------------------------------
  // "aumid:" + the user model id for a packaged app, else the process image path, else
  // empty. A packaged app's frame window is attributed to the app inside it.
  std::string AppIdOf(WindowId window) const;
  // The name to show for an app id; empty for an empty id.
  std::string AppName(const std::string& appId) const;
  // The name of the window's executable (never the packaged name); empty when unknown.
  std::string AppNameOfWindow(WindowId window) const;
  // Starts the app without activating it; true when the shell accepted the request.
  bool LaunchApp(const std::string& appId) const;
  // The window's icon; never kNoIcon (falls back to the system's application icon).
  IconId WindowIcon(WindowId window) const;
  // The app's icon, or kNoIcon. Found icons are cached for the life of the program;
  // misses are not, so a later call can find the icon once the app has a window.
  IconId IconForApp(const std::string& appId);
  // True when the window belongs to an elevated process that this process cannot move.
  bool IsBlockedByElevation(WindowId window);
  // True when this process runs with a package identity.
  bool IsPackagedProcess() const;

  // --- Window motion --------------------------------------------------------------
  // The visible frame (DWM extended frame bounds, else the window rectangle).
  std::optional<Rect> FrameBounds(WindowId window) const;
  // The system's client-area animation switch (on when it cannot be read).
  bool AnimationsEnabled() const;
  // Puts the window's frame on the target without activating it or changing its
  // z-order: restores a maximized or minimized window, then up to three measured
  // attempts. True when the frame matches within a pixel, or after three attempts its
  // top-left corner lies within 6 pixels (an app that refuses the size still counts).
  // A window whose app is not responding is not touched: false.
  bool PlaceExactly(WindowId window, const Rect& target) const;
  // Animates the windows to their targets together (0.24 s, eased), lets them settle,
  // then places each exactly. Answers the windows whose exact placement succeeded.
  // Blocks the calling thread for the length of the animation.
  std::set<WindowId> Glide(const std::vector<GlideItem>& items) const;
  bool GlideOne(WindowId window, const Rect& target) const;
  // Slides the window's frame out towards `away` (its top-left corner) and back home in
  // 0.44 s, running `action` exactly once (at 36 %, or at once when there is no
  // animation), and leaves the window exactly at `home`.
  void SlideOutAndBack(WindowId window, const Rect& home, Point away,
                       const std::function<void()>& action) const;

  // --- Windows Snap ---------------------------------------------------------------
  WindowsSnap WindowsSnapSettings() const;
  // Asks the user whether to turn Windows' window arranging off and does so on OK.
  // Answers whether it was turned off.
  bool OfferTurnOffWindowsSnap() const;

 private:
  const std::optional<std::string>& OnlyClass();

  Platform platform_;
  bool onlyClassRead_ = false;
  std::optional<std::string> onlyClass_;
  std::optional<bool> uiAccess_;
  std::unordered_map<std::string, IconId> iconCache_;
  // The system's answers about the displays, kept so that asking again reuses them.
  std::vector<RawMonitor> rawMonitors_;
  std::vector<DisplayPath> displayPaths_;
};

}  // namespace tessary
