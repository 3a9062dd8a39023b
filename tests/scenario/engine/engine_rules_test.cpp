// The rules underneath the stories, checked on their own: region membership, the return
// detector, move-or-resize, the geometry of hot zones and corners, which windows refuse
// their spot in a split, fitting a split to minimum sizes, and how what was seen and what
// was learned of minimum sizes combine (the floor for unknown windows and the reading of
// the stored table are in the placing stories).

#include <gtest/gtest.h>

#include "engine/drag_geometry.h"
#include "engine/drag_state.h"
#include "engine/minimum_sizes.h"
#include "engine/region_membership.h"
#include "engine/split_fit.h"
#include "layout/builtin_layouts.h"
#include "layout/document_store.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

TEST(InRegion, SizeWithinTheToleranceOrNoLargerThanTheRegion) {
  const Rect region{8, 8, 400, 600};
  EXPECT_TRUE(InRegion({14, 2, 424, 576}, region));   // corner within 6, size within 24
  EXPECT_FALSE(InRegion({15, 8, 400, 600}, region));  // 7 off
  // 30 narrower but 30 taller: outside the 24-pixel tolerance and not smaller.
  EXPECT_FALSE(InRegion({8, 8, 370, 630}, region));
  // No larger than the region, at its corner: it sits there (5 wider is still "no larger").
  EXPECT_TRUE(InRegion({8, 8, 405, 100}, region));
  EXPECT_FALSE(InRegion({8, 8, 430, 100}, region));
  // 4 % of a large region is more than 24.
  EXPECT_TRUE(InRegion({0, 0, 1000, 2040}, {0, 0, 1000, 2000}));
  EXPECT_FALSE(InRegion({8, 8, 0, 0}, region));  // no size is not "smaller"
  EXPECT_FALSE(InRegion({0, 0, std::numeric_limits<double>::infinity(), 5}, region));
}

TEST(RegionMembers, ListedFrontMostFirstInTheirFirstRegion) {
  RegionMap regions{{0, {0, 0, 500, 500}}, {1, {0, 0, 520, 520}}, {2, {600, 0, 500, 500}}};
  std::vector<WindowFrame> windows{{WindowId{3}, {0, 0, 500, 500}},
                                   {WindowId{4}, {600, 0, 500, 500}},
                                   {WindowId{5}, {2, 2, 498, 498}},
                                   {WindowId{6}, {300, 300, 500, 500}}};
  RegionLists lists = ListRegionMembers(windows, regions);
  EXPECT_EQ(lists[0], (std::vector<WindowId>{WindowId{3}, WindowId{5}}));
  EXPECT_FALSE(lists.contains(1));
  EXPECT_EQ(lists[2], (std::vector<WindowId>{WindowId{4}}));
}

TEST(ReturnDetector, OffersTheOriginOnlyAfterTravellingOrLeaving) {
  ReturnDetector d{.origin = {100, 100, 800, 600}};
  // Carried 60 pixels away: neither travelled nor left; 61: travelled.
  UpdateReturnDetector(d, {160, 100, 800, 600}, {560, 110}, 1.0);
  EXPECT_FALSE(d.travelled || d.cursorLeft || d.active);
  UpdateReturnDetector(d, {161, 100, 800, 600}, {561, 110}, 1.0);
  EXPECT_TRUE(d.travelled);
  EXPECT_FALSE(d.active);
  // Back within 32 with the cursor over the origin: offered; within 16: at once.
  struct Step {
    double x;
    bool active;
    bool immediate;
  };
  for (const Step step : {Step{133, false, false}, Step{132, true, false}, Step{117, true, false},
                          Step{116, true, true}}) {
    UpdateReturnDetector(d, {step.x, 100, 800, 600}, {step.x + 400, 110}, 1.0);
    EXPECT_EQ(d.active, step.active) << step.x;
    EXPECT_EQ(d.immediate, step.immediate) << step.x;
  }

  // The cursor left the origin and came back well inside it.
  ReturnDetector e{.origin = {100, 100, 800, 600}};
  UpdateReturnDetector(e, {200, 200, 800, 600}, {50, 50}, 1.0);
  UpdateReturnDetector(e, {200, 200, 800, 600}, {500, 400}, 1.0);
  EXPECT_TRUE(e.active);
  UpdateReturnDetector(e, {200, 200, 800, 600}, {104, 400}, 1.0);  // within 8 of the edge
  EXPECT_FALSE(e.active);
}

