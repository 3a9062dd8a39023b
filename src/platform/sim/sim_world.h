#pragma once

// The state of a simulated desktop and its Windows-like rules. Internal to platform/sim:
// tests script it through SimDesktop, the program reaches it through the backends.

#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display_source.h"
#include "platform/key_injector.h"
#include "platform/sim/sim_setup.h"
#include "platform/window_events.h"

namespace tessary {

class SimStacking;
struct SimWorld;
// The desktop's z-order as the stacking of the program's surfaces (sim_desktop_surfaces.cpp).
std::unique_ptr<SimStacking> MakeDesktopStacking(SimWorld& world);

struct SimDisplay {
  MonitorId id{};
  SimDisplaySetup setup;
};

struct SimPendingMove {
  double due = 0;
  Rect frame;
};

struct SimWindow {
  WindowId id{};
  SimWindowSetup setup;  // its mutable fields (title, styles, visible, cloaked) are live
  Rect frame;            // the frame on screen when not minimized (maximized or normal)
  Rect normalFrame;      // the restored frame
  bool maximized = false;
  bool minimized = false;
  bool restoreToMaximized = false;     // minimized from the maximized state
  // Snapped by Windows itself (arranged): moves keep the restore rectangle (normalFrame)
  // it had before, and a title drag takes the window back to that size.
  bool arranged = false;
  std::deque<SimPendingMove> pending;  // moves the app has not carried out yet
  std::vector<SimKeyRecord> keys;
};

struct SimDrag {
  WindowId window{};
  int edges = 0;  // 0: a move by the title bar; else SimEdge bits of a resize
  Point grab;
  Rect startFrame;
  bool startedMaximized = false;
  bool startedArranged = false;
  bool raiseEvents = true;
};

struct SimTimer {
  std::uint32_t periodMs = 0;
  double due = 0;
  std::uint64_t order = 0;
};

struct SimWorld {
  static constexpr double kFramePeriod = 1.0 / 60.0;
  // Windows raises shorter timer periods to this (USER_TIMER_MINIMUM).
  static constexpr std::uint32_t kMinimumTimerMs = 10;

  // --- time and the program's message loop ------------------------------------------
  double now = 100.0;  // not zero, like a real performance counter
  bool compositionAvailable = true;
  int framesWaited = 0;
  std::uint64_t sequence = 0;
  std::multimap<std::pair<double, std::uint64_t>, std::function<void()>> scheduled;
  std::deque<std::function<void()>> messages;
  std::map<int, SimTimer> timers;
  std::function<void(int)> timerHandler;
  std::function<void(const WindowEvent&)> eventSink;
  std::function<void()> escapeHandler;
  // The program's surfaces: while they want frames, the loop runs one at every
  // vertical blank (the frame pacer's WM_TIMER 1 and the surfaces' own timers).
  std::function<bool()> framesWanted;
  std::function<void()> runFrame;
  bool escapeWatch = false;

  // --- displays ---------------------------------------------------------------------
  std::vector<SimDisplay> displays;  // in the system's enumeration order
  std::vector<DisplayPath> extraPaths;
  bool displayConfigFails = false;
  bool eventHooksFail = false;
  std::uint64_t nextMonitor = 0x10001;
  int displaysAdded = 0;

  // --- processes, files, environment ------------------------------------------------
  std::map<ProcessId, SimProcessSetup> processes;
  std::uint32_t nextProcess = 1000;
  ProcessId own{};
  bool ownElevated = false;
  bool ownUiAccess = false;
  std::optional<std::string> ownPackage;
  std::set<std::string> files;
  std::map<std::string, std::string> descriptions;
  std::map<std::string, IconId> fileIcons;
  std::map<std::string, std::string> environment;

  // --- windows ----------------------------------------------------------------------
  std::map<WindowId, SimWindow> windows;  // live windows only
  std::uint64_t nextWindow = 0x10010;
  std::vector<WindowId> zOrder;  // top-level windows, front-most first
  WindowId foreground{};
  WindowId focus{};
  // The foreground lock (off: every request is granted, as under Wine). On, the program
  // takes the foreground only when the user's last input went to it (a hotkey it handles,
  // a click on its window) or the foreground is its own or nobody's.
  bool foregroundLock = false;
  ProcessId lastInput{};

