// The switchboard: every message of the main window that the platform does not consume
// itself, every timer tick and every window event, routed to the part that does the work.

#include "desktop/monitor.h"
#include "platform/main_window_timers.h"
#include "shell/open_requests.h"
#include "shell/shell.h"
#include "shell/shortcuts.h"

namespace tessary {
namespace {

namespace msg = main_window_message;

namespace timer = main_window_timer;
// The update check looks again once more than a day has passed since the last one.
constexpr std::int64_t kDaySeconds = 86400;
// After the last of a burst of window events, the stacks are looked at once.
constexpr double kRefreshAfterEvents = 0.15;

}  // namespace

std::optional<std::int64_t> Shell::OnMainWindowMessage(const MainWindowMessage& m) {
  if (taskbarCreatedMessage_ != 0 && m.message == taskbarCreatedMessage_) {
    AddTrayIcon();
    return 0;
  }
  switch (m.message) {
    case msg::kTrayIcon: {
      const auto event = static_cast<std::uint32_t>(m.lParam & 0xFFFF);
      if (event == kTrayEventContextMenu || event == kTrayEventSelect ||
          event == kTrayEventKeySelect) {
        // Chosen from the keyboard, the cursor may be anywhere: the menu goes where the
        // notification area says, at the icon.
        int x = 0;
        int y = 0;
        UnpackPointParam(static_cast<std::int64_t>(m.wParam), x, y);
        ShowTrayMenu(Point{static_cast<double>(x), static_cast<double>(y)});
      }
      return 0;
    }
    case msg::kDestroy:
      Shutdown();
      return 0;
    case msg::kSettingChange:
    case msg::kDisplayChange:
      // The platform turns both into window events (kDisplayChange, kWorkAreaChange),
      // which OnWindowEvent hands to the Coordinator; acting here as well would re-read
      // the displays twice.
      return 0;
    case msg::kHotkey:
      OnHotkey(static_cast<int>(m.wParam));
      return 0;
    case msg::kCoordinatorCommand:
      if (coordinator_ && !shutDown_) {
        coordinator_->HandleCommand(static_cast<int>(static_cast<std::int64_t>(m.wParam)),
                                    m.lParam);
      }
      return 0;
    case msg::kOpenRequest:
      OnOpenRequest(m.wParam);
      return 0;
    case msg::kUpdateResult:
      OnUpdateResult(m.wParam);
      return 0;
    case msg::kFeedbackAnswer:
      if (feedback_) feedback_->OnAnswer(static_cast<int>(m.wParam));
      return 0;
    case msg::kAfterStart:
      CheckForUpdatesWhenADayHasPassed();
      return 0;
    case msg::kMouseShortcut: {
      int x = 0;
      int y = 0;
      UnpackPointParam(m.lParam, x, y);
      const Point point{static_cast<double>(x), static_cast<double>(y)};
      // The window under the mouse, not the focused one.
      const WindowId under = platform().windows.Root(platform().zOrder.WindowAt(point));
      targetOverride_ = under;
      targetOverrideSet_ = true;
      RunCommand(static_cast<int>(m.wParam));
      targetOverride_ = kNoWindow;
      targetOverrideSet_ = false;
      return 0;
    }
    case msg::kMouseCaptured:
      OnMouseCaptured(static_cast<std::uint32_t>(m.wParam), static_cast<std::uint32_t>(m.lParam));
      return 0;
    default:
      return std::nullopt;
  }
}

void Shell::OnHotkey(int id) {
  if (id >= kFirstCommandHotkey && id < kFirstCommandHotkey + kShortcutCount) {
    RunCommand(id - kFirstCommandHotkey);
  } else if (id >= kFirstLayoutHotkey && id < kFirstLayoutHotkey + kLayoutHotkeyCount) {
    if (coordinator_) coordinator_->SwitchToLayout(id - kFirstLayoutHotkey, CommandTarget());
  } else if (id >= kFirstMoveHotkey && id < kFirstMoveHotkey + kMoveShortcutCount) {
    RunCommand(kShortcutCount + id - kFirstMoveHotkey);
  }
}

void Shell::OnTimer(int id) {
  if (!coordinator_ || shutDown_) return;
  switch (id) {
    case timer::kStackPass:
      coordinator_->RefreshStacks();
      return;
    case timer::kUpdateCheck:
      CheckForUpdatesWhenADayHasPassed();
      return;
    case timer::kTrayRetry:
      // Timers repeat; the next wait is longer and AddTrayIcon starts it again.
      platform().timers.Stop(timer::kTrayRetry);
      AddTrayIcon();
      return;
    default:
      // The rest are the Coordinator's; it ignores ids it does not know.
      coordinator_->OnTimer(id);
      return;
  }
}

void Shell::OnWindowEvent(const WindowEvent& event) {
  if (!coordinator_ || shutDown_) return;
  switch (event.kind) {
    case WindowEventKind::kDisplayChange:
      // The display's scale may have changed: the icon is loaded again at the new size.
      UpdateTrayIcon();
      coordinator_->OnDisplaysChanged();
      return;
    case WindowEventKind::kWorkAreaChange:
      coordinator_->OnDisplaysChanged();
      return;
    case WindowEventKind::kMoveSizeStart:
      if (event.window != kNoWindow) coordinator_->OnMoveSizeStart(event.window);
      return;
    case WindowEventKind::kMoveSizeEnd:
      if (event.window != kNoWindow) coordinator_->OnMoveSizeEnd(event.window);
      return;
    case WindowEventKind::kForeground:
      if (event.window != kNoWindow && desktop_->IsManageable(event.window)) {
        lastForeground_ = event.window;
      }
      break;
    default:
      break;
  }
  if (event.window == kNoWindow) return;
  // Only top-level windows can be in a stack; a child's events say nothing about them.
  if (platform().windows.Root(event.window) == event.window) {
    coordinator_->ScheduleRefresh(kRefreshAfterEvents);
  }
}

void Shell::CheckForUpdatesWhenADayHasPassed() {
  const tessary::Settings& settings = settings_->Current();
  if (settings.checkUpdates && UnixTime() - settings.lastUpdateCheck > kDaySeconds) {
    StartUpdateCheck(false);
  }
}

}  // namespace tessary
