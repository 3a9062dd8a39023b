// Start-up, in the order the rest of the program relies on: the lock before anything
// touches the desktop, the Coordinator before the hooks that feed it, the settings before
// the hotkeys, and the tray icon last but one, after the greeting.

#include <chrono>
#include <cstdio>

#include "base/log.h"
#include "base/utf.h"
#include "platform/main_window_timers.h"
#include "shell/shell.h"
#include "shell/shortcuts.h"
#include "shell/tray_texts.h"
#include "state/settings_file.h"
#include "state/state_folder.h"

namespace tessary {
namespace {

constexpr const char* kInstanceBase = "Quillfrost.Tessary";
constexpr const char* kInstanceVariable = "TESSARY_INSTANCE";
// The system's buffers: 64 characters for the variable, 128 for the whole name.
constexpr std::size_t kInstanceValueUnits = 63;
constexpr std::size_t kInstanceNameUnits = 127;
constexpr std::uint32_t kStackPassMilliseconds = 1500;
// Said once, at start-up, when some of the window event hooks could not be installed.
constexpr const char* kDragsNotFollowed =
    "Tessary can\u2019t follow window drags. Restart Tessary to snap windows by dragging.";
constexpr std::uint32_t kUpdateMilliseconds = 3600000;

// At most `units` UTF-16 units, never splitting a surrogate pair.
std::string CutToUnits(const std::string& text, std::size_t units) {
  std::u16string wide = FromUtf8(text);
  if (wide.size() <= units) return text;
  std::size_t keep = units;
  if (keep > 0 && wide[keep - 1] >= 0xD800 && wide[keep - 1] <= 0xDBFF) --keep;
  wide.resize(keep);
  return ToUtf8(wide);
}

}  // namespace

std::string InstanceName(const std::optional<std::string>& instanceVariable) {
  std::string name = kInstanceBase;
  if (instanceVariable && !instanceVariable->empty()) {
    name += "." + CutToUnits(*instanceVariable, kInstanceValueUnits);
  }
  return CutToUnits(name, kInstanceNameUnits);
}

std::string VersionText(const std::optional<ProgramVersion>& version) {
  if (!version) return {};
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u", static_cast<unsigned>(version->major),
                static_cast<unsigned>(version->minor), static_cast<unsigned>(version->build));
  return text;
}

