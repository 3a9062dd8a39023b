// Stories of the stack switcher and the overview: Ctrl+Alt+S shows every window of the
// stack as a card; a digit, a click or the arrows bring one forward, a span's cards are
// grouped by region with "Press B here" sending the span behind, and a tab applies one of
// the user's layouts. A badge's right-click shows the stack's live previews side by side.
// (The windows' titles and the overview's place over the region are the stack e2e story's.)

#include "engine_fixture.h"
#include "platform/mouse_hook.h"
#include "surfaces/stack_overview_view.h"

namespace tessary {
namespace {

class SwitcherStory : public EngineTest {
 protected:
  SwitcherStory() { surfacesOnDesktop = true; }
  // Every story here stacks windows in the right half of "halves"; the spots the mouse hook
  // is told to watch are kept in `spots`.
  void SetUp() override {
    StartWith("halves");
    engine->Callbacks().setHoverSpots = [this](std::vector<Rect> s) { spots = std::move(s); };
  }

  WindowId Placed(const Rect& rect, const std::string& app = "Notes") {
    return PlacedAt(rect, {.title = app + " " + std::to_string(++titles)}, app);
  }
  std::vector<WindowId> Stack(int count) {
    std::vector<WindowId> windows;
    for (int i = 0; i < count; ++i) windows.push_back(Placed(Region(1)));
    Pass();
    return windows;
  }
  ChooserPanel* Panel() { return engine->Switcher().Panel(); }
  std::vector<WindowId> Cards() { return ChoiceWindows(*Panel()); }
  // A key or a click on the panel, then the posted command's turn.
  void Key(std::uint32_t key) {
    Panel()->OnKeyDown(key);
    desk.Advance(0.05);
  }
  void Click(int item) {
    ASSERT_TRUE(SurfaceOf(*Panel()).PressAndRelease(Panel()->ItemCentre(item)));
    desk.Advance(0.05);
  }

  // `windows` front-most first (the panel and the badges stand above them).
  std::vector<WindowId> FrontToBack(std::vector<WindowId> windows) {
    std::ranges::sort(windows, {}, [this](WindowId w) { return ZIndex(w); });
    return windows;
  }

  int titles = 0;
  std::vector<Rect> spots;
};

TEST_F(SwitcherStory, StacksOfTwoFiveAndTwelveShowOneCardEachAndADigitBringsOneForward) {
  for (int count : {2, 5, 12}) {
    SCOPED_TRACE(count);
    std::vector<WindowId> windows = Stack(count);
    const WindowId front = windows.back();
    ASSERT_TRUE(engine->ShowSwitcher(front));
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Cards(), windows);
    EXPECT_EQ(Panel()->FocusIndex(), count - 1);
    // 960 x 600 centred on the stack's region; the panel takes the keyboard.
    const Rect area = Region(1);
    EXPECT_EQ(Panel()->Bounds(), (Rect{std::trunc(area.x + (area.width - 960) / 2),
                                       std::trunc(area.y + (area.height - 600) / 2), 960, 600}));
    EXPECT_EQ(desk.Foreground(), Panel()->Window());
    EXPECT_TRUE(desk.TimerRunning(kUpkeepTimerId));

    Key(surface_key::kDigit1 + 1);
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(desk.Foreground(), windows[1]);
    desk.Advance(0.5);
    EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));
    for (WindowId w : windows) desk.CloseWindow(w);
  }
  EXPECT_EQ(std::count(tips.begin(), tips.end(), "switcher"), 3);
}

