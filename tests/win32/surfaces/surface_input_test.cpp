// What reaches a surface's view: clicks (or not, for click-through surfaces), timers and
// the frame pacer's ticks.

#include <vector>

#include "platform/win32/frame_pacer.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

class Recorder : public SurfaceInput {
 public:
  void OnTimer(int id) override { timers.push_back(id); }
  void OnPointerRelease(Point desktop) override { releases.push_back(desktop); }
  int Ticks(int id) const {
    int count = 0;
    for (int timer : timers) count += timer == id;
    return count;
  }

  std::vector<int> timers;
  std::vector<Point> releases;
};

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

class SurfaceInputTest : public SurfaceTest {};

TEST_F(SurfaceInputTest, ClickThroughUnlessInteractiveOrClickable) {
  PlainWindow below({100, 100, 600, 500}, RGB(255, 255, 255));
  Recorder recorder;
  SurfaceOptions options;
  options.input = &recorder;
  std::unique_ptr<Win32Surface> surface = NewSurface(options);
  ASSERT_TRUE(surface);
  surface->Present({200, 200, 200, 150}, 1.0, Fill({0, 0.5, 0, 1}), SurfaceAnchor::Topmost());
  Pump();

  // Not interactive: the window below gets the click.
  ClickAt(250, 250);
  PumpUntil([&] { return below.Clicks() == 1; });
  EXPECT_EQ(below.Clicks(), 1);
  EXPECT_TRUE(recorder.releases.empty());
  EXPECT_NE(WindowFromPoint({250, 250}), surface->Handle());

  // Interactive: the surface takes it, in desktop pixels, without being activated (the
  // view's ActivateOnClick says no).
  surface->SetInteractive(true);
  ClickAt(260, 270);
  PumpUntil([&] { return !recorder.releases.empty(); });
  ASSERT_EQ(recorder.releases.size(), 1u);
  EXPECT_EQ(recorder.releases[0], (Point{260, 270}));
  EXPECT_EQ(below.Clicks(), 1);
  EXPECT_NE(GetForegroundWindow(), surface->Handle());

  // And back to click-through.
  surface->SetInteractive(false);
  ClickAt(250, 250);
  PumpUntil([&] { return below.Clicks() == 2; });
  EXPECT_EQ(below.Clicks(), 2);
  EXPECT_EQ(recorder.releases.size(), 1u);
}

TEST_F(SurfaceInputTest, ClickableSurfaceTakesClicksButNeverTheFocus) {
  PlainWindow below({100, 100, 600, 500}, RGB(255, 255, 255));
  Recorder recorder;
  SurfaceOptions options;
  options.input = &recorder;
  options.clickable = true;
  options.className = "TessaryTestClickable";
  std::unique_ptr<Win32Surface> surface = NewSurface(options);
  ASSERT_TRUE(surface);
  wchar_t className[64]{};
  GetClassNameW(surface->Handle(), className, 64);
  EXPECT_STREQ(className, L"TessaryTestClickable");
  const LONG_PTR style = GetWindowLongPtrW(surface->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_EX_NOACTIVATE);
  EXPECT_TRUE(style & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(style & WS_EX_TRANSPARENT);

  surface->Present({200, 200, 200, 150}, 1.0, Fill({0, 0.5, 0, 1}), SurfaceAnchor::Topmost());
  Pump();
  ClickAt(250, 250);
  PumpUntil([&] { return !recorder.releases.empty(); });
  EXPECT_EQ(recorder.releases.size(), 1u);
  EXPECT_EQ(below.Clicks(), 0);
  EXPECT_NE(GetForegroundWindow(), surface->Handle());
  // Leaving interactive mode keeps it clickable.
  surface->SetInteractive(false);
  EXPECT_FALSE(GetWindowLongPtrW(surface->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST_F(SurfaceInputTest, FrameTicksAndTimersReachTheView) {
  Recorder recorder;
  SurfaceOptions options;
  options.input = &recorder;
  std::unique_ptr<Win32Surface> surface = NewSurface(options);
  ASSERT_TRUE(surface);

  surface->SubscribeFrames();
  PumpUntil([&] { return recorder.Ticks(kFrameTimerId) >= 3; });
  EXPECT_GE(recorder.Ticks(kFrameTimerId), 3);
  surface->UnsubscribeFrames();
  EXPECT_FALSE(FramePacer::Instance().Subscribed(surface->Handle(), kFrameTimerId));

  surface->StartTimer(2, 10);
  PumpUntil([&] { return recorder.Ticks(2) >= 2; });
  EXPECT_GE(recorder.Ticks(2), 2);
  surface->StopTimer(2);

  // A window destroyed while subscribed is dropped at the next frame.
  HWND doomed =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  FramePacer::Instance().Subscribe(doomed, kFrameTimerId);
  DestroyWindow(doomed);
  PumpUntil([&] { return !FramePacer::Instance().Subscribed(doomed, kFrameTimerId); });
  EXPECT_FALSE(FramePacer::Instance().Subscribed(doomed, kFrameTimerId));

  // Destroying a surface ends its subscription.
  surface->SubscribeFrames();
  HWND window = surface->Handle();
  surface->Destroy();
  EXPECT_FALSE(FramePacer::Instance().Subscribed(window, kFrameTimerId));
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessary::testing
