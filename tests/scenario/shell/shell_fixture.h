#pragma once

// A running copy of the program on the simulated desktop: the shell with its simulated
// host, an in-memory state folder, a sign-in entry and the log lines it writes. The
// host's journal also records the timers, the event hooks, the surfaces made and the
// files touched, so that a story can check the order of everything that happened.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/log.h"
#include "platform/file_system.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_key_names.h"
#include "platform/sim/sim_shell_host.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "platform/startup_entry.h"
#include "shell/open_requests.h"
#include "shell/shell.h"
#include "shell/window_command.h"
#include "support/memory_files.h"

namespace tessary {

// What the stories look at inside the shell.
class ShellProbe {
 public:
  explicit ShellProbe(Shell& shell) : s_(shell) {}
  Coordinator& coordinator() const { return *s_.coordinator_; }
  SettingsStore& settings() const { return *s_.settings_; }
  Toast* toast() const { return s_.toastAvailable_ ? s_.toast_.get() : nullptr; }
  bool running() const { return s_.started_ && !s_.shutDown_; }
  WindowId lastForeground() const { return s_.lastForeground_; }
  const std::map<int, std::string>& conflicts() const { return s_.conflicts_; }
  const std::vector<OpenTarget>& opened() const { return s_.opened_; }
  std::optional<int> capturing() const { return s_.capturingCommand_; }
  const WindowFills& fills() const { return s_.fills_; }

 private:
  Shell& s_;
};

namespace testing {

// Settings that already know this version: no greeting.
inline constexpr char kSeenThisVersion[] = R"({"lastSeenVersion":"1.4.2"})";
inline constexpr std::uint32_t kCtrlAlt = kModCtrl | kModAlt;

using Note = std::function<void(std::string)>;

// Hands out surfaces until `allowed` have been made, then none (a failing system).
class RationedSurfaces : public SurfaceFactory {
 public:
  explicit RationedSurfaces(SurfaceFactory& inner) : inner_(inner) {}
  std::unique_ptr<Surface> NewSurface() override {
    if (allowed >= 0 && made_ >= allowed) return nullptr;
    ++made_;
    if (note) note("surface " + std::to_string(made_));
    return inner_.NewSurface();
  }
  TextMeasurer& Text() override { return inner_.Text(); }
  std::unique_ptr<DialogWindow> NewDialogWindow() override { return inner_.NewDialogWindow(); }

  int allowed = -1;  // -1: no limit
  Note note;

 private:
  SurfaceFactory& inner_;
  int made_ = 0;
};

// The desktop's timers and event hooks, noted as they are used.
class NotedPlatform : public Timers, public WindowEvents {
 public:
  NotedPlatform(const Platform& inner, Note note) : inner_(inner), note_(std::move(note)) {}
  void SetTimerHandler(std::function<void(int)> handler) override {
    inner_.timers.SetTimerHandler(std::move(handler));
  }
  bool Start(int id, std::uint32_t ms) override {
    note_("timer+ " + std::to_string(id) + " " + std::to_string(ms));
    return inner_.timers.Start(id, ms);
  }
  void Stop(int id) override {
    note_("timer- " + std::to_string(id));
    inner_.timers.Stop(id);
  }
  bool Install(std::function<void(const WindowEvent&)> sink) override {
    note_("events installed");
    return inner_.events.Install(std::move(sink));
  }
  void Uninstall() override {
    note_("events removed");
    inner_.events.Uninstall();
  }
  Platform Noted() {
    const Platform& p = inner_;
    return Platform{p.displays, p.windows,   p.zOrder, p.input,    p.clock,
                    *this,      p.processes, p.icons,  p.launcher, p.systemSettings,
                    p.keys,     p.prompts,   *this};
  }

 private:
  Platform inner_;
  Note note_;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : surfaces(desk.Surfaces()) {
    display = desk.AddDisplay({.bounds = {0, 0, 1920, 1080},
                               .work = {0, 0, 1920, 1040},
                               .friendlyName = "Studio Display"});
    const Note note = [this](std::string entry) { host.Record(std::move(entry)); };
    files.note = note;
    files.environment["TESSARY_STATE_DIR"] = "state";
    surfaces.note = note;
    // Log lines go into the journal too, prefixed "log ".
    SetLogRecorder([note](std::string_view line) { note("log " + std::string(line)); });
    noted = std::make_unique<NotedPlatform>(desk.platform(), note);
  }
  ~ShellTest() override { SetLogRecorder(nullptr); }

  ShellEnvironment Environment(SimShellHost& onHost) {
    return ShellEnvironment{noted->Noted(), onHost.Host(), surfaces, theme,
                            files,          startup,       keyNames, [this] { return unixTime; }};
  }

  // Starts the program; the exit code when it ended at once.
  std::optional<int> Start(const std::vector<std::string>& arguments = {}) {
    shell = std::make_unique<Shell>(Environment(host));
    std::optional<int> early = shell->Start(arguments);
    host.Pump(desk);
    return early;
  }
  void StartOrFail(const std::vector<std::string>& arguments = {}) {
    ASSERT_EQ(Start(arguments), std::nullopt);
  }
  void Run(double seconds) { host.Advance(desk, seconds); }
  void Pump() { host.Pump(desk); }

  ShellProbe Probe() { return ShellProbe(*shell); }
  Coordinator& Coord() { return Probe().coordinator(); }

