#include <algorithm>
#include <utility>

#include "platform/sim/sim_backends.h"

namespace tessary {
namespace {

// WM_GETICON to a hung window costs the whole time-out.
constexpr double kIconMessageTimeout = 0.050;

}  // namespace

// --- SimClock -----------------------------------------------------------------------

double SimClock::Now() {
  world_.Count("Now");
  return world_.now;
}

bool SimClock::WaitForFrame() {
  world_.Count("WaitForFrame");
  return world_.WaitForFrame();
}

void SimClock::Sleep(std::uint32_t milliseconds) {
  world_.Count("Sleep");
  world_.AdvanceClockTo(world_.now + milliseconds / 1000.0);
}

// --- SimTimers ----------------------------------------------------------------------

void SimTimers::SetTimerHandler(std::function<void(int id)> handler) {
  world_.timerHandler = std::move(handler);
}

bool SimTimers::Start(int id, std::uint32_t periodMilliseconds) {
  world_.Count("StartTimer");
  std::uint32_t period = std::max(periodMilliseconds, SimWorld::kMinimumTimerMs);
  world_.timers[id] =
      SimTimer{period, SimWorld::OnTimerGrid(world_.now + period / 1000.0), world_.sequence++};
  return true;
}

void SimTimers::Stop(int id) {
  world_.Count("StopTimer");
  world_.timers.erase(id);
}

// --- SimProcesses -------------------------------------------------------------------

const SimProcessSetup* SimProcesses::Open(ProcessId process) {
  auto found = world_.processes.find(process);
  if (found == world_.processes.end() || !found->second.openable) return nullptr;
  return &found->second;
}

ProcessId SimProcesses::CurrentProcess() {
  world_.Count("CurrentProcess");
  return world_.own;
}

std::optional<std::string> SimProcesses::ImagePath(ProcessId process) {
  world_.Count("ImagePath");
  const SimProcessSetup* p = Open(process);
  if (!p) return std::nullopt;
  return p->imagePath;
}

std::optional<std::string> SimProcesses::AppUserModelId(ProcessId process) {
  world_.Count("AppUserModelId");
  const SimProcessSetup* p = Open(process);
  if (!p) return std::nullopt;
  return p->userModelId;
}

std::optional<bool> SimProcesses::IsElevated(ProcessId process) {
  world_.Count("IsElevated");
  const SimProcessSetup* p = Open(process);
  if (!p) return std::nullopt;
  return p->elevated;
}

bool SimProcesses::CurrentIsElevated() {
  world_.Count("CurrentIsElevated");
  return world_.ownElevated;
}

bool SimProcesses::CurrentHasUiAccess() {
  world_.Count("CurrentHasUiAccess");
  return world_.ownUiAccess;
}

std::optional<std::string> SimProcesses::CurrentPackageFamilyName() {
  world_.Count("CurrentPackageFamilyName");
  return world_.ownPackage;
}

std::optional<std::string> SimProcesses::FileDescription(const std::string& path) {
  world_.Count("FileDescription");
  auto found = world_.descriptions.find(path);
  if (found == world_.descriptions.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> SimProcesses::EnvironmentVariable(const std::string& name) {
  world_.Count("EnvironmentVariable");
  auto found = world_.environment.find(name);
  if (found == world_.environment.end()) return std::nullopt;
  return found->second;
}

// --- SimIconSource ------------------------------------------------------------------

IconId SimIconSource::WindowMessageIcon(WindowId window, WindowIconKind kind) {
  world_.Count("WindowMessageIcon");
  const SimWindow* w = world_.Find(window);
  if (!w) return kNoIcon;
  if (w->setup.hung) {
    world_.AdvanceClockTo(world_.now + kIconMessageTimeout);
    return kNoIcon;
  }
  if (kind == WindowIconKind::kBig) return w->setup.bigIcon;
  // ICON_SMALL2 answers the small icon, or one derived from the big icon.
  return w->setup.smallIcon != kNoIcon ? w->setup.smallIcon : w->setup.bigIcon;
}

IconId SimIconSource::ClassIcon(WindowId window) {
  world_.Count("ClassIcon");
  const SimWindow* w = world_.Find(window);
  return w ? w->setup.classIcon : kNoIcon;
}

IconId SimIconSource::DefaultApplicationIcon() {
  world_.Count("DefaultApplicationIcon");
  return world_.defaultIcon;
}

IconId SimIconSource::FileIcon(const std::string& path) {
  world_.Count("FileIcon");
  if (!world_.files.contains(path)) return kNoIcon;
  auto found = world_.fileIcons.find(path);
  return found == world_.fileIcons.end() ? kNoIcon : found->second;
}

// --- SimLauncher --------------------------------------------------------------------

bool SimLauncher::PathExists(const std::string& path) {
  world_.Count("PathExists");
  return world_.files.contains(path);
}

bool SimLauncher::ShellOpen(const std::string& file, const std::string& parameters) {
  world_.Count("ShellOpen");
  SimLaunch launch{file, parameters, file == "explorer.exe" || world_.files.contains(file)};
  world_.launches.push_back(launch);
  if (launch.started && world_.onLaunch) {
    // The app starts on its own time; its window comes later.
    std::function<void(const SimLaunch&)> onLaunch = world_.onLaunch;
    world_.Schedule(world_.now + world_.launchDelay, [onLaunch, launch] { onLaunch(launch); });
  }
  return launch.started;
}

// --- SimSystemSettingsSource --------------------------------------------------------

std::optional<bool> SimSystemSettingsSource::WindowArranging() {
  world_.Count("WindowArranging");
  return world_.settings.windowArranging;
}

std::optional<bool> SimSystemSettingsSource::DockMoving() {
  world_.Count("DockMoving");
  return world_.settings.dockMoving;
}

std::optional<std::uint32_t> SimSystemSettingsSource::SnapBarValue() {
  world_.Count("SnapBarValue");
  return world_.settings.snapBarValue;
}

bool SimSystemSettingsSource::TurnOffWindowArranging() {
  world_.Count("TurnOffWindowArranging");
  if (!world_.settings.turnOffSucceeds) return false;
  world_.settings.windowArranging = false;
  return true;
}

std::optional<bool> SimSystemSettingsSource::ClientAreaAnimation() {
  world_.Count("ClientAreaAnimation");
  return world_.settings.clientAreaAnimation;
}

bool SimSystemSettingsSource::UserBusy() {
  world_.Count("UserBusy");
  return world_.settings.userBusy;
}

// --- SimKeyInjector -----------------------------------------------------------------

bool SimKeyInjector::Send(const std::vector<KeyStroke>& strokes) {
  world_.Count("SendKeys");
  for (const KeyStroke& stroke : strokes) {
    world_.injected.push_back(SimKeyRecord{stroke.key, stroke.release, true});
    world_.DeliverKey(stroke.key, stroke.release, true);
  }
  return true;
}

// --- SimPrompts ---------------------------------------------------------------------

bool SimPrompts::Confirm(const std::string& caption, const std::string& text) {
  world_.Count("Confirm");
  world_.prompts.push_back(SimPrompt{caption, text, world_.confirmAnswer});
  return world_.confirmAnswer;
}

bool SimPrompts::Ask(const std::string& caption, const std::string& text, PromptIcon icon) {
  world_.Count("Ask");
  world_.prompts.push_back(
      SimPrompt{caption, text, world_.confirmAnswer, SimPromptKind::kAsk, icon});
  return world_.confirmAnswer;
}

bool SimPrompts::AskYesNo(const std::string& caption, const std::string& text,
                          PromptIcon icon) {
  world_.Count("AskYesNo");
  world_.prompts.push_back(
      SimPrompt{caption, text, world_.confirmAnswer, SimPromptKind::kAskYesNo, icon});
  return world_.confirmAnswer;
}

void SimPrompts::Inform(const std::string& caption, const std::string& text, PromptIcon icon) {
  world_.Count("Inform");
  world_.prompts.push_back(SimPrompt{caption, text, true, SimPromptKind::kInform, icon});
}

std::optional<std::string> SimPrompts::AnswerFileDialog(const FileChoice& choice,
                                                        SimPromptKind kind) {
  std::optional<std::string> answer;
  if (!world_.fileAnswers.empty()) {
    answer = std::move(world_.fileAnswers.front());
    world_.fileAnswers.pop_front();
  }
  world_.prompts.push_back(SimPrompt{choice.title, choice.filterName, answer.has_value(), kind,
                                     PromptIcon::kInformation});
  return answer;
}

std::optional<std::string> SimPrompts::ChooseFileToOpen(const FileChoice& choice) {
  world_.Count("ChooseFileToOpen");
  return AnswerFileDialog(choice, SimPromptKind::kOpenFile);
}

std::optional<std::string> SimPrompts::ChooseFileToSave(const FileChoice& choice) {
  world_.Count("ChooseFileToSave");
  return AnswerFileDialog(choice, SimPromptKind::kSaveFile);
}

void SimPrompts::InformationBeep() {
  world_.Count("InformationBeep");
  ++world_.beeps;
}

void SimPrompts::WarningBeep() {
  world_.Count("WarningBeep");
  ++world_.warningBeeps;
}

// --- SimWindowEvents ----------------------------------------------------------------

bool SimWindowEvents::Install(std::function<void(const WindowEvent&)> sink) {
  world_.Count("InstallEvents");
  world_.eventSink = std::move(sink);
  return !world_.eventHooksFail;
}

void SimWindowEvents::Uninstall() {
  world_.Count("UninstallEvents");
  world_.eventSink = nullptr;
}

}  // namespace tessary
