#include "platform/win32/shell_main_window_win32.h"

#include "platform/win32/handles.h"

namespace tessary {
namespace {

constexpr wchar_t kClassName[] = L"TessaryMain";
constexpr wchar_t kTitle[] = L"Tessary";

}  // namespace

Win32MainWindow::~Win32MainWindow() {
  // Whoever the procedure served may be gone already (a start-up that failed half way):
  // the window goes quietly.
  procedure_ = nullptr;
  ownerDraw_ = nullptr;
  if (window_ != nullptr) DestroyWindow(window_);
}

bool Win32MainWindow::Create(MainWindowProcedure procedure) {
  if (window_ != nullptr) return true;
  procedure_ = std::move(procedure);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32MainWindow::Procedure;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // Never shown: a tool window has no taskbar button even if something shows it.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance_, this);
  if (window == nullptr) return false;
  window_ = window;
  platform_.AttachMainWindow(window);
  return true;
}

WindowId Win32MainWindow::Handle() const { return ToWindowId(window_); }

std::uint32_t Win32MainWindow::RegisterTaskbarCreated() {
  const UINT id = RegisterWindowMessageW(L"TaskbarCreated");
  if (window_ != nullptr) {
    // A process with user-interface access would otherwise not hear from the shell.
    if (id != 0) ChangeWindowMessageFilterEx(window_, id, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(window_, main_window_message::kTrayIcon, MSGFLT_ALLOW, nullptr);
  }
  return id;
}

bool Win32MainWindow::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  return window_ != nullptr && PostMessageW(window_, message, static_cast<WPARAM>(wParam),
                                            static_cast<LPARAM>(lParam)) != FALSE;
}

void Win32MainWindow::Destroy() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void Win32MainWindow::Quit(int exitCode) { PostQuitMessage(exitCode); }

void Win32MainWindow::RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (RouteDialogKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LRESULT CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* self = WindowOwner<Win32MainWindow>(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (platform_.HandleMainWindowMessage(window, message, wParam, lParam, &result)) return result;
  if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) && ownerDraw_ &&
      ownerDraw_(message, lParam)) {
    return TRUE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (procedure_) {
    const MainWindowMessage routed{static_cast<std::uint32_t>(message),
                                   static_cast<std::uint64_t>(wParam),
                                   static_cast<std::int64_t>(lParam)};
    if (const std::optional<std::int64_t> answer = procedure_(routed)) {
      return static_cast<LRESULT>(*answer);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessary
