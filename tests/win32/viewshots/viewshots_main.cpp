// Puts each view on screen in turn, light and dark (some also in a contrast theme), for
// screenshots of how they really look. With a folder argument it hands over to a capturing
// script: for every shot it writes <name>.ready (the rectangle worth keeping and when to
// take it, "x y width height delay-seconds") and waits for <name>.done before going on;
// at the end it writes "finished". Without one each shot simply stays for three seconds.
// With a prefix only the shots whose names start with it are taken.
//
//   viewshots.exe [signal-folder [prefix]]

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "../message_pump.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/surface_win32.h"
#include "viewshots_scenes.h"
#include "viewshots_transitions.h"

namespace tessary::viewshots {
namespace {

using testing::PumpMessagesFor;

bool WriteText(const std::wstring& path, const std::string& text) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// A plain sky-blue gradient under everything, like a desktop wallpaper.
LRESULT CALLBACK BackdropProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(window, &client);
    for (int y = 0; y < client.bottom; y += 4) {
      const double t = static_cast<double>(y) / std::max<LONG>(client.bottom, 1);
      HBRUSH band =
          CreateSolidBrush(RGB(static_cast<int>(40 + 70 * t), static_cast<int>(92 + 70 * t),
                               static_cast<int>(150 + 60 * t)));
      RECT strip{0, y, client.right, y + 4};
      FillRect(dc, &strip, band);
      DeleteObject(band);
    }
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateBackdrop() {
  HWND backdrop = OpenWindow(L"TessaryViewshotsBackdrop", &BackdropProcedure,
                             WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP | WS_VISIBLE, L"",
                             {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  SetWindowPos(backdrop, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return backdrop;
}

int Run(const std::wstring& folder, const std::string& only) {
  GraphicsFactories graphics;
  if (!graphics.Create()) {
    std::fprintf(stderr, "viewshots: Direct2D or DirectWrite is unavailable\n");
    return 1;
  }
  Win32SurfaceFactory factory(GetModuleHandleW(nullptr), graphics);
  HWND backdrop = CreateBackdrop();
  PumpMessagesFor(0.5);

  bool failed = false;
  Shots shots;
  shots.announce = [&](const std::string& name, const Rect& crop, double delay) {
    if (name.rfind(only, 0) != 0 || folder.empty() || failed) return;
    const std::wstring wideName(name.begin(), name.end());
    char line[160];
    std::snprintf(line, sizeof(line), "%d %d %d %d %.2f\n", static_cast<int>(crop.x),
                  static_cast<int>(crop.y), static_cast<int>(crop.width),
                  static_cast<int>(crop.height), delay);
    failed = !WriteText(folder + L"\\" + wideName + L".ready", line);
  };
  shots.await = [&](const std::string& name) {
    if (name.rfind(only, 0) != 0) return;
    if (folder.empty() || failed) {
      PumpMessagesFor(3);
      return;
    }
    const std::wstring wideName(name.begin(), name.end());
    const std::wstring done = folder + L"\\" + wideName + L".done";
    testing::PumpMessagesUntil(
        [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60);
  };
  for (const SceneMaker& maker : AllScenes()) {
    for (Look look : {Look::kLight, Look::kDark, Look::kContrast}) {
      if (look == Look::kContrast && !maker.inContrast) continue;
      FixedTheme theme(look);
      auto scene = std::make_unique<Scene>();
      maker.stage(*scene, factory, theme);
      PumpMessagesFor(0.8);
      const char* suffixes[] = {"-light", "-dark", "-contrast"};
      const std::string name = maker.name + suffixes[static_cast<int>(look)];
      shots.announce(name, scene->crop, 0);
      shots.await(name);
      scene.reset();
      PumpMessagesFor(0.3);
    }
  }
  ShootTransitions(factory, shots);
  if (failed) return 2;
  DestroyWindow(backdrop);
  if (!folder.empty()) WriteText(folder + L"\\finished", "\n");
  return 0;
}

}  // namespace
}  // namespace tessary::viewshots

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring folder = arguments && count > 1 ? arguments[1] : L"";
  const std::wstring only = arguments && count > 2 ? arguments[2] : L"";
  LocalFree(arguments);
  return tessary::viewshots::Run(folder, std::string(only.begin(), only.end()));
}
