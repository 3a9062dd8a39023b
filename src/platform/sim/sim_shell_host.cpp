#include "platform/sim/sim_shell_host.h"

#include <algorithm>

#include "platform/sim/sim_desktop.h"

namespace tessary {

// --- Instance lock ---------------------------------------------------------------------

InstanceLockResult SimInstanceLock::Acquire(const std::string& name) {
  attempts.push_back(name);
  host_.Record("lock " + name);
  if (failCreation) return InstanceLockResult::kFailed;
  if (!host_.Session()->mutexes.insert(name).second) return InstanceLockResult::kAlreadyRunning;
  held = name;
  return InstanceLockResult::kAcquired;
}

void SimInstanceLock::Release() {
  if (!held) return;
  host_.Record("unlock " + *held);
  host_.Session()->mutexes.erase(*held);
  held.reset();
}

// --- Main window -----------------------------------------------------------------------

bool SimMainWindow::Create(MainWindowProcedure procedure) {
  host_.Record("main window");
  if (failCreation || created_) return false;
  procedure_ = std::move(procedure);
  // Far above the simulated desktop's own ids; the window is never shown or enumerated.
  handle_ = WindowId{0x7E550000};
  created_ = true;
  return true;
}

std::uint32_t SimMainWindow::RegisterTaskbarCreated() {
  host_.Record("TaskbarCreated");
  taskbarCreated_ = kTaskbarCreatedId;
  return taskbarCreated_;
}

bool SimMainWindow::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  if (!Exists()) return false;
  posted_.push_back(MainWindowMessage{message, wParam, lParam});
  return true;
}

void SimMainWindow::Destroy() {
  if (!Exists()) return;
  host_.Record("destroy main window");
  // WM_DESTROY is sent, not posted: the shutdown runs inside DestroyWindow.
  if (procedure_) procedure_(MainWindowMessage{main_window_message::kDestroy, 0, 0});
  destroyed_ = true;
  posted_.clear();
}

void SimMainWindow::Quit(int exitCode) {
  host_.Record("quit " + std::to_string(exitCode));
  if (!quitCode_) quitCode_ = exitCode;
}

void SimMainWindow::RunMessageLoop() {
  host_.Record("message loop");
  if (loopScript) {
    loopScript();
  } else {
    DeliverPosted();
  }
  host_.Record("message loop ended");
}

int SimMainWindow::DeliverPosted() {
  int delivered = 0;
  // Bounded, so that a message that posts itself again cannot hang a test.
  while (!posted_.empty() && delivered < 10000 && Exists()) {
    MainWindowMessage message = posted_.front();
    posted_.pop_front();
    ++delivered;
    if (procedure_) procedure_(message);
  }
  return delivered;
}

std::optional<std::int64_t> SimMainWindow::Send(std::uint32_t message, std::uint64_t wParam,
                                                std::int64_t lParam) {
  if (!Exists() || !procedure_) return std::nullopt;
  return procedure_(MainWindowMessage{message, wParam, lParam});
}

// --- Hotkeys ---------------------------------------------------------------------------

bool SimHotkeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
  ++registerCalls;
  const bool refused =
      registered.count(id) > 0 ||
      takenByOthers.count({modifiers & ~kModNoRepeat, virtualKey}) > 0 ||
      std::any_of(registered.begin(), registered.end(), [&](const auto& entry) {
        return (entry.second.modifiers & ~kModNoRepeat) == (modifiers & ~kModNoRepeat) &&
               entry.second.virtualKey == virtualKey;
      });
  host_.Record("hotkey+ " + std::to_string(id) + (refused ? " refused" : ""));
  if (refused) return false;
  registered[id] = Registration{modifiers, virtualKey};
  return true;
}

void SimHotkeys::Unregister(int id) {
  if (registered.erase(id) > 0) host_.Record("hotkey- " + std::to_string(id));
}

bool SimHotkeys::Press(std::uint32_t modifiers, std::uint32_t virtualKey) {
  for (const auto& [id, registration] : registered) {
    if ((registration.modifiers & ~kModNoRepeat) == modifiers &&
        registration.virtualKey == virtualKey) {
      host_.window.Post(main_window_message::kHotkey, static_cast<std::uint64_t>(id), 0);
      return true;
    }
  }
  return false;
}

// --- Tray ------------------------------------------------------------------------------

