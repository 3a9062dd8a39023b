#pragma once

// The shell's side of the system, simulated and recorded: the single-instance lock, the
// main window with its posted messages, hotkeys, keyboard layouts, the tray icon, popup
// menus answered by the script, the mouse hook and the message boxes. Everything a test
// may ask about is kept, and every call is written to one journal in order, so a test
// can check the start-up and shutdown sequences as a whole.
//
//   SimDesktop desk;
//   SimShellHost host;
//   host.menus.Answer(103);                 // the user picks "Quit Tessary"
//   ... Shell shell({desk.platform(), host.Host(), ...});
//   host.Advance(desk, 0.5);                // posted messages and the desktop's loop

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell_host.h"
#include "platform/sim/sim_http.h"

namespace tessary {

class SimDesktop;

// The named mutexes of one signed-in session, shared by every copy of the program that a
// test starts in it.
struct SimSession {
  std::set<std::string> mutexes;
};

class SimShellHost;

class SimInstanceLock final : public InstanceLock {
 public:
  explicit SimInstanceLock(SimShellHost& host) : host_(host) {}
  InstanceLockResult Acquire(const std::string& name) override;
  void Release() override;

  std::optional<std::string> held;  // the name this copy holds
  std::vector<std::string> attempts;
  bool failCreation = false;  // the system gives no mutex at all

 private:
  SimShellHost& host_;
};

class SimMainWindow final : public MainWindow {
 public:
  explicit SimMainWindow(SimShellHost& host) : host_(host) {}
  bool Create(MainWindowProcedure procedure) override;
  WindowId Handle() const override { return handle_; }
  std::uint32_t RegisterTaskbarCreated() override;
  bool Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
  void Destroy() override;
  void Quit(int exitCode) override;
  void RunMessageLoop() override;

  // Delivers the posted messages (those posted meanwhile too); answers how many.
  int DeliverPosted();
  // A message sent straight to the procedure (SendMessageW); none when there is no window.
  std::optional<std::int64_t> Send(std::uint32_t message, std::uint64_t wParam = 0,
                                   std::int64_t lParam = 0);
  bool Exists() const { return created_ && !destroyed_; }
  bool Destroyed() const { return destroyed_; }
  std::optional<int> QuitCode() const { return quitCode_; }
  std::size_t PostedCount() const { return posted_.size(); }
  std::uint32_t TaskbarCreatedId() const { return taskbarCreated_; }

  bool failCreation = false;
  // What the message loop does: the test's script of the run (for RunTessary). Without
  // one the loop delivers what is posted and returns.
  std::function<void()> loopScript;

  static constexpr std::uint32_t kTaskbarCreatedId = 0xC0F3;

 private:
  SimShellHost& host_;
  MainWindowProcedure procedure_;
  WindowId handle_ = kNoWindow;
  bool created_ = false;
  bool destroyed_ = false;
  std::optional<int> quitCode_;
  std::uint32_t taskbarCreated_ = 0;
  std::deque<MainWindowMessage> posted_;
};

class SimHotkeys final : public Hotkeys {
 public:
  explicit SimHotkeys(SimShellHost& host) : host_(host) {}
  bool Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
  void Unregister(int id) override;

  struct Registration {
    std::uint32_t modifiers = 0;  // as given, MOD_NOREPEAT included
    std::uint32_t virtualKey = 0;
    friend bool operator==(const Registration&, const Registration&) = default;
  };
  // Keys another program holds: (modifiers without MOD_NOREPEAT, virtual key).
  void TakeByOtherApp(std::uint32_t modifiers, std::uint32_t virtualKey) {
    takenByOthers.insert({modifiers, virtualKey});
  }
  // The user presses registered keys: WM_HOTKEY to the main window; false when no
  // hotkey of the program has these keys.
  bool Press(std::uint32_t modifiers, std::uint32_t virtualKey);

  std::map<int, Registration> registered;
  std::set<std::pair<std::uint32_t, std::uint32_t>> takenByOthers;
  int registerCalls = 0;

 private:
  SimShellHost& host_;
};

class SimKeyboardLayouts final : public KeyboardLayouts {
 public:
  bool AltGrTypesCharacter(std::uint32_t virtualKey, bool shift) override {
    ++questions;
    return typing.count({virtualKey, shift}) > 0;
  }
  // A layout is installed on which AltGr (+ Shift when `shift`) with the key types.
  void AddAltGrCharacter(std::uint32_t virtualKey, bool shift = false) {
    typing.insert({virtualKey, shift});
  }
  std::set<std::pair<std::uint32_t, bool>> typing;
  int questions = 0;
};

class SimTray final : public TrayIcon {
 public:
  explicit SimTray(SimShellHost& host) : host_(host) {}
  bool Add(const TrayIconState& state) override;
  bool Modify(const TrayIconState& state) override;
  bool Remove() override;

