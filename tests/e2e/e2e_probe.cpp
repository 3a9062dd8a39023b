// The end-to-end stories' hands, eyes and measuring tape inside Wine: a console program
// that finds windows and reads their rectangles, posts messages to Tessary's main window
// as another application or the user's shell would, asks the program's own geometry code
// where the picker's tiles and a layout's regions lie (so a change of the picker's looks
// or of the gaps moves the stories' aim with it), and changes the work area as a task bar
// does. Rectangles are "x y width height" in desktop pixels.
//
//   wait-class CLASS [MS]     the handle of a top-level window of CLASS once there is one
//                             (exit 1 after MS, default 10 s)
//   count-class CLASS         how many top-level windows have CLASS
//   list-class CLASS          their handles, one a line
//   rect TITLE                that window's rectangle
//   client TITLE              its client area
//   frame TITLE               its visible frame
//   visible TITLE             1 when a window of that title is shown, else 0
//   activate TITLE            brings it to the foreground
//   focus-id TITLE            the control id of the focus in its thread (0 when none)
//   foreground                the foreground window's title
//   windows                   every shown top-level window, front to back: rectangle,
//                             class and title
//   desktop                   the desktop's "width height"
//   workarea                  the work area
//   picker-point LAYOUT_ID REGION  "x y", the centre of that region's tile in the picker
//                             (which lists only the built-in layouts: a fresh state folder)
//   region LAYOUT_ID REGION   the rectangle a window placed in that region gets
//   open N [HANDLE]           posts the open request N (WM_APP+10) to the main window
//                             (the first one, or HANDLE as list-class prints it)
//   choose-up N [HANDLE]      chooses the Nth item from the bottom (1 is the last) of an
//                             open tray menu, with the keyboard
//   submenu-first K [HANDLE]  the first item of the open tray menu's K-th submenu
//   menu-within MS [HANDLE]   opens the tray menu and prints how many ms it took to show
//                             (exit 1 when not within MS); it stays open
//   dismiss [HANDLE]          closes an open tray menu with Escape
//   taskbar HEIGHT            the task bar (Shell_TrayWnd) becomes HEIGHT pixels tall
//   announce                  sets the work area to the monitor's (SPI_SETWORKAREA), which
//                             broadcasts WM_SETTINGCHANGE
//   display-change            re-applies the display mode (WM_DISPLAYCHANGE)
//
// Exit code 0 on success, 1 when the window was not found or the action failed.

#include <dwmapi.h>
#include <shellscalingapi.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"
#include "surfaces/picker_geometry.h"

namespace {

using tessary::Rect;
// The arguments after the command; null past the last one.
using Arguments = std::vector<const wchar_t*>;

constexpr UINT kOpenRequest = WM_APP + 10;
constexpr WPARAM kOpenTrayMenu = 9;
constexpr wchar_t kMainClass[] = L"TessaryMain";
constexpr wchar_t kMenuClass[] = L"#32768";

// 0 for success, 1 for failure.
int ExitCode(bool succeeded) { return succeeded ? 0 : 1; }

long Number(const wchar_t* text) { return std::wcstol(text, nullptr, 10); }

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text != 0; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

void PrintRect(const Rect& r) {
  std::printf("%ld %ld %ld %ld\n", std::lround(r.x), std::lround(r.y), std::lround(r.width),
              std::lround(r.height));
}

// --- Finding windows --------------------------------------------------------------------

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

// The window titled by the first argument.
HWND Titled(const Arguments& arguments) { return FindWindowW(nullptr, arguments[0]); }

// The main window named by a handle argument, else the first one there is.
HWND MainWindow(const wchar_t* handle) {
  if (handle == nullptr) return FindWindowW(kMainClass, nullptr);
  HWND window =
      reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(handle, nullptr, 16)));
  return IsWindow(window) ? window : nullptr;
}

int PrintClient(HWND window) {
  RECT r{};
  POINT origin{0, 0};
  if (window == nullptr || !GetClientRect(window, &r) || !ClientToScreen(window, &origin)) {
    return 1;
  }
  PrintRect(Rect::FromEdges(origin.x, origin.y, origin.x + r.right, origin.y + r.bottom));
  return 0;
}

// The window's rectangle, or its visible frame: Windows 10 and 11 draw an invisible
// resize border outside the frame.
int PrintWindowRect(HWND window, bool visibleFrame) {
  RECT r{};
  if (window == nullptr) return 1;
  if (!visibleFrame ||
      FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r)) ||
      r.right <= r.left) {
    if (!GetWindowRect(window, &r)) return 1;
  }
  PrintRect(Rect::FromEdges(r.left, r.top, r.right, r.bottom));
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