TEST_F(SwitcherStory, TheArrowsStepAtMostOnceEveryQuarterSecondAndClickingElsewhereCloses) {
  std::vector<WindowId> windows = Stack(12);
  // The badge's overflow button ("Show the Whole Stack") opens it.
  engine->HandleCommand(kCommandBadgeShowStack, static_cast<std::int64_t>(ToNumber(windows[11])));
  ASSERT_NE(Panel(), nullptr);
  Click(chooser_item::kNext);
  EXPECT_EQ(engine->Switcher().Selected(), windows[0]);
  EXPECT_EQ(FrontToBack(windows).front(), windows[0]);
  // Too soon after the last step: refused; the keys step the switcher as the arrows do.
  EXPECT_FALSE(engine->StepStack(+1));
  desk.Advance(0.3);
  EXPECT_TRUE(engine->StepStack(-1));
  EXPECT_EQ(engine->Switcher().Selected(), windows[11]);
  ASSERT_NE(Panel(), nullptr);
  Key(surface_key::kEscape);
  EXPECT_EQ(Panel(), nullptr);

  // Clicking elsewhere closes it, but not within half a second of its opening.
  const WindowId other = Placed(Region(0), "Mail");
  ASSERT_TRUE(engine->ShowSwitcher(windows[11]));
  desk.Advance(0.15);
  desk.Activate(other);
  desk.Advance(0.2);
  EXPECT_NE(Panel(), nullptr);
  desk.Advance(0.3);
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_TRUE(Logged("switcher closed: lost the foreground"));
}

TEST_F(SwitcherStory, ASpansCardsAreGroupedByRegionBSendsItBehindAndAStretchPlacesAWindowAcross) {
  const WindowId left = Placed(Region(0), "Mail");
  const WindowId right = Placed(Region(1), "Notes");
  const Rect both{Region(0).x, Region(0).y, Region(1).Right() - Region(0).x, Region(0).height};
  const WindowId span = Placed(both, "Paint");
  Pass();

  ASSERT_TRUE(engine->ShowSwitcher(span));
  EXPECT_EQ(Cards(), (std::vector<WindowId>{left, right, span}));
  const std::vector<Rect>& stretch = Panel()->Geometry().stretch;
  EXPECT_GT(stretch[0].width, 0);  // the regions' cards can be stretched across the span
  EXPECT_EQ(stretch[2].width, 0);
  EXPECT_EQ(Panel()->FocusIndex(), 2);
  // Content-sized: two groups of one card, the span's group and the action column.
  EXPECT_EQ(Panel()->Bounds().width, 3 * 152 + 2 * 12 + 172 + 56);
  Key(surface_key::kB);
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_LT(ZIndex(left), ZIndex(span));

  // The right half's stretch button: that window goes across the span, in front.
  ASSERT_TRUE(engine->ShowSwitcher(span));
  Click(chooser_item::kStretchBase + 1);
  desk.Advance(0.5);
  EXPECT_EQ(Panel(), nullptr);
  ExpectNear(desk.Frame(right), both);
  EXPECT_EQ(desk.Foreground(), right);
  EXPECT_TRUE(Logged("stretch "));
}

TEST_F(SwitcherStory, ATabAppliesThatLayoutOfTheUsersToTheDisplay) {
  const SnapLayout work{"user-work", "Work", FindBuiltIn("halves")->tree, {}};
  const SnapLayout three{"user-three", "Three", FindBuiltIn("thirds")->tree, {}};
  ASSERT_TRUE(engine->Layouts().ReplaceCustomLayouts(DisplayKey(), {work, three}));
  engine->Layouts().SetActiveLayout(DisplayKey(), work);
  std::vector<WindowId> windows = Stack(2);
  ASSERT_TRUE(engine->ShowSwitcher(windows[1]));
  // The tabs' row makes the panel 36 px taller.
  EXPECT_EQ(Panel()->Bounds().height, 636);
  Click(chooser_item::kTabBase + 1);
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "user-three");
}

