// Stories of dragging over a display that already shows a layout: dwelling on a region,
// coming back to the window's own region, the top band that fills a column.

#include "engine_fixture.h"

namespace tessary {
namespace {

class RegionStory : public EngineTest {
 protected:
  void SetUp() override {
    StartWithWindow({300, 300, 700, 500});
    engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));
  }
};

TEST_F(RegionStory, AHoldArmsTheRegionAndOnlyThenDoesReleasingSnapIntoIt) {
  Grab(window, {500, 310});
  MoveTo({1400, 500}, 0.1, 1);
  EXPECT_EQ(OutlineCaption(), "Hold to snap");
  ExpectNear(OutlineRect(), Region(1, 0, "halves"));
  DropInPlace(window);
  EXPECT_TRUE(Logged("end kind=3 region=1 intent=0 armed=0 moving=1 resizing=0"));

  desk.MoveWindow(window, {300, 300, 700, 500});
  Grab(window, {500, 310});
  MoveTo({1400, 500}, 0.165, 1);
  EXPECT_EQ(OutlineCaption(), "Hold to snap");
  desk.Advance(0.03);
  EXPECT_EQ(OutlineCaption(), "Release to snap");
  // Moving on to the other region restarts the hold.
  MoveTo({300, 500}, 0.0, 1);
  EXPECT_EQ(OutlineCaption(), "Hold to snap");
  ExpectNear(OutlineRect(), Region(0, 0, "halves"));
  desk.Advance(0.2);
  Drop();
  ExpectNear(desk.Frame(window), Region(0, 0, "halves"));
  EXPECT_EQ(engine->PlacementOf(window), (PlacementRecord{DisplayKey(), 0}));
  EXPECT_TRUE(Logged("region drop intent=0 region=0"));
  // The dropped window is raised without being activated.
  EXPECT_EQ(desk.ZOrder().front(), window);
}

// A window taken from its own region: moved a little within it, it just moves; carried
// away and brought back near where it sat, or back onto the region after leaving it, it is
// offered its place again ("Put Back" under the pointer of the menu the halves open).
TEST_F(RegionStory, BackOnItsOwnRegion) {
  struct Case {
    const char* name;
    Point away;
    Point back;
    bool offered;
    const char* caption;       // on the outline once back
    const char* armedCaption;  // after the hold
    Rect endsAt;
  };
  const Rect own = Region(0, 0, "halves");
  const Case cases[] = {
      // Carried 20 pixels: it stays where the drag left it.
      {"never left", {420, 40}, {420, 40}, false, "", "", {28, 28, own.width, own.height}},
      {"travelled", {500, 120}, {420, 40}, true, "Previous position", "Release to return", own},
      {"left", {1400, 500}, {500, 500}, true, "", "", own},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desk.MoveWindow(window, own);
    Grab(window, {400, 20});
    MoveTo(c.away, 0.05);
    MoveTo(c.back, 0.0, 3);
    EXPECT_EQ(OutlineCaption(), c.caption);
    desk.Advance(0.4);
    EXPECT_EQ(OutlineCaption(), c.armedCaption);
    if (c.offered) {
      EXPECT_EQ(engine->Drag().intent, (DropIntent{kDropPutBack, 0}));
      EXPECT_TRUE(engine->Drag().armed);
      ExpectNear(OutlineRect(), own);
    } else {
      EXPECT_EQ(engine->Drag().kind, kTargetNone);
      EXPECT_FALSE(OutlineVisible());
    }
    Drop();
    ExpectNear(desk.Frame(window), c.endsAt);
  }
  EXPECT_EQ(LoggedCount("region drop intent=1 region=0"), 2);
}

TEST_F(RegionStory, TheTopBandFillsTheColumnUnderTheCursor) {
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("stack"));
  RegionMap stack = Regions("stack", kPrimaryWork);
  WindowId upper = desk.AddWindow({.frame = *stack.Get(1)});
  WindowId lower = desk.AddWindow({.frame = *stack.Get(2)});
  desk.Activate(window);
  Grab(window, {500, 310});
  MoveTo({1500, 3}, 0.0, 4);
  EXPECT_EQ(OutlineCaption(), "Hold to fill the column");
  ExpectNear(OutlineRect(), *SpanBounds({1, 2}, stack));
  desk.Advance(0.2);
  EXPECT_EQ(OutlineCaption(), "Release to fill the column");
  Drop();
  // The column is one region now, and every window that was in it is stacked there.
  std::optional<SnapLayout> active = engine->Layouts().ActiveLayout(DisplayKey());
  ASSERT_TRUE(active.has_value());
  EXPECT_TRUE(TreesEqual(active->tree, FindBuiltIn("focus")->tree) ||
              TreesEqual(active->tree, MakeSplit(Axis::Columns, 0.6, MakeLeaf(0), MakeLeaf(1))));
  RegionMap filled = Regions(*active, kPrimaryWork);
  for (WindowId w : {window, upper, lower}) ExpectNear(desk.Frame(w), *filled.Get(1));
  EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, active->id);
  EXPECT_TRUE(Logged("region drop intent=6 region=1"));
}

