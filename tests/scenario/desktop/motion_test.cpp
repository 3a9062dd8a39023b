#include <regex>

#include "base/log.h"
#include "desk_fixture.h"

namespace tessary {
namespace {

using Motion = DeskTest;

const Rect kLeftHalf{8, 8, 948, 1024};
const Rect kRightHalf{964, 8, 948, 1024};

TEST_F(Motion, PlaceExactlyLandsTheFrameNotTheWindowRectangleWhereverTheTaskBarIs) {
  WindowId w = desk.AddWindow({});
  EXPECT_TRUE(desktop.PlaceExactly(w, kLeftHalf));
  EXPECT_EQ(desk.Frame(w), kLeftHalf);
  EXPECT_FALSE(desktop.PlaceExactly(WindowId{999}, kLeftHalf));
  EXPECT_FALSE(desktop.FrameBounds(WindowId{999}).has_value());
  // Without a readable frame, or with an empty one, the window rectangle stands in for it.
  desk.Setup(w).frameBoundsReadable = false;
  EXPECT_EQ(desktop.FrameBounds(w), (Rect{1, 8, 962, 1031}));
  EXPECT_EQ(desktop.FrameBounds(desk.AddWindow({.frame = {10, 10, 0, 50}})), (Rect{3, 10, 14, 57}));

  // A maximized window on a display with the task bar at the top.
  desk.SetWorkArea(primary, {0, 40, 1920, 1040});
  WindowId maximized = desk.AddWindow({.maximized = true});
  EXPECT_TRUE(desktop.PlaceExactly(maximized, {8, 48, 948, 1024}));
  EXPECT_EQ(desk.Frame(maximized), (Rect{8, 48, 948, 1024}));
}

TEST_F(Motion, MaximizedMinimizedAndAlreadyThereWindowsArePlacedWithoutAnimationOrActivation) {
  WindowId other = desk.AddWindow({});
  WindowId maximized = desk.AddWindow({.maximized = true, .activate = false});
  WindowId minimized = desk.AddWindow({.minimized = true, .activate = false});
  WindowId there = desk.AddWindow({.frame = {8.5, 8, 948, 1024}, .activate = false});
  ASSERT_EQ(desk.Foreground(), other);
  std::set<WindowId> placed = desktop.Glide({{maximized, kRightHalf}, {there, kLeftHalf}});
  EXPECT_EQ(placed, (std::set<WindowId>{maximized, there}));
  EXPECT_EQ(desk.FramesWaited(), 0);
  EXPECT_EQ(desk.Frame(there), kLeftHalf);
  EXPECT_TRUE(desktop.GlideOne(minimized, kLeftHalf));
  EXPECT_FALSE(desk.IsMaximized(maximized));
  EXPECT_EQ(desk.Frame(maximized), kRightHalf);
  EXPECT_EQ(desk.Frame(minimized), kLeftHalf);
  EXPECT_EQ(desk.Foreground(), other);
}

TEST_F(Motion, AppThatRefusesToShrinkStillCountsAsPlaced) {
  WindowId w = desk.AddWindow({.minWidth = 1000});
  EXPECT_TRUE(desktop.GlideOne(w, kLeftHalf));
  EXPECT_EQ(desk.Frame(w), (Rect{8, 8, 1000, 1024}));

  // One that also shifts itself counts while its corner stays within 6 pixels.
  auto shiftedBy = [](double dx) {
    return [dx](const Rect& r) { return Rect{r.x + dx, r.y, r.width, r.height}; };
  };
  WindowId near = desk.AddWindow({.minWidth = 1000, .sizing = shiftedBy(6)});
  EXPECT_TRUE(desktop.GlideOne(near, kRightHalf));
  WindowId far = desk.AddWindow({.minWidth = 1000, .sizing = shiftedBy(7)});
  EXPECT_FALSE(desktop.GlideOne(far, kRightHalf));
}

// An app that lands a move off the mark is asked again, three times in all.
TEST_F(Motion, AMoveThatLandsOffTheMarkIsTriedAgain) {
  int offTheMark = 0;  // how many more moves land 20 pixels to the right
  WindowId w = desk.AddWindow({.sizing = [&offTheMark](const Rect& r) {
    return offTheMark-- > 0 ? Rect{r.x + 20, r.y, r.width, r.height} : r;
  }});
  offTheMark = 2;
  EXPECT_TRUE(desktop.PlaceExactly(w, kLeftHalf));
  EXPECT_EQ(desk.Frame(w), kLeftHalf);
  offTheMark = 3;
  EXPECT_FALSE(desktop.PlaceExactly(w, kRightHalf));
}

TEST_F(Motion, GlideAnimatesTogetherThenPlacesExactlyOrWithAnimationsOffJumps) {
  WindowId a = desk.AddWindow({.frame = {300, 200, 700, 500}});
  WindowId b = desk.AddWindow({.frame = {500, 300, 700, 500}});
  double start = desk.Now();
  std::vector<Rect> midway;
  desk.After(0.12, [&] { midway = {desk.Frame(a), desk.Frame(b)}; });
  double early = 0;
  desk.After(0.06, [&] { early = desk.Frame(a).x; });
  std::string perf;
  InstallLogEnvironment(
      {.readLogVariable = [] { return std::optional<std::string>("log"); },
       .appendToFile = [&](const std::string&, std::string_view line) { perf = line; }});
  EXPECT_EQ(desktop.Glide({{a, kLeftHalf}, {b, kRightHalf}}), (std::set<WindowId>{a, b}));
  InstallLogEnvironment({});
  // Its record names the count, marks the motion and the exact step, and notes the resizing.
  EXPECT_TRUE(std::regex_match(
      perf, std::regex("perf glide n=2 total=.* \\[motion=[0-9.]+ exact=[0-9.]+\\] resizing\n")))
      << perf;
  EXPECT_EQ(desk.Frame(a), kLeftHalf);
  EXPECT_EQ(desk.Frame(b), kRightHalf);
  // About half way at half time (the curve is symmetric), one move per window per frame.
  ASSERT_EQ(midway.size(), 2u);
  EXPECT_NEAR(midway[0].x, (300 + 8) / 2.0, 40);
  EXPECT_NEAR(midway[1].x, (500 + 964) / 2.0, 40);
  EXPECT_GT(early, 280) << "eased in: barely under way at a quarter of the time";
  int frames = desk.FramesWaited();
  EXPECT_GE(frames, 14);
  EXPECT_LE(frames, 16);
  EXPECT_LE(desk.Calls("SetPosition"), 2 * (frames + 1) + 2);
  EXPECT_GE(desk.Now() - start, 0.24);

  // With animations off (an unreadable setting counts as on) they jump, to the same end.
  desk.SystemSettings().clientAreaAnimation = std::nullopt;
  EXPECT_TRUE(desktop.AnimationsEnabled());
  desk.SystemSettings().clientAreaAnimation = false;
  EXPECT_EQ(desktop.Glide({{a, kRightHalf}, {b, kLeftHalf}}), (std::set<WindowId>{a, b}));
  EXPECT_EQ(desk.FramesWaited(), frames);
  EXPECT_EQ(desk.Frame(a), kRightHalf);
  EXPECT_EQ(desk.Frame(b), kLeftHalf);
}

// Each frame then waits 8 ms: a shorter or longer sleep changes the number of sleeps.
TEST_F(Motion, WithoutCompositionFramesArePacedBySleeping) {
  desk.SetCompositionAvailable(false);
  WindowId w = desk.AddWindow({});
  EXPECT_TRUE(desktop.GlideOne(w, kLeftHalf));
  EXPECT_GE(desk.Calls("Sleep"), 30);  // 0.24 s
  EXPECT_LE(desk.Calls("Sleep"), 31);
  EXPECT_EQ(desk.Frame(w), kLeftHalf);

  desk.ResetCalls();
  desktop.SlideOutAndBack(w, kLeftHalf, {-700, 8}, nullptr);
  EXPECT_GE(desk.Calls("Sleep"), 55);  // 0.44 s
  EXPECT_LE(desk.Calls("Sleep"), 56);
}

TEST_F(Motion, WindowClosingMidGlideIsMissingAndOthersArrive) {
  WindowId a = desk.AddWindow({});
  WindowId b = desk.AddWindow({.frame = {500, 300, 700, 500}});
  desk.After(0.1, [&] { desk.CloseWindow(a); });
  EXPECT_EQ(desktop.Glide({{a, kLeftHalf}, {b, kRightHalf}}), (std::set<WindowId>{b}));
  EXPECT_EQ(desk.Frame(b), kRightHalf);
}

TEST_F(Motion, SameWindowListedTwiceGoesToTheLaterTarget) {
  WindowId w = desk.AddWindow({.frame = {500, 300, 700, 500}});
  std::vector<double> xs;
  for (double t = 0.02; t < 0.24; t += 0.02) desk.After(t, [&] { xs.push_back(desk.Frame(w).x); });
  desk.ResetCalls();
  EXPECT_TRUE(desktop.Glide({{w, kLeftHalf}, {w, kRightHalf}}).contains(w));
  // One animation, not two fighting over the window: a move per frame plus two exact steps.
  EXPECT_LE(desk.Calls("SetPosition"), desk.FramesWaited() + 1 + 2);
  EXPECT_EQ(desk.Frame(w), kRightHalf);
  // It animated one way only: towards the later target, never back towards the first.
  ASSERT_FALSE(xs.empty());
  for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_GE(xs[i], xs[i - 1]);
}

TEST_F(Motion, LateSettlingAppsAreWaitedForTogetherAtMost015Seconds) {
  WindowId w = desk.AddWindow({.settleFrames = 4});
  double start = desk.Now();
  EXPECT_TRUE(desktop.GlideOne(w, kLeftHalf));
  EXPECT_EQ(desk.Frame(w), kLeftHalf);
  // The settling wait covered the app's lag, bounded by 0.15 s.
  double took = desk.Now() - start;
  EXPECT_GT(took, 0.24 + 2 * SimDesktop::FramePeriod());
  EXPECT_LT(took, 0.24 + 0.15 + 0.1);
  EXPECT_GT(desk.Calls("Sleep"), 0);  // the settling wait, before the exact step

  // Two apps that take half a second to follow: together they are waited for 0.15 s.
  desk.ResetCalls();
  WindowId a = desk.AddWindow({.settleFrames = 30});
  WindowId b = desk.AddWindow({.frame = {500, 300, 700, 500}, .settleFrames = 30});
  desktop.Glide({{a, kLeftHalf}, {b, kRightHalf}});
  EXPECT_GE(desk.Calls("Sleep"), 140);
  EXPECT_LE(desk.Calls("Sleep"), 151);
  EXPECT_EQ(desk.Frame(a), kLeftHalf);
  EXPECT_EQ(desk.Frame(b), kRightHalf);
}

TEST_F(Motion, SlowAppIsNotFloodedWithinTheGrace) {
  // The app lags 0.1 s behind each request: during the 0.05 s grace after a request it is
  // left alone, so it is asked every few frames instead of at every one of them.
  WindowId slow = desk.AddWindow({.frame = {500, 300, 700, 500}, .settleFrames = 6});
  desk.ResetCalls();
  EXPECT_TRUE(desktop.GlideOne(slow, kRightHalf));
  int frames = desk.FramesWaited();
  EXPECT_GE(desk.Calls("SetPosition"), 3);
  EXPECT_LE(desk.Calls("SetPosition"), frames / 2 + 1);
  EXPECT_EQ(desk.Frame(slow), kRightHalf);
}

TEST_F(Motion, SlideRunsItsActionOnceAt36PercentOrAtOnceWithoutAnimationAndEndsHome) {
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
  Rect home{100, 100, 800, 600};
  double start = desk.Now();
  int runs = 0;
  double ranAt = 0;
  Rect frameAtAction;
  desktop.SlideOutAndBack(w, home, {-700, 100}, [&] {
    ++runs;
    ranAt = desk.Now() - start;
    frameAtAction = desk.Frame(w);
  });
  EXPECT_EQ(runs, 1);
  EXPECT_GE(ranAt, 0.36 * 0.44);
  EXPECT_LT(ranAt, 0.36 * 0.44 + SimDesktop::FramePeriod() + 1e-9);
  EXPECT_LT(frameAtAction.x, -600);  // near the far end
  EXPECT_EQ(desk.Frame(w), home);

  // Without animation the action runs at once.
  desk.SystemSettings().clientAreaAnimation = false;
  desk.MoveWindow(w, {300, 300, 800, 600});
  const int framesBefore = desk.FramesWaited();
  desktop.SlideOutAndBack(w, home, {-700, 100}, [&] { ++runs; });
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(desk.FramesWaited(), framesBefore);
  EXPECT_EQ(desk.Frame(w), home);

  // A window that is gone, or goes during the slide, still has the action run once.
  desk.SystemSettings().clientAreaAnimation = true;
  WindowId gone = desk.AddWindow({});
  desk.CloseWindow(gone);
  desktop.SlideOutAndBack(gone, home, {-700, 0}, [&] { ++runs; });
  EXPECT_EQ(runs, 3);
  WindowId going = desk.AddWindow({});
  desk.After(0.05, [&] { desk.CloseWindow(going); });
  const double slideStart = desk.Now();
  desktop.SlideOutAndBack(going, home, {-700, 0}, [&] { ++runs; });
  EXPECT_EQ(runs, 4);
  EXPECT_LT(desk.Now() - slideStart, 0.1);  // the first failed move ended the slide
}

// An app that does not answer would freeze the program in any synchronous call: such a
// window is left where it is, maximized or not, and a slide still runs its action.
TEST_F(Motion, AWindowWhoseAppIsNotRespondingIsLeftWhereItIsWithoutWaitingForIt) {
  WindowId normal = desk.AddWindow({.frame = {100, 100, 800, 600}, .hung = true});
  WindowId maximized = desk.AddWindow({.maximized = true, .hung = true});
  WindowId answering = desk.AddWindow({});
  const Rect maximizedFrame = desk.Frame(maximized);
  const double start = desk.Now();
  EXPECT_FALSE(desktop.PlaceExactly(maximized, kLeftHalf));
  EXPECT_EQ(desktop.Glide({{normal, kLeftHalf}, {maximized, kLeftHalf}, {answering, kRightHalf}}),
            (std::set<WindowId>{answering}));
  int runs = 0;
  desktop.SlideOutAndBack(normal, {100, 100, 800, 600}, {-700, 100}, [&] { ++runs; });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(desk.Calls("FrozenCall"), 0);
  EXPECT_LT(desk.Now() - start, 1.0);
  EXPECT_EQ(desk.Frame(normal), (Rect{100, 100, 800, 600}));
  EXPECT_EQ(desk.Frame(maximized), maximizedFrame);
  EXPECT_EQ(desk.Frame(answering), kRightHalf);

  // Once it answers again it is placed as usual.
  desk.Setup(normal).hung = false;
  EXPECT_TRUE(desktop.PlaceExactly(normal, kLeftHalf));
}

}  // namespace
// Windows keeps a restore rectangle for a window it snapped or maximized. After the
// program has moved the window, a title drag must not give it that old size back, on
// whichever display (task bar at the left, another scale) it went to.
TEST_F(Motion, AMovedWindowLosesTheStaleSizeWindowsWouldHaveRestored) {
  desk.AddDisplay({.bounds = {1920, 0, 2560, 1440}, .work = {1968, 0, 2512, 1440}, .scale = 1.5});
  const Rect onSecond{1980, 12, 1244, 1416};
  struct Case {
    const char* name;
    bool snapped;  // by Windows; else maximized
    Rect target;
  };
  for (const Case& c : {Case{"snapped", true, kRightHalf}, Case{"snapped", true, onSecond},
                        Case{"maximized", false, onSecond}}) {
    WindowId w = desk.AddWindow({.frame = {300, 200, 800, 600}});
    if (c.snapped) {
      desk.SnapByWindows(w, kLeftHalf);
    } else {
      desk.Maximize(w);
    }
    ASSERT_TRUE(desktop.GlideOne(w, c.target)) << c.name;
    EXPECT_EQ(desk.NormalFrame(w), c.target) << c.name;
    desk.BeginTitleDrag(w, {c.target.x + 300, c.target.y + 10});
    desk.MoveCursor({c.target.x + 340, c.target.y + 60});
    desk.Release();
    EXPECT_EQ(desk.Frame(w),
              (Rect{c.target.x + 40, c.target.y + 50, c.target.width, c.target.height}))
        << c.name;
    desk.CloseWindow(w);
  }
}

}  // namespace tessary
