// What reaches a surface's view: clicks (or not, for click-through surfaces), timers and
// the frame pacer's ticks.

#include <algorithm>
#include <vector>

#include "platform/win32/frame_pacer.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

class Recorder : public SurfaceInput {
 public:
  void OnTimer(int id) override { timers.push_back(id); }
  void OnPointerRelease(Point desktop) override { releases.push_back(desktop); }
  int Ticks(int id) const { return static_cast<int>(std::count(timers.begin(), timers.end(), id)); }

  std::vector<int> timers;
  std::vector<Point> releases;
};

// Who gets a click on a surface: the window below it, unless the surface is interactive
// or clickable; the surface never takes the focus, and leaving interactive mode keeps a
// clickable surface clickable.
TEST_F(SurfaceTest, ClicksPassThroughUnlessInteractiveOrClickable) {
  PlainWindow below({100, 100, 600, 500}, RGB(255, 255, 255));
  for (const bool clickable : {false, true}) {
    Recorder recorder;
    std::unique_ptr<Win32Surface> surface =
        NewSurface({.className = clickable ? "TessaryTestClickable" : "",
                    .clickable = clickable,
                    .input = &recorder});
    ASSERT_TRUE(surface);
    EXPECT_EQ(ClassOf(surface->Handle()),
              clickable ? L"TessaryTestClickable" : L"TessarySurfaceInteractive");
    surface->Present({200, 200, 200, 150}, 1.0, Fill({0, 0.5, 0, 1}), SurfaceAnchor::Topmost());
    PumpMessagesFor(0.2);
    int expectedBelow = below.Clicks();
    std::size_t expectedReleases = 0;
    for (const bool interactive : {false, true, false}) {
      surface->SetInteractive(interactive);
      SendClick(260, 270);
      const bool taken = interactive || clickable;
      if (taken) {
        ++expectedReleases;
      } else {
        ++expectedBelow;
      }
      PumpMessagesUntil([&] {
        return below.Clicks() == expectedBelow && recorder.releases.size() == expectedReleases;
      });
      EXPECT_EQ(below.Clicks(), expectedBelow) << clickable << interactive;
      ASSERT_EQ(recorder.releases.size(), expectedReleases) << clickable << interactive;
      if (taken) {
        EXPECT_EQ(recorder.releases.back(), (Point{260, 270}));  // desktop pixels
      }
      EXPECT_NE(GetForegroundWindow(), surface->Handle());
    }
  }
}

TEST_F(SurfaceTest, FrameTicksAndTimersReachTheView) {
  Recorder recorder;
  std::unique_ptr<Win32Surface> surface = NewSurface({.input = &recorder});
  ASSERT_TRUE(surface);

  surface->SubscribeFrames();
  EXPECT_TRUE(PumpMessagesUntil([&] { return recorder.Ticks(kFrameTimerId) >= 3; }));
  surface->UnsubscribeFrames();
  EXPECT_FALSE(FramePacer::Instance().Subscribed(surface->Handle(), kFrameTimerId));

  surface->StartTimer(2, 10);
  EXPECT_TRUE(PumpMessagesUntil([&] { return recorder.Ticks(2) >= 2; }));
  surface->StopTimer(2);

  // A window destroyed while subscribed is dropped at the next frame.
  HWND doomed = ThrowawayWindow();
  FramePacer::Instance().Subscribe(doomed, kFrameTimerId);
  DestroyWindow(doomed);
  EXPECT_TRUE(
      PumpMessagesUntil([&] { return !FramePacer::Instance().Subscribed(doomed, kFrameTimerId); }));

  // Destroying a surface ends its subscription.
  surface->SubscribeFrames();
  HWND window = surface->Handle();
  surface->Destroy();
  EXPECT_FALSE(FramePacer::Instance().Subscribed(window, kFrameTimerId));
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessary::testing
