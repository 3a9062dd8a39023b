#include "viewshots_transitions.h"

#include <windows.h>

#include <future>
#include <optional>
#include <string>
#include <thread>

#include "../message_pump.h"
#include "desktop/desktop.h"
#include "engine/stack_transitions.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "transitions/transition_catalogue.h"
#include "transitions/transition_timing.h"
#include "viewshots_scenes.h"

namespace tessary::viewshots {
namespace {

// An app window with a toolbar band and lines of "text" in its own colour. Plain popups:
// without a window manager on the X display Wine draws no captions anyway.
void PaintApp(HDC dc, const RECT& client, COLORREF band) {
  HBRUSH page = CreateSolidBrush(RGB(250, 250, 248));
  FillRect(dc, &client, page);
  DeleteObject(page);
  HBRUSH bar = CreateSolidBrush(band);
  HBRUSH grey = CreateSolidBrush(RGB(200, 204, 210));
  RECT top{0, 0, client.right, 44};
  FillRect(dc, &top, bar);
  for (int line = 0; line < 12; ++line) {
    RECT text{24, 70 + line * 26, client.right - 24 - (line % 3) * 70, 82 + line * 26};
    FillRect(dc, &text, line % 4 == 0 ? bar : grey);
  }
  DeleteObject(grey);
  DeleteObject(bar);
}

LRESULT CALLBACK AppProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto band = static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA));
  RECT client;
  GetClientRect(window, &client);
  if (message == WM_PAINT || message == WM_PRINTCLIENT) {
    PAINTSTRUCT paint;
    const bool painting = message == WM_PAINT;
    PaintApp(painting ? BeginPaint(window, &paint) : reinterpret_cast<HDC>(wParam), client, band);
    if (painting) EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND OpenApp(const wchar_t* title, COLORREF band, const RECT& rect) {
  HWND window = OpenWindow(L"TessaryViewshotsStackedApp", &AppProcedure, 0, WS_POPUP, title, rect,
                           reinterpret_cast<void*>(static_cast<LONG_PTR>(band)));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

// Plays effect `id` as a stack switch does, the window behind coming forward, and has it
// shot halfway through (the slide at its turn, where it stops for the shot).
void ShootEffect(StackTransitions& transitions, int id, double slowdown, HWND front, HWND back,
                 const Rect& crop, const Shots& shots) {
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  testing::PumpMessagesFor(0.5);
  const std::string name = "transition-" + std::string(TransitionKey(id));
  const TransitionDrawing drawing = DrawingOf(id);
  // Halfway in time is halfway in eased progress too.
  const double halfway =
      slowdown * (drawing == TransitionDrawing::kCards ? kCardSeconds : kMeshSeconds) / 2;
  StackSwitchRequest request;
  request.raise = {ToWindowId(back)};
  request.inFront = {ToWindowId(front)};
  request.transition = id;
  request.display = {0, 0, static_cast<double>(GetSystemMetrics(SM_CXSCREEN)),
                     static_cast<double>(GetSystemMetrics(SM_CYSCREEN))};
  if (drawing == TransitionDrawing::kMesh) {
    // Under Wine a window of this process raised while the UI thread is held by the
    // player reaches the screen only once that thread takes its messages again (another
    // app's window does at once), so the shot would show the leaving window under its own
    // effect: the window behind is raised just before (the swap raises it again, as the
    // stack does).
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    testing::PumpMessagesFor(0.5);
  }
  const bool played = transitions.Play(request, [&] {
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (drawing != TransitionDrawing::kSlide) {
      shots.announce(name, crop, halfway);
      return;
    }
    testing::PumpMessagesFor(0.3);
    shots.announce(name, crop, 0);
    shots.await(name);
  });
  if (played && drawing != TransitionDrawing::kSlide) shots.await(name);
}

// The two windows of the stack, on a thread of their own as another app's windows are:
// they keep painting while the player holds the UI thread.
class AppThread {
 public:
  AppThread() {
    std::promise<void> opened;
    std::future<void> ready = opened.get_future();
    thread_ = std::thread([this, &opened] {
      const RECT place{560, 260, 1280, 720};
      back_ = OpenApp(L"Inbox", RGB(40, 120, 200), place);
      front_ = OpenApp(L"Quarterly report", RGB(200, 90, 40), place);
      id_ = GetCurrentThreadId();
      opened.set_value();
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
      DestroyWindow(front_);
      DestroyWindow(back_);
    });
    ready.wait();
  }
  ~AppThread() {
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND Front() const { return front_; }
  HWND Back() const { return back_; }

 private:
  std::thread thread_;
  DWORD id_ = 0;
  HWND front_ = nullptr;
  HWND back_ = nullptr;
};

}  // namespace

void ShootTransitions(SurfaceFactory& factory, const Shots& shots) {
  AppThread apps;
  testing::PumpMessagesFor(0.8);
  Win32Platform platform;
  Desktop desktop(platform.platform());
  StackTransitions transitions(desktop, factory);
  transitions.Warm();
  const double slowdown =
      ParseSlowdown(platform.platform().processes.EnvironmentVariable(kSlowdownVariable));
  // The window with some desktop around it, and room for the slide to the right.
  const Rect crop{440, 170, 1200, 640};
  for (int id = 0; id < kTransitionCount; ++id) {
    ShootEffect(transitions, id, slowdown, apps.Front(), apps.Back(), crop, shots);
  }
}

}  // namespace tessary::viewshots
