// Stories of placing: windows that will not fit their region, corner drops that split
// the region beside them, and the minimum sizes learned on the way.

#include "engine_fixture.h"

namespace tessary {
namespace {

using Placing = EngineTest;

// Neither a window too wide for its region nor one whose app keeps it where it wants it
// (the frame read after the move shows that the placement did not happen) is recorded as
// placed, and the layout stays as it was; only the first is worth a message.
TEST_F(Placing, AWindowThatDoesNotEndUpInItsRegionLeavesNothingBehind) {
  AddPrimary();
  WindowId wide = AddApp("Ledger", {.frame = {200, 300, 1200, 600}, .minWidth = 1200});
  const Rect own{1000, 600, 500, 300};
  WindowId kiosk = AddApp(
      "Kiosk", {.frame = {200, 300, 800, 600}, .sizing = [own](const Rect&) { return own; }});
  Start();
  PlaceByPicker(wide, {600, 310}, 0, 1);  // right half of "halves": 948 wide
  EXPECT_EQ(desk.Frame(wide), (Rect{200, 300, 1200, 600}));
  EXPECT_EQ(Told(), "Ledger needs more room than this space has. Its prior size was restored.");
  EXPECT_TRUE(Logged("place rolled back: too big"));
  PlaceByPicker(kiosk, {600, 310}, 0, 1);
  EXPECT_EQ(desk.Frame(kiosk), own);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "");
  EXPECT_TRUE(StoredActiveLayouts().empty());
  for (WindowId w : {wide, kiosk}) EXPECT_FALSE(engine->PlacementOf(w).has_value());
}

TEST_F(Placing, TwentyPixelsTooWideAtScale2IsRolledBackSixteenIsNot) {
  desk.AddDisplay({.bounds = {0, 0, 3840, 2160}, .scale = 2.0});
  Start();
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));
  const Rect target = *Regions("halves", {0, 0, 3840, 2160}, 2.0).Get(1);
  auto dragIntoTarget = [this](WindowId w) {
    Grab(w, {600, 410});
    MoveTo({3000, 1000}, 0.25);
    Drop();
  };
  WindowId over = AddApp("Wide", {.frame = {300, 400, 2000, 900}, .minWidth = target.width + 20});
  dragIntoTarget(over);
  EXPECT_EQ(desk.Frame(over), (Rect{300, 400, 2000, 900}));
  EXPECT_EQ(Told(), "Wide needs more room than this space has. Its prior size was restored.");
  EXPECT_TRUE(Logged("region drop rolled back: "));

  WindowId fits = AddApp("Snug", {.frame = {300, 400, 2000, 900}, .minWidth = target.width + 16});
  dragIntoTarget(fits);
  EXPECT_EQ(desk.Frame(fits), (Rect{target.x, target.y, target.width + 16, target.height}));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(engine->PlacementOf(fits), (PlacementRecord{DisplayKey(), 1}));
}

class CornerSplit : public Placing {
 protected:
  // A display showing "halves" with `resident` in its left half; `dropped` waits on the
  // right.
  void Arrange(SimWindowSetup residentSetup, const Rect& bounds = {0, 0, 1920, 1080}) {
    desk.AddDisplay({.bounds = bounds});
    work = bounds;
    Start();
    engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));
    halves = Regions("halves", work);
    residentSetup.frame = *halves.Get(0);
    resident = AddApp("Term", residentSetup);
    dropped = AddApp("Notes", {.frame = {1100, 300, 600, 400}});
  }
  // Drags `dropped` into the top-left corner and lets everything settle.
  void DropInTopLeftCorner() {
    Grab(dropped, {1300, 310});
    MoveTo({4, 4}, 0.05);
    ASSERT_EQ(engine->Drag().kind, kTargetCorner);
    Drop(1.5);
  }
  Rect work;
  RegionMap halves;
  WindowId resident{};
  WindowId dropped{};
};

// The window already there moves below the dropped one; its app, once learned to need
// 1000 pixels of width, takes the 948 of the column without complaint, and what was
// learned is lowered to that.
TEST_F(CornerSplit, TheWindowAlreadyThereMovesBelowTheDroppedOneAndALearnedSizeIsLowered) {
  minimumDocuments.Set(kAppMinimumSizesKey, "{\"C:\\\\Apps\\\\Term.exe\": [1000, 0]}");
  Arrange({});
  DropInTopLeftCorner();
  SnapLayout active = *engine->Layouts().ActiveLayout(DisplayKey());
  EXPECT_EQ(active.id, "corner-custom");
  EXPECT_EQ(active.name, "Custom corner layout");
  RegionMap regions = Regions(active, work);
  ExpectNear(desk.Frame(dropped), *regions.Get(0));
  EXPECT_EQ(desk.Frame(resident), *regions.Get(2));
  EXPECT_EQ(engine->PlacementOf(dropped), (PlacementRecord{DisplayKey(), 0}));
  EXPECT_EQ(engine->PlacementOf(resident), (PlacementRecord{DisplayKey(), 2}));
  EXPECT_EQ(engine->PriorRectOf(resident), *halves.Get(0));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(Logged("split try 0: region 0 at 8,8 948x"));
  EXPECT_TRUE(Logged("corner split region=0 noRoom=0"));
  EXPECT_EQ(StoredActiveLayouts().at(DisplayKey()).id, "corner-custom");
  EXPECT_EQ(StoredMinimums(), (AppMinimumSizes{{AppPath("Term"), {948, 0}}}));
}

