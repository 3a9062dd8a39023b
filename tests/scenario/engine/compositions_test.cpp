// Stories of applying a layout with its apps: running windows go to their regions, free
// regions take the display's other windows, missing apps are started and their windows
// placed once they have settled.

#include "engine_fixture.h"

namespace tessary {
namespace {

class CompositionStory : public EngineTest {
 protected:
  void SetUp() override {
    AddPrimary();
    desk.AddFile(kNotes, "Notes");
    desk.AddFile(kPaint, "Paint");
    Start();
  }
  WindowId AppWindow(const std::string& path, const Rect& frame) {
    return desk.AddWindow({.process = desk.AddProcess({.imagePath = path}), .frame = frame});
  }
  // One of the user's own layouts: two halves with the given apps.
  static SnapLayout Halves(std::map<std::int32_t, std::vector<std::string>> apps) {
    SnapLayout layout = *FindBuiltIn("halves");
    layout.id = "user-work";
    layout.name = "Work";
    layout.apps = std::move(apps);
    return layout;
  }
  bool Apply(const SnapLayout& layout) {
    const bool applied = engine->ApplyComposition(DisplayKey(), layout);
    launchedAt = desk.Now();
    return applied;
  }
  // Each started app opens a window where it likes, `delay` after the start.
  void StartedAppsOpenAt(const Rect& frame, double delay = 0.9) {
    desk.OnLaunch(
        [this, frame](const SimLaunch& launch) { opened.push_back(AppWindow(launch.file, frame)); },
        delay);
  }
  // Lets the clock run to `seconds` after the apps were started.
  void RunTo(double seconds) { desk.Advance(launchedAt + seconds - desk.Now()); }
  bool Waiting() const { return desk.TimerRunning(kCompositionTimerId); }

  const Rect left = *Regions("halves", kPrimaryWork).Get(0);
  const Rect right = *Regions("halves", kPrimaryWork).Get(1);
  std::vector<WindowId> opened;
  double launchedAt = 0;
};

TEST_F(CompositionStory, TheRunningAppMovesAndTheMissingOneIsStartedAndPlacedBehindItOnceStill) {
  const WindowId notes = AppWindow(kNotes, {300, 200, 700, 500});
  StartedAppsOpenAt({600, 150, 800, 600});
  ASSERT_TRUE(Apply(Halves({{0, {kNotes, kPaint}}})));
  ExpectNear(desk.Frame(notes), left);
  EXPECT_EQ(engine->PlacementOf(notes), (PlacementRecord{DisplayKey(), 0}));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "user-work");
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, kPaint);
  EXPECT_EQ(Told(), "Opening Paint. Each window goes to its spot when it appears.");
  EXPECT_TRUE(Logged("composition user-work: 1 windows"));
  EXPECT_EQ(desk.TimerPeriod(kCompositionTimerId), 250u);

  // Seen first at the tick after it opened (1.0 s); taken 0.8 s later.
  RunTo(1.9);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(desk.Frame(opened[0]), (Rect{600, 150, 800, 600}));
  RunTo(2.1);
  ExpectNear(desk.Frame(opened[0]), left);
  EXPECT_EQ(engine->PlacementOf(opened[0]), (PlacementRecord{DisplayKey(), 0}));
  EXPECT_EQ(engine->PriorRectOf(opened[0]), (Rect{600, 150, 800, 600}));
  // It opened in front of everything; now it stands right behind the region's window.
  EXPECT_EQ(ZIndex(opened[0]), ZIndex(notes) + 1);
  // Settled 1.5 s after its placement: the waiting ends without a word.
  RunTo(3.6);
  EXPECT_FALSE(Waiting());
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(CompositionStory, AWindowThatKeepsMovingWaitsUntilStillAndIsPlacedTwiceAtMost) {
  StartedAppsOpenAt({600, 150, 800, 600});
  ASSERT_TRUE(Apply(Halves({{1, {kPaint}}})));
  // The app slides its window in for 1.2 s after it opens.
  for (int step = 1; step <= 12; ++step) {
    desk.At(launchedAt + 0.9 + 0.1 * step + 0.01, [this, step] {
      desk.MoveWindow(opened[0], {600.0 + 10 * step, 150, 800, 600});
    });
  }
  // Its last move is seen at the tick at 2.25 s; 0.6 s still after that is 3.0 s.
  RunTo(2.9);
  EXPECT_EQ(desk.Frame(opened[0]), (Rect{720, 150, 800, 600}));
  RunTo(3.1);
  ExpectNear(desk.Frame(opened[0]), right);

  // The app moves it once more; it is placed again once still, but not a third time.
  const Rect away{100, 100, 800, 600};
  desk.At(launchedAt + 3.3, [&] { desk.MoveWindow(opened[0], away); });
  RunTo(4.15);
  EXPECT_EQ(desk.Frame(opened[0]), away);
  RunTo(4.35);
  ExpectNear(desk.Frame(opened[0]), right);
  desk.At(launchedAt + 4.5, [&] { desk.MoveWindow(opened[0], away); });
  RunTo(8);
  EXPECT_EQ(desk.Frame(opened[0]), away);
  EXPECT_FALSE(Waiting());
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(CompositionStory, AnAppThatCannotStartIsNamedAtOnceAndTheOthersAtTheDeadline) {
  ASSERT_TRUE(Apply(Halves({{0, {kNotes, "C:\\Apps\\gone.exe"}}, {1, {kPaint}}})));
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "gone isn't installed, so its spot was left free.",
                          "Opening Notes, Paint. Each window goes to its spot when it appears."}));
  RunTo(19.9);
  EXPECT_EQ(messages.size(), 2u);
  RunTo(20.3);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2],
            "Notes, Paint didn't settle into its spot in time, so it was left where it is.");
  EXPECT_FALSE(Waiting());
}