  // --- input ------------------------------------------------------------------------
  Point cursor;
  std::set<Key> keysDown;
  std::optional<SimDrag> drag;
  std::vector<SimKeyRecord> injected;

  // --- the rest of the system -------------------------------------------------------
  std::uint64_t nextIcon = 0x30001;
  IconId defaultIcon{0x30000};
  SimSystemSettings settings;
  bool confirmAnswer = true;
  std::vector<SimPrompt> prompts;
  int beeps = 0;
  int warningBeeps = 0;
  // Answers of the next file dialogs, oldest first; none left: the user cancels.
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<SimLaunch> launches;
  std::function<void(const SimLaunch&)> onLaunch;
  double launchDelay = 0.5;
  std::map<std::string, int, std::less<>> calls;

  // Timer due times sit on a microsecond grid, so that timers of different periods that
  // are due together compare equal and fire in the order they were started.
  static double OnTimerGrid(double time) { return std::round(time * 1e6) / 1e6; }

  // sim_world.cpp: counting, time, messages and timers.
  void Count(std::string_view kind);
  void Post(std::function<void()> message);
  void QueueEvent(WindowEventKind kind, WindowId window);
  void Schedule(double time, std::function<void()> action);
  // Moves the clock forward to `time`, carrying out what other processes do meanwhile
  // (scheduled actions, late moves); the program's own messages wait.
  void AdvanceClockTo(double time);
  // The program's message loop: posted messages and events, then due timers.
  void Pump();
  void RunLoop(double seconds);
  bool WaitForFrame();
  double NextFrameTime() const;

  // sim_windows.cpp: window geometry and state.
  SimWindow* Find(WindowId id);
  const SimWindow* Find(WindowId id) const;
  bool IsTopLevel(const SimWindow& w) const { return w.setup.parent == kNoWindow; }
  WindowId RootOf(WindowId id) const;
  bool EffectivelyVisible(const SimWindow& w) const;
  int NearestDisplay(const Rect& r) const;
  Rect WorkOf(int display) const;
  double ScaleNear(const Rect& r) const;
  Rect ScreenFrame(const SimWindow& w) const;  // where it is, minimized included
  Rect WindowRectOf(const SimWindow& w) const;
  Rect NormalWindowRect(const Rect& frame) const;
  Rect NormalFrameFromWindowRect(const Rect& rect) const;
  Rect Clamp(const SimWindow& w, const Rect& frame) const;
  void SetFrame(SimWindow& w, const Rect& frame);
  bool RequestPosition(SimWindow& w, const PositionRequest& request);
  // A synchronous call into `w`: true when its app does not answer, after the caller
  // was frozen for kHungCallSeconds (a real one waits until the app recovers, if ever).
  bool FreezesCaller(const SimWindow& w);
  static constexpr double kHungCallSeconds = 5.0;
  // User interface privilege isolation: a program running neither elevated nor with UI
  // access cannot move, show or reorder the windows of an elevated process. Counted as
  // "RefusedCall".
  bool RefusesCaller(const SimWindow& w);
  void Maximize(SimWindow& w);
  void RestoreFromMaximized(SimWindow& w);
  void Minimize(SimWindow& w);
  void Unminimize(SimWindow& w);
  bool ShowWindow(SimWindow& w, ShowCommand command);
  WindowPlacement PlacementOf(const SimWindow& w) const;
  void ApplyPlacement(SimWindow& w, const WindowPlacement& placement);
  void Raise(WindowId id);
  void Activate(WindowId id);
  // A foreground request of the program: false (counted as "RefusedForeground") when
  // the lock refuses it.
  bool GrantsForeground();
  void Close(WindowId id);
  void RehomeOrphans();

  // sim_input.cpp: keys, buttons and the system's move/size loop.
  bool KeyDown(Key key) const { return keysDown.contains(key); }
  void DeliverKey(Key key, bool release, bool injected);
  void MoveCursor(Point p);
  void BeginDrag(WindowId id, Point grab, int edges, const SimDragOptions& options);
  void EndDrag(bool cancelled);
};

}  // namespace tessary