TEST_F(CornerSplit, AnAppThatRefusesToShrinkIsLearnedAndTheSplitMovesForIt) {
  Arrange({.minHeight = 600});
  DropInTopLeftCorner();
  SnapLayout active = *engine->Layouts().ActiveLayout(DisplayKey());
  RegionMap regions = Regions(active, work);
  // The split moved up so that the refusing window fits below.
  EXPECT_GE(regions.Get(2)->height, 600);
  ExpectNear(desk.Frame(resident), *regions.Get(2));
  ExpectNear(desk.Frame(dropped), *regions.Get(0));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(StoredMinimums(), (AppMinimumSizes{{AppPath("Term"), {0, 600}}}));
  EXPECT_TRUE(Logged("minimum Term 0x600"));
  EXPECT_TRUE(Logged("split try 1: "));
  EXPECT_EQ(engine->MinimumSize(resident, 1.0), (SizeNeed{180, 600}));
}

TEST_F(CornerSplit, TwoWindowsThatCannotBothFitAreRestored) {
  Arrange({.minHeight = 900});
  desk.Setup(dropped).minHeight = 300;
  DropInTopLeftCorner();
  EXPECT_EQ(Told(),
            "Notes and Term need more room than this space has. Their prior sizes were restored.");
  ExpectNear(desk.Frame(resident), *halves.Get(0));
  EXPECT_EQ(desk.Frame(dropped), (Rect{1100, 300, 600, 400}));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "halves");
  EXPECT_FALSE(engine->PlacementOf(dropped).has_value());
  EXPECT_TRUE(Logged("corner split region=0 noRoom=1"));
  // What it refused is still worth knowing.
  EXPECT_EQ(StoredMinimums().at(AppPath("Term")), (AppMinimumSize{0, 900}));
}

TEST_F(CornerSplit, AWindowThatKeepsChangingSizeIsRestoredAndForgotten) {
  // Always 40 pixels taller than it is asked to be.
  Arrange({.sizing = [](const Rect& r) { return Rect{r.x, r.y, r.width, r.height + 40}; }});
  DropInTopLeftCorner();
  EXPECT_EQ(Told(),
            "Term kept changing size instead of settling into the split. Their prior sizes were "
            "restored.");
  EXPECT_TRUE(Logged("unsettled Term"));
  // What this fit learned about it is undone.
  EXPECT_TRUE(StoredMinimums().empty());
  EXPECT_TRUE(engine->Minimums().Observed().empty());
  EXPECT_EQ(desk.Frame(dropped), (Rect{1100, 300, 600, 400}));
  EXPECT_EQ(desk.Frame(resident).y, halves.Get(0)->y);
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "halves");
}

TEST_F(CornerSplit, WindowsThatDoNotSettleInThreeTriesAreRestored) {
  Arrange({.minHeight = 800}, {0, 0, 1920, 1600});
  // Two more windows in the left half, each asking for more only once it is given more.
  auto asksMoreAbove = [](double above, double wants) {
    return [above, wants](const Rect& r) {
      return Rect{r.x, r.y, r.width, r.height >= above ? std::max(r.height, wants) : r.height};
    };
  };
  WindowId second = AddApp("Pad", {.frame = *halves.Get(0), .sizing = asksMoreAbove(790, 900)});
  WindowId third = AddApp("Chart", {.frame = *halves.Get(0), .sizing = asksMoreAbove(895, 1000)});
  desk.Activate(dropped);
  DropInTopLeftCorner();
  EXPECT_EQ(Told(),
            "The windows did not settle into the adjusted split. Their prior sizes were restored.");
  EXPECT_EQ(toast.Tone(), ToastTone::kProblem);
  EXPECT_TRUE(Logged("split try 2: "));
  for (WindowId w : {resident, second, third}) ExpectNear(desk.Frame(w), *halves.Get(0));
  EXPECT_EQ(desk.Frame(dropped), (Rect{1100, 300, 600, 400}));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "halves");
  EXPECT_FALSE(engine->PlacementOf(resident).has_value());
}

// Only well-formed entries are learned; forgetting empties the stored key.
TEST_F(Placing, UnknownWindowsAreAssumed180By140UnitsLearnedSizesHaveThatFloorAndCanBeForgotten) {
  desk.AddDisplay({.bounds = {0, 0, 3840, 2160}, .scale = 2.0});
  minimumDocuments.Set(kAppMinimumSizesKey,
                       "{\"C:\\\\Apps\\\\Wide.exe\": [900, 0], \"b\": [800], \"c\": \"800\"}");
  Start();
  EXPECT_EQ(engine->Minimums().Learned().size(), 1u);
  WindowId unknown = AddApp("Plain", {});
  WindowId wide = AddApp("Wide", {});
  EXPECT_EQ(engine->MinimumSize(unknown, 2.0), (SizeNeed{360, 280}));
  EXPECT_EQ(engine->MinimumSize(wide, 2.0), (SizeNeed{900, 280}));
  EXPECT_EQ(engine->MinimumSizeOf({unknown, wide}, 1.0), (SizeNeed{900, 140}));

  EXPECT_EQ(engine->ForgetMinimums(), 1);
  EXPECT_EQ(minimumDocuments.Get(kAppMinimumSizesKey), "{}");
}

}  // namespace
}  // namespace tessary
