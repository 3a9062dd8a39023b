// Resizing a snapped window by its edge: its neighbours follow the shared divider (and
// the display keeps the new proportions), or with Ctrl it spans the regions it covers.

#include <algorithm>
#include <random>

#include "engine_fixture.h"
#include "layout/tree_edit.h"

namespace tessary {
namespace {

class ResizingTest : public EngineTest {
 protected:
  // Drags the edges from `grab` to `to` and lets the resize be carried out.
  void ResizeBy(WindowId w, int edges, Point grab, Point to, bool ctrl = false) {
    desk.BeginResizeDrag(w, edges, grab);
    desk.Advance(0.001);
    if (ctrl) desk.PressKey(Key::kControl);
    MoveTo(to);
    captionWhileResizing = OutlineCaption();
    outlinesWhileResizing = OutlinesShown();
    Drop();
    if (ctrl) desk.ReleaseKey(Key::kControl);
  }
  double StoredRatio() { return StoredActiveLayouts().at(DisplayKey()).tree->ratio; }

  std::string captionWhileResizing;
  std::vector<Rect> outlinesWhileResizing;
};

// Every story that measures pixels runs at scale 1 and 1.5.
class ResizingAtScale : public ResizingTest, public ::testing::WithParamInterface<double> {};
INSTANTIATE_TEST_SUITE_P(Scales, ResizingAtScale, ::testing::Values(1.0, 1.5));

// The column divider of "Four quarters" runs the whole height: dragging the top left
// window's right edge moves every window along it, the one stacked behind too, and each
// neighbour is outlined where it will end until the release.
TEST_P(ResizingAtScale, TheSharedEdgeMovesEveryWindowAlongItAndOutlinesEachNeighbour) {
  const double scale = GetParam();
  StartWith("quarters", scale);
  const double gap = RegionGap(scale);
  const WindowId behind = PlacedIn(2);
  const WindowId topRight = PlacedIn(2);
  const WindowId bottomLeft = PlacedIn(1);
  const WindowId bottomRight = PlacedIn(3);
  const WindowId topLeft = PlacedIn(0);
  const Rect start = desk.Frame(topLeft);

  ResizeBy(topLeft, kSimEdgeRight, {start.Right(), 200}, {1256, 200});

  EXPECT_EQ(captionWhileResizing, "Resize together \xC2\xB7 Ctrl to span");
  EXPECT_EQ(desk.Frame(topLeft), (Rect{start.x, start.y, 1256 - start.x, start.height}));
  EXPECT_EQ(desk.Frame(bottomLeft).Right(), 1256);
  for (WindowId w : {topRight, behind, bottomRight}) {
    EXPECT_EQ(desk.Frame(w).x, 1256 + gap);
    EXPECT_EQ(desk.Frame(w).Right(), 1920 - gap);
  }
  std::vector<Rect> ended{desk.Frame(topRight), desk.Frame(bottomLeft), desk.Frame(bottomRight)};
  auto byPlace = [](const Rect& r) { return std::pair(r.x, r.y); };
  std::ranges::sort(ended, {}, byPlace);
  std::ranges::sort(outlinesWhileResizing, {}, byPlace);
  EXPECT_EQ(outlinesWhileResizing, ended);
  EXPECT_TRUE(OutlinesShown().empty());
  EXPECT_TRUE(Logged("resized together, 5 windows"));
  // The display keeps the new proportions, in layouts.json too.
  EXPECT_DOUBLE_EQ(StoredRatio(), 1256 / (1920 - gap));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "quarters");
  EXPECT_TRUE(messages.empty());
}

TEST_P(ResizingAtScale, CtrlSpansExactlyTheRegionsTheOutlineCovers) {
  const double scale = GetParam();
  StartWith("quarters", scale);
  WindowId other = PlacedIn(2);
  WindowId w = PlacedIn(0);
  Rect start = desk.Frame(w);

  ResizeBy(w, kSimEdgeRight, {start.Right(), 200}, {1600, 200}, true);

  EXPECT_EQ(captionWhileResizing, "Span 2 regions");
  // Quarters 0 and 2 with the gap of 8 x scale around them.
  Rect expected = scale == 1.0 ? Rect{8, 8, 1904, 508} : Rect{12, 12, 1896, 502};
  EXPECT_EQ(outlinesWhileResizing, std::vector<Rect>{expected});
  EXPECT_EQ(desk.Frame(w), expected);
  // The window already there stays in place, behind the span.
  EXPECT_EQ(desk.Frame(other), Region(2));
  EXPECT_TRUE(Logged("span 2 regions"));
  EXPECT_EQ(tips, (std::vector<std::string>{"span", "badge"}));
  EXPECT_EQ(engine->PriorRectOf(w), start);
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "quarters");