TEST_F(RegionStory, ADragWhoseEndEventNeverComesEndsOnTheReleaseItself) {
  desk.BeginTitleDrag(window, {500, 310}, {.raiseEvents = false});
  engine->OnMoveSizeStart(window);  // as if the start had been reported
  MoveTo({1400, 500}, 0.25);
  Drop(0.014);
  EXPECT_TRUE(engine->DragActive());  // at most one tick with the button up: not yet
  desk.Advance(0.035);
  EXPECT_FALSE(engine->DragActive());
  EXPECT_TRUE(Logged("drag released; not waiting for its end-of-move event"));
  EXPECT_TRUE(engine->PendingLateEnd().pending);
  desk.Advance(0.5);
  ExpectNear(desk.Frame(window), Region(1, 0, "halves"));
  // The system's end event arriving late is swallowed.
  engine->OnMoveSizeEnd(window);
  EXPECT_FALSE(engine->PendingLateEnd().pending);
  EXPECT_GT(engine->RefreshDeadline(), 0);
}

TEST_F(RegionStory, ADragThatNeverMovesIsGivenUpAfter21ReleasedTicks) {
  desk.BeginTitleDrag(window, {500, 310}, {.raiseEvents = false});
  engine->OnMoveSizeStart(window);
  Drop(0.015 * 19 + 0.005);  // at most 20 ticks
  EXPECT_TRUE(engine->DragActive());
  desk.Advance(0.03);
  EXPECT_FALSE(engine->DragActive());
  EXPECT_TRUE(Logged("drag ended without its event"));
  EXPECT_EQ(escapeWatchCalls.back(), false);
}

// A window that cannot be managed, or snapping paused, at the start: the drag is not
// followed. A window that closes, or snapping paused, mid-drag or before placing: nothing is
// placed and nothing is said.
TEST_F(RegionStory, ADragNotFollowedOrCutShortPlacesNothingSilently) {
  enum class Cut { kNotManaged, kPausedAtStart, kCloseMidDrag, kCloseBeforePlacing, kPauseMidDrag };
  for (Cut cut : {Cut::kNotManaged, Cut::kPausedAtStart, Cut::kCloseMidDrag,
                  Cut::kCloseBeforePlacing, Cut::kPauseMidDrag}) {
    SCOPED_TRACE(static_cast<int>(cut));
    const std::uint32_t style = cut == Cut::kNotManaged ? window_ex_style::kToolWindow : 0u;
    WindowId w = desk.AddWindow({.frame = {300, 300, 700, 500}, .exStyle = style});
    engine->SetPaused(cut == Cut::kPausedAtStart);
    const std::size_t watches = escapeWatchCalls.size();
    Grab(w, {500, 310});
    const bool followed = cut != Cut::kNotManaged && cut != Cut::kPausedAtStart;
    EXPECT_EQ(engine->DragActive(), followed);
    EXPECT_EQ(escapeWatchCalls.size() > watches, followed);
    MoveTo({1400, 500}, 0.25);
    if (cut == Cut::kCloseMidDrag) desk.CloseWindow(w);
    if (cut == Cut::kPauseMidDrag) engine->SetPaused(true);
    if (cut != Cut::kCloseBeforePlacing) {
      desk.Advance(0.015);
      EXPECT_FALSE(engine->DragActive());
      EXPECT_FALSE(OutlineVisible());
      EXPECT_FALSE(desk.TimerRunning(kDragTickTimerId));
    }
    Drop(0.01);
    if (cut == Cut::kCloseBeforePlacing) {
      ASSERT_NE(engine->PendingPlacement(), nullptr);
      desk.CloseWindow(w);
    }
    desk.Advance(0.5);
    EXPECT_FALSE(engine->PlacementOf(w).has_value());
    EXPECT_TRUE(messages.empty());
    engine->SetPaused(false);
    if (desk.Exists(w)) desk.CloseWindow(w);
  }
  EXPECT_TRUE(Logged("start ignored "));
}

}  // namespace
}  // namespace tessary
