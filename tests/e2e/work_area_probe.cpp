// Changes the primary display's work area the way a task bar that grows or shrinks does,
// and tells running programs, as the shell would.
//
//   tessary_e2e_work_area_probe.exe taskbar HEIGHT   the shell's task bar (Shell_TrayWnd)
//                                                    becomes HEIGHT pixels tall along the
//                                                    bottom of the primary display
//   tessary_e2e_work_area_probe.exe announce         sets the work area to the monitor's
//                                                    (SPI_SETWORKAREA), which broadcasts
//                                                    WM_SETTINGCHANGE
//   tessary_e2e_work_area_probe.exe display-change   re-applies the display mode, which
//                                                    broadcasts WM_DISPLAYCHANGE
//
// Wine keeps a work area set through SPI_SETWORKAREA in the setting process only, and
// derives every monitor's work area from the task bar's window (each process reads it
// again on its next look at the monitors after the bar moved); so the work area is changed
// by resizing the task bar, and SPI_SETWORKAREA only announces it. Wine broadcasts
// the announcement only when the setting is also written to the profile.
//
// Exit code 0 on success, 1 when there is no task bar or a call failed.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

int ResizeTaskbar(int height) {
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (bar == nullptr || height <= 0) return 1;
  // The screen's size from the system metrics: asking for the monitor would fix this
  // process's view of the work area before the bar moves.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  return SetWindowPos(bar, nullptr, 0, screenHeight - height, width, height,
                      SWP_NOACTIVATE | SWP_NOZORDER)
             ? 0
             : 1;
}

int Announce() {
  RECT work = PrimaryWorkArea();
  return SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
             ? 0
             : 1;
}

int DisplayChange() {
  return ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL
             ? 0
             : 1;
}

}  // namespace

// Narrow arguments: the commands and numbers are plain ASCII.
int main(int argc, char** argv) {
  if (argc < 2) return 1;
  const std::string command = argv[1];
  if (command == "taskbar" && argc > 2) return ResizeTaskbar(std::atoi(argv[2]));
  if (command == "announce") return Announce();
  if (command == "display-change") return DisplayChange();
  return 1;
}