  // settings.json as the program last wrote it; empty when it never did.
  std::string SettingsFile() const {
    auto it = files.files.find(JoinPath("state", "settings.json"));
    return it == files.files.end() ? std::string() : it->second;
  }
  // Settings as a file the program finds at start-up.
  void StoreSettings(const std::string& json) {
    files.files[JoinPath("state", "settings.json")] = json;
  }
  // Starts the program on these settings, by default those of a user who saw this version.
  void StartWith(const std::string& settingsJson = kSeenThisVersion,
                 const std::vector<std::string>& arguments = {}) {
    StoreSettings(settingsJson);
    StartOrFail(arguments);
  }
  // The user opens the tray menu and picks `command` (0: dismisses it); the menu shown.
  const MenuModel& ChooseFromMenu(int command) {
    host.menus.Answer(command);
    shell->ShowTrayMenu();
    Pump();
    return host.menus.shown.back();
  }

  const std::vector<std::string>& Journal() const { return host.Journal(); }
  // The position of the first journal entry starting with `prefix`; -1 when absent.
  int JournalIndex(const std::string& prefix) const {
    for (std::size_t i = 0; i < Journal().size(); ++i) {
      if (Journal()[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }
  // Each of `steps` is in the journal, in this order.
  void ExpectInOrder(const std::vector<std::string>& steps) const {
    int previous = -1;
    for (const std::string& step : steps) {
      const int at = JournalIndex(step);
      EXPECT_GT(at, previous) << step;
      previous = std::max(previous, at);
    }
  }

  // The id of display `screen` as the Coordinator knows it.
  std::string DisplayKey(int screen = 0) {
    return Coord().Displays()[static_cast<std::size_t>(screen)].id;
  }
  // The user saved a layout of their own, shaped like `tree`, on display `screen`.
  void SaveOwnLayout(const std::string& layoutId, const std::string& name, const NodeRef& tree,
                     int screen = 0) {
    ASSERT_TRUE(Coord().Layouts().SaveCustomLayout(DisplayKey(screen),
                                                   SnapLayout{layoutId, name, tree, {}}));
  }
  // The settings window, opened or brought forward.
  SimDialogWindow& OpenSettingsWindow() {
    shell->OpenSettings();
    Pump();
    SimDialogWindow* window = desk.Surfaces().Dialogs().Find("TessarySettings");
    if (window == nullptr) {
      ADD_FAILURE() << "the settings window did not open";
      std::abort();  // rather than a null reference for the caller
    }
    return *window;
  }
  // An app's window opens and the program has heard of it.
  WindowId AddApp(Rect frame) {
    const WindowId window = desk.AddWindow({.className = "SimAppWindow", .frame = frame});
    Pump();
    return window;
  }
  // Another process asks the running program to open something.
  void Request(OpenRequest what) {
    host.window.Post(main_window_message::kOpenRequest, static_cast<std::uint64_t>(what), 0);
    Pump();
  }
  // The user drags `window` by its title bar from `grab` to `to` in `steps` and holds it.
  void DragTo(WindowId window, Point grab, Point to, int steps = 1) {
    desk.BeginTitleDrag(window, grab);
    Run(0.05);
    for (int i = 1; i <= steps; ++i) {
      desk.MoveCursor({grab.x + (to.x - grab.x) * i / steps, grab.y + (to.y - grab.y) * i / steps});
      Run(0.016);
    }
    Run(0.1);
  }
  // Place opens the picker and the user picks the right half of "Halves" in it.
  void PlaceInRightHalf() {
    shell->RunCommand(window_command::kPlace);
    const auto catalogue = Coord().Layouts().LayoutsForDisplay(DisplayKey());
    const auto halves = std::ranges::find(catalogue, "halves", &SnapLayout::id);
    ASSERT_NE(halves, catalogue.end());
    host.window.Post(main_window_message::kCoordinatorCommand,
                     static_cast<std::uint64_t>(std::int64_t{kCommandPickerChose}),
                     PackPickerChoice(static_cast<int>(halves - catalogue.begin()), 1));
    Run(0.05);
  }

  SimDesktop desk;
  SimShellHost host;
  RationedSurfaces surfaces;
  std::unique_ptr<NotedPlatform> noted;
  SimThemeSource theme;
  SimKeyNames keyNames;
  MemoryStartupEntry startup;
  MemoryFiles files;
  std::int64_t unixTime = 1700000000;
  MonitorId display{};
  std::unique_ptr<Shell> shell;
};

// The program already running for a user who has seen this version.
class RunningShellTest : public ShellTest {
 protected:
  void SetUp() override { StartWith(); }
};

// Finds a command by id anywhere in the menu; null when absent.
inline const MenuItem* FindItem(const std::vector<MenuItem>& items, int id) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItemKind::kSubmenu) {
      if (const MenuItem* found = FindItem(item.children, id)) return found;
    } else if (item.kind != MenuItemKind::kSeparator && item.id == id) {
      return &item;
    }
  }
  return nullptr;
}
// A message box or file dialog as one value: kind, icon, caption and text.
inline std::tuple<SimPromptKind, PromptIcon, std::string, std::string> Told(const SimPrompt& p) {
  return {p.kind, p.icon, p.caption, p.text};
}
inline const MenuItem* FindSubmenu(const std::vector<MenuItem>& items, const std::string& label) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItemKind::kSubmenu && item.label == label) return &item;
  }
  return nullptr;
}

}  // namespace testing
}  // namespace tessary