TEST_F(CompositionStory, AnotherLayoutOnTheDisplayEndsTheWaitSilently) {
  ASSERT_TRUE(Apply(Halves({{1, {kPaint}}})));
  ASSERT_TRUE(Waiting());
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("thirds"));
  RunTo(0.3);
  EXPECT_FALSE(Waiting());
  RunTo(25);
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(CompositionStory, AnAppThatCannotReachItsRegionLeavesItToTheDisplaysOtherWindows) {
  // The app keeps its window where it is, whatever it is asked.
  const Rect notesFrame{300, 200, 700, 500};
  const WindowId notes = AppWindow(kNotes, notesFrame);
  desk.Setup(notes).sizing = [notesFrame](const Rect&) { return notesFrame; };
  const WindowId other = desk.AddWindow({.frame = {1100, 300, 700, 500}});
  ASSERT_TRUE(Apply(Halves({{0, {kNotes}}})));
  EXPECT_EQ(desk.Frame(notes), notesFrame);
  // Both halves are free; with one window each, the left one is served first.
  ExpectNear(desk.Frame(other), left);
  EXPECT_EQ(engine->PlacementOf(other), (PlacementRecord{DisplayKey(), 0}));
  EXPECT_FALSE(engine->PlacementOf(notes).has_value());
  EXPECT_TRUE(desk.Launches().empty());
  EXPECT_TRUE(Logged("composition user-work: 1 windows"));
}

// The front-most window stands on the right: the order of the windows is not what decides.
TEST_F(CompositionStory, RegionsWithoutAppsTakeTheNearestWindows) {
  const WindowId windows[] = {desk.AddWindow({.frame = {20, 100, 600, 800}}),
                              desk.AddWindow({.frame = {700, 120, 500, 800}}),
                              desk.AddWindow({.frame = {1300, 100, 600, 800}})};
  ASSERT_TRUE(Apply(*FindBuiltIn("thirds")));
  for (int i = 0; i < 3; ++i) ExpectNear(desk.Frame(windows[i]), Region(i, 0, "thirds"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CompositionStory, TwoWindowsOfOneAppFillItsTwoRegionsAndExtraAppsStackBehind) {
  const WindowId second = AppWindow(kNotes, {1000, 100, 700, 500});
  const WindowId first = AppWindow(kNotes, {100, 100, 700, 500});  // in front
  const WindowId paint = AppWindow(kPaint, {500, 500, 700, 500});
  ASSERT_TRUE(Apply(Halves({{0, {kNotes, kPaint}}, {1, {kNotes}}})));
  ExpectNear(desk.Frame(first), left);
  ExpectNear(desk.Frame(paint), left);
  ExpectNear(desk.Frame(second), right);
  // The main windows are in front, the lowest region's active; the extra one behind.
  EXPECT_LT(ZIndex(first), ZIndex(paint));
  EXPECT_EQ(desk.Foreground(), first);
  EXPECT_EQ(engine->PlacementOf(second), (PlacementRecord{DisplayKey(), 1}));
  EXPECT_TRUE(Logged("composition user-work: 3 windows"));
}

TEST_F(CompositionStory, ALayoutWhoseAppsAreInPlaceMovesAndStartsNothingNorDoesOneOutOfReach) {
  const WindowId notes = AppWindow(kNotes, left);
  const WindowId paint = AppWindow(kPaint, right);
  // A second Notes window in front does not take the place of the one already there.
  const WindowId spare = AppWindow(kNotes, {200, 200, 600, 400});
  ASSERT_TRUE(Apply(Halves({{0, {kNotes}}, {1, {kPaint}}})));
  EXPECT_EQ(desk.Frame(notes), left);
  EXPECT_EQ(desk.Frame(paint), right);
  EXPECT_EQ(desk.Frame(spare), (Rect{200, 200, 600, 400}));
  EXPECT_TRUE(desk.Launches().empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(Waiting());

  // Nothing at all is applied to an unknown display or during a drag.
  EXPECT_FALSE(engine->ApplyComposition("\\\\?\\DISPLAY#GONE", Halves({{0, {kPaint}}})));
  Grab(spare, {300, 210});
  EXPECT_FALSE(engine->ApplyComposition(DisplayKey(), Halves({{0, {kPaint}}})));
  Drop();
  EXPECT_EQ(desk.Frame(paint), right);
}

}  // namespace
}  // namespace tessary