TEST_F(SwitcherStory, NothingOpensWhilePausedOrDraggingWithStacksOffOrWithoutAStack) {
  std::vector<WindowId> windows = Stack(2);
  const WindowId alone = Placed(Region(0));
  struct Case {
    const char* name;
    std::function<void()> before, after;
    WindowId window;
  };
  const Case cases[] = {
      {"paused", [&] { engine->SetPaused(true); }, [&] { engine->SetPaused(false); }, windows[1]},
      {"dragging",
       [&] {
         Grab(windows[1], {1400, 20});
       },
       [&] { Drop(); }, windows[1]},
      {"stacks off", [&] { engine->ApplyStackSwitches({.windowStacks = false}); },
       [&] { engine->ApplyStackSwitches({}); }, windows[1]},
      {"no stack", [] {}, [] {}, alone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.before();
    EXPECT_FALSE(engine->ShowSwitcher(c.window));
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_FALSE(engine->ShowOverview(c.window));
    EXPECT_FALSE(engine->Overview().Open());
    c.after();
  }
  // Only the window without a stack is told why.
  EXPECT_EQ(Told(), "No other windows share this window’s position and size.");
}

TEST_F(SwitcherStory, RestingOnTheFrontWindowsMinimiseButtonOpensItUntilThePointerLeaves) {
  std::vector<WindowId> windows = Stack(2);
  // The hook watches the front window's minimise button; nothing else wakes the program.
  const Rect minimise{Region(1).Right() - 3 * 46, Region(1).y, 46, 32};
  EXPECT_EQ(spots, std::vector<Rect>{minimise});
  EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));

  // What the hook posts when the pointer comes onto the button.
  const Point on{minimise.x + 23, minimise.y + 16};
  desk.MoveCursor(on);
  engine->HandleCommand(kCommandHoverSpot, 0);
  EXPECT_TRUE(desk.TimerRunning(kUpkeepTimerId));
  desk.Advance(0.45);
  EXPECT_EQ(Panel(), nullptr);
  desk.Advance(0.2);
  ASSERT_NE(Panel(), nullptr);
  EXPECT_TRUE(engine->Switcher().Hovering());
  EXPECT_TRUE(Logged("hover switcher "));
  // Its right edge on the hover zone's, its top 8 px above the zone's bottom.
  EXPECT_EQ(Panel()->Bounds(), (Rect{on.x + 40 - 960, on.y + 24 - 8, 960, 600}));
  EXPECT_NE(desk.Foreground(), Panel()->Window());

  // A brief excursion is forgiven; a longer one closes it and the timer rests again.
  desk.MoveCursor({200, 600});
  desk.Advance(0.3);
  desk.MoveCursor(on);
  desk.Advance(0.3);
  ASSERT_NE(Panel(), nullptr);
  desk.MoveCursor({200, 600});
  desk.Advance(0.6);
  EXPECT_EQ(Panel(), nullptr);
  EXPECT_TRUE(Logged("hover switcher closed"));
  desk.Advance(0.2);
  EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));
}

TEST_F(SwitcherStory, AWindowThatDrawsItsOwnCaptionSaysWhereItsMinimiseButtonIs) {
  const Rect area = Region(1);
  Placed(area);
  PlacedAt(area,
           {.title = "Browser",
            .style = window_style::kOverlappedWindow & ~window_style::kCaption,
            .drawnMinimiseButton = Rect{area.width - 150, 0, 50, 40}},
           "Browser");
  Pass();
  // Without caption buttons the hook watches the top 48 px, and the window is asked.
  EXPECT_EQ(spots, (std::vector<Rect>{{area.x, area.y, area.width, 48}}));
  desk.MoveCursor({area.Right() - 200, area.y + 20});
  engine->HandleCommand(kCommandHoverSpot, 0);
  desk.Advance(0.7);
  EXPECT_EQ(Panel(), nullptr);
  // Onto its button within the band: the hook says nothing more, yet the watch goes on.
  desk.MoveCursor({area.Right() - 125, area.y + 20});
  desk.Advance(0.7);
  ASSERT_NE(Panel(), nullptr);
  EXPECT_TRUE(engine->Switcher().Hovering());
}

TEST_F(SwitcherStory, RestingOnACardLiftsItsWindowAndEscapePutsTheStackBack) {
  std::vector<WindowId> windows = Stack(3);
  const WindowId other = Placed(Region(1), "Mail");  // now in front of the others
  Pass();
  ASSERT_TRUE(engine->ShowSwitcher(windows[2]));
  Panel()->OnPointerMove(Panel()->ItemCentre(0));
  desk.Advance(0.2);
  EXPECT_TRUE(Logged("peek 1"));
  EXPECT_EQ(FrontToBack({windows[0], windows[1], windows[2], other}).front(), windows[0]);
  EXPECT_NE(desk.Foreground(), windows[0]);  // lifted, not activated
  Key(surface_key::kEscape);
  EXPECT_EQ(Panel(), nullptr);
  // The stack's windows stand in their old order again.
  EXPECT_EQ(FrontToBack({windows[0], windows[1], windows[2], other}),
            (std::vector<WindowId>{other, windows[2], windows[1], windows[0]}));
}

