// The drag stories' measuring tape inside Wine (or Windows): where the layout picker puts a
// layout's region on the primary display, where a region of a layout lies on its work
// area, and a window's visible frame. The answers come from the program's own geometry
// code, so a change of the picker's looks or of the gaps moves the test's aim with it.
//
//   tessary_e2e_drag_probe.exe picker-point LAYOUT_ID REGION   "x y": the centre of that
//                                                             region's tile in the picker
//   tessary_e2e_drag_probe.exe region LAYOUT_ID REGION         "x y width height" a window
//                                                             placed there gets
//   tessary_e2e_drag_probe.exe frame TITLE                     "x y width height" of the
//                                                             window's visible frame
//   tessary_e2e_drag_probe.exe windows                         every shown top-level window,
//                                                             front to back: rectangle,
//                                                             class and title
//   tessary_e2e_drag_probe.exe foreground                      the foreground window's title
//
// The picker is assumed to list the built-in layouts only (a fresh state folder).
// Exit code 0 on success, 1 when something was not found.

#include <dwmapi.h>
#include <shellscalingapi.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"
#include "surfaces/picker_geometry.h"

namespace {

using tessary::Rect;

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

void PrintRect(const Rect& r) {
  std::printf("%ld %ld %ld %ld\n", std::lround(r.x), std::lround(r.y), std::lround(r.width),
              std::lround(r.height));
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text != 0; ++text) out.push_back(static_cast<char>(*text));
  return out;
}

int LayoutIndex(const std::string& id) {
  const auto& layouts = tessary::BuiltInLayouts();
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    if (layouts[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

int PickerPoint(const std::string& id, int region) {
  const int index = LayoutIndex(id);
  if (index < 0) return 1;
  const Display display = PrimaryDisplay();
  const auto geometry =
      tessary::PickerGeometryForDisplay(tessary::BuiltInLayouts(), display.work, display.scale);
  const Rect panel = tessary::PickerPanelRect(geometry, display.work, display.scale);
  const Rect* tile = geometry.cards[static_cast<std::size_t>(index)].regions.Get(region);
  if (tile == nullptr) return 1;
  // Panel units are DIPs from the panel's top-left corner.
  const double x = panel.x + (tile->x + tile->width / 2) * display.scale;
  const double y = panel.y + (tile->y + tile->height / 2) * display.scale;
  std::printf("%ld %ld\n", std::lround(x), std::lround(y));
  return 0;
}

int RegionRect(const std::string& id, int region) {
  const tessary::SnapLayout* layout = tessary::FindBuiltIn(id);
  if (layout == nullptr) return 1;
  const Display display = PrimaryDisplay();
  const auto rects =
      tessary::PixelRegionRects(*layout, display.work, std::round(8 * display.scale));
  const Rect* rect = rects.Get(region);
  if (rect == nullptr) return 1;
  PrintRect(*rect);
  return 0;
}

// The visible frame: Windows 10 and 11 draw an invisible resize border outside it.
int Frame(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  if (window == nullptr) return 1;
  RECT r{};
  if (FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r)) ||
      r.right <= r.left) {
    if (!GetWindowRect(window, &r)) return 1;
  }
  PrintRect(Rect::FromEdges(r.left, r.top, r.right, r.bottom));
  return 0;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
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

}  // namespace

int main() {
  // Desktop pixels at every scale, like Tessary itself.
  SetProcessDPIAware();
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) {
    std::fprintf(stderr, "usage: tessary_e2e_drag_probe.exe command [arguments]\n");
    return 2;
  }
  const std::wstring command = argv[1];
  if (command == L"picker-point" && argc > 3) {
    return PickerPoint(Narrow(argv[2]), static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
  }
  if (command == L"region" && argc > 3) {
    return RegionRect(Narrow(argv[2]), static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
  }
  if (command == L"frame" && argc > 2) return Frame(argv[2]);
  if (command == L"windows") return EnumWindows(PrintWindow, 0) ? 0 : 1;
  if (command == L"foreground") {
    wchar_t title[128] = L"";
    HWND window = GetForegroundWindow();
    if (window != nullptr) GetWindowTextW(window, title, 128);
    std::printf("%s\n", Narrow(title).c_str());
    return window != nullptr ? 0 : 1;
  }
  std::fprintf(stderr, "unknown command\n");
  return 2;
}
