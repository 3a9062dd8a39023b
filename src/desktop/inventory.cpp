#include <array>
#include <string_view>

#include "base/utf.h"
#include "desktop/desktop.h"

namespace tessary {
namespace {

// The desktop, the task bars and the inner window of a packaged app's frame.
constexpr std::array<std::string_view, 5> kSystemClasses = {
    "Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "Windows.UI.Core.CoreWindow"};

// Class names are read into 64 characters; the filter is compared in the same width.
constexpr std::size_t kClassNameMax = 63;

constexpr double kMinimumFrameWidth = 80;
constexpr double kMinimumFrameHeight = 50;

}  // namespace

const std::optional<std::string>& Desktop::OnlyClass() {
  if (!onlyClassRead_) {
    onlyClassRead_ = true;
    std::optional<std::string> value =
        platform_.processes.EnvironmentVariable("TESSARY_ONLY_CLASS");
    // An empty value would make no window manageable at all; it counts as unset.
    if (value && !value->empty()) onlyClass_ = CutToCharacters(*value, kClassNameMax);
  }
  return onlyClass_;
}

bool Desktop::IsManageable(WindowId window) {
  WindowAccess& w = platform_.windows;
  // Cheap state tests first: this runs over every top-level window on every drag.
  if (!w.Exists(window) || !w.IsVisible(window) || w.IsMinimized(window)) return false;
  if (w.IsCloaked(window)) return false;
  if (w.Root(window) != window) return false;
  std::uint32_t ex = w.ExStyle(window);
  if (ex & (window_ex_style::kNoActivate | window_ex_style::kToolWindow)) return false;
  std::uint32_t style = w.Style(window);
  bool sizingBorder = (style & window_style::kThickFrame) != 0;
  bool caption = (style & window_style::kCaption) == window_style::kCaption;
  if (!sizingBorder && !caption) return false;
  if (w.Owner(window) != kNoWindow && !(ex & window_ex_style::kAppWindow)) return false;
  if (w.ProcessOf(window) == platform_.processes.CurrentProcess()) return false;
  std::string className = w.ClassName(window);
  const std::optional<std::string>& only = OnlyClass();
  if (only && className != *only) return false;
  for (std::string_view system : kSystemClasses) {
    if (className == system) return false;
  }
  std::optional<Rect> frame = FrameBounds(window);
  return frame && frame->width >= kMinimumFrameWidth && frame->height >= kMinimumFrameHeight;
}

std::vector<WindowId> Desktop::ManageableWindows() {
  std::vector<WindowId> result;
  for (WindowId window : platform_.zOrder.TopLevelWindows()) {
    if (IsManageable(window)) result.push_back(window);
  }
  return result;
}

std::string Desktop::WindowTitle(WindowId window) const { return platform_.windows.Title(window); }

bool Desktop::IsShellWindow(WindowId window) const {
  const std::string className = platform_.windows.ClassName(platform_.windows.Root(window));
  for (std::string_view system : kSystemClasses) {
    if (className == system) return true;
  }
  return false;
}

}  // namespace tessary