  // Explorer restarts: the icon is gone and the taskbar announces itself again.
  void RestartExplorer();

  bool present = false;
  TrayIconState state;                // as last set
  std::vector<TrayBalloon> balloons;  // every balloon shown, in order
  bool failAdds = false;              // the shell refuses NIM_ADD (no taskbar yet)
  int refuseAdds = 0;                 // ...or refuses only this many more (at sign-in)
  int adds = 0;

 private:
  SimShellHost& host_;
};

class SimPopupMenus final : public PopupMenus {
 public:
  explicit SimPopupMenus(SimShellHost& host) : host_(host) {}
  int ShowAtCursor(const MenuModel& menu) override;
  int ShowAt(const MenuModel& menu, Point anchor) override;

  // The user's next choices, one per menu shown; dismissed (0) when none is left.
  void Answer(int id) { answers.push_back(id); }

  std::deque<int> answers;
  std::vector<MenuModel> shown;
  std::vector<std::optional<Point>> anchors;  // per menu shown: none for the cursor
  // Runs while the menu is up (the menu's nested loop), before the choice is answered.
  std::function<void(const MenuModel&)> whileShown;

 private:
  SimShellHost& host_;
};

// What the application under the cursor saw of one click.
struct SimClickSeen {
  bool press = false;
  bool release = false;
};

class SimMouseHook final : public MouseHook {
 public:
  explicit SimMouseHook(SimShellHost& host) : host_(host) {}
  bool Start(MouseHookShared& shared) override;
  void Stop() override;
  bool Running() const override { return shared_ != nullptr; }

  // A click of a mouse button (3 middle, 4 back, 5 forward) at a point with modifiers
  // held: the press and the release go through the hook when it runs, which may swallow
  // them and post to the main window. Answers what reached the application.
  SimClickSeen Click(std::uint32_t button, std::uint32_t modifiers, int x, int y);
  // A wheel turn; true when it reached the application.
  bool Wheel(int delta, int x, int y);
  // The pointer moves to a point (always reaches the application).
  void Move(int x, int y) { Through(MouseHookEvent{MouseHookEventKind::kMove, 0, 0, x, y, 0}); }

  int starts = 0;
  int stops = 0;
  // The bindings the hook read at the last event (the shared copy).
  std::array<MouseBinding, kMouseBindingCount> LastBindings() const;

 private:
  bool Through(const MouseHookEvent& event);

  SimShellHost& host_;
  MouseHookShared* shared_ = nullptr;
};

class SimShellServices final : public ShellServices {
 public:
  explicit SimShellServices(SimShellHost& host) : host_(host) {}
  bool CreateGraphicsFactories() override;
  std::optional<ProgramVersion> OwnVersion() override;
  SystemDescription DescribeSystem() override { return system; }

  bool factoriesFail = false;
  std::optional<ProgramVersion> version = ProgramVersion{1, 4, 2};
  SystemDescription system{"22631", "23H2", "Contoso", "Workstation 7", 1};

 private:
  SimShellHost& host_;
};

class SimShellHost {
 public:
  // Copies of the program started by one test in one session share `session`.
  explicit SimShellHost(std::shared_ptr<SimSession> session = std::make_shared<SimSession>());
  SimShellHost(const SimShellHost&) = delete;
  SimShellHost& operator=(const SimShellHost&) = delete;

  ShellHost Host();
  const std::shared_ptr<SimSession>& Session() const { return session_; }

  // The program's message loop on the simulated desktop: posted messages of the main
  // window, then the desktop's own loop, in steps of at most 5 ms.
  void Advance(SimDesktop& desk, double seconds);
  // Posted messages and the desktop's queued messages, without time passing.
  void Pump(SimDesktop& desk);

  // Every call in order, e.g. "lock Quillfrost.Tessary", "hotkey+ 1", "tray add".
  const std::vector<std::string>& Journal() const { return journal_; }
  void Record(std::string entry) { journal_.push_back(std::move(entry)); }
  void ClearJournal() { journal_.clear(); }

  SimInstanceLock lock{*this};
  SimMainWindow window{*this};
  SimHotkeys hotkeys{*this};
  SimKeyboardLayouts layouts;
  SimTray tray{*this};
  SimPopupMenus menus{*this};
  SimMouseHook mouseHook{*this};
  SimShellServices services{*this};
  SimHttp http;

 private:
  std::shared_ptr<SimSession> session_;
  std::vector<std::string> journal_;
};

}  // namespace tessary