  // Nothing about a span is stored: after a restart its frame alone makes it one.
  engine.reset();
  Start();
  std::vector<StackInfo> stacks = engine->StacksNow();
  ASSERT_EQ(stacks.size(), 1u);
  EXPECT_EQ(stacks[0].spanning, std::vector<WindowId>{w});
  EXPECT_EQ(stacks[0].regions, (std::vector<std::int32_t>{0, 2}));
}

TEST_F(ResizingTest, AWideAppRollsTheEdgeBackThenStopsItWhereTheAppFits) {
  StartWith("halves");
  WindowId wide = PlacedIn(1, {.minWidth = 900});
  WindowId left = PlacedIn(0);

  ResizeBy(left, kSimEdgeRight, {956, 500}, {1256, 500});
  EXPECT_EQ(Told(), "A window reached its minimum size, so the shared edge stays where it was.");
  EXPECT_EQ(desk.Frame(left), Region(0));
  EXPECT_EQ(desk.Frame(wide), Region(1));
  EXPECT_EQ(engine->Layouts().ActiveLayout(DisplayKey())->tree->ratio, 0.5);

  // Now the app's need is known: the divider goes as far as it can.
  ResizeBy(left, kSimEdgeRight, {956, 500}, {1256, 500});
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_NEAR(desk.Frame(wide).width, 905, 5);
  EXPECT_EQ(desk.Frame(wide).x, desk.Frame(left).Right() + 8);
  EXPECT_GT(StoredRatio(), 0.5);
}

TEST_F(ResizingTest, ALooseWindowResizesAloneAndCtrlLetGoBeforeTheEndMovesTheSharedEdge) {
  StartWith("halves");
  const WindowId right = PlacedIn(1);
  const WindowId left = PlacedIn(0);
  const WindowId loose = desk.AddWindow({.frame = {200, 200, 500, 400}});
  desk.Advance(0.3);

  ResizeBy(loose, kSimEdgeRight, {700, 300}, {1300, 300});

  EXPECT_EQ(desk.Frame(loose), (Rect{200, 200, 1100, 400}));
  EXPECT_EQ(desk.Frame(left), Region(0));
  EXPECT_EQ(desk.Frame(right), Region(1));
  EXPECT_EQ(captionWhileResizing, "");
  EXPECT_EQ(engine->Layouts().ActiveLayout(DisplayKey())->tree->ratio, 0.5);

  desk.CloseWindow(loose);
  desk.BeginResizeDrag(left, kSimEdgeRight, {956, 500});
  desk.Advance(0.001);
  desk.PressKey(Key::kControl);
  MoveTo({1100, 500});
  EXPECT_EQ(OutlineCaption(), "Fit one region");
  EXPECT_EQ(OutlineRect(), Region(0));
  desk.ReleaseKey(Key::kControl);
  MoveTo({1256, 500});
  Drop();
  EXPECT_EQ(desk.Frame(left).Right(), 1256);
  EXPECT_EQ(desk.Frame(right).x, 1264);
}

TEST_F(ResizingTest, AWindowThatCannotSpanGoesBackToItsSize) {
  StartWith("quarters");
  const WindowId w = PlacedIn(0, {.sizing = [](const Rect& r) {
                                return Rect{r.x, r.y, std::min(r.width, 1200.0), r.height};
                              }});

  ResizeBy(w, kSimEdgeRight, {956, 200}, {1600, 200}, true);

  EXPECT_EQ(desk.Frame(w), Region(0));
  EXPECT_EQ(Told(), desktop.AppNameOfWindow(w) +
                        " didn't fit across those regions, so it went back to its size.");
  EXPECT_TRUE(tips.empty());
}

