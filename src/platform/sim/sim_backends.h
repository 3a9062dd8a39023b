#pragma once

// The platform interfaces on top of a SimWorld: one small adapter per interface. Each
// call is counted under its method's name, so tests and benchmarks can see what an
// operation costs in system calls.

#include "platform/platform.h"
#include "platform/sim/sim_world.h"

namespace tessary {

class SimDisplaySource final : public DisplaySource {
 public:
  explicit SimDisplaySource(SimWorld& world) : world_(world) {}
  using DisplaySource::ActivePaths;
  using DisplaySource::Monitors;
  void Monitors(std::vector<RawMonitor>& out) override;
  void ActivePaths(std::vector<DisplayPath>& out) override;
  std::optional<RawMonitor> NearestMonitor(const Rect& rect) override;

 private:
  SimWorld& world_;
};

class SimWindowAccess final : public WindowAccess {
 public:
  explicit SimWindowAccess(SimWorld& world) : world_(world) {}
  bool Exists(WindowId window) override;
  bool IsVisible(WindowId window) override;
  bool IsMinimized(WindowId window) override;
  bool IsMaximized(WindowId window) override;
  bool IsCloaked(WindowId window) override;
  bool IsHung(WindowId window) override;
  WindowId Root(WindowId window) override;
  WindowId Owner(WindowId window) override;
  std::uint32_t Style(WindowId window) override;
  std::uint32_t ExStyle(WindowId window) override;
  ProcessId ProcessOf(WindowId window) override;
  std::string ClassName(WindowId window) override;
  std::string Title(WindowId window) override;
  WindowId FindChild(WindowId window, const std::string& className) override;
  std::optional<Rect> WindowRect(WindowId window) override;
  std::optional<Rect> ExtendedFrameBounds(WindowId window) override;
  std::optional<Rect> CaptionButtonBounds(WindowId window) override;
  std::optional<int> HitTest(WindowId window, Point point) override;
  bool SetPosition(WindowId window, const PositionRequest& request) override;
  std::optional<WindowPlacement> Placement(WindowId window) override;
  bool SetPlacement(WindowId window, const WindowPlacement& placement) override;
  bool Show(WindowId window, ShowCommand command) override;

 private:
  SimWorld& world_;
};

class SimZOrder final : public ZOrder {
 public:
  explicit SimZOrder(SimWorld& world) : world_(world) {}
  using ZOrder::TopLevelWindows;
  void TopLevelWindows(std::vector<WindowId>& out) override;
  WindowId Foreground() override;
  bool SetForeground(WindowId window) override;
  bool SetFocus(WindowId window) override;
  bool BringToTop(WindowId window) override;
  bool PlaceBelow(WindowId window, WindowId insertAfter) override;
  bool SendToBottom(WindowId window) override;
  WindowId WindowAt(Point point) override;

 private:
  SimWorld& world_;
};

class SimInput final : public Input {
 public:
  explicit SimInput(SimWorld& world) : world_(world) {}
  Point CursorPosition() override;
  bool IsKeyDown(Key key) override;
  bool StartEscapeWatch(std::function<void()> onEscape) override;
  void StopEscapeWatch() override;

 private:
  SimWorld& world_;
};

class SimClock final : public Clock {
 public:
  explicit SimClock(SimWorld& world) : world_(world) {}
  double Now() override;
  bool WaitForFrame() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  SimWorld& world_;
};

class SimTimers final : public Timers {
 public:
  explicit SimTimers(SimWorld& world) : world_(world) {}
  void SetTimerHandler(std::function<void(int id)> handler) override;
  bool Start(int id, std::uint32_t periodMilliseconds) override;
  void Stop(int id) override;

 private:
  SimWorld& world_;
};

class SimProcesses final : public Processes {
 public:
  explicit SimProcesses(SimWorld& world) : world_(world) {}
  ProcessId CurrentProcess() override;
  std::optional<std::string> ImagePath(ProcessId process) override;
  std::optional<std::string> AppUserModelId(ProcessId process) override;
  std::optional<bool> IsElevated(ProcessId process) override;
  bool CurrentIsElevated() override;
  bool CurrentHasUiAccess() override;
  std::optional<std::string> CurrentPackageFamilyName() override;
  std::optional<std::string> FileDescription(const std::string& path) override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;

 private:
  const SimProcessSetup* Open(ProcessId process);
  SimWorld& world_;
};

class SimIconSource final : public IconSource {
 public:
  explicit SimIconSource(SimWorld& world) : world_(world) {}
  IconId WindowMessageIcon(WindowId window, WindowIconKind kind) override;
  IconId ClassIcon(WindowId window) override;
  IconId DefaultApplicationIcon() override;
  IconId FileIcon(const std::string& path) override;

 private:
  SimWorld& world_;
};

class SimLauncher final : public Launcher {
 public:
  explicit SimLauncher(SimWorld& world) : world_(world) {}
  bool PathExists(const std::string& path) override;
  bool ShellOpen(const std::string& file, const std::string& parameters) override;

 private:
  SimWorld& world_;
};

class SimSystemSettingsSource final : public SystemSettings {
 public:
  explicit SimSystemSettingsSource(SimWorld& world) : world_(world) {}
  std::optional<bool> WindowArranging() override;
  std::optional<bool> DockMoving() override;
  std::optional<std::uint32_t> SnapBarValue() override;
  bool TurnOffWindowArranging() override;
  std::optional<bool> ClientAreaAnimation() override;
  bool UserBusy() override;

 private:
  SimWorld& world_;
};

class SimKeyInjector final : public KeyInjector {
 public:
  explicit SimKeyInjector(SimWorld& world) : world_(world) {}
  bool Send(const std::vector<KeyStroke>& strokes) override;

 private:
  SimWorld& world_;
};

class SimPrompts final : public Prompts {
 public:
  explicit SimPrompts(SimWorld& world) : world_(world) {}
  bool Confirm(const std::string& caption, const std::string& text) override;
  bool Ask(const std::string& caption, const std::string& text, PromptIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon) override;
  void Inform(const std::string& caption, const std::string& text, PromptIcon icon) override;
  std::optional<std::string> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::string> ChooseFileToSave(const FileChoice& choice) override;
  void InformationBeep() override;
  void WarningBeep() override;

 private:
  std::optional<std::string> AnswerFileDialog(const FileChoice& choice, SimPromptKind kind);

 private:
  SimWorld& world_;
};

class SimWindowEvents final : public WindowEvents {
 public:
  explicit SimWindowEvents(SimWorld& world) : world_(world) {}
  bool Install(std::function<void(const WindowEvent&)> sink) override;
  void Uninstall() override;

 private:
  SimWorld& world_;
};

}  // namespace tessary
