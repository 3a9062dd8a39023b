// The end-to-end tests' hands and eyes inside Wine: a console program that finds windows,
// reads their rectangles and posts messages to Tessary's main window, as another
// application or the user's shell would.
//
//   tessary_e2e_probe.exe wait-class CLASS [MS]  prints the handle once a top-level window of
//                                                 CLASS exists (exit 1 after MS, default 10 s)
//   tessary_e2e_probe.exe count-class CLASS      prints how many top-level windows have CLASS
//   tessary_e2e_probe.exe list-class CLASS       prints their handles, one a line
//   tessary_e2e_probe.exe rect TITLE             prints "x y width height" of that window
//   tessary_e2e_probe.exe client TITLE           prints its client area's "x y width height"
//   tessary_e2e_probe.exe visible TITLE          prints 1 when a window of that title is shown,
//                                                 else 0
//   tessary_e2e_probe.exe activate TITLE         brings that window to the foreground
//                                                 in desktop pixels
//   tessary_e2e_probe.exe focus-id TITLE         prints the control id of the focus in that
//                                                 window's thread (0 when it has none)
//   tessary_e2e_probe.exe open N [HANDLE]        posts the open request N (WM_APP+10) to the
//                                                 main window (the first one, or HANDLE)
//   tessary_e2e_probe.exe menu-quit [HANDLE]     opens the tray menu through the open request
//                                                 and chooses its last item, "Quit Tessary",
//                                                 with the keyboard
//   tessary_e2e_probe.exe choose-last [HANDLE]   the same in a tray menu that is open already
//   tessary_e2e_probe.exe choose-up N [HANDLE]   chooses the Nth item from the bottom (1 is
//                                                 the last) of a tray menu that is open
//   tessary_e2e_probe.exe submenu-first K [HANDLE] in an open tray menu, the first item of
//                                                 its K-th submenu (1-based), with the keyboard
//   tessary_e2e_probe.exe menu-within MS [HANDLE] opens the tray menu through the open request
//                                                 and prints how many ms it took to show
//                                                 (exit 1 when not within MS); it stays open
//   tessary_e2e_probe.exe dismiss [HANDLE]       closes an open tray menu with Escape
//   tessary_e2e_probe.exe foreground             prints the foreground window's class
//   tessary_e2e_probe.exe desktop                prints the desktop's "width height"
//   tessary_e2e_probe.exe workarea               prints the work area's "x y width height"
//
// Handles are hexadecimal, as list-class and wait-class print them.
//
// Exit code 0 on success, 1 when the window was not found or the action failed.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kOpenRequest = WM_APP + 10;
constexpr WPARAM kOpenTrayMenu = 9;
constexpr wchar_t kMainClass[] = L"TessaryMain";
constexpr wchar_t kMenuClass[] = L"#32768";

struct ClassSearch {
  const wchar_t* className;
  bool visibleOnly;
  int count;
  HWND first;
  bool print;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  wchar_t name[128];
  if (GetClassNameW(window, name, 128) > 0 && std::wcscmp(name, search->className) == 0 &&
      (!search->visibleOnly || IsWindowVisible(window))) {
    if (search->count++ == 0) search->first = window;
    if (search->print) std::printf("%p\n", static_cast<void*>(window));
  }
  return TRUE;
}

ClassSearch Search(const wchar_t* className, bool visibleOnly, bool print = false) {
  ClassSearch search{className, visibleOnly, 0, nullptr, print};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&search));
  return search;
}

HWND WaitForClass(const wchar_t* className, bool visibleOnly, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    const ClassSearch search = Search(className, visibleOnly);
    if (search.first != nullptr) return search.first;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(50);
  }
}

// The main window named by a handle argument, else the first one there is.
HWND MainWindow(const wchar_t* handle) {
  if (handle == nullptr) return FindWindowW(kMainClass, nullptr);
  HWND window =
      reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(handle, nullptr, 16)));
  return IsWindow(window) ? window : nullptr;
}