TEST_F(SwitcherStory, ABadgesRightClickShowsTheStackFrontFirstAndAPickBringsThatWindowForward) {
  std::vector<WindowId> windows = Stack(3);
  ASSERT_TRUE(engine->ShowSwitcher(windows[2]));
  // The badge stands on the front window; right-clicking it opens the overview instead.
  const auto& badges = engine->GetStacks().Badges();
  ASSERT_EQ(badges.size(), 1u);
  SimSurface& badge = SurfaceOf(*badges.begin()->second.badge);
  ASSERT_TRUE(badge.RightClick(Centre(badge.Bounds())));
  desk.Advance(0.05);
  EXPECT_EQ(Panel(), nullptr);
  StackOverview& overview = engine->Overview();
  ASSERT_TRUE(overview.Open());
  EXPECT_EQ(overview.Subject(), windows[2]);
  EXPECT_EQ(overview.Members(), (std::vector<WindowId>{windows[2], windows[1], windows[0]}));
  StackOverviewView& view = *overview.View();
  SimSurface& surface = SurfaceOf(view);
  EXPECT_EQ(desk.Foreground(), overview.Window());
  EXPECT_TRUE(Logged("overview open "));
  // Zoomed in (the view's own tests time it), every preview is fully shown.
  desk.Advance(0.25);
  const auto& thumbnails = Factory().Thumbs().Registered();
  ASSERT_EQ(thumbnails.size(), 3u);
  for (const auto& [id, entry] : thumbnails) {
    EXPECT_EQ(entry.destination, overview.Window());
    EXPECT_EQ(entry.last.opacity, 1);
    EXPECT_TRUE(entry.last.visible);
  }
  // While it is open the stack pass leaves everything as it is.
  engine->RefreshStacks();
  EXPECT_TRUE(overview.Open());

  // A click on the last card brings that window forward; the overview fades out and goes.
  ASSERT_TRUE(surface.PressAndRelease(view.CardCentre(2)));
  desk.Advance(0.3);
  EXPECT_FALSE(overview.Open());
  EXPECT_TRUE(Factory().Thumbs().Registered().empty());
  EXPECT_EQ(desk.Foreground(), windows[0]);
  desk.Advance(0.3);
  EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));
}

// Escape stands for every way the view itself dismisses it (the view's own tests walk the
// clicks beside and on the cards).
TEST_F(SwitcherStory, TheOverviewClosesOnItsOwnCommandsAndWhenTheStackChanges) {
  struct Case {
    const char* name;
    std::function<void(StackOverviewView&, const std::vector<WindowId>&)> act;
    bool animations;
  };
  const Case cases[] = {
      {"Escape", [&](StackOverviewView& v, auto&) { SurfaceOf(v).PressKey(surface_key::kEscape); },
       true},
      {"another window activated", [&](StackOverviewView& v, auto&) { SurfaceOf(v).Deactivate(); },
       true},
      {"a member minimised", [&](StackOverviewView&, auto& w) { desk.Minimize(w[0]); }, true},
      {"a member closed", [&](StackOverviewView&, auto& w) { desk.CloseWindow(w[1]); }, false},
      {"paused", [&](StackOverviewView&, auto&) { engine->SetPaused(true); }, true},
      {"stacks turned off",
       [&](StackOverviewView&, auto&) { engine->ApplyStackSwitches({.windowStacks = false}); },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desk.SystemSettings().clientAreaAnimation = c.animations;
    std::vector<WindowId> windows = Stack(2);
    ASSERT_TRUE(engine->ShowOverview(windows[1]));
    StackOverviewView& view = *engine->Overview().View();
    // Without animations it is fully there at once, and gone at once.
    EXPECT_EQ(view.Progress(), c.animations ? 0 : 1);
    desk.Advance(0.3);
    c.act(view, windows);
    desk.Advance(0.3);
    EXPECT_FALSE(engine->Overview().Open());
    engine->SetPaused(false);
    engine->ApplyStackSwitches({});
    for (WindowId w : windows) desk.CloseWindow(w);
    desk.Advance(0.5);
  }
}

}  // namespace
}  // namespace tessary
