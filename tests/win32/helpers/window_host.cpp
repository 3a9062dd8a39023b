// A second process with windows of every kind the window inventory tells apart: the
// program never manages its own process's windows, so the backend tests need another
// process's windows to look at, move and watch.
//
// Started with the test program's process id, it makes a message-only window of class
// "TessaryTestHostControl" titled "TessaryTestHost <id>", and ends with that process.
// The test sends it WM_COPYDATA with one line of text and reads the answer from the
// result: "<kind> <width> <height>" makes a window and answers its handle (0 when it could
// not be created); "event <event> <object> <window>" (event and window in hexadecimal)
// raises that WinEvent for the window, as the system raises it on Windows (Wine 8 raises
// few of them itself), and answers the window.

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

constexpr wchar_t kClass[] = L"TessaryTestHost";
constexpr wchar_t kIconlessClass[] = L"TessaryTestHostIconless";

HINSTANCE g_instance = nullptr;
HWND g_owner = nullptr;

HWND Create(DWORD exStyle, DWORD style, int width, int height, HWND parent,
            const wchar_t* className = kClass) {
  return CreateWindowExW(exStyle, className, L"Tessary test window", style, 200, 150, width, height,
                         parent, nullptr, g_instance, nullptr);
}

HWND CreateKind(const std::string& kind, int width, int height) {
  HWND window = nullptr;
  int show = SW_SHOWNOACTIVATE;
  if (kind == "normal") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, nullptr);
  } else if (kind == "tool") {
    window = Create(WS_EX_TOOLWINDOW, WS_OVERLAPPEDWINDOW, width, height, nullptr);
  } else if (kind == "noactivate") {
    window = Create(WS_EX_NOACTIVATE, WS_OVERLAPPEDWINDOW, width, height, nullptr);
  } else if (kind == "popup") {
    window = Create(0, WS_POPUP, width, height, nullptr);
  } else if (kind == "sizing-popup") {
    window = Create(0, WS_POPUP | WS_THICKFRAME, width, height, nullptr);
  } else if (kind == "caption-popup") {
    window = Create(0, WS_POPUP | WS_CAPTION, width, height, nullptr);
  } else if (kind == "owned") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, g_owner);
  } else if (kind == "owned-app") {
    window = Create(WS_EX_APPWINDOW, WS_OVERLAPPEDWINDOW, width, height, g_owner);
  } else if (kind == "invisible") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, nullptr);
    show = SW_HIDE;
  } else if (kind == "minimized") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, nullptr);
    show = SW_SHOWMINNOACTIVE;
  } else if (kind == "maximized") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, nullptr);
    show = SW_SHOWMAXIMIZED;
  } else if (kind == "child") {
    HWND parent = Create(0, WS_OVERLAPPEDWINDOW, width + 100, height + 100, nullptr);
    if (parent != nullptr) ShowWindow(parent, SW_SHOWNOACTIVATE);
    window = Create(0, WS_CHILD | WS_OVERLAPPEDWINDOW, width, height, parent);
  } else if (kind == "iconless") {
    window = Create(0, WS_OVERLAPPEDWINDOW, width, height, nullptr, kIconlessClass);
  }
  if (window != nullptr) ShowWindow(window, show);
  return window;
}

// One command line; the answer is a window handle.
LRESULT CarryOut(const std::string& line) {
  std::istringstream words(line);
  std::string kind;
  words >> kind;
  if (kind == "event") {
    unsigned long event = 0;
    long object = 0;
    unsigned long long window = 0;
    words >> std::hex >> event >> std::dec >> object >> std::hex >> window;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
    NotifyWinEvent(event, hwnd, object, CHILDID_SELF);
    return reinterpret_cast<LRESULT>(hwnd);
  }
  int width = 400;
  int height = 300;
  words >> width >> height;
  return reinterpret_cast<LRESULT>(CreateKind(kind, width, height));
}

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  return CarryOut(std::string(static_cast<const char*>(data->lpData), data->cbData));
}

bool RegisterClasses() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = g_instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.hIcon = LoadIconW(nullptr, IDI_INFORMATION);
  windowClass.lpszClassName = kClass;
  if (!RegisterClassExW(&windowClass)) return false;
  windowClass.hIcon = nullptr;
  windowClass.lpszClassName = kIconlessClass;
  if (!RegisterClassExW(&windowClass)) return false;
  windowClass.lpfnWndProc = ControlProcedure;
  windowClass.lpszClassName = L"TessaryTestHostControl";
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  g_instance = GetModuleHandleW(nullptr);
  if (argc < 2 || !RegisterClasses()) return 1;
  const DWORD testsId = std::strtoul(argv[1], nullptr, 10);
  HANDLE tests = OpenProcess(SYNCHRONIZE, FALSE, testsId);
  if (tests == nullptr) return 1;
  g_owner = Create(0, WS_OVERLAPPEDWINDOW, 300, 200, nullptr);
  const std::wstring title = L"TessaryTestHost " + std::to_wstring(testsId);
  CreateWindowExW(0, L"TessaryTestHostControl", title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                  nullptr, g_instance, nullptr);

  // The windows belong to this thread, which keeps their messages moving until the tests end.
  MSG message;
  while (MsgWaitForMultipleObjects(1, &tests, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
