// A second process with windows of every kind the window inventory tells apart: the
// program never manages its own process's windows, so the backend tests need another
// process's windows to look at, move and watch.
//
// Protocol, one line each way: the test writes "<kind> <width> <height>" on standard
// input and reads back the new window's handle in hexadecimal (0 when it could not be
// created). "event <event> <object> <window>" (event and window in hexadecimal) raises
// that WinEvent for the window, as the system raises it on Windows (Wine 8 raises few of
// them itself), and answers the window. End of input or "quit" ends the process.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;
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

void Answer(HWND window) {
  std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(stdout);
}

// Standard input is read on its own thread; the windows belong to the main thread, which
// must keep pumping messages for them.
void ReadCommands(DWORD mainThread) {
  std::string line;
  while (std::getline(std::cin, line) && line != "quit") {
    PostThreadMessageW(mainThread, kCommandMessage, 0,
                       reinterpret_cast<LPARAM>(new std::string(line)));
  }
  PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
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
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int main() {
  g_instance = GetModuleHandleW(nullptr);
  if (!RegisterClasses()) return 1;
  g_owner = Create(0, WS_OVERLAPPEDWINDOW, 300, 200, nullptr);

  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists now
  std::thread reader(ReadCommands, GetCurrentThreadId());
  reader.detach();  // it may block in getline until the process ends

  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kCommandMessage) {
      std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(message.lParam));
      std::istringstream words(*line);
      if (line->rfind("event ", 0) == 0) {
        std::string command;
        unsigned long event = 0;
        long object = 0;
        unsigned long long window = 0;
        words >> command >> std::hex >> event >> std::dec >> object >> std::hex >> window;
        HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
        NotifyWinEvent(event, hwnd, object, CHILDID_SELF);
        Answer(hwnd);
        continue;
      }
      std::string kind;
      int width = 400;
      int height = 300;
      words >> kind >> width >> height;
      Answer(CreateKind(kind, width, height));
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