TEST(DragGeometry, HotZonesAndCorners) {
  Rect bounds{0, 0, 1920, 1080};
  Rect work{0, 0, 1920, 1040};
  EXPECT_TRUE(InHotZone({781, 22}, bounds, work, 1.0));
  EXPECT_FALSE(InHotZone({780, 22}, bounds, work, 1.0));  // exactly 180: not less
  EXPECT_FALSE(InHotZone({960, 22.5}, bounds, work, 1.0));
  EXPECT_TRUE(InHotZone({960, 40}, bounds, work, 2.0));  // 22 x 2
  // The corners are measured from the work area: the bottom ones sit above the task bar.
  EXPECT_EQ(CornerAt({1900, 1030}, bounds, work, 1.0), 3);
  EXPECT_EQ(CornerAt({30, 5}, bounds, work, 1.0), -1);
  EXPECT_EQ(CornerAt({5, 1000}, bounds, work, 1.0), -1);

  Point clamped = ClampInto({-5, 2000}, work);
  EXPECT_EQ(clamped.x, 0);
  EXPECT_NEAR(clamped.y, 1039.99, 1e-9);
}

TEST(ClassifyDrag, MoveOrResizeFromTheFrameAndTheCursor) {
  const Rect start{100, 100, 800, 600};
  const Point grab{400, 110};
  struct Case {
    Rect frame;
    Point cursor;
    bool maximized;
    DragKind kind;
    bool onBorder = false;
  } cases[] = {
      {start, {404, 110}, false, DragKind::kUndecided},           // cursor 4 away
      {start, {405, 110}, false, DragKind::kMove},                // cursor 5 away
      {{103, 100, 800, 600}, grab, false, DragKind::kUndecided},  // frame 3 away
      {{104, 100, 804, 596}, grab, false, DragKind::kMove},       // 4 away, size within 4
      {{100, 100, 805, 600}, grab, false, DragKind::kResize},     // size changed in place
      {{110, 100, 810, 600}, grab, false, DragKind::kResize},     // grew while moving
      {{110, 100, 759, 600}, grab, false, DragKind::kMove},       // shrank by 41: restored
      {{110, 100, 760, 600}, grab, false, DragKind::kResize},     // shrank by only 40
      {{110, 100, 759, 600}, grab, true, DragKind::kResize},      // still maximized
      // Pressed on a sizing border: a cursor ahead of an unchanged frame is a slow size
      // loop; the frame decides.
      {start, {405, 110}, false, DragKind::kUndecided, true},
      {{100, 100, 805, 600}, {405, 110}, false, DragKind::kResize, true},
      {{104, 100, 800, 600}, {405, 110}, false, DragKind::kMove, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyDrag(start, c.frame, grab, c.cursor, c.maximized, c.onBorder), c.kind)
        << c.frame.x << "," << c.frame.width << " cursor " << c.cursor.x;
  }
}

TEST(GrabbedSizingBorder, SidesAndBottomWithinEightPixelsTimesScale) {
  const Rect frame{100, 100, 800, 600};  // right edge 900, bottom 700
  struct Case {
    Point press;
    double scale;
    bool border;
  } cases[] = {
      {{897, 400}, 1, true},  {{908, 400}, 1, true},   {{909, 400}, 1, false},
      {{891, 400}, 1, false}, {{891, 400}, 1.5, true}, {{100, 400}, 1, true},
      {{400, 695}, 1, true},  {{400, 709}, 1, false},  {{400, 110}, 1, false},
      {{400, 95}, 1, false},  {{1000, 400}, 2, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GrabbedSizingBorder(frame, c.press, c.scale), c.border)
        << c.press.x << "," << c.press.y << " at " << c.scale;
  }
}