BOOL CALLBACK PrintShownWindow(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t name[128] = L"";
  wchar_t title[128] = L"";
  GetClassNameW(window, name, 128);
  GetWindowTextW(window, title, 128);
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("%ld %ld %ld %ld %s \"%s\"\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              Narrow(name).c_str(), Narrow(title).c_str());
  return TRUE;
}

// --- The tray menu ----------------------------------------------------------------------

// The tray menu runs a modal loop on Tessary's main thread that reads that thread's
// keyboard messages, so keys posted to the main window reach the menu as typed keys.
// (Typed keys do not reach it under Wine: the hidden main window never has the focus.)
void PostKey(HWND main, WPARAM key) {
  PostMessageW(main, WM_KEYDOWN, key, 1);
  PostMessageW(main, WM_KEYUP, key, 0xC0000001);
  Sleep(120);
}

bool WaitForMenu(HWND main) {
  if (main == nullptr || WaitForClass(kMenuClass, true, 10000) == nullptr) {
    std::fprintf(stderr, "no open menu\n");
    return false;
  }
  Sleep(200);
  return true;
}

int ChooseFromBottom(HWND main, long fromBottom) {
  if (!WaitForMenu(main)) return 1;
  // Up from no selection selects the last item; separators are skipped.
  for (long i = 0; i < fromBottom; ++i) PostKey(main, VK_UP);
  PostKey(main, VK_RETURN);
  return 0;
}

// Items cannot be read across processes, so the submenus are found by opening each item
// in turn with Right: a submenu shows a second menu window, Left closes it again.
int ChooseSubmenuFirst(HWND main, long wanted) {
  if (wanted < 1 || !WaitForMenu(main)) return 1;
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
  std::fprintf(stderr, "no submenu %ld\n", wanted);
  return 1;
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
  PostKey(main, VK_ESCAPE);
  for (int i = 0; i < 40; ++i) {
    if (Search(kMenuClass, true).first == nullptr) return 0;
    Sleep(50);
  }
  std::fprintf(stderr, "the menu stayed open\n");
  return 1;
}

// --- The program's geometry -------------------------------------------------------------

struct Display {
  Rect work;
  double scale = 1;
};

Display PrimaryDisplay() {
  HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  Display display;
  display.work =
      Rect::FromEdges(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
  UINT dpiX = 0, dpiY = 0;
  if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX > 0) {
    display.scale = dpiX / 96.0;
  }
  return display;
}

int PickerPoint(const std::string& id, long region) {
  const auto& layouts = tessary::BuiltInLayouts();
  std::size_t index = 0;
  while (index < layouts.size() && layouts[index].id != id) ++index;
  if (index == layouts.size()) return 1;
  const Display display = PrimaryDisplay();
  const auto geometry = tessary::PickerGeometryForDisplay(layouts, display.work, display.scale);
  const Rect panel = tessary::PickerPanelRect(geometry, display.work, display.scale);
  const Rect* tile = geometry.cards[index].regions.Get(static_cast<int>(region));
  if (tile == nullptr) return 1;
  // Panel units are DIPs from the panel's top-left corner.
  const double x = panel.x + (tile->x + tile->width / 2) * display.scale;
  const double y = panel.y + (tile->y + tile->height / 2) * display.scale;
  std::printf("%ld %ld\n", std::lround(x), std::lround(y));
  return 0;
}

int RegionRect(const std::string& id, long region) {
  const tessary::SnapLayout* layout = tessary::FindBuiltIn(id);
  if (layout == nullptr) return 1;
  const Display display = PrimaryDisplay();
  const auto rects =
      tessary::PixelRegionRects(*layout, display.work, std::round(8 * display.scale));
  const Rect* rect = rects.Get(static_cast<int>(region));
  if (rect == nullptr) return 1;
  PrintRect(*rect);
  return 0;
}

// --- The work area ----------------------------------------------------------------------

// Wine keeps a work area set through SPI_SETWORKAREA in the setting process only, and
// derives every monitor's work area from the task bar's window (each process reads it
// again on its next look at the monitors after the bar moved); so the work area is changed
// by resizing the task bar, and SPI_SETWORKAREA only announces it. Wine broadcasts
// the announcement only when the setting is also written to the profile.
int ResizeTaskbar(long height) {
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (bar == nullptr || height <= 0) return 1;
  // The screen's size from the system metrics: asking for the monitor would fix this
  // process's view of the work area before the bar moves.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  return ExitCode(SetWindowPos(bar, nullptr, 0, screenHeight - height, width, height,
                               SWP_NOACTIVATE | SWP_NOZORDER));
}

int AnnounceWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return ExitCode(SystemParametersInfoW(SPI_SETWORKAREA, 0, &info.rcWork,
                                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
}

// --- The commands -----------------------------------------------------------------------

struct Command {
  const wchar_t* name;
  std::size_t needs;  // arguments it cannot do without
  int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {L"wait-class", 1,
     [](const Arguments& a) {
       const DWORD ms = a[1] != nullptr ? static_cast<DWORD>(Number(a[1])) : 10000;
       HWND window = WaitForClass(a[0], false, ms);
       if (window != nullptr) std::printf("%p\n", static_cast<void*>(window));
       return ExitCode(window != nullptr);
     }},
    {L"count-class", 1,
     [](const Arguments& a) {
       std::printf("%d\n", Search(a[0], false).count);
       return 0;
     }},
    {L"list-class", 1,
     [](const Arguments& a) {
       Search(a[0], false, true);
       return 0;
     }},
    {L"rect", 1, [](const Arguments& a) { return PrintWindowRect(Titled(a), false); }},
    {L"client", 1, [](const Arguments& a) { return PrintClient(Titled(a)); }},
    {L"frame", 1, [](const Arguments& a) { return PrintWindowRect(Titled(a), true); }},
    {L"visible", 1,
     [](const Arguments& a) {
       HWND window = Titled(a);
       std::printf("%d\n", window != nullptr && IsWindowVisible(window) ? 1 : 0);
       return 0;
     }},
    {L"activate", 1,
     [](const Arguments& a) {
       HWND window = Titled(a);
       if (window == nullptr) return 1;
       SetForegroundWindow(window);
       return ExitCode(GetForegroundWindow() == window);
     }},
    {L"focus-id", 1, [](const Arguments& a) { return PrintFocusId(Titled(a)); }},
    {L"foreground", 0,
     [](const Arguments&) {
       wchar_t title[128] = L"";
       HWND window = GetForegroundWindow();
       if (window != nullptr) GetWindowTextW(window, title, 128);
       std::printf("%s\n", Narrow(title).c_str());
       return ExitCode(window != nullptr);
     }},
    {L"windows", 0, [](const Arguments&) { return ExitCode(EnumWindows(PrintShownWindow, 0)); }},
    {L"desktop", 0,
     [](const Arguments&) {
       RECT r{};
       GetWindowRect(GetDesktopWindow(), &r);
       std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
       return 0;
     }},
    {L"workarea", 0,
     [](const Arguments&) {
       RECT r{};
       if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
       PrintRect(Rect::FromEdges(r.left, r.top, r.right, r.bottom));
       return 0;
     }},
    {L"picker-point", 2,
     [](const Arguments& a) { return PickerPoint(Narrow(a[0]), Number(a[1])); }},
    {L"region", 2, [](const Arguments& a) { return RegionRect(Narrow(a[0]), Number(a[1])); }},
    {L"open", 1,
     [](const Arguments& a) {
       HWND main = MainWindow(a[1]);
       return ExitCode(main != nullptr && PostMessageW(main, kOpenRequest, Number(a[0]), 0));
     }},
    {L"choose-up", 1,
     [](const Arguments& a) { return ChooseFromBottom(MainWindow(a[1]), Number(a[0])); }},
    {L"submenu-first", 1,
     [](const Arguments& a) { return ChooseSubmenuFirst(MainWindow(a[1]), Number(a[0])); }},
    {L"menu-within", 1,
     [](const Arguments& a) {
       return MenuWithin(static_cast<DWORD>(Number(a[0])), MainWindow(a[1]));
     }},
    {L"dismiss", 0, [](const Arguments& a) { return Dismiss(MainWindow(a[0])); }},
    {L"taskbar", 1, [](const Arguments& a) { return ResizeTaskbar(Number(a[0])); }},
    {L"announce", 0, [](const Arguments&) { return AnnounceWorkArea(); }},
    {L"display-change", 0,
     [](const Arguments&) {
       return ExitCode(ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr) ==
                       DISP_CHANGE_SUCCESSFUL);
     }},
};

}  // namespace

int main() {
  // Desktop pixels at every scale, like Tessary itself.
  SetProcessDPIAware();
  // The wide command line without -municode.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv != nullptr && argc >= 2) {
    Arguments arguments(argv + 2, argv + argc);
    const std::size_t given = arguments.size();
    arguments.resize(given + 2, nullptr);
    for (const Command& command : kCommands) {
      if (std::wcscmp(command.name, argv[1]) == 0 && given >= command.needs) {
        return command.run(arguments);
      }
    }
  }
  std::fprintf(stderr, "usage: tessary_e2e_probe.exe command [arguments] (see e2e_probe.cpp)\n");
  return 2;
}
