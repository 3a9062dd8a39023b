#pragma once

// A simulated Windows desktop: a real backend of the platform interfaces that behaves
// like Windows where the program depends on it, driven by a test script. Time passes
// only when the script says so (or while the program blocks in a frame wait or a sleep).
//
//   SimDesktop desk;
//   desk.AddDisplay({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}});
//   WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
//   Desktop desktop(desk.platform());
//   desk.BeginTitleDrag(w, {400, 110});
//   desk.MoveCursor({900, 20});
//   desk.Advance(0.015);   // runs the program's message loop: events, then timers
//   desk.Release();
//
// See docs/SIMULATED_DESKTOP.md for what is modelled and what is not.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_setup.h"

namespace tessary {

struct SimWorld;
struct SimWindow;
class SimBackends;
class SimStacking;
class SimSurfaceFactory;

class SimDesktop {
 public:
  SimDesktop();
  ~SimDesktop();
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  // The interfaces to hand to the program. Valid as long as this desktop lives.
  Platform platform();

  // --- Displays (in the system's enumeration order) ---------------------------------
  MonitorId AddDisplay(const SimDisplaySetup& setup);
  // Replaces a display's description (bounds, work area, DPI, names); raises the
  // display-change and work-area-change notifications.
  void ChangeDisplay(MonitorId display, const SimDisplaySetup& setup);
  void SetWorkArea(MonitorId display, const Rect& work);
  // Windows left on no display are moved to the first display, as Windows does.
  void RemoveDisplay(MonitorId display);
  const SimDisplaySetup& Display(MonitorId display) const;
  // A further configuration path (duplicated displays name one GDI device twice).
  void AddDisplayPath(const DisplayPath& path);
  void SetDisplayConfigFails(bool fails);
  // Some of the window event hooks cannot be installed: Install answers false, and the
  // events still arrive, as through the hooks that did install.
  void SetEventHooksFail(bool fail);

  // --- Processes, files, environment ------------------------------------------------
  ProcessId AddProcess(const SimProcessSetup& setup = {});
  ProcessId OwnProcess() const;  // the program's own process
  void SetOwnElevated(bool elevated);
  void SetOwnUiAccess(bool uiAccess);
  void SetOwnPackage(std::optional<std::string> familyName);
  void AddFile(const std::string& path, std::optional<std::string> description = {});
  void RemoveFile(const std::string& path);
  IconId FileIconOf(const std::string& path) const;  // the shell's icon of an added file
  void SetEnvironment(const std::string& name, std::optional<std::string> value);

  // --- Windows ----------------------------------------------------------------------
  WindowId AddWindow(const SimWindowSetup& setup = {});
  // The app closes the window (it is destroyed).
  void CloseWindow(WindowId window);
  bool Exists(WindowId window) const;
  void SetVisible(WindowId window, bool visible);
  void SetCloaked(WindowId window, bool cloaked);
  void SetTitle(WindowId window, const std::string& title);
  void Minimize(WindowId window);
  void Maximize(WindowId window);
  void Restore(WindowId window);
  // Windows' own snapping puts the window at `frame` (a half, a quarter) and keeps its
  // restore rectangle: moves by others leave that rectangle alone, and a title drag
  // takes the window back to its size.
  void SnapByWindows(WindowId window, const Rect& frame);
  // The app moves its own window (its frame), without the program's involvement.
  void MoveWindow(WindowId window, const Rect& frame);
  SimWindowSetup& Setup(WindowId window);   // live: change minimum sizes, icons, rules
  Rect Frame(WindowId window) const;        // the visible frame now
  Rect WindowRect(WindowId window) const;   // the window rectangle now
  Rect NormalFrame(WindowId window) const;  // the restored frame (the restore rectangle's)
  bool IsMaximized(WindowId window) const;
  bool IsMinimized(WindowId window) const;
  std::vector<WindowId> ZOrder() const;  // front-most first
  WindowId Foreground() const;
  WindowId Focus() const;
  void Activate(WindowId window);  // the user clicks it
  // Windows' foreground lock: on, the program's foreground requests are refused unless
  // the user's last input went to the program (a click on one of its surfaces, or
  // InputToProgram: a hotkey it handles) or the foreground is its own or nobody's.
  void SetForegroundLock(bool locked);
  void InputToProgram();
  const std::vector<SimKeyRecord>& KeysReceived(WindowId window) const;
  IconId NewIcon();
  IconId DefaultIcon() const;

  // --- Input ------------------------------------------------------------------------
  Point Cursor() const;
  // Moves the cursor; during a drag the window follows as the system's move loop does.
  void MoveCursor(Point point);
  void PressKey(Key key);  // keys and mouse buttons alike
  void ReleaseKey(Key key);
  void TapKey(Key key);
  // Presses the left button on the window's title bar at `grab` and enters the system's
  // move loop: activation, then move/size start. A maximized window restores under the
  // cursor at the first movement.
  void BeginTitleDrag(WindowId window, Point grab, SimDragOptions options = {});
  // The same on a border: `edges` (SimEdge bits) follow the cursor.
  void BeginResizeDrag(WindowId window, int edges, Point grab, SimDragOptions options = {});
  // Releases the left button; a drag ends with move/size end.
  void Release();
  bool Dragging() const;
  // Keystrokes the program injected, in order.
  const std::vector<SimKeyRecord>& InjectedKeys() const;

  // --- Time -------------------------------------------------------------------------
  double Now() const;
  // Runs the program's message loop for this long: posted messages and window events
  // as they arrive, timers when due (each at most once per period, in order of due time,
  // ties in the order they were started).
  void Advance(double seconds);
  // Delivers what is queued without letting time pass.
  void Pump();
  // Something another process does at a clock time (or after a delay): runs whenever
  // the clock passes it, even while the program blocks in a frame wait.
  void At(double time, std::function<void()> action);
  void After(double delay, std::function<void()> action);
  // DwmFlush waits for the next 60 Hz frame; off: it fails at once.
  void SetCompositionAvailable(bool available);
  int FramesWaited() const;
  static double FramePeriod();
  bool TimerRunning(int id) const;
  std::optional<std::uint32_t> TimerPeriod(int id) const;

  // --- System settings, prompts, launches -------------------------------------------
  SimSystemSettings& SystemSettings();
  void SetConfirmAnswer(bool ok);
  const std::vector<SimPrompt>& PromptsShown() const;
  int Beeps() const;
  int WarningBeeps() const;
  // The next open or save dialog answers with this path (nothing: the user cancels).
  void AnswerFileDialog(std::optional<std::string> path);
  const std::vector<SimLaunch>& Launches() const;
  // Called (as another process, after `delay`) for each launch the shell accepted.
  void OnLaunch(std::function<void(const SimLaunch&)> handler, double delay = 0.5);

  // --- The program's overlay surfaces -----------------------------------------------
  // Surfaces made here share the desktop's clock and z-order (their windows belong to
  // the program's own process), and their frame ticks and timers run inside Advance.
  SimSurfaceFactory& Surfaces();

  // --- Platform calls made by the program, by interface method name -----------------
  int Calls(std::string_view method) const;
  int TotalCalls() const;
  const std::map<std::string, int, std::less<>>& CallCounts() const;
  void ResetCalls();

 private:
  SimWindow& Live(WindowId window) const;

  std::unique_ptr<SimWorld> world_;
  std::unique_ptr<SimBackends> backends_;
  // Declared last so that surfaces go before the world they live in.
  std::unique_ptr<SimStacking> stacking_;
  std::unique_ptr<SimSurfaceFactory> surfaces_;
};

}  // namespace tessary