std::int64_t Shell::UnixTime() const {
  if (env_.unixTime) return env_.unixTime();
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::optional<int> Shell::Start(const std::vector<std::string>& arguments) {
  ShellHost& host = env_.host;
  const std::optional<std::string> instance =
      platform().processes.EnvironmentVariable(kInstanceVariable);
  switch (host.instanceLock.Acquire(InstanceName(instance))) {
    case InstanceLockResult::kAlreadyRunning:
      // The first copy is left alone: no window, no message, whatever was asked.
      return 0;
    case InstanceLockResult::kFailed:
      Log("instance lock unavailable; running without it");
      break;
    case InstanceLockResult::kAcquired:
      lockHeld_ = true;
      break;
  }
  auto fail = [&](const char* why) {
    Log("start-up failed: %s", why);
    if (lockHeld_) host.instanceLock.Release();
    lockHeld_ = false;
    return std::optional<int>(1);
  };

  if (!host.services.CreateGraphicsFactories()) return fail("graphics factories");
  if (!host.mainWindow.Create(
          [this](const MainWindowMessage& message) { return OnMainWindowMessage(message); })) {
    return fail("main window");
  }
  // Before the Coordinator starts its own timer.
  platform().timers.SetTimerHandler([this](int id) { OnTimer(id); });
  if (!StartCoordinator()) return fail("coordinator");

  toast_ = std::make_unique<Toast>(env_.theme, platform().clock);
  toastAvailable_ = toast_->Create(env_.surfaces);
  if (!toastAvailable_) Log("toast unavailable; messages become balloons");
  coordinator_->Callbacks().notify = [this](const std::string& text) { Notify(text); };

  taskbarCreatedMessage_ = host.mainWindow.RegisterTaskbarCreated();
  coordinator_->RecoverDisplayLayouts();
  if (!platform().events.Install([this](const WindowEvent& event) { OnWindowEvent(event); })) {
    // The hooks that did install keep working; without all of them drags go unseen, and
    // the user would otherwise only find a picker that never appears.
    Log("window event hooks could not all be installed");
    Notify(kDragsNotFollowed);
  }
  platform().timers.Start(main_window_timer::kStackPass, kStackPassMilliseconds);

  settings_ = std::make_unique<SettingsStore>(env_.files, env_.startupEntry);
  settings_->SetOnApplied([this](const tessary::Settings& record) { ApplySettingsRecord(record); });
  settings_->Load();

  tessary::RegisterLayoutHotkeys(host.hotkeys, host.keyboardLayouts);
  platform().timers.Start(main_window_timer::kUpdateCheck, kUpdateMilliseconds);
  InstallCallbacks();
  GreetUser();

  // The start-up check waits for the message loop: nothing network-bound runs before it.
  host.mainWindow.Post(main_window_message::kAfterStart, 0, 0);

  AddTrayIcon();
  ShowBalloon(kRunningTitle,
              desktop_->WindowsSnapSettings().arranging ? kRunningWithWindowsSnap : kRunningHint);
  started_ = true;
  for (OpenTarget target : OpenTargetsFromArguments(arguments)) Open(target);
  Log("started %s", version_.c_str());
  return std::nullopt;
}

bool Shell::StartCoordinator() {
  desktop_ = std::make_unique<Desktop>(env_.platform);
  const std::string folder = StateFolder(env_.files);
  layoutFile_ = std::make_unique<StateStore>(env_.files, StateFilePath(folder, kLayoutsFileName));
  minimumFile_ = std::make_unique<StateStore>(env_.files, StateFilePath(folder, kMinimumsFileName));
  badgeFile_ = std::make_unique<StateStore>(env_.files, StateFilePath(folder, kBadgesFileName));
  MainWindow& window = env_.host.mainWindow;
  coordinator_ = std::make_unique<Coordinator>(CoordinatorServices{
      *desktop_, env_.surfaces, env_.theme, layoutFile_.get(), minimumFile_.get(),
      [&window](int code, std::int64_t argument) {
        window.Post(main_window_message::kCoordinatorCommand,
                    static_cast<std::uint64_t>(static_cast<std::int64_t>(code)), argument);
      },
      badgeFile_.get(), &env_.host.menus});
  return coordinator_->Init();
}

void Shell::ApplySettingsRecord(const tessary::Settings& settings) {
  StackSwitches switches;
  switches.windowStacks = settings.windowStacksEnabled;
  switches.badges = settings.stackBadgesEnabled;
  switches.badgesOnEdge = settings.stackBadgesOnEdge;
  switches.transition = settings.stackTransition;
  switches.orderByName = settings.stackOrder == kStackOrderName;
  if (coordinator_) coordinator_->ApplyStackSwitches(switches);
  conflicts_ = RegisterShortcuts();
  RefreshMouseHook();
}

void Shell::InstallCallbacks() {
  ShellCallbacks& callbacks = coordinator_->Callbacks();
  callbacks.showTip = [this](const std::string& key) { ShowTip(key); };
  callbacks.shortcutLabel = [this](int command) { return ShortcutLabel(command); };
  callbacks.setEscapeWatch = [this](bool on) { SetEscapeWatch(on); };
  callbacks.refreshMouseHook = [this] { RefreshMouseHook(); };
  callbacks.setWheelWanted = [this](bool wanted) { SetWheelWanted(wanted); };
  callbacks.setHoverSpots = [this](std::vector<Rect> spots) {
    mouseShared_.SetHoverSpots(std::move(spots));
    RefreshMouseHook();
  };
}

void Shell::GreetUser() {
  version_ = VersionText(env_.host.services.OwnVersion());
  if (version_.empty()) {
    // Without a version every start would look like the first one and greet again; the
    // stored version stays until the resource can be read.
    Log("version resource unreadable; no greeting");
    return;
  }
  const std::string lastSeen = settings_->Current().lastSeenVersion;
  const bool firstRun = lastSeen.empty();
  const std::string whatsNew = firstRun ? std::string() : WhatsNewText(lastSeen);
  if (lastSeen != version_) {
    tessary::Settings next = settings_->Current();
    next.lastSeenVersion = version_;
    settings_->Apply(std::move(next));
  }
  // A separate instance is a developer's or a test's copy: it never greets.
  const std::optional<std::string> instance =
      platform().processes.EnvironmentVariable(kInstanceVariable);
  if (instance && !instance->empty()) return;
  if (firstRun) {
    Open(OpenTarget::kWelcome);
  } else if (!whatsNew.empty()) {
    ShowWhatsNew(whatsNew);
  }
}

}  // namespace tessary
