#include "platform/win32/window_events_win32.h"

#include <optional>

#include "base/log.h"
#include "platform/win32/handles.h"

namespace tessary {
namespace {

// The hook callback has no context argument; one object installs the hooks of the
// process, on the main thread, which is also where the callback runs.
Win32WindowEvents* g_installed = nullptr;

struct EventRange {
  DWORD first;
  DWORD last;
  const char* name;  // for the log
};
constexpr EventRange kRanges[] = {
    {EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND, "movesize"},
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, "foreground"},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, "minimize"},
    {EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE, "destroy-show-hide"},
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, "locationchange"},
};

HWINEVENTHOOK InstallSystemHook(DWORD first, DWORD last, WINEVENTPROC callback) {
  return SetWinEventHook(first, last, nullptr, callback, 0, 0,
                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

std::optional<WindowEventKind> KindOf(DWORD event) {
  switch (event) {
    case EVENT_SYSTEM_MOVESIZESTART:
      return WindowEventKind::kMoveSizeStart;
    case EVENT_SYSTEM_MOVESIZEEND:
      return WindowEventKind::kMoveSizeEnd;
    case EVENT_SYSTEM_FOREGROUND:
      return WindowEventKind::kForeground;
    case EVENT_SYSTEM_MINIMIZESTART:
      return WindowEventKind::kMinimizeStart;
    case EVENT_SYSTEM_MINIMIZEEND:
      return WindowEventKind::kMinimizeEnd;
    case EVENT_OBJECT_DESTROY:
      return WindowEventKind::kDestroy;
    case EVENT_OBJECT_SHOW:
      return WindowEventKind::kShow;
    case EVENT_OBJECT_HIDE:
      return WindowEventKind::kHide;
    case EVENT_OBJECT_LOCATIONCHANGE:
      return WindowEventKind::kLocationChange;
    default:
      return std::nullopt;
  }
}

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
  // Only the window itself counts, not its caret, scroll bars or other parts. The system
  // calls here for every caret blink and cursor move on the desktop, so this test comes
  // before anything that costs.
  if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  // Controls inside windows move all the time and say nothing about where windows stand.
  // (A destroyed window has no ancestors any more, so only location changes are tested.)
  if (event == EVENT_OBJECT_LOCATIONCHANGE && GetAncestor(window, GA_ROOT) != window) return;
  std::optional<WindowEventKind> kind = KindOf(event);
  if (!kind || g_installed == nullptr) return;
  // Some systems ignore WINEVENT_SKIPOWNPROCESS (Wine 8 does); the program's own surfaces
  // must never look like other applications' windows. A destroyed window has no process
  // any more and passes.
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId()) {
    return;
  }
  g_installed->Queue(WindowEvent{*kind, ToWindowId(window)});
}

}  // namespace

Win32WindowEvents::Win32WindowEvents() : Win32WindowEvents(InstallSystemHook) {}

Win32WindowEvents::Win32WindowEvents(HookInstaller installer)
    : installer_(std::move(installer)),
      deliveryMessage_(RegisterWindowMessageW(L"Tessary.WindowEvents")) {}

Win32WindowEvents::~Win32WindowEvents() { Uninstall(); }

bool Win32WindowEvents::Install(std::function<void(const WindowEvent&)> sink) {
  if (!hooks_.empty()) {
    sink_ = std::move(sink);
    return true;
  }
  // A hook that fails costs only its own events: the others stay and keep the program
  // following what they report.
  bool all = true;
  for (const EventRange& range : kRanges) {
    HWINEVENTHOOK hook = installer_(range.first, range.last, OnWinEvent);
    if (hook != nullptr) {
      hooks_.push_back(hook);
    } else {
      all = false;
      Log("window event hook %s could not be installed", range.name);
    }
  }
  sink_ = std::move(sink);
  g_installed = this;
  return all;
}

void Win32WindowEvents::Uninstall() {
  for (HWINEVENTHOOK hook : hooks_) UnhookWinEvent(hook);
  hooks_.clear();
  pending_.clear();
  sink_ = nullptr;
  if (g_installed == this) g_installed = nullptr;
}

void Win32WindowEvents::Queue(const WindowEvent& event) {
  if (!sink_) return;
  pending_.push_back(event);
  if (mainWindow_ == nullptr) {
    DeliverQueued();
    return;
  }
  if (deliveryPosted_) return;
  deliveryPosted_ = PostMessageW(mainWindow_, deliveryMessage_, 0, 0) != FALSE;
  // A full message queue must not lose the events: deliver them now instead.
  if (!deliveryPosted_) DeliverQueued();
}

void Win32WindowEvents::DeliverQueued() {
  deliveryPosted_ = false;
  // One at a time: the sink may run a modal loop that delivers the rest from inside.
  while (!pending_.empty() && sink_) {
    WindowEvent event = pending_.front();
    pending_.pop_front();
    std::function<void(const WindowEvent&)> sink = sink_;
    sink(event);
  }
}

void Win32WindowEvents::OnSystemChange(WindowEventKind kind) {
  Queue(WindowEvent{kind, kNoWindow});
}

}  // namespace tessary