bool SimTray::Add(const TrayIconState& newState) {
  host_.Record("tray add");
  if (failAdds || present) return false;
  if (refuseAdds > 0) {
    --refuseAdds;
    return false;
  }
  ++adds;
  present = true;
  state = newState;
  if (state.balloon) balloons.push_back(*state.balloon);
  return true;
}

bool SimTray::Modify(const TrayIconState& newState) {
  host_.Record(newState.balloon ? "tray balloon" : "tray modify");
  if (!present) return false;
  state = newState;
  if (state.balloon) balloons.push_back(*state.balloon);
  return true;
}

bool SimTray::Remove() {
  host_.Record("tray remove");
  if (!present) return false;
  present = false;
  return true;
}

void SimTray::RestartExplorer() {
  present = false;
  failAdds = false;
  if (host_.window.TaskbarCreatedId() != 0) host_.window.Send(host_.window.TaskbarCreatedId());
}

// --- Menus -----------------------------------------------------------------------------

int SimPopupMenus::ShowAt(const MenuModel& menu, Point anchor) {
  const int chosen = ShowAtCursor(menu);
  anchors[anchors.size() - 1] = anchor;
  return chosen;
}

int SimPopupMenus::ShowAtCursor(const MenuModel& menu) {
  host_.Record("menu");
  anchors.push_back(std::nullopt);
  shown.push_back(menu);
  if (whileShown) whileShown(menu);
  if (answers.empty()) return 0;
  const int id = answers.front();
  answers.pop_front();
  return id;
}

// --- Mouse hook ------------------------------------------------------------------------

bool SimMouseHook::Start(MouseHookShared& shared) {
  if (shared_) return true;
  host_.Record("mouse hook start");
  ++starts;
  shared_ = &shared;
  return true;
}

void SimMouseHook::Stop() {
  if (!shared_) return;
  host_.Record("mouse hook stop");
  ++stops;
  shared_ = nullptr;
}

std::array<MouseBinding, kMouseBindingCount> SimMouseHook::LastBindings() const {
  if (!shared_) return {};
  return shared_->Bindings();
}

bool SimMouseHook::Through(const MouseHookEvent& event) {
  if (!shared_) return true;
  const MouseHookVerdict verdict = DecideMouseHook(*shared_, event);
  if (verdict.post)
    host_.window.Post(verdict.post->message, verdict.post->wParam, verdict.post->lParam);
  return !verdict.swallow;
}

SimClickSeen SimMouseHook::Click(std::uint32_t button, std::uint32_t modifiers, int x, int y) {
  SimClickSeen seen;
  MouseHookEvent press{MouseHookEventKind::kButtonDown, button, 0, x, y, modifiers};
  seen.press = Through(press);
  MouseHookEvent release{MouseHookEventKind::kButtonUp, button, 0, x, y, 0};
  seen.release = Through(release);
  return seen;
}

bool SimMouseHook::Wheel(int delta, int x, int y) {
  return Through(MouseHookEvent{MouseHookEventKind::kWheel, 0, delta, x, y, 0});
}

// --- Services --------------------------------------------------------------------------

bool SimShellServices::CreateGraphicsFactories() {
  host_.Record("graphics factories");
  return !factoriesFail;
}

std::optional<ProgramVersion> SimShellServices::OwnVersion() { return version; }

// --- Host ------------------------------------------------------------------------------

SimShellHost::SimShellHost(std::shared_ptr<SimSession> session) : session_(std::move(session)) {
  if (!session_) session_ = std::make_shared<SimSession>();
}

ShellHost SimShellHost::Host() {
  return ShellHost{lock, window, hotkeys, layouts, tray, menus, mouseHook, services, http};
}

void SimShellHost::Pump(SimDesktop& desk) {
  for (int round = 0; round < 100; ++round) {
    const int delivered = window.DeliverPosted();
    desk.Pump();
    if (delivered == 0 && window.PostedCount() == 0) break;
  }
}

void SimShellHost::Advance(SimDesktop& desk, double seconds) {
  constexpr double kStep = 0.005;
  double left = seconds;
  Pump(desk);
  while (left > 1e-9) {
    const double step = std::min(kStep, left);
    desk.Advance(step);
    Pump(desk);
    left -= step;
  }
}

}  // namespace tessary