// Random edges dragged on random trees: the layout stays valid, every window ends on its
// region's new rectangle (so neighbours stay one gap apart), and a window whose region
// did not change does not move.
class RandomResizeWorld : public ResizingTest {
 public:
  void TestBody() override {}
  void Run(std::mt19937& rng, int world) {
    auto uniform = [&](double lo, double hi) {
      return std::uniform_real_distribution<>(lo, hi)(rng);
    };
    auto between = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
    InstallLogEnvironment({.readLogVariable = [] { return std::optional<std::string>(); }});
    const double scale = std::vector<double>{1.0, 1.25, 1.5, 2.0}[between(0, 3)];
    AddPrimary(scale);
    Start();
    // A random tree: leaves split at random until it has two to six regions.
    NodeRef tree = MakeLeaf(0);
    for (int region = 1, count = between(2, 6); region < count; ++region) {
      std::int32_t victim = between(0, region - 1);
      tree = ReplaceRegion(tree, victim,
                           MakeSplit(between(0, 1) ? Axis::Rows : Axis::Columns, uniform(0.3, 0.7),
                                     MakeLeaf(victim), MakeLeaf(region)));
    }
    const SnapLayout layout{"user-random", "Random", tree, {}};
    engine->Layouts().SetActiveLayout(DisplayKey(), layout);
    const Monitor m = engine->Displays()[0];
    std::map<WindowId, std::int32_t> regionOf;
    for (const auto& [region, rect] : Regions(layout, m.work, scale))
      regionOf[PlacedAt(rect)] = region;

    for (int drag = 0; drag < 6; ++drag) {
      SCOPED_TRACE("world " + std::to_string(world) + " drag " + std::to_string(drag));
      const SnapLayout before = *engine->Layouts().ActiveLayout(DisplayKey());
      const RegionMap oldRects = Regions(before, m.work, scale);
      std::map<WindowId, Rect> framesBefore;
      for (const auto& [w, region] : regionOf) framesBefore[w] = desk.Frame(w);
      const WindowId w =
          std::next(regionOf.begin(), between(0, static_cast<int>(regionOf.size()) - 1))->first;
      const Rect f = desk.Frame(w);
      const int edges[] = {kSimEdgeLeft, kSimEdgeRight, kSimEdgeTop, kSimEdgeBottom,
                           kSimEdgeRight | kSimEdgeBottom};
      const int edge = edges[between(0, 4)];
      const Point grab{edge & kSimEdgeLeft    ? f.x
                       : edge & kSimEdgeRight ? f.Right()
                                              : f.x + f.width / 2,
                       edge & kSimEdgeTop      ? f.y
                       : edge & kSimEdgeBottom ? f.Bottom()
                                               : f.y + f.height / 2};
      ResizeBy(w, edge, grab,
               {std::round(uniform(m.work.x, m.work.Right())),
                std::round(uniform(m.work.y, m.work.Bottom()))});

      const SnapLayout after = *engine->Layouts().ActiveLayout(DisplayKey());
      ASSERT_TRUE(ValidateTree(after.tree));
      ASSERT_TRUE(ValidateTree(StoredActiveLayouts().at(DisplayKey()).tree));
      const RegionMap rects = Regions(after, m.work, scale);
      const bool moved = !TreesEqual(after.tree, before.tree);
      for (const auto& [x, region] : regionOf) {
        const Rect& target = *rects.Get(region);
        // An edge with no divider to move (the work area's border, a jiggle, a region
        // already at its smallest) is the window's own business.
        if (x != w || moved) {
          EXPECT_EQ(desk.Frame(x), target) << region;
        }
        if (x != w && *oldRects.Get(region) == target) {
          EXPECT_EQ(desk.Frame(x), framesBefore[x]) << "moved off the divider: " << region;
        }
      }
      // Put a jiggled window back so that the next drag starts from its region.
      if (!moved) {
        desk.MoveWindow(w, *rects.Get(regionOf[w]));
        desk.Advance(0.3);
      }
    }
  }
};

TEST(ResizingProperty, RandomEdgeDragsKeepEveryWindowOnItsRegion) {
  std::mt19937 rng(1207);
  for (int world = 0; world < 24; ++world) RandomResizeWorld().Run(rng, world);
}

}  // namespace
}  // namespace tessary