// The tray menu runs a modal loop on Tessary's main thread that reads that thread's
// keyboard messages, so keys posted to the main window reach the menu as typed keys.
// (Typed keys do not reach it under Wine: the hidden main window never has the focus.)
int ChooseFromBottom(HWND main, int fromBottom) {
  if (main == nullptr || WaitForClass(kMenuClass, true, 10000) == nullptr) {
    std::fprintf(stderr, "no open menu\n");
    return 1;
  }
  Sleep(200);
  // Up from no selection selects the last item; separators are skipped.
  for (int i = 0; i < fromBottom; ++i) {
    PostMessageW(main, WM_KEYDOWN, VK_UP, 1);
    PostMessageW(main, WM_KEYUP, VK_UP, 0xC0000001);
    Sleep(100);
  }
  PostMessageW(main, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(main, WM_KEYUP, VK_RETURN, 0xC0000001);
  return 0;
}

void PostKey(HWND main, WPARAM key) {
  PostMessageW(main, WM_KEYDOWN, key, 1);
  PostMessageW(main, WM_KEYUP, key, 0xC0000001);
  Sleep(120);
}

// Items cannot be read across processes, so the submenus are found by opening each item
// in turn with Right: a submenu shows a second menu window, Left closes it again.
int ChooseSubmenuFirst(HWND main, int wanted) {
  if (main == nullptr || wanted < 1 || WaitForClass(kMenuClass, true, 10000) == nullptr) {
    std::fprintf(stderr, "no open menu\n");
    return 1;
  }
  Sleep(200);
  int seen = 0;
  for (int step = 0; step < 40; ++step) {
    PostKey(main, VK_DOWN);
    PostKey(main, VK_RIGHT);
    Sleep(150);
    if (Search(kMenuClass, true).count < 2) continue;
    if (++seen == wanted) {
      PostKey(main, VK_RETURN);
      return 0;
    }
    PostKey(main, VK_LEFT);
  }
  std::fprintf(stderr, "no submenu %d\n", wanted);
  return 1;
}

int MenuQuit(HWND main) {
  if (main == nullptr || !PostMessageW(main, kOpenRequest, kOpenTrayMenu, 0)) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  return ChooseFromBottom(main, 1);
}

// How long the program takes to answer: a frozen main thread shows no menu.
int MenuWithin(DWORD milliseconds, HWND main) {
  const ULONGLONG start = GetTickCount64();
  if (main == nullptr || !PostMessageW(main, kOpenRequest, kOpenTrayMenu, 0)) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  if (WaitForClass(kMenuClass, true, milliseconds) == nullptr) {
    std::fprintf(stderr, "no menu within %lu ms\n", static_cast<unsigned long>(milliseconds));
    return 1;
  }
  std::printf("%llu\n", static_cast<unsigned long long>(GetTickCount64() - start));
  return 0;
}

int Dismiss(HWND main) {
  if (main == nullptr) return 1;
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(main, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  for (int i = 0; i < 40; ++i) {
    if (Search(kMenuClass, true).first == nullptr) return 0;
    Sleep(50);
  }
  std::fprintf(stderr, "the menu stayed open\n");
  return 1;
}

int PrintRect(HWND window) {
  RECT r{};
  if (window == nullptr || !GetWindowRect(window, &r)) return 1;
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

int PrintClient(HWND window) {
  RECT r{};
  POINT origin{0, 0};
  if (window == nullptr || !GetClientRect(window, &r) || !ClientToScreen(window, &origin)) {
    return 1;
  }
  std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
  return 0;
}

int PrintFocusId(HWND window) {
  if (window == nullptr) return 1;
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 1;
  std::printf("%d\n", info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
  return 0;
}

}  // namespace

int main() {
  // The wide command line without -municode.
  // Desktop pixels at every scale, like Tessary itself.
  SetProcessDPIAware();
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) {
    std::fprintf(stderr, "usage: tessary_e2e_probe.exe command [arguments]\n");
    return 2;
  }
  const std::wstring command = argv[1];
  const wchar_t* arg = argc > 2 ? argv[2] : nullptr;
  if (command == L"wait-class" && arg != nullptr) {
    const DWORD ms = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 10000;
    HWND window = WaitForClass(arg, false, ms);
    if (window == nullptr) return 1;
    std::printf("%p\n", static_cast<void*>(window));
    return 0;
  }
  if (command == L"count-class" && arg != nullptr) {
    std::printf("%d\n", Search(arg, false).count);
    return 0;
  }
  if (command == L"list-class" && arg != nullptr) {
    Search(arg, false, true);
    return 0;
  }
  if (command == L"rect" && arg != nullptr) return PrintRect(FindWindowW(nullptr, arg));
  if (command == L"client" && arg != nullptr) return PrintClient(FindWindowW(nullptr, arg));
  if (command == L"focus-id" && arg != nullptr) return PrintFocusId(FindWindowW(nullptr, arg));
  if (command == L"visible" && arg != nullptr) {
    HWND window = FindWindowW(nullptr, arg);
    std::printf("%d\n", window != nullptr && IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  if (command == L"activate" && arg != nullptr) {
    HWND window = FindWindowW(nullptr, arg);
    if (window == nullptr) return 1;
    SetForegroundWindow(window);
    return GetForegroundWindow() == window ? 0 : 1;
  }
  const wchar_t* handle = argc > 3 ? argv[3] : nullptr;
  if (command == L"open" && arg != nullptr) {
    HWND main = MainWindow(handle);
    const WPARAM what = static_cast<WPARAM>(std::wcstoul(arg, nullptr, 10));
    return main != nullptr && PostMessageW(main, kOpenRequest, what, 0) ? 0 : 1;
  }
  if (command == L"menu-quit") return MenuQuit(MainWindow(arg));
  if (command == L"choose-last") return ChooseFromBottom(MainWindow(arg), 1);
  if (command == L"submenu-first" && arg != nullptr) {
    return ChooseSubmenuFirst(MainWindow(handle), static_cast<int>(std::wcstol(arg, nullptr, 10)));
  }
  if (command == L"choose-up" && arg != nullptr) {
    return ChooseFromBottom(MainWindow(handle), static_cast<int>(std::wcstoul(arg, nullptr, 10)));
  }
  if (command == L"dismiss") return Dismiss(MainWindow(arg));
  if (command == L"menu-within" && arg != nullptr) {
    return MenuWithin(static_cast<DWORD>(std::wcstoul(arg, nullptr, 10)),
                      MainWindow(argc > 3 ? argv[3] : nullptr));
  }
  if (command == L"workarea") {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (command == L"foreground") {
    wchar_t name[128] = L"";
    HWND window = GetForegroundWindow();
    if (window != nullptr) GetClassNameW(window, name, 128);
    std::printf("%ls\n", name);
    return window != nullptr ? 0 : 1;
  }
  if (command == L"desktop") {
    RECT r{};
    GetWindowRect(GetDesktopWindow(), &r);
    std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
    return 0;
  }
  std::fprintf(stderr, "unknown command\n");
  return 2;
}