TEST(OversizeOf, TooBigOneWayOnlyWhileTheOtherFits) {
  const Rect target{0, 0, 500, 400};
  struct Case {
    double width, height;
    bool oversized, wider;
  } cases[] = {
      {505, 400, false, false}, {506, 400, true, true},  {506, 405, true, true},
      {506, 395, true, true},   {500, 406, true, false}, {495, 406, true, false},
      {506, 406, false, false},  // too big both ways: tells nothing
      {506, 394, false, false},  // wider and much shorter
      {494, 406, false, false},
  };
  for (const Case& c : cases) {
    std::optional<Oversize> o = OversizeOf(WindowId{1}, {0, 0, c.width, c.height}, target);
    ASSERT_EQ(o.has_value(), c.oversized) << c.width << "x" << c.height;
    if (o) {
      EXPECT_EQ(o->wider, c.wider);
      EXPECT_EQ(o->taller, !c.wider);
    }
  }
}

TEST(FitSplitRatio, MovesTheSharedEdgeJustFarEnough) {
  const Rect work{0, 0, 1920, 1040};
  NodeRef rows = MakeSplit(Axis::Rows, 0.5, MakeLeaf(0), MakeLeaf(1));
  // The lower one needs 700: the edge rises until it has it, and no further (pixel edges
  // round outward, so it comes out a pixel over).
  NodeRef moved = FitSplitRatio(rows, 0, 1, {100, 140}, {100, 700}, work);
  ASSERT_TRUE(moved);
  EXPECT_EQ(PixelRegionRects(moved, work, 8).Get(1)->height, 701);
  // Needs that add up to more than the height: no layout.
  EXPECT_FALSE(FitSplitRatio(rows, 0, 1, {100, 600}, {100, 600}, work));
  // Side by side, the same along the width; the order of the arguments does not matter.
  NodeRef columns = MakeSplit(Axis::Columns, 0.5, MakeLeaf(0), MakeLeaf(1));
  NodeRef wide = FitSplitRatio(columns, 1, 0, {100, 100}, {1200, 100}, work);
  ASSERT_TRUE(wide);
  EXPECT_EQ(PixelRegionRects(wide, work, 8).Get(0)->width, 1201);
  // Regions that are neither side by side nor stacked: no layout.
  EXPECT_FALSE(FitSplitRatio(FindBuiltIn("quarters")->tree, 0, 3, {100, 100}, {100, 100}, work));
  EXPECT_FALSE(FitSplitRatio(rows, 0, 7, {100, 100}, {100, 100}, work));
}

TEST(MinimumSizes, CombinesWhatWasSeenAndWhatWasLearned) {
  MemoryDocumentStore documents;
  documents.Set(kAppMinimumSizesKey, R"({"app": [900, 0]})");
  MinimumSizes sizes(&documents);
  WindowId w{5};
  sizes.SetObserved(w, {300, 100});
  EXPECT_EQ(sizes.For(w, "other", 1.0), (SizeNeed{300, 100}));  // no floor for what was seen
  EXPECT_EQ(sizes.For(w, "app", 1.0), (SizeNeed{900, 100}));
  EXPECT_EQ(sizes.For(w, "", 1.0), (SizeNeed{300, 100}));

  sizes.Learn("app", {0, 500});
  EXPECT_EQ(sizes.Learned().at("app"), (AppMinimumSize{900, 500}));
  sizes.LowerTo("app", 897, 400);  // 3 below is within the tolerance: kept
  EXPECT_EQ(sizes.Learned().at("app"), (AppMinimumSize{900, 400}));
  sizes.Store();
  documents.Set(kAppMinimumSizesKey, "untouched");
  sizes.Store();  // nothing changed: nothing written
  EXPECT_EQ(documents.Get(kAppMinimumSizesKey), "untouched");
  sizes.Learn("gone", {0, 10});
  sizes.LowerTo("gone", 0, -1);
  EXPECT_FALSE(sizes.Learned().contains("gone"));
}

}  // namespace
}  // namespace tessary
