#include "platform/sim/sim_desktop.h"

#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "platform/sim/sim_backends.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_world.h"

namespace tessary {

class SimBackends {
 public:
  explicit SimBackends(SimWorld& world)
      : displays(world),
        windows(world),
        zOrder(world),
        input(world),
        clock(world),
        timers(world),
        processes(world),
        icons(world),
        launcher(world),
        settings(world),
        keys(world),
        prompts(world),
        events(world) {}

  SimDisplaySource displays;
  SimWindowAccess windows;
  SimZOrder zOrder;
  SimInput input;
  SimClock clock;
  SimTimers timers;
  SimProcesses processes;
  SimIconSource icons;
  SimLauncher launcher;
  SimSystemSettingsSource settings;
  SimKeyInjector keys;
  SimPrompts prompts;
  SimWindowEvents events;
};

SimDesktop::SimDesktop()
    : world_(std::make_unique<SimWorld>()), backends_(std::make_unique<SimBackends>(*world_)) {
  world_->own = AddProcess({.imagePath = "C:\\Program Files\\Tessary\\Tessary.exe"});
}

SimDesktop::~SimDesktop() = default;

SimSurfaceFactory& SimDesktop::Surfaces() {
  if (!surfaces_) {
    stacking_ = MakeDesktopStacking(*world_);
    surfaces_ = std::make_unique<SimSurfaceFactory>(&backends_->clock, stacking_.get());
    world_->framesWanted = [this] { return surfaces_->WantsFrames(); };
    world_->runFrame = [this] { surfaces_->RunFrame(); };
  }
  return *surfaces_;
}

Platform SimDesktop::platform() {
  SimBackends& b = *backends_;
  return Platform{b.displays, b.windows,  b.zOrder,   b.input, b.clock,   b.timers, b.processes,
                  b.icons,    b.launcher, b.settings, b.keys,  b.prompts, b.events};
}

SimWindow& SimDesktop::Live(WindowId window) const {
  SimWindow* w = world_->Find(window);
  if (!w) {
    // A script error, not a behaviour under test: stop loudly.
    std::fprintf(stderr, "SimDesktop: window %llx does not exist\n",
                 static_cast<unsigned long long>(ToNumber(window)));
    std::abort();
  }
  return *w;
}

// --- Displays -----------------------------------------------------------------------

MonitorId SimDesktop::AddDisplay(const SimDisplaySetup& setup) {
  SimDisplay d{MonitorId{world_->nextMonitor++}, setup};
  ++world_->displaysAdded;
  if (d.setup.gdiName.empty()) {
    d.setup.gdiName = "\\\\.\\DISPLAY" + std::to_string(world_->displaysAdded);
  }
  world_->displays.push_back(std::move(d));
  world_->QueueEvent(WindowEventKind::kDisplayChange, kNoWindow);
  return world_->displays.back().id;
}

static SimDisplay* FindDisplay(SimWorld& world, MonitorId id) {
  for (SimDisplay& d : world.displays) {
    if (d.id == id) return &d;
  }
  std::fprintf(stderr, "SimDesktop: display %llx does not exist\n",
               static_cast<unsigned long long>(ToNumber(id)));
  std::abort();
}

void SimDesktop::ChangeDisplay(MonitorId display, const SimDisplaySetup& setup) {
  SimDisplay* d = FindDisplay(*world_, display);
  std::string gdiName = d->setup.gdiName;
  d->setup = setup;
  if (d->setup.gdiName.empty()) d->setup.gdiName = gdiName;
  world_->RehomeOrphans();
  world_->QueueEvent(WindowEventKind::kDisplayChange, kNoWindow);
  world_->QueueEvent(WindowEventKind::kWorkAreaChange, kNoWindow);
}

void SimDesktop::SetWorkArea(MonitorId display, const Rect& work) {
  FindDisplay(*world_, display)->setup.work = work;
  world_->QueueEvent(WindowEventKind::kWorkAreaChange, kNoWindow);
}

void SimDesktop::RemoveDisplay(MonitorId display) {
  SimDisplay* d = FindDisplay(*world_, display);
  world_->displays.erase(world_->displays.begin() + (d - world_->displays.data()));
  world_->RehomeOrphans();
  world_->QueueEvent(WindowEventKind::kDisplayChange, kNoWindow);
}

const SimDisplaySetup& SimDesktop::Display(MonitorId display) const {
  return FindDisplay(*world_, display)->setup;
}

void SimDesktop::AddDisplayPath(const DisplayPath& path) { world_->extraPaths.push_back(path); }

void SimDesktop::SetDisplayConfigFails(bool fails) { world_->displayConfigFails = fails; }

void SimDesktop::SetEventHooksFail(bool fail) { world_->eventHooksFail = fail; }

// --- Processes, files, environment --------------------------------------------------

ProcessId SimDesktop::AddProcess(const SimProcessSetup& setup) {
  ProcessId id{world_->nextProcess};
  world_->nextProcess += 4;  // Windows process ids are multiples of four
  SimProcessSetup p = setup;
  if (p.imagePath.empty()) {
    p.imagePath = "C:\\Program Files\\Sim\\app" + std::to_string(ToNumber(id)) + ".exe";
  }
  AddFile(p.imagePath, p.fileDescription);
  world_->processes.emplace(id, std::move(p));
  return id;
}

ProcessId SimDesktop::OwnProcess() const { return world_->own; }
void SimDesktop::SetOwnElevated(bool elevated) { world_->ownElevated = elevated; }
void SimDesktop::SetOwnUiAccess(bool uiAccess) { world_->ownUiAccess = uiAccess; }
void SimDesktop::SetOwnPackage(std::optional<std::string> familyName) {
  world_->ownPackage = std::move(familyName);
}

void SimDesktop::AddFile(const std::string& path, std::optional<std::string> description) {
  world_->files.insert(path);
  if (description) world_->descriptions[path] = *description;
  if (!world_->fileIcons.contains(path)) world_->fileIcons[path] = NewIcon();
}

void SimDesktop::RemoveFile(const std::string& path) { world_->files.erase(path); }

IconId SimDesktop::FileIconOf(const std::string& path) const {
  auto found = world_->fileIcons.find(path);
  return found == world_->fileIcons.end() ? kNoIcon : found->second;
}

void SimDesktop::SetEnvironment(const std::string& name, std::optional<std::string> value) {
  if (value) {
    world_->environment[name] = *value;
  } else {
    world_->environment.erase(name);
  }
}

// --- Windows ------------------------------------------------------------------------

WindowId SimDesktop::AddWindow(const SimWindowSetup& setup) {
  SimWindow w;
  w.id = WindowId{world_->nextWindow};
  world_->nextWindow += 0x10;
  w.setup = setup;
  if (w.setup.process == kNoProcess) w.setup.process = AddProcess();
  w.frame = world_->Clamp(w, setup.frame);
  w.normalFrame = w.frame;
  WindowId id = w.id;
  world_->windows.emplace(id, std::move(w));
  SimWindow& added = *world_->Find(id);
  if (!world_->IsTopLevel(added)) return id;
  world_->Raise(id);
  if (setup.visible) world_->QueueEvent(WindowEventKind::kShow, id);
  if (setup.maximized) world_->Maximize(added);
  if (setup.minimized) world_->Minimize(added);
  if (setup.activate && setup.visible && !setup.minimized) world_->Activate(id);
  return id;
}

void SimDesktop::CloseWindow(WindowId window) { world_->Close(window); }
bool SimDesktop::Exists(WindowId window) const { return world_->Find(window) != nullptr; }

void SimDesktop::SetVisible(WindowId window, bool visible) {
  world_->ShowWindow(Live(window), visible ? ShowCommand::kShowNoActivate : ShowCommand::kHide);
}

void SimDesktop::SetCloaked(WindowId window, bool cloaked) { Live(window).setup.cloaked = cloaked; }
void SimDesktop::SetTitle(WindowId window, const std::string& title) {
  Live(window).setup.title = title;
}
void SimDesktop::Minimize(WindowId window) { world_->Minimize(Live(window)); }
void SimDesktop::Maximize(WindowId window) { world_->Maximize(Live(window)); }
void SimDesktop::Restore(WindowId window) {
  world_->ShowWindow(Live(window), ShowCommand::kRestore);
}

void SimDesktop::SnapByWindows(WindowId window, const Rect& frame) {
  SimWindow& w = Live(window);
  // The restore rectangle stays the one from before the snap (or before maximizing).
  w.maximized = false;
  w.arranged = true;
  w.frame = Rect{};
  world_->SetFrame(w, frame);
}

void SimDesktop::MoveWindow(WindowId window, const Rect& frame) {
  SimWindow& w = Live(window);
  world_->SetFrame(w, world_->Clamp(w, frame));
}

SimWindowSetup& SimDesktop::Setup(WindowId window) { return Live(window).setup; }
Rect SimDesktop::Frame(WindowId window) const { return world_->ScreenFrame(Live(window)); }
Rect SimDesktop::WindowRect(WindowId window) const { return world_->WindowRectOf(Live(window)); }
Rect SimDesktop::NormalFrame(WindowId window) const { return Live(window).normalFrame; }
bool SimDesktop::IsMaximized(WindowId window) const { return Live(window).maximized; }
bool SimDesktop::IsMinimized(WindowId window) const { return Live(window).minimized; }
std::vector<WindowId> SimDesktop::ZOrder() const { return world_->zOrder; }
WindowId SimDesktop::Foreground() const { return world_->foreground; }
WindowId SimDesktop::Focus() const { return world_->focus; }
void SimDesktop::Activate(WindowId window) {
  world_->lastInput = Live(window).setup.process;
  world_->Activate(window);
}

void SimDesktop::SetForegroundLock(bool locked) { world_->foregroundLock = locked; }
void SimDesktop::InputToProgram() { world_->lastInput = world_->own; }

const std::vector<SimKeyRecord>& SimDesktop::KeysReceived(WindowId window) const {
  return Live(window).keys;
}

IconId SimDesktop::NewIcon() { return IconId{world_->nextIcon++}; }
IconId SimDesktop::DefaultIcon() const { return world_->defaultIcon; }

// --- Input --------------------------------------------------------------------------

Point SimDesktop::Cursor() const { return world_->cursor; }
void SimDesktop::MoveCursor(Point point) { world_->MoveCursor(point); }

void SimDesktop::PressKey(Key key) {
  world_->keysDown.insert(key);
  world_->DeliverKey(key, false, false);
}

void SimDesktop::ReleaseKey(Key key) {
  world_->keysDown.erase(key);
  world_->DeliverKey(key, true, false);
  if (key == Key::kLeftButton) world_->EndDrag(false);
}

void SimDesktop::TapKey(Key key) {
  PressKey(key);
  ReleaseKey(key);
}

void SimDesktop::BeginTitleDrag(WindowId window, Point grab, SimDragOptions options) {
  world_->BeginDrag(Live(window).id, grab, 0, options);
}

void SimDesktop::BeginResizeDrag(WindowId window, int edges, Point grab, SimDragOptions options) {
  world_->BeginDrag(Live(window).id, grab, edges, options);
}

void SimDesktop::Release() { ReleaseKey(Key::kLeftButton); }
bool SimDesktop::Dragging() const { return world_->drag.has_value(); }
const std::vector<SimKeyRecord>& SimDesktop::InjectedKeys() const { return world_->injected; }

// --- Time ---------------------------------------------------------------------------

double SimDesktop::Now() const { return world_->now; }
void SimDesktop::Advance(double seconds) { world_->RunLoop(seconds); }
void SimDesktop::Pump() { world_->Pump(); }
void SimDesktop::At(double time, std::function<void()> action) {
  world_->Schedule(time, std::move(action));
}
void SimDesktop::After(double delay, std::function<void()> action) {
  world_->Schedule(world_->now + delay, std::move(action));
}
void SimDesktop::SetCompositionAvailable(bool available) {
  world_->compositionAvailable = available;
}
int SimDesktop::FramesWaited() const { return world_->framesWaited; }
double SimDesktop::FramePeriod() { return SimWorld::kFramePeriod; }
bool SimDesktop::TimerRunning(int id) const { return world_->timers.contains(id); }
std::optional<std::uint32_t> SimDesktop::TimerPeriod(int id) const {
  auto found = world_->timers.find(id);
  if (found == world_->timers.end()) return std::nullopt;
  return found->second.periodMs;
}

// --- System settings, prompts, launches ---------------------------------------------

SimSystemSettings& SimDesktop::SystemSettings() { return world_->settings; }
void SimDesktop::SetConfirmAnswer(bool ok) { world_->confirmAnswer = ok; }
const std::vector<SimPrompt>& SimDesktop::PromptsShown() const { return world_->prompts; }
int SimDesktop::Beeps() const { return world_->beeps; }
int SimDesktop::WarningBeeps() const { return world_->warningBeeps; }
void SimDesktop::AnswerFileDialog(std::optional<std::string> path) {
  world_->fileAnswers.push_back(std::move(path));
}
const std::vector<SimLaunch>& SimDesktop::Launches() const { return world_->launches; }
void SimDesktop::OnLaunch(std::function<void(const SimLaunch&)> handler, double delay) {
  world_->onLaunch = std::move(handler);
  world_->launchDelay = delay;
}

// --- Calls --------------------------------------------------------------------------

int SimDesktop::Calls(std::string_view method) const {
  auto found = world_->calls.find(method);
  return found == world_->calls.end() ? 0 : found->second;
}

int SimDesktop::TotalCalls() const {
  int total = 0;
  for (const auto& [name, count] : world_->calls) total += count;
  return total;
}

const std::map<std::string, int, std::less<>>& SimDesktop::CallCounts() const {
  return world_->calls;
}

void SimDesktop::ResetCalls() { world_->calls.clear(); }

}  // namespace tessary
