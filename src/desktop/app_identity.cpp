#include "desktop/app_names.h"
#include "desktop/desktop.h"

namespace tessary {
namespace {

constexpr const char* kPackagedFrameClass = "ApplicationFrameWindow";
constexpr const char* kPackagedInnerClass = "Windows.UI.Core.CoreWindow";

// The process that owns the app: a packaged app's frame belongs to a system host
// process, the window inside it to the app.
ProcessId AppProcessOf(const Platform& platform, WindowId window) {
  ProcessId process = platform.windows.ProcessOf(window);
  if (platform.windows.ClassName(window) == kPackagedFrameClass) {
    WindowId inner = platform.windows.FindChild(window, kPackagedInnerClass);
    if (inner != kNoWindow) process = platform.windows.ProcessOf(inner);
  }
  return process;
}

std::string NameOfExecutable(const Platform& platform, const std::string& path) {
  std::optional<std::string> description = platform.processes.FileDescription(path);
  if (description && !description->empty()) return *description;
  return FileStem(path);
}

}  // namespace

std::string Desktop::AppIdOf(WindowId window) const {
  ProcessId process = AppProcessOf(platform_, window);
  if (process == kNoProcess) return {};
  if (std::optional<std::string> aumid = platform_.processes.AppUserModelId(process)) {
    return std::string(kPackagedAppPrefix) + *aumid;
  }
  return platform_.processes.ImagePath(process).value_or(std::string());
}

std::string Desktop::AppName(const std::string& appId) const {
  if (appId.empty()) return {};
  if (IsPackagedAppId(appId)) return PackagedAppName(appId.substr(kPackagedAppPrefix.size()));
  return NameOfExecutable(platform_, appId);
}

std::string Desktop::AppNameOfWindow(WindowId window) const {
  ProcessId process = AppProcessOf(platform_, window);
  if (process == kNoProcess) return {};
  std::optional<std::string> path = platform_.processes.ImagePath(process);
  if (!path) return {};
  return NameOfExecutable(platform_, *path);
}

bool Desktop::LaunchApp(const std::string& appId) const {
  if (appId.empty()) return false;
  if (IsPackagedAppId(appId)) {
    return platform_.launcher.ShellOpen(
        "explorer.exe", "shell:AppsFolder\\" + appId.substr(kPackagedAppPrefix.size()));
  }
  if (!platform_.launcher.PathExists(appId)) return false;
  return platform_.launcher.ShellOpen(appId, "");
}

bool Desktop::IsBlockedByElevation(WindowId window) {
  Processes& processes = platform_.processes;
  if (processes.CurrentIsElevated()) return false;
  if (!uiAccess_) uiAccess_ = processes.CurrentHasUiAccess();
  if (*uiAccess_) return false;
  ProcessId process = platform_.windows.ProcessOf(window);
  // A process that cannot even be opened is assumed to be out of reach.
  return processes.IsElevated(process).value_or(true);
}

bool Desktop::IsPackagedProcess() const {
  return platform_.processes.CurrentPackageFamilyName().has_value();
}

}  // namespace tessary
